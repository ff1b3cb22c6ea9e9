# The preview screen and its sheet grids.
target_sources(mendwell_app PRIVATE
  CSFSPreViewData.cpp
  CSheetView.cpp
  CSheetViewer.cpp
)
