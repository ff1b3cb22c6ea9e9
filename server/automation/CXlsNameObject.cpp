#include "server/automation/CXlsNameObject.h"

#include "server/CXlsFormulaReference.h"
#include "server/automation/CXlsRefersTo.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

// A sheet name as formulas write it before "!": in quotes, with its own
// quotes doubled, unless it is a plain name.
std::u16string SheetPrefix(const std::u16string& sheet) {
    bool plain = !sheet.empty() && !(sheet.front() >= u'0' && sheet.front() <= u'9');
    for (char16_t c : sheet) plain = plain && CXlsFormulaReference::IsNameCharacter(c);
    if (plain) return sheet + u"!";
    std::u16string quoted = u"'";
    for (char16_t c : sheet) {
        quoted.push_back(c);
        if (c == u'\'') quoted.push_back(c);
    }
    return quoted + u"'!";
}

}  // namespace

CXlsNameObject::CXlsNameObject(std::shared_ptr<CXlsServerSession> session,
                               std::shared_ptr<CXlsServerDocument> document, std::size_t position)
    : CTXlsServerObject(kMembers),
      m_session(std::move(session)),
      m_document(std::move(document)),
      m_position(position) {}

std::u16string CXlsNameObject::QualifiedName(const CXlsWorkbook& book, std::size_t position) {
    const CXlsDefinedName& name = book.Names().At(position);
    const std::size_t sheet = book.PositionOfId(name.scopeSheetId);
    if (sheet == CXlsWorkbook::kNotFound) return name.text;
    return SheetPrefix(book.Sheet(sheet)->Name()) + name.text;
}

HRESULT CXlsNameObject::Name(CDispatchCall& call) {
    call.SetResult(CVariant::Text(QualifiedName(m_document->Book(), m_position)));
    return S_OK;
}

HRESULT CXlsNameObject::RefersTo(CDispatchCall& call) {
    CXlsWorkbook& book = m_document->Book();
    const CXlsDefinedName& name = book.Names().At(m_position);
    if (!call.IsPut()) {
        if (!name.formula.Tokens().empty()) {
            return call.Raise(xlauto::kRefusedCall, u"The text of a formula is not kept.");
        }
        call.SetResult(CVariant::Text(u""));
        return S_OK;
    }
    CXlsFormulaTokens formula;
    std::u16string error;
    if (!CXlsRefersTo::Compile(book, name.scopeSheetId, call.PutValue(), formula, error)) {
        return call.Raise(xlauto::kRefusedCall, error);
    }
    if (!book.Names().SetFormula(m_position, std::move(formula))) {
        return call.Raise(xlauto::kRefusedCall, u"The formula is too long for a name.");
    }
    return S_OK;
}

HRESULT CXlsNameObject::Visible(CDispatchCall& call) {
    CXlsDefinedNames& names = m_document->Book().Names();
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(!names.At(m_position).hidden));
        return S_OK;
    }
    bool visible = true;
    if (HRESULT status = call.PutBool(visible); Failed(status)) return status;
    names.SetHidden(m_position, !visible);
    return S_OK;
}

HRESULT CXlsNameObject::Index(CDispatchCall& call) {
    call.SetResult(CVariant::Long(static_cast<std::int32_t>(m_position + 1)));
    return S_OK;
}
