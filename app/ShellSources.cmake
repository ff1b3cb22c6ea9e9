# Start-up, main window, document, screen manager, settings, dialogs.
target_sources(mendwell_app PRIVATE
  CGuiMessageHandler.cpp
  CMainFrame.cpp
  CMendwellApp.cpp
  CMendwellDoc.cpp
  CQtUserDialogs.cpp
  CScreenView.cpp
  CSettingView.cpp
  CViewManger.cpp
)
