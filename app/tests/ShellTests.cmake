# Tests of this part are listed here.
mendwell_add_gui_test(NAME app_shell_tests
  SOURCES
    CHelpLocator_test.cpp
    CMainFrame_test.cpp
    CMendwellApp_test.cpp
    CQtUserDialogs_test.cpp
    CSettingView_test.cpp
    CViewManger_test.cpp
    MainWindowPlace_test.cpp
)

# --help and --version answer before any display is opened: with the X11
# platform forced and no display, reaching Qt would abort the program.
add_test(NAME mendwell_version COMMAND mendwell --version)
set_tests_properties(mendwell_version PROPERTIES
  PASS_REGULAR_EXPRESSION "^mendwell ${PROJECT_VERSION}\n$"
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;DISPLAY=;WAYLAND_DISPLAY=")
add_test(NAME mendwell_help COMMAND mendwell --help)
set_tests_properties(mendwell_help PROPERTIES
  PASS_REGULAR_EXPRESSION "Usage: mendwell \\[FILE\\.\\.\\.\\]"
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;DISPLAY=;WAYLAND_DISPLAY=")
