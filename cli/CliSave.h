// The save of one repaired workbook as the desktop program runs it: the
// save worker started through CThreadManager and a wait on SaveDone. While
// the worker runs, the console's progress line shows how far the save has
// come (SaveProgress within the range the save gave its progress target).
#pragma once

#include <cstdint>

#include "platform/ProgressTarget.h"

class CCliConsole;
class CExcelData;

// Saves data to its destination path with its save options; returns the
// save's result (0 saved, 1 stopped or not saved, 2 not a workbook). The
// data must hold a successful repair.
std::uint32_t RunCliSave(CExcelData& data, CCliConsole& console);

// position within range as a whole percentage, 0 to 100; 0 for an empty
// range or a position below it.
unsigned ProgressPercent(const ProgressTarget::Range& range, std::uint32_t position);
