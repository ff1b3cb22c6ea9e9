# Tests of this part are listed here.
mendwell_add_gui_test(NAME app_shell_tests
  SOURCES
    CHelpLocator_test.cpp
    CMainFrame_test.cpp
    CMendwellApp_test.cpp
    CSettingView_test.cpp
    CViewManger_test.cpp
)
