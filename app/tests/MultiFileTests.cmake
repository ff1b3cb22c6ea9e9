# Screens 7 to 10 of the multiple-file mode, driven through their buttons,
# with real jobs over generated damaged workbooks.
mendwell_add_gui_test(NAME app_mfs_tests SOURCES
  CMFSScreenTest.cpp
  CMFSSelectFileView_test.cpp
  CMFSSaveOptionView_test.cpp
  CMFSRepairSaveProgressView_test.cpp
  CMFSRepairSavedStatusView_test.cpp
  CMFSJobPath_test.cpp
)
