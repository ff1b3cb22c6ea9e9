# Start-up, main window, document, screen manager, settings, dialogs.
target_sources(mendwell_app PRIVATE
  CGuiMessageHandler.cpp
  CHelpLocator.cpp
  CMainFrame.cpp
  CMendwellApp.cpp
  CMendwellDoc.cpp
  CQtUserDialogs.cpp
  CScreenView.cpp
  CSettingView.cpp
  CViewManger.cpp
  MainWindowPlace.cpp
  desktop/mendwell.qrc
)
set_target_properties(mendwell_app PROPERTIES AUTORCC ON)
# The help page of a program run from its build folder, when neither the
# start-up folder nor an installed share/mendwell/ holds one.
target_compile_definitions(mendwell_app PRIVATE
  MENDWELL_SOURCE_HELP_DIR="${CMAKE_CURRENT_SOURCE_DIR}/help")
