// Writes the conditional formats of a sheet: per format a CONDFMT record
// (u16 number of conditions, u16 flags and id, the range as bounding
// rectangle and as a list of one rectangle) and one CF record per
// condition (u8 kind, u8 operator, u16 token length of each formula, the
// formatting block, the tokens of formula 1 and of formula 2).
//
// The formatting block holds the font block when any font part has a
// value, the border block when any line has one and the pattern block when
// any fill part has one; every part without a value is marked as not
// included, so that the cell keeps its own.
#pragma once

#include <vector>

#include "server/CBiffRecordBuilder.h"
#include "server/CBiffRecordWriter.h"
#include "server/CXlsConditionalFormats.h"

class CXlsConditionalFormatRecords {
public:
    // record is scratch space.
    static bool Write(const std::vector<CXlsConditionalFormat>& formats, CBiffRecordBuilder& record,
                      CBiffRecordWriter& out);
    // The formatting block alone, for a CF record being built.
    static void PutFormat(const CXlsConditionFormat& format, CBiffRecordBuilder& record);
};
