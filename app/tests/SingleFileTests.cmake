# The single-file screens 0, 1, 2, 4, 5, 6 driven through the started program.
mendwell_add_gui_test(NAME app_sfs_tests
  SOURCES
    CSingleFileFixture.cpp
    CSFSSelectFileView_test.cpp
    CSFSRepairProgressView_test.cpp
    CSFSRepairStatusView_test.cpp
    CSFSSaveOptionView_test.cpp
    CSFSSingleFilePath_test.cpp
)
