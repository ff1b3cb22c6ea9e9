#include "server/automation/CXlsStyleObject.h"

#include "server/automation/CXlsBordersObject.h"
#include "server/automation/CXlsFontObject.h"
#include "server/automation/CXlsFormatMembers.h"
#include "server/automation/CXlsInteriorObject.h"

CXlsStyleObject::CXlsStyleObject(std::shared_ptr<CXlsServerDocument> document, std::size_t position)
    : CTXlsServerObject(kMembers),
      m_target(CXlsRangeTarget::OfStyle(std::move(document), position)) {}

HRESULT CXlsStyleObject::Name(CDispatchCall& call) {
    call.SetResult(CVariant::Text(m_target.document->Book().Styles().At(m_target.style).name));
    return S_OK;
}

HRESULT CXlsStyleObject::BuiltIn(CDispatchCall& call) {
    const CXlsStyles::Style& style = m_target.document->Book().Styles().At(m_target.style);
    call.SetResult(CVariant::Bool(style.builtinId != CXlsStyles::kNotBuiltIn));
    return S_OK;
}

HRESULT CXlsStyleObject::NumberFormat(CDispatchCall& call) {
    return CXlsFormatMembers::NumberFormat(m_target, call);
}

HRESULT CXlsStyleObject::Font(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsFontObject(m_target)));
    return S_OK;
}

HRESULT CXlsStyleObject::Interior(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsInteriorObject(m_target)));
    return S_OK;
}

HRESULT CXlsStyleObject::Borders(CDispatchCall& call) {
    if (call.Has(0)) return CXlsBordersObject::ItemOf(m_target, call, 0);
    call.SetResult(CVariant::AdoptObject(new CXlsBordersObject(m_target)));
    return S_OK;
}

HRESULT CXlsStyleObject::HorizontalAlignment(CDispatchCall& call) {
    return CXlsFormatMembers::HorizontalAlignment(m_target, call);
}

HRESULT CXlsStyleObject::VerticalAlignment(CDispatchCall& call) {
    return CXlsFormatMembers::VerticalAlignment(m_target, call);
}

HRESULT CXlsStyleObject::WrapText(CDispatchCall& call) {
    return CXlsFormatMembers::WrapText(m_target, call);
}

HRESULT CXlsStyleObject::Orientation(CDispatchCall& call) {
    return CXlsFormatMembers::Orientation(m_target, call);
}

HRESULT CXlsStyleObject::IndentLevel(CDispatchCall& call) {
    return CXlsFormatMembers::IndentLevel(m_target, call);
}

HRESULT CXlsStyleObject::ShrinkToFit(CDispatchCall& call) {
    return CXlsFormatMembers::ShrinkToFit(m_target, call);
}

HRESULT CXlsStyleObject::Locked(CDispatchCall& call) {
    return CXlsFormatMembers::Locked(m_target, call);
}

HRESULT CXlsStyleObject::FormulaHidden(CDispatchCall& call) {
    return CXlsFormatMembers::FormulaHidden(m_target, call);
}

HRESULT CXlsStyleObject::IncludeNumber(CDispatchCall& call) {
    return Include(call, CXlsCellFormat::kGroupNumber);
}

HRESULT CXlsStyleObject::IncludeFont(CDispatchCall& call) {
    return Include(call, CXlsCellFormat::kGroupFont);
}

HRESULT CXlsStyleObject::IncludeAlignment(CDispatchCall& call) {
    return Include(call, CXlsCellFormat::kGroupAlignment);
}

HRESULT CXlsStyleObject::IncludeBorder(CDispatchCall& call) {
    return Include(call, CXlsCellFormat::kGroupBorder);
}

HRESULT CXlsStyleObject::IncludePatterns(CDispatchCall& call) {
    return Include(call, CXlsCellFormat::kGroupPattern);
}

HRESULT CXlsStyleObject::IncludeProtection(CDispatchCall& call) {
    return Include(call, CXlsCellFormat::kGroupProtection);
}

HRESULT CXlsStyleObject::Include(CDispatchCall& call, std::uint8_t group) {
    CXlsStyles::Style& style = m_target.document->Book().Styles().At(m_target.style);
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool((style.included & group) != 0));
        return S_OK;
    }
    bool on = false;
    if (HRESULT status = call.PutBool(on); Failed(status)) return status;
    style.included =
        static_cast<std::uint8_t>(on ? style.included | group : style.included & ~group);
    return S_OK;
}
