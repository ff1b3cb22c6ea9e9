// Builds the records of one hyperlink: HLINK with the moniker that its
// address calls for (CXlsHyperlinkAddress), its description and its
// location, and QUICKTIP for its tool tip.
//
// A file path goes into both the 8-bit path of the file moniker (characters
// above U+00FF as '?') and its 16-bit path, so that readers of either get
// the whole path.
#pragma once

#include "server/CBiffRecordBuilder.h"
#include "server/CBiffRecordWriter.h"
#include "server/CXlsHyperlink.h"

class CXlsHyperlinkRecord {
public:
    // Resets record to an HLINK for link; false when it does not fit in one
    // record (8,224 bytes).
    static bool BuildLink(const CXlsHyperlink& link, CBiffRecordBuilder& record);
    // Resets record to a QUICKTIP for link's screen tip; false when it does
    // not fit.
    static bool BuildTip(const CXlsHyperlink& link, CBiffRecordBuilder& record);
    // Whether both records of link fit.
    static bool Fits(const CXlsHyperlink& link);
    // HLINK, then QUICKTIP when link has a screen tip; record is scratch
    // space.
    static bool Write(const CXlsHyperlink& link, CBiffRecordBuilder& record,
                      CBiffRecordWriter& out);
};
