// Readable names of booklift's error and structure bits, for reports.
#pragma once

#include <string>

// "ErrFatSector|ErrStreamSector", or "none" for 0.
std::string ParseErrorNames(unsigned long bits);
// The structure conditions that failed, e.g. "signature|sector-shift".
std::string StructureFlagNames(unsigned long bits);
