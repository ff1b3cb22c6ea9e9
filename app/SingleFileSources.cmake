# Single-file screens 0, 1, 2, 4, 5, 6 and their step links.
target_sources(mendwell_app PRIVATE
  CProgressTargetBar.cpp
  CRepairReportDialog.cpp
  CReportSummaryRow.cpp
  CSFSRepairProgressView.cpp
  CSFSRepairStatusView.cpp
  CSFSSaveOptionView.cpp
  CSFSSavedStatusView.cpp
  CSFSSavingProgressView.cpp
  CSFSSelectFileView.cpp
  CStepLinks.cpp
)
