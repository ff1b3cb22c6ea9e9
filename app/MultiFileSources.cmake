# Multiple-file screens 7 to 10.
target_sources(mendwell_app PRIVATE
  CMFSFileList.cpp
  CMFSRepairSaveProgressView.cpp
  CMFSRepairSavedStatusView.cpp
  CMFSSaveOptionView.cpp
  CMFSSelectFileView.cpp
)
