#include "server/automation/CXlsRangeObject.h"

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsFormulaShifter.h"
#include "server/automation/CXlsAlignmentStyle.h"
#include "server/automation/CXlsAutoFill.h"
#include "server/automation/CXlsBordersObject.h"
#include "server/automation/CXlsCellAddress.h"
#include "server/automation/CXlsCellIndex.h"
#include "server/automation/CXlsCellVariant.h"
#include "server/automation/CXlsCommentObject.h"
#include "server/automation/CXlsFontObject.h"
#include "server/automation/CXlsFormatConditionsObject.h"
#include "server/automation/CXlsFormatMembers.h"
#include "server/automation/CXlsInteriorObject.h"
#include "server/automation/CXlsStyleObject.h"
#include "server/automation/CXlsValidationObject.h"
#include "server/automation/CXlsWorksheetObject.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

bool StartsWithEquals(const std::u16string& text) {
    return !text.empty() && text.front() == u'=';
}

// The range lies wholly inside one merged range.
bool InsideMerge(const CXlsWorksheet& sheet, const CXlsCellRange& range) {
    for (const CXlsCellRange& merged : sheet.MergedRanges()) {
        if (merged.Contains(range)) return true;
    }
    return false;
}

}  // namespace

CXlsRangeObject::CXlsRangeObject(std::shared_ptr<CXlsServerSession> session, CXlsRangeTarget target)
    : CTXlsServerObject(kMembers), m_session(std::move(session)), m_target(std::move(target)) {}

HRESULT CXlsRangeObject::CheckWritable(CDispatchCall& call) const {
    if (m_target.range.CellCount() > kMaxCellsPerPut) {
        return call.Raise(xlauto::kRefusedCall,
                          u"The range has too many cells to fill one by one.");
    }
    if (CXlsAutoFill::TouchesArray(*m_target.sheet, m_target.range)) {
        return call.Raise(xlauto::kRefusedCall, u"You cannot change part of an array.");
    }
    return S_OK;
}

HRESULT CXlsRangeObject::Select(CDispatchCall& call) {
    if (!m_target.document->IsActive(*m_target.sheet)) {
        return call.Raise(xlauto::kRefusedCall, u"Cells can be selected on the active sheet only.");
    }
    m_target.document->Select(*m_target.sheet, m_target.range);
    return S_OK;
}

HRESULT CXlsRangeObject::Address(CDispatchCall& call) {
    bool rowAbsolute = true;
    bool columnAbsolute = true;
    if (call.Has(0)) {
        if (HRESULT status = call.ArgBool(0, rowAbsolute); Failed(status)) return status;
    }
    if (call.Has(1)) {
        if (HRESULT status = call.ArgBool(1, columnAbsolute); Failed(status)) return status;
    }
    call.SetResult(
        CVariant::Text(CXlsCellAddress::Format(m_target.range, rowAbsolute, columnAbsolute)));
    return S_OK;
}

HRESULT CXlsRangeObject::Value(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CXlsCellVariant::FromValue(
            m_target.sheet->GetValue(m_target.range.FirstRow(), m_target.range.FirstColumn())));
        return S_OK;
    }
    if (HRESULT status = CheckWritable(call); Failed(status)) return status;
    const HRESULT status = CXlsCellVariant::Put(*m_target.sheet, m_target.range, call.PutValue());
    if (status == DISP_E_TYPEMISMATCH) return call.ArgumentError(CDispatchCall::kPutValue, status);
    if (status == E_INVALIDARG) {
        return call.Raise(xlauto::kRefusedCall, u"The array does not have the range's shape.");
    }
    if (Failed(status)) return call.Raise(xlauto::kRefusedCall, u"The cell refused the value.");
    return S_OK;
}

HRESULT CXlsRangeObject::Formula(CDispatchCall& call) {
    const std::uint32_t row = m_target.range.FirstRow();
    const std::uint32_t column = m_target.range.FirstColumn();
    if (!call.IsPut()) {
        if (m_target.sheet->GetFormula(row, column)) {
            return call.Raise(xlauto::kRefusedCall, u"The text of a formula is not kept.");
        }
        std::u16string text;
        CXlsCellVariant::FromValue(m_target.sheet->GetValue(row, column)).ToText(text);
        call.SetResult(CVariant::Text(std::move(text)));
        return S_OK;
    }
    const CVariant& value = call.PutValue();
    if (value.Type() == VT_BSTR && StartsWithEquals(value.GetText())) {
        return PutFormula(call, value.GetText());
    }
    // An array of formulas is not taken: its texts would be stored as constants.
    if (value.Type() == VT_VARIANT_ARRAY) {
        return call.ArgumentError(CDispatchCall::kPutValue, DISP_E_TYPEMISMATCH);
    }
    if (HRESULT status = CheckWritable(call); Failed(status)) return status;
    const HRESULT status = CXlsCellVariant::Put(
        *m_target.sheet, m_target.range,
        value.Type() == VT_BSTR ? CXlsCellVariant::FromEntry(value.GetText()) : value);
    if (status == DISP_E_TYPEMISMATCH) return call.ArgumentError(CDispatchCall::kPutValue, status);
    if (Failed(status)) return call.Raise(xlauto::kRefusedCall, u"The cell refused the value.");
    return S_OK;
}

HRESULT CXlsRangeObject::PutFormula(CDispatchCall& call, const std::u16string& text) {
    if (HRESULT status = CheckWritable(call); Failed(status)) return status;
    CXlsFormulaTokens tokens;
    CXlsFormulaCompiler compiler(m_target.document->Book(), m_target.sheet);
    const CXlsCellRange& range = m_target.range;
    if (!compiler.CompileCell(text, range.FirstRow(), range.FirstColumn(), tokens)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"The formula is not valid: " + compiler.ErrorText());
    }
    if (range.FirstRow() == range.LastRow() && range.FirstColumn() == range.LastColumn()) {
        if (!m_target.sheet->SetFormula(range.FirstRow(), range.FirstColumn(), tokens))
            return call.Raise(xlauto::kRefusedCall, u"The cell refused the formula.");
        return S_OK;
    }
    for (std::uint32_t r = range.FirstRow(); r <= range.LastRow(); ++r) {
        for (std::uint32_t c = range.FirstColumn(); c <= range.LastColumn(); ++c) {
            // The text is the top-left cell's; the others get it as a fill
            // would give it to them.
            CXlsFormulaTokens moved;
            const bool placed = CXlsFormulaShifter::Shift(
                                    tokens, static_cast<std::int32_t>(r - range.FirstRow()),
                                    static_cast<std::int32_t>(c - range.FirstColumn()), moved) &&
                                m_target.sheet->SetFormula(r, c, moved);
            if (!placed) return call.Raise(xlauto::kRefusedCall, u"The cell refused the formula.");
        }
    }
    return S_OK;
}

HRESULT CXlsRangeObject::FormulaArray(CDispatchCall& call) {
    if (!call.IsPut()) {
        return call.Raise(xlauto::kRefusedCall, u"The text of a formula is not kept.");
    }
    std::u16string text;
    if (HRESULT status = call.PutText(text); Failed(status)) return status;
    if (!StartsWithEquals(text)) {
        return call.Raise(xlauto::kRefusedCall, u"An array formula starts with \"=\".");
    }
    CXlsFormulaTokens tokens;
    CXlsFormulaCompiler compiler(m_target.document->Book(), m_target.sheet);
    if (!compiler.Compile(text, EXlsFormulaKind::kArray, tokens)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"The formula is not valid: " + compiler.ErrorText());
    }
    if (!m_target.sheet->SetArrayFormula(m_target.range, tokens)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"An array formula cannot cover merged cells or part of another array.");
    }
    return S_OK;
}

HRESULT CXlsRangeObject::Font(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsFontObject(m_target)));
    return S_OK;
}

HRESULT CXlsRangeObject::Interior(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsInteriorObject(m_target)));
    return S_OK;
}

HRESULT CXlsRangeObject::Borders(CDispatchCall& call) {
    // Borders(i) is the collection's Item(i).
    if (call.Has(0)) return CXlsBordersObject::ItemOf(m_target, call, 0);
    call.SetResult(CVariant::AdoptObject(new CXlsBordersObject(m_target)));
    return S_OK;
}

HRESULT CXlsRangeObject::NumberFormat(CDispatchCall& call) {
    return CXlsFormatMembers::NumberFormat(m_target, call);
}

HRESULT CXlsRangeObject::HorizontalAlignment(CDispatchCall& call) {
    return CXlsFormatMembers::HorizontalAlignment(m_target, call);
}

HRESULT CXlsRangeObject::VerticalAlignment(CDispatchCall& call) {
    return CXlsFormatMembers::VerticalAlignment(m_target, call);
}

HRESULT CXlsRangeObject::WrapText(CDispatchCall& call) {
    return CXlsFormatMembers::WrapText(m_target, call);
}

HRESULT CXlsRangeObject::Orientation(CDispatchCall& call) {
    return CXlsFormatMembers::Orientation(m_target, call);
}

HRESULT CXlsRangeObject::IndentLevel(CDispatchCall& call) {
    return CXlsFormatMembers::IndentLevel(m_target, call);
}

HRESULT CXlsRangeObject::ShrinkToFit(CDispatchCall& call) {
    return CXlsFormatMembers::ShrinkToFit(m_target, call);
}

HRESULT CXlsRangeObject::Locked(CDispatchCall& call) {
    return CXlsFormatMembers::Locked(m_target, call);
}

HRESULT CXlsRangeObject::FormulaHidden(CDispatchCall& call) {
    return CXlsFormatMembers::FormulaHidden(m_target, call);
}

HRESULT CXlsRangeObject::MergeCells(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(InsideMerge(*m_target.sheet, m_target.range)));
        return S_OK;
    }
    bool merge = false;
    if (HRESULT status = call.PutBool(merge); Failed(status)) return status;
    const bool done =
        merge ? m_target.sheet->Merge(m_target.range) : m_target.sheet->Unmerge(m_target.range);
    if (!done) return call.Raise(xlauto::kRefusedCall, u"Cells of an array formula cannot merge.");
    return S_OK;
}

HRESULT CXlsRangeObject::ColumnWidth(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(
            CVariant::Double(m_target.sheet->GetColumnWidth(m_target.range.FirstColumn())));
        return S_OK;
    }
    double width = 0.0;
    if (HRESULT status = call.PutDouble(width); Failed(status)) return status;
    if (!(width >= 0.0 && width <= CXlsWorksheet::kMaxColumnWidth)) {
        return call.Raise(xlauto::kRefusedCall, u"A column is 0 to 255 characters wide.");
    }
    for (std::uint32_t c = m_target.range.FirstColumn(); c <= m_target.range.LastColumn(); ++c) {
        m_target.sheet->SetColumnWidth(c, width);
    }
    return S_OK;
}

HRESULT CXlsRangeObject::RowHeight(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Double(m_target.sheet->GetRowHeight(m_target.range.FirstRow())));
        return S_OK;
    }
    double height = 0.0;
    if (HRESULT status = call.PutDouble(height); Failed(status)) return status;
    if (!(height >= 0.0 && height <= CXlsWorksheet::kMaxRowHeight)) {
        return call.Raise(xlauto::kRefusedCall, u"A row is 0 to 1638.35 points high.");
    }
    for (std::uint32_t r = m_target.range.FirstRow(); r <= m_target.range.LastRow(); ++r) {
        m_target.sheet->SetRowHeight(r, height);
    }
    return S_OK;
}

HRESULT CXlsRangeObject::EntireRow(CDispatchCall& call) {
    CXlsRangeTarget rows = m_target;
    rows.range = CXlsCellRange(m_target.range.FirstRow(), 0, m_target.range.LastRow(),
                               xlsw::kMaxColumns - 1);
    call.SetResult(CVariant::AdoptObject(new CXlsRangeObject(m_session, std::move(rows))));
    return S_OK;
}

HRESULT CXlsRangeObject::EntireColumn(CDispatchCall& call) {
    CXlsRangeTarget columns = m_target;
    columns.range = CXlsCellRange(0, m_target.range.FirstColumn(), xlsw::kMaxRows - 1,
                                  m_target.range.LastColumn());
    call.SetResult(CVariant::AdoptObject(new CXlsRangeObject(m_session, std::move(columns))));
    return S_OK;
}

HRESULT CXlsRangeObject::Hidden(CDispatchCall& call) {
    const CXlsCellRange& range = m_target.range;
    CXlsWorksheet& sheet = *m_target.sheet;
    const bool wholeColumns = range.FirstRow() == 0 && range.LastRow() == xlsw::kMaxRows - 1;
    const bool wholeRows = range.FirstColumn() == 0 && range.LastColumn() == xlsw::kMaxColumns - 1;
    if (!wholeColumns && !wholeRows) {
        return call.Raise(xlauto::kRefusedCall, u"Only whole rows or whole columns can be hidden.");
    }
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(wholeColumns ? sheet.IsColumnHidden(range.FirstColumn())
                                                   : sheet.IsRowHidden(range.FirstRow())));
        return S_OK;
    }
    bool hidden = false;
    if (HRESULT status = call.PutBool(hidden); Failed(status)) return status;
    // The whole sheet counts as its columns, as the spreadsheet takes it.
    if (wholeColumns) {
        for (std::uint32_t c = range.FirstColumn(); c <= range.LastColumn(); ++c) {
            sheet.SetColumnHidden(c, hidden);
        }
    } else {
        for (std::uint32_t r = range.FirstRow(); r <= range.LastRow(); ++r) {
            sheet.SetRowHidden(r, hidden);
        }
    }
    return S_OK;
}

HRESULT CXlsRangeObject::AutoFill(CDispatchCall& call) {
    const auto* destination = ArgObject<CXlsRangeObject>(call, 0);
    if (!call.Has(0)) return DISP_E_PARAMNOTOPTIONAL;
    if (!destination || destination->Target().sheet != m_target.sheet) {
        return call.ArgumentError(0, DISP_E_TYPEMISMATCH);
    }
    if (call.Has(1)) {
        std::int32_t type = 0;
        if (HRESULT status = call.ArgLong(1, type); Failed(status)) return status;
        if (type != xlauto::kFillDefault) {
            return call.Raise(xlauto::kRefusedCall,
                              u"Only the default fill (Type 0) is supported.");
        }
    }
    if (destination->Target().range.CellCount() > kMaxCellsPerPut) {
        return call.Raise(xlauto::kRefusedCall, u"The destination has too many cells to fill.");
    }
    switch (CXlsAutoFill::Fill(*m_target.sheet, m_target.range, destination->Target().range)) {
        case CXlsAutoFill::EResult::kFilled:
            return S_OK;
        case CXlsAutoFill::EResult::kBadShape:
            return call.Raise(xlauto::kRefusedCall,
                              u"The destination must hold the source range at one end.");
        case CXlsAutoFill::EResult::kArrayPart:
            return call.Raise(xlauto::kRefusedCall, u"You cannot change part of an array.");
        case CXlsAutoFill::EResult::kBadFormula:
            return call.Raise(xlauto::kRefusedCall, u"A formula of the source cannot be copied.");
        case CXlsAutoFill::EResult::kRefused:
            break;
    }
    return call.Raise(xlauto::kRefusedCall, u"A cell of the destination refused the fill.");
}

HRESULT CXlsRangeObject::Row(CDispatchCall& call) {
    call.SetResult(CVariant::Long(static_cast<std::int32_t>(m_target.range.FirstRow() + 1)));
    return S_OK;
}

HRESULT CXlsRangeObject::Column(CDispatchCall& call) {
    call.SetResult(CVariant::Long(static_cast<std::int32_t>(m_target.range.FirstColumn() + 1)));
    return S_OK;
}

HRESULT CXlsRangeObject::Count(CDispatchCall& call) {
    call.SetResult(CVariant::Long(static_cast<std::int32_t>(m_target.range.CellCount())));
    return S_OK;
}

HRESULT CXlsRangeObject::Cells(CDispatchCall& call) {
    if (!call.Has(0) && !call.Has(1)) {
        call.SetResult(CVariant::AdoptObject(new CXlsRangeObject(m_session, m_target)));
        return S_OK;
    }
    const CXlsCellRange& range = m_target.range;
    CXlsRangeTarget cell = m_target;
    if (HRESULT status =
            CXlsCellIndex::Resolve(call, range.FirstRow(), range.FirstColumn(),
                                   range.LastColumn() - range.FirstColumn() + 1, cell.range);
        Failed(status)) {
        return status;
    }
    call.SetResult(CVariant::AdoptObject(new CXlsRangeObject(m_session, std::move(cell))));
    return S_OK;
}

HRESULT CXlsRangeObject::ClearContents(CDispatchCall& call) {
    if (!m_target.sheet->ClearContents(m_target.range)) {
        return call.Raise(xlauto::kRefusedCall, u"You cannot change part of an array.");
    }
    return S_OK;
}

HRESULT CXlsRangeObject::Worksheet(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(
        new CXlsWorksheetObject(m_session, m_target.document, *m_target.sheet)));
    return S_OK;
}

HRESULT CXlsRangeObject::AddComment(CDispatchCall& call) {
    return CXlsCommentObject::AddTo(m_target, call);
}

HRESULT CXlsRangeObject::Comment(CDispatchCall& call) {
    return CXlsCommentObject::Of(m_target, call);
}

HRESULT CXlsRangeObject::Validation(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsValidationObject(m_target)));
    return S_OK;
}

HRESULT CXlsRangeObject::Style(CDispatchCall& call) {
    CXlsWorkbook& book = m_target.document->Book();
    if (!call.IsPut()) {
        call.SetResult(CVariant::AdoptObject(
            new CXlsStyleObject(m_target.document, m_target.TopLeftFormat().Style())));
        return S_OK;
    }
    std::u16string name;
    if (HRESULT status = call.PutText(name); Failed(status)) return status;
    const std::size_t position = book.Styles().Find(name);
    if (position == CXlsStyles::kNotFound) {
        return call.Raise(xlauto::kRefusedCall, u"The workbook has no style of that name.");
    }
    const CXlsStyles& styles = book.Styles();
    m_target.sheet->ModifyFormat(m_target.range, [&styles, position](CXlsCellFormat& format) {
        format = styles.Applied(format, static_cast<std::uint16_t>(position));
        return true;
    });
    return S_OK;
}

HRESULT CXlsRangeObject::FormatConditions(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsFormatConditionsObject(m_target)));
    return S_OK;
}
