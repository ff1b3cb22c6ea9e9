#include "repair/CMFSProcessManager.h"

int CMFSProcessManager::Run(CMFSDataContainer*) { return 0; }  // the loop lands next
bool CMFSProcessManager::RepairOne(CMFSDataContainer*) { return false; }
bool CMFSProcessManager::SaveOne(CMFSDataContainer*) { return false; }
