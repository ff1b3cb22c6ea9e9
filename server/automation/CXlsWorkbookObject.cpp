#include "server/automation/CXlsWorkbookObject.h"

#include <filesystem>

#include "server/CXlsWriter.h"
#include "server/automation/CXlsCellVariant.h"
#include "server/automation/CXlsNamesObject.h"
#include "server/automation/CXlsSheetsObject.h"
#include "server/automation/CXlsStylesObject.h"
#include "server/automation/CXlsWorksheetObject.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

// An optional text argument that must be empty when given.
bool EmptyOrAbsent(const CDispatchCall& call, std::size_t position) {
    std::u16string text;
    const CVariant* arg = call.Arg(position);
    return arg == nullptr || (Succeeded(arg->ToText(text)) && text.empty());
}

// An optional flag that must be false when given.
bool FalseOrAbsent(const CDispatchCall& call, std::size_t position) {
    bool flag = true;
    const CVariant* arg = call.Arg(position);
    return arg == nullptr || (Succeeded(arg->ToBool(flag)) && !flag);
}

}  // namespace

CXlsWorkbookObject::CXlsWorkbookObject(std::shared_ptr<CXlsServerSession> session,
                                       std::shared_ptr<CXlsServerDocument> document)
    : CTXlsServerObject(kMembers), m_session(std::move(session)), m_document(std::move(document)) {}

HRESULT CXlsWorkbookObject::Worksheets(CDispatchCall& call) {
    if (call.Has(0)) return CXlsSheetsObject::ItemOf(m_session, m_document, call, 0);
    call.SetResult(CVariant::AdoptObject(new CXlsSheetsObject(m_session, m_document)));
    return S_OK;
}

HRESULT CXlsWorkbookObject::ActiveSheet(CDispatchCall& call) {
    CXlsWorksheet* sheet = m_document->ActiveSheet();
    call.SetResult(CVariant::AdoptObject(
        sheet ? new CXlsWorksheetObject(m_session, m_document, *sheet) : nullptr));
    return S_OK;
}

HRESULT CXlsWorkbookObject::Activate(CDispatchCall& /*call*/) {
    m_session->Activate(*m_document);
    return S_OK;
}

HRESULT CXlsWorkbookObject::Date1904(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(m_document->Book().Date1904()));
        return S_OK;
    }
    bool date1904 = false;
    if (HRESULT status = call.PutBool(date1904); Failed(status)) return status;
    m_document->Book().SetDate1904(date1904);
    return S_OK;
}

HRESULT CXlsWorkbookObject::FullName(CDispatchCall& call) {
    call.SetResult(CVariant::Text(m_document->FileName()));
    return S_OK;
}

HRESULT CXlsWorkbookObject::Names(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(
        new CXlsNamesObject(m_session, m_document, CXlsDefinedName::kWorkbookScope)));
    return S_OK;
}

HRESULT CXlsWorkbookObject::Styles(CDispatchCall& call) {
    if (call.Has(0)) return CXlsStylesObject::ItemOf(m_document, call, 0);
    call.SetResult(CVariant::AdoptObject(new CXlsStylesObject(m_document)));
    return S_OK;
}

HRESULT CXlsWorkbookObject::SetLinkValue(CDispatchCall& call) {
    std::u16string path;
    std::u16string sheet;
    std::int32_t row = 0;
    std::int32_t column = 0;
    if (HRESULT status = call.ArgText(0, path); Failed(status)) return status;
    if (HRESULT status = call.ArgText(1, sheet); Failed(status)) return status;
    if (HRESULT status = call.ArgLong(2, row); Failed(status)) return status;
    if (HRESULT status = call.ArgLong(3, column); Failed(status)) return status;
    const CVariant* given = call.Arg(4);
    CXlsCellValue value;
    if (given == nullptr || !CXlsCellVariant::ToValue(*given, value))
        return call.Raise(xlauto::kRefusedCall, u"The value is not a cell value.");
    if (row < 1 || column < 1 ||
        !m_document->Book().LinkCache().Set(path, sheet, static_cast<std::uint32_t>(row - 1),
                                            static_cast<std::uint32_t>(column - 1),
                                            std::move(value)))
        return call.Raise(xlauto::kRefusedCall, u"The link's value cannot be kept.");
    return S_OK;
}

HRESULT CXlsWorkbookObject::SaveAs(CDispatchCall& call) {
    std::u16string fileName;
    if (HRESULT status = call.ArgText(0, fileName); Failed(status)) return status;
    if (fileName.empty()) return call.Raise(xlauto::kRefusedCall, u"The file name is empty.");
    if (const CVariant* format = call.Arg(1)) {
        std::int32_t kind = 0;
        if (Failed(format->ToLong(kind)) ||
            (kind != xlauto::kFileFormatWorkbookNormal && kind != xlauto::kFileFormatExcel8)) {
            return call.Raise(
                xlauto::kRefusedCall,
                u"Only Excel 97-2003 workbooks (FileFormat -4143 or 56) are written.");
        }
    }
    if (!EmptyOrAbsent(call, 2) || !EmptyOrAbsent(call, 3)) {
        return call.Raise(xlauto::kRefusedCall, u"Password protection is not supported.");
    }
    if (!FalseOrAbsent(call, 4) || !FalseOrAbsent(call, 5)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"Read-only recommendation and backup copies are not supported.");
    }
    CXlsWriter writer(m_document->Book());
    if (!writer.SaveAs(std::filesystem::path(fileName))) {
        return call.Raise(xlauto::kRefusedCall,
                          u"The workbook could not be written to " + fileName + u".");
    }
    m_document->SetFileName(fileName);
    return S_OK;
}

HRESULT CXlsWorkbookObject::Colors(CDispatchCall& call) {
    if (!call.Has(0)) return DISP_E_PARAMNOTOPTIONAL;
    std::int32_t index = 0;
    if (HRESULT status = call.ArgLong(0, index); Failed(status)) return status;
    CXlsPalette& palette = m_document->Book().Palette();
    if (index < 1 || index > CXlsPalette::kColors) return call.ArgumentError(0, DISP_E_OVERFLOW);
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(palette.Get(index)));
        return S_OK;
    }
    std::int32_t rgb = 0;
    if (HRESULT status = call.PutLong(rgb); Failed(status)) return status;
    if (!palette.Set(index, rgb)) {
        return call.ArgumentError(CDispatchCall::kPutValue, DISP_E_OVERFLOW);
    }
    return S_OK;
}
