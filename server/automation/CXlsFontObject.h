// The font of a range: Name, Size (points, to the twip), Bold, Italic,
// Underline, Strikethrough, Superscript, Subscript and ColorIndex. Reads report the top-left cell;
// writes change every cell's font and nothing else of its format.
//
// Underline takes and reports the spreadsheet's underline styles (-4142
// none, 2 single, -4119 double, 4 and 5 the accounting ones); True and
// False stand for single and none. ColorIndex takes a palette index 1-56,
// -4105 (automatic) or -4142 (none, taken as automatic); anything else,
// such as 0, is refused. Superscript and Subscript exclude each other:
// setting one True clears the other; setting one False clears only itself.
#pragma once

#include <cstdint>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsFontObject : public CTXlsServerObject<CXlsFontObject> {
public:
    explicit CXlsFontObject(CXlsRangeTarget target);

private:
    HRESULT Name(CDispatchCall& call);
    HRESULT Size(CDispatchCall& call);
    HRESULT Bold(CDispatchCall& call);
    HRESULT Italic(CDispatchCall& call);
    HRESULT Underline(CDispatchCall& call);
    HRESULT ColorIndex(CDispatchCall& call);
    HRESULT Strikethrough(CDispatchCall& call);
    HRESULT Superscript(CDispatchCall& call);
    HRESULT Subscript(CDispatchCall& call);
    HRESULT Escapement(CDispatchCall& call, std::uint8_t escapement);

    static constexpr CTDispatchMember<CXlsFontObject> kMembers[] = {
        {u"Name", EMemberAccess::kGetPut, &CXlsFontObject::Name, {}},
        {u"Size", EMemberAccess::kGetPut, &CXlsFontObject::Size, {}},
        {u"Bold", EMemberAccess::kGetPut, &CXlsFontObject::Bold, {}},
        {u"Italic", EMemberAccess::kGetPut, &CXlsFontObject::Italic, {}},
        {u"Underline", EMemberAccess::kGetPut, &CXlsFontObject::Underline, {}},
        {u"ColorIndex", EMemberAccess::kGetPut, &CXlsFontObject::ColorIndex, {}},
        {u"Strikethrough", EMemberAccess::kGetPut, &CXlsFontObject::Strikethrough, {}},
        {u"Superscript", EMemberAccess::kGetPut, &CXlsFontObject::Superscript, {}},
        {u"Subscript", EMemberAccess::kGetPut, &CXlsFontObject::Subscript, {}},
    };

    CXlsRangeTarget m_target;
};
