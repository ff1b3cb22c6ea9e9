// One hyperlink of a worksheet: the cells it sits on and where it leads.
//
// address: a URL ("http://...", "mailto:...": a scheme of two or more
// letters and a colon), a UNC path ("\\server\share\..."), or a file path,
// absolute ("C:\...", "\...") or relative to the workbook ("..\a.xls");
// empty for a place in this workbook. subAddress: the place in the target
// (a cell or a name, "Sheet2!A1"). textToDisplay: the description the
// HLINK record carries, empty for none. screenTip: the tool tip, empty
// for none.
#pragma once

#include <string>

#include "server/CXlsCellRange.h"

struct CXlsHyperlink {
    CXlsCellRange range;
    std::u16string address;
    std::u16string subAddress;
    std::u16string screenTip;
    std::u16string textToDisplay;
};
