// The tab of one worksheet, as Worksheet.Tab hands it out; it lives as long
// as the worksheet's workbook, which it holds.
//
// - ColorIndex: the tab's colour as a palette index 1-56, or -4142
//   (xlColorIndexNone) for a tab without one. Puts take 1-56, -4142 and
//   -4105 (automatic, taken as none); anything else is refused.
// - Color: the tab's colour as an RGB value (red + green * 256 + blue *
//   65536) through the workbook's palette, False for a tab without one. A
//   put of 0 to 0xFFFFFF gives the tab the palette colour nearest to it (the
//   file keeps a palette index); False takes the colour away.
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsTabObject : public CTXlsServerObject<CXlsTabObject> {
public:
    CXlsTabObject(std::shared_ptr<CXlsServerDocument> document, CXlsWorksheet& sheet);

private:
    HRESULT ColorIndex(CDispatchCall& call);
    HRESULT Color(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsTabObject> kMembers[] = {
        {u"ColorIndex", EMemberAccess::kGetPut, &CXlsTabObject::ColorIndex, {}},
        {u"Color", EMemberAccess::kGetPut, &CXlsTabObject::Color, {}},
    };

    std::shared_ptr<CXlsServerDocument> m_document;
    CXlsWorksheet& m_sheet;
};
