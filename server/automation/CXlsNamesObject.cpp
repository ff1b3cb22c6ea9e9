#include "server/automation/CXlsNamesObject.h"

#include "server/CXlsBuiltinNames.h"
#include "server/automation/CXlsNameObject.h"
#include "server/automation/CXlsRefersTo.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

// "Sheet1!Rates" or "'Q1 2009'!Rates": the sheet's id and the bare name.
// False when the text names a sheet the workbook lacks; a text without "!"
// keeps `scopeSheetId` as it is.
bool SplitSheet(const CXlsWorkbook& book, std::u16string& text, std::uint32_t& scopeSheetId) {
    const std::size_t bang = text.rfind(u'!');
    if (bang == std::u16string::npos) return true;
    std::u16string sheet = text.substr(0, bang);
    if (sheet.size() >= 2 && sheet.front() == u'\'' && sheet.back() == u'\'') {
        std::u16string unquoted;
        for (std::size_t i = 1; i + 1 < sheet.size(); ++i) {
            unquoted.push_back(sheet[i]);
            if (sheet[i] == u'\'' && sheet[i + 1] == u'\'') ++i;
        }
        sheet = std::move(unquoted);
    }
    const std::size_t position = book.FindSheet(sheet);
    if (position == CXlsWorkbook::kNotFound) return false;
    scopeSheetId = book.Sheet(position)->Id();
    text.erase(0, bang + 1);
    return true;
}

// Names.Add's MacroType: 1 a function, 2 a command, 3 neither.
bool ReadMacroType(const CVariant& arg, EXlsNameMacro& macro) {
    constexpr EXlsNameMacro kByType[] = {EXlsNameMacro::kFunction, EXlsNameMacro::kCommand,
                                         EXlsNameMacro::kNone};
    std::int32_t type = 0;
    if (Failed(arg.ToLong(type)) || type < 1 || type > 3) return false;
    macro = kByType[type - 1];
    return true;
}

}  // namespace

CXlsNamesObject::CXlsNamesObject(std::shared_ptr<CXlsServerSession> session,
                                 std::shared_ptr<CXlsServerDocument> document,
                                 std::uint32_t scopeSheetId)
    : CTXlsServerObject(kMembers),
      m_session(std::move(session)),
      m_document(std::move(document)),
      m_scopeSheetId(scopeSheetId) {}

bool CXlsNamesObject::Holds(std::size_t position) const {
    return m_scopeSheetId == CXlsDefinedName::kWorkbookScope ||
           m_document->Book().Names().At(position).scopeSheetId == m_scopeSheetId;
}

HRESULT CXlsNamesObject::Add(CDispatchCall& call) {
    CXlsWorkbook& book = m_document->Book();
    CXlsDefinedName name;
    name.scopeSheetId = m_scopeSheetId;
    if (HRESULT status = call.ArgText(0, name.text); Failed(status)) return status;
    if (!SplitSheet(book, name.text, name.scopeSheetId)) {
        return call.Raise(xlauto::kRefusedCall, u"The name's sheet does not exist.");
    }
    if (!CXlsBuiltinNames::CodeOf(name.text) && !CXlsDefinedNames::IsStorableText(name.text)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"A name has 1 to 255 characters and does not read as a cell "
                          u"reference.");
    }
    if (const CVariant* macro = call.Arg(3); macro && !ReadMacroType(*macro, name.macro)) {
        return call.ArgumentError(3, DISP_E_TYPEMISMATCH);
    }
    bool visible = true;
    if (call.Has(2)) {
        if (HRESULT status = call.ArgBool(2, visible); Failed(status)) return status;
    }
    name.hidden = !visible;
    if (call.Has(4)) {
        std::u16string key;
        if (HRESULT status = call.ArgText(4, key); Failed(status)) return status;
        if (key.size() > 1 || (key.size() == 1 && key[0] > 0xFF)) {
            return call.Raise(xlauto::kRefusedCall, u"A shortcut key is one character.");
        }
        name.shortcutKey = key.empty() ? 0 : static_cast<std::uint8_t>(key[0]);
    }
    if (const CVariant* refersTo = call.Arg(1)) {
        std::u16string error;
        if (!CXlsRefersTo::Compile(book, name.scopeSheetId, *refersTo, name.formula, error)) {
            return call.Raise(xlauto::kRefusedCall, error);
        }
    }
    const std::size_t position = book.Names().Set(std::move(name));
    if (position == CXlsDefinedNames::kNotFound) {
        return call.Raise(xlauto::kRefusedCall, u"The workbook cannot take this name.");
    }
    call.SetResult(CVariant::AdoptObject(new CXlsNameObject(m_session, m_document, position)));
    return S_OK;
}

HRESULT CXlsNamesObject::Count(CDispatchCall& call) {
    const CXlsDefinedNames& names = m_document->Book().Names();
    std::int32_t count = 0;
    for (std::size_t i = 0; i < names.Count(); ++i) count += Holds(i) ? 1 : 0;
    call.SetResult(CVariant::Long(count));
    return S_OK;
}

HRESULT CXlsNamesObject::Item(CDispatchCall& call) {
    const CVariant* index = call.Arg(0);
    if (index == nullptr) return DISP_E_PARAMNOTOPTIONAL;
    const CXlsWorkbook& book = m_document->Book();
    std::size_t found = CXlsDefinedNames::kNotFound;
    if (index->Type() == VT_BSTR) {
        std::u16string text = index->GetText();
        std::uint32_t scope = m_scopeSheetId;
        if (SplitSheet(book, text, scope)) found = book.Names().Find(text, scope);
        if (found != CXlsDefinedNames::kNotFound && !Holds(found)) {
            found = CXlsDefinedNames::kNotFound;
        }
    } else {
        std::int32_t number = 0;
        if (Succeeded(index->ToLong(number)) && number >= 1) {
            for (std::size_t i = 0; i < book.Names().Count(); ++i) {
                if (Holds(i) && --number == 0) {
                    found = i;
                    break;
                }
            }
        }
    }
    if (found == CXlsDefinedNames::kNotFound) return call.ArgumentError(0, DISP_E_BADINDEX);
    call.SetResult(CVariant::AdoptObject(new CXlsNameObject(m_session, m_document, found)));
    return S_OK;
}
