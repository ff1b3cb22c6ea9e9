// Writes the data validations of a sheet: DVAL (u16 flags 0, u32 and u32
// position of the prompt window 0, u32 drop-down object id 0xFFFFFFFF for
// none, u32 number of DV records), then one DV record per validation (see
// CXlsValidation; texts as unicode strings with a 16-bit count, an empty
// one as a single zero character; each formula as u16 token length, u16
// unused, the tokens; the range as a list of one rectangle). Nothing for a
// sheet without validations.
#pragma once

#include <vector>

#include "server/CBiffRecordBuilder.h"
#include "server/CBiffRecordWriter.h"
#include "server/CXlsValidation.h"

class CXlsValidationRecords {
public:
    // record is scratch space.
    static bool Write(const std::vector<CXlsValidation>& validations, CBiffRecordBuilder& record,
                      CBiffRecordWriter& out);
};
