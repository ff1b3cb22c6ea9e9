// One named style of a workbook: Name (read only, also the default
// member's text), BuiltIn, the format members a range has (NumberFormat,
// Font, Interior, Borders(Index) with edges 1-4 and the diagonals 5-6, the
// alignment and protection members of CXlsFormatMembers), and
// IncludeNumber, IncludeFont, IncludeAlignment, IncludeBorder,
// IncludePatterns and IncludeProtection: which groups putting the style on
// cells sets. Changing a style changes what later Range.Style puts give,
// not cells that already have it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsStyleObject : public CTXlsServerObject<CXlsStyleObject> {
public:
    CXlsStyleObject(std::shared_ptr<CXlsServerDocument> document, std::size_t position);

private:
    HRESULT Name(CDispatchCall& call);
    HRESULT BuiltIn(CDispatchCall& call);
    HRESULT NumberFormat(CDispatchCall& call);
    HRESULT Font(CDispatchCall& call);
    HRESULT Interior(CDispatchCall& call);
    HRESULT Borders(CDispatchCall& call);
    HRESULT HorizontalAlignment(CDispatchCall& call);
    HRESULT VerticalAlignment(CDispatchCall& call);
    HRESULT WrapText(CDispatchCall& call);
    HRESULT Orientation(CDispatchCall& call);
    HRESULT IndentLevel(CDispatchCall& call);
    HRESULT ShrinkToFit(CDispatchCall& call);
    HRESULT Locked(CDispatchCall& call);
    HRESULT FormulaHidden(CDispatchCall& call);
    HRESULT IncludeNumber(CDispatchCall& call);
    HRESULT IncludeFont(CDispatchCall& call);
    HRESULT IncludeAlignment(CDispatchCall& call);
    HRESULT IncludeBorder(CDispatchCall& call);
    HRESULT IncludePatterns(CDispatchCall& call);
    HRESULT IncludeProtection(CDispatchCall& call);
    HRESULT Include(CDispatchCall& call, std::uint8_t group);

    static constexpr CTDispatchMember<CXlsStyleObject> kMembers[] = {
        {u"Name", EMemberAccess::kGet, &CXlsStyleObject::Name, {}},
        {u"BuiltIn", EMemberAccess::kGet, &CXlsStyleObject::BuiltIn, {}},
        {u"NumberFormat", EMemberAccess::kGetPut, &CXlsStyleObject::NumberFormat, {}},
        {u"Font", EMemberAccess::kGet, &CXlsStyleObject::Font, {}},
        {u"Interior", EMemberAccess::kGet, &CXlsStyleObject::Interior, {}},
        {u"Borders", EMemberAccess::kGet, &CXlsStyleObject::Borders, {u"Index"}},
        {u"HorizontalAlignment", EMemberAccess::kGetPut, &CXlsStyleObject::HorizontalAlignment, {}},
        {u"VerticalAlignment", EMemberAccess::kGetPut, &CXlsStyleObject::VerticalAlignment, {}},
        {u"WrapText", EMemberAccess::kGetPut, &CXlsStyleObject::WrapText, {}},
        {u"Orientation", EMemberAccess::kGetPut, &CXlsStyleObject::Orientation, {}},
        {u"IndentLevel", EMemberAccess::kGetPut, &CXlsStyleObject::IndentLevel, {}},
        {u"ShrinkToFit", EMemberAccess::kGetPut, &CXlsStyleObject::ShrinkToFit, {}},
        {u"Locked", EMemberAccess::kGetPut, &CXlsStyleObject::Locked, {}},
        {u"FormulaHidden", EMemberAccess::kGetPut, &CXlsStyleObject::FormulaHidden, {}},
        {u"IncludeNumber", EMemberAccess::kGetPut, &CXlsStyleObject::IncludeNumber, {}},
        {u"IncludeFont", EMemberAccess::kGetPut, &CXlsStyleObject::IncludeFont, {}},
        {u"IncludeAlignment", EMemberAccess::kGetPut, &CXlsStyleObject::IncludeAlignment, {}},
        {u"IncludeBorder", EMemberAccess::kGetPut, &CXlsStyleObject::IncludeBorder, {}},
        {u"IncludePatterns", EMemberAccess::kGetPut, &CXlsStyleObject::IncludePatterns, {}},
        {u"IncludeProtection", EMemberAccess::kGetPut, &CXlsStyleObject::IncludeProtection, {}},
    };

    CXlsRangeTarget m_target;
};
