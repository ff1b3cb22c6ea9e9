// The repair worker's stop check lives in platform/, where the record walks
// of model/ reach it too.
#pragma once

#include "platform/RepairStopCheck.h"
