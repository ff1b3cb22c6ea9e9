# The preview screen, its sheet grids and the formula bar.
mendwell_add_gui_test(NAME app_preview_tests
  SOURCES
    CSFSPreViewData_test.cpp
    CSheetView_test.cpp
    ${PROJECT_SOURCE_DIR}/formula/tests/support/FormulaRecordBuilder.cpp
)
