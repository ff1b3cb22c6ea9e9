// Readable names of booklift's error and structure bits, for reports.
#pragma once

#include <string>

#include "compound/CStreamDamage.h"

// "ErrFatSector|ErrStreamSector", or "none" for 0.
std::string ParseErrorNames(unsigned long bits);
// The structure conditions that failed, e.g. "signature|sector-shift".
std::string StructureFlagNames(unsigned long bits);
// Why a stream's chain was cut: "loop", "outside the file", ...; empty for
// CutNone.
std::string ChainCutName(EChainCut cut);
