# Tests of this part are listed here.
mendwell_add_gui_test(NAME app_shell_tests
  SOURCES
    CViewManger_test.cpp
)
