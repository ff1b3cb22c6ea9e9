// A rectangle of cells of one worksheet: what Cells, Range, Rows, Columns
// and ActiveCell hand out.
//
// Reading a member of a range of several cells reports its top-left cell.
// Writing sets every cell of the range. The members:
// - Value: a number, a text, a Boolean or a cell error value (an error
//   variant, CVariant::SheetError); empty clears. Texts are kept as texts.
//   An array variant of the range's rows and columns gives each cell its
//   element (an empty element leaves the cell as it is): one call writes a
//   block. Another shape is refused.
// - Formula: text starting with "=" is compiled (a refused formula fails
//   the put and changes nothing); over several cells the formula is the
//   top-left cell's and moves its relative references for the others, as
//   the spreadsheet does. Other text is entered as a constant: a number
//   when it reads as one, TRUE / FALSE as Booleans, else text. Each formula
//   cell keeps the value it held as its cached result. Reading gives a
//   constant's text; the text of a formula is not kept and reading it fails.
// - FormulaArray: one array formula over the range ("=" text only).
// - NumberFormat, Font, Interior, Borders(Index): the cells' formats.
// - HorizontalAlignment and VerticalAlignment (xlHAlign* / xlVAlign*),
//   WrapText, Orientation (degrees -90 to 90, xlHorizontal, xlUpward,
//   xlDownward, xlVertical), IndentLevel (0-15), ShrinkToFit, Locked and
//   FormulaHidden: the cells' alignment and protection.
// - Style: the cells' named style (CXlsStyleObject); a put takes a style's
//   name, gives the cells the style's values for the groups it includes
//   and makes those groups the style's again. Putting any other format
//   member marks its group (number, font, alignment, border, pattern,
//   protection) as the cells' own.
// - Validation: the cells' data validation (CXlsValidationObject).
// - FormatConditions: the cells' conditional format
//   (CXlsFormatConditionsObject).
// - MergeCells: True merges the range (only the top-left value stays),
//   False unmerges every merged range it touches; reads True when the range
//   lies inside one merged range.
// - ColumnWidth (characters) and RowHeight (points) of its columns / rows.
// - EntireRow / EntireColumn: the whole rows / columns the range touches.
//   Hidden: whether they are hidden; only a range of whole rows or whole
//   columns takes it (a hidden row or column keeps its height or width).
// - AutoFill(Destination, Type 0): copies the range over a destination that
//   extends it down, up, right or left (formulas with their relative
//   references moved, values and formats as they are).
// - Select / Activate (only on the active sheet), Address(RowAbsolute,
//   ColumnAbsolute), Row, Column, Count, Cells(RowIndex, ColumnIndex)
//   (relative to this range), ClearContents, Worksheet.
// - AddComment(Text) and Comment: see CXlsCommentObject.
// Writes over part of an array formula are refused, as are writes over more
// than kMaxCellsPerPut cells (a whole-sheet value would need gigabytes).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"
#include "server/automation/CXlsServerSession.h"

class CXlsRangeObject : public CTXlsServerObject<CXlsRangeObject> {
public:
    static constexpr std::uint64_t kMaxCellsPerPut = 1u << 20;

    CXlsRangeObject(std::shared_ptr<CXlsServerSession> session, CXlsRangeTarget target);

    const CXlsRangeTarget& Target() const { return m_target; }

private:
    HRESULT Select(CDispatchCall& call);
    HRESULT Address(CDispatchCall& call);
    HRESULT Value(CDispatchCall& call);
    HRESULT Formula(CDispatchCall& call);
    HRESULT FormulaArray(CDispatchCall& call);
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
    HRESULT MergeCells(CDispatchCall& call);
    HRESULT ColumnWidth(CDispatchCall& call);
    HRESULT RowHeight(CDispatchCall& call);
    HRESULT EntireRow(CDispatchCall& call);
    HRESULT EntireColumn(CDispatchCall& call);
    HRESULT Hidden(CDispatchCall& call);
    HRESULT AutoFill(CDispatchCall& call);
    HRESULT Row(CDispatchCall& call);
    HRESULT Column(CDispatchCall& call);
    HRESULT Count(CDispatchCall& call);
    HRESULT Cells(CDispatchCall& call);
    HRESULT ClearContents(CDispatchCall& call);
    HRESULT Worksheet(CDispatchCall& call);
    HRESULT AddComment(CDispatchCall& call);
    HRESULT Comment(CDispatchCall& call);
    HRESULT Validation(CDispatchCall& call);
    HRESULT FormatConditions(CDispatchCall& call);
    HRESULT Style(CDispatchCall& call);

    // Refuses (with the reason) a write the range cannot take.
    HRESULT CheckWritable(CDispatchCall& call) const;
    HRESULT PutFormula(CDispatchCall& call, const std::u16string& text);

    static constexpr CTDispatchMember<CXlsRangeObject> kMembers[] = {
        {u"Select", EMemberAccess::kGet, &CXlsRangeObject::Select, {}},
        {u"Activate", EMemberAccess::kGet, &CXlsRangeObject::Select, {}},
        {u"Address",
         EMemberAccess::kGet,
         &CXlsRangeObject::Address,
         {u"RowAbsolute", u"ColumnAbsolute"}},
        {u"Value", EMemberAccess::kGetPut, &CXlsRangeObject::Value, {}},
        {u"Formula", EMemberAccess::kGetPut, &CXlsRangeObject::Formula, {}},
        {u"FormulaArray", EMemberAccess::kGetPut, &CXlsRangeObject::FormulaArray, {}},
        {u"NumberFormat", EMemberAccess::kGetPut, &CXlsRangeObject::NumberFormat, {}},
        {u"Font", EMemberAccess::kGet, &CXlsRangeObject::Font, {}},
        {u"Interior", EMemberAccess::kGet, &CXlsRangeObject::Interior, {}},
        {u"Borders", EMemberAccess::kGet, &CXlsRangeObject::Borders, {u"Index"}},
        {u"HorizontalAlignment", EMemberAccess::kGetPut, &CXlsRangeObject::HorizontalAlignment, {}},
        {u"VerticalAlignment", EMemberAccess::kGetPut, &CXlsRangeObject::VerticalAlignment, {}},
        {u"WrapText", EMemberAccess::kGetPut, &CXlsRangeObject::WrapText, {}},
        {u"Orientation", EMemberAccess::kGetPut, &CXlsRangeObject::Orientation, {}},
        {u"IndentLevel", EMemberAccess::kGetPut, &CXlsRangeObject::IndentLevel, {}},
        {u"ShrinkToFit", EMemberAccess::kGetPut, &CXlsRangeObject::ShrinkToFit, {}},
        {u"Locked", EMemberAccess::kGetPut, &CXlsRangeObject::Locked, {}},
        {u"FormulaHidden", EMemberAccess::kGetPut, &CXlsRangeObject::FormulaHidden, {}},
        {u"MergeCells", EMemberAccess::kGetPut, &CXlsRangeObject::MergeCells, {}},
        {u"ColumnWidth", EMemberAccess::kGetPut, &CXlsRangeObject::ColumnWidth, {}},
        {u"RowHeight", EMemberAccess::kGetPut, &CXlsRangeObject::RowHeight, {}},
        {u"EntireRow", EMemberAccess::kGet, &CXlsRangeObject::EntireRow, {}},
        {u"EntireColumn", EMemberAccess::kGet, &CXlsRangeObject::EntireColumn, {}},
        {u"Hidden", EMemberAccess::kGetPut, &CXlsRangeObject::Hidden, {}},
        {u"AutoFill", EMemberAccess::kGet, &CXlsRangeObject::AutoFill, {u"Destination", u"Type"}},
        {u"Row", EMemberAccess::kGet, &CXlsRangeObject::Row, {}},
        {u"Column", EMemberAccess::kGet, &CXlsRangeObject::Column, {}},
        {u"Count", EMemberAccess::kGet, &CXlsRangeObject::Count, {}},
        {u"Cells", EMemberAccess::kGet, &CXlsRangeObject::Cells, {u"RowIndex", u"ColumnIndex"}},
        {u"ClearContents", EMemberAccess::kGet, &CXlsRangeObject::ClearContents, {}},
        {u"Worksheet", EMemberAccess::kGet, &CXlsRangeObject::Worksheet, {}},
        {u"AddComment", EMemberAccess::kGet, &CXlsRangeObject::AddComment, {u"Text"}},
        {u"Comment", EMemberAccess::kGet, &CXlsRangeObject::Comment, {}},
        {u"Validation", EMemberAccess::kGet, &CXlsRangeObject::Validation, {}},
        {u"FormatConditions", EMemberAccess::kGet, &CXlsRangeObject::FormatConditions, {}},
        {u"Style", EMemberAccess::kGetPut, &CXlsRangeObject::Style, {}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
    CXlsRangeTarget m_target;
};
