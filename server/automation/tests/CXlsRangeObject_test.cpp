// Ranges through Invoke: Cells and Range addressing, values of every kind,
// formulas with their cached results, array formulas, merges, widths and
// heights, AutoFill, Date1904 and SaveAs.
#include "server/automation/CXlsRangeObject.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "server/CXlsFormulaCompiler.h"
#include "server/automation/CXlsWorkbookObject.h"
#include "server/automation/CXlsWorksheetObject.h"
#include "server/automation/tests/support/DispatchClient.h"
#include "server/tests/support/TempFolder.h"

using namespace servertest;

namespace {

class XlsServerRangeTest : public ::testing::Test {
protected:
    CXlsWorkbook& Book() {
        return dynamic_cast<CXlsWorkbookObject&>(*m_server.workbook.Get()).Document()->Book();
    }
    CXlsWorksheet& Sheet() { return *Book().Sheet(0); }

    ObjectRef Cell(int row, int column) { return CellAt(m_server.sheet.Get(), row, column); }
    ObjectRef Range(std::u16string_view first, std::u16string_view second = {}) {
        std::vector<CVariant> args{CVariant::Text(std::u16string(first))};
        if (!second.empty()) args.push_back(CVariant::Text(std::u16string(second)));
        return GetObject(m_server.sheet.Get(), u"Range", std::move(args));
    }
    std::u16string AddressOf(const ObjectRef& range) {
        return Get(range.Get(), u"Address").value.GetText();
    }
    // The tokens that `text` compiles to in this workbook.
    CXlsFormulaTokens Compiled(std::u16string_view text) {
        CXlsFormulaTokens tokens;
        CXlsFormulaCompiler compiler(Book());
        EXPECT_TRUE(compiler.Compile(text, EXlsFormulaKind::kCell, tokens));
        return tokens;
    }
    HRESULT PutFormula(int row, int column, std::u16string_view text) {
        return Put(Cell(row, column).Get(), u"Formula", CVariant::Text(std::u16string(text)))
            .status;
    }

    ServerFixture m_server = StartWithWorkbook();
};

}  // namespace

// ---- Addressing --------------------------------------------------------------------------------

TEST_F(XlsServerRangeTest, CellsTakesRowAndColumnOrOneIndexCountingAlongRows) {
    EXPECT_EQ(AddressOf(Cell(2, 3)), u"$C$2");
    EXPECT_EQ(AddressOf(GetObject(m_server.sheet.Get(), u"Cells", {CVariant::Double(256)})),
              u"$IV$1");
    EXPECT_EQ(AddressOf(GetObject(m_server.sheet.Get(), u"Cells", {CVariant::Short(257)})),
              u"$A$2");
    EXPECT_EQ(AddressOf(GetObject(m_server.sheet.Get(), u"Cells")), u"$1:$65536");
    EXPECT_EQ(AddressOf(Cell(65536, 256)), u"$IV$65536");
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {65537, 1}, {1, 257}}) {
        EXPECT_EQ(
            Get(m_server.sheet.Get(), u"Cells", {CVariant::Double(row), CVariant::Double(column)})
                .status,
            DISP_E_BADINDEX);
    }
    // A range's Cells count from its own first cell.
    ObjectRef inner = GetObject(Range(u"C3:E5").Get(), u"Cells", {CVariant::Long(2)});
    EXPECT_EQ(AddressOf(inner), u"$D$3");
    inner = GetObject(Range(u"C3:E5").Get(), u"Cells", {CVariant::Long(4)});
    EXPECT_EQ(AddressOf(inner), u"$C$4");
}

TEST_F(XlsServerRangeTest, RangeFromTwoAddressTextsOrRangesCoversBoth) {
    EXPECT_EQ(AddressOf(Range(u"$B$2", u"$D$5")), u"$B$2:$D$5");
    EXPECT_EQ(AddressOf(Range(u"D5", u"B2")), u"$B$2:$D$5");
    EXPECT_EQ(AddressOf(Range(u"a1:b2")), u"$A$1:$B$2");
    EXPECT_EQ(AddressOf(Range(u"C:D")), u"$C:$D");
    ObjectRef corner = Cell(9, 9);
    ObjectRef both = GetObject(m_server.sheet.Get(), u"Range",
                               {CVariant::Text(u"B2"), CVariant::Object(corner.Get())});
    EXPECT_EQ(AddressOf(both), u"$B$2:$I$9");
    for (std::u16string_view bad : {u"Sheet1!A1", u"A1,B2", u"nowhere", u""}) {
        EXPECT_EQ(Get(m_server.sheet.Get(), u"Range", {CVariant::Text(std::u16string(bad))}).status,
                  DISP_E_TYPEMISMATCH);
    }
    EXPECT_EQ(AddressOf(GetObject(m_server.sheet.Get(), u"Rows", {CVariant::Double(3)})), u"$3:$3");
    EXPECT_EQ(AddressOf(GetObject(m_server.sheet.Get(), u"Columns", {CVariant::Double(2)})),
              u"$B:$B");
    EXPECT_EQ(Get(m_server.sheet.Get(), u"Rows", {CVariant::Double(65537)}).status,
              DISP_E_BADINDEX);
}

TEST_F(XlsServerRangeTest, AddressCanLeaveRowsOrColumnsRelative) {
    ObjectRef cell = Cell(2, 3);
    EXPECT_EQ(
        Get(cell.Get(), u"Address", {CVariant::Bool(false), CVariant::Bool(false)}).value.GetText(),
        u"C2");
    EXPECT_EQ(Get(cell.Get(), u"Address", {}, {{u"ColumnAbsolute", CVariant::Bool(false)}})
                  .value.GetText(),
              u"C$2");
}

TEST_F(XlsServerRangeTest, SelectingWorksOnlyOnTheActiveSheet) {
    ObjectRef sheets = GetObject(m_server.workbook.Get(), u"Sheets");
    ObjectRef second = Get(sheets.Get(), u"Add").Object();  // now the active sheet
    CallResult selected = Get(Cell(1, 1).Get(), u"Select");
    EXPECT_EQ(selected.status, DISP_E_EXCEPTION);
    EXPECT_EQ(Get(CellAt(second.Get(), 1, 1).Get(), u"Select").status, S_OK);
}

// ---- Values ------------------------------------------------------------------------------------

TEST_F(XlsServerRangeTest, ValueTakesNumbersTextsBooleansAndErrorsAndGivesThemBack) {
    const CVariant values[] = {CVariant::Double(1.5),      CVariant::Short(-3),
                               CVariant::Long(70000),      CVariant::Text(u"caf\u00e9"),
                               CVariant::Bool(true),       CVariant::Bool(false),
                               CVariant::SheetError(0x07), CVariant::SheetError(0x2A)};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        ObjectRef cell = Cell(static_cast<int>(i) + 1, 1);
        ASSERT_EQ(Put(cell.Get(), u"Value", values[i]).status, S_OK) << i;
    }
    EXPECT_EQ(Sheet().GetValue(0, 0), CXlsCellValue::Number(1.5));
    EXPECT_EQ(Sheet().GetValue(1, 0), CXlsCellValue::Number(-3));
    EXPECT_EQ(Sheet().GetValue(2, 0), CXlsCellValue::Number(70000));
    EXPECT_EQ(Sheet().GetValue(3, 0), CXlsCellValue::Text(u"caf\u00e9"));
    EXPECT_EQ(Sheet().GetValue(4, 0), CXlsCellValue::Boolean(true));
    EXPECT_EQ(Sheet().GetValue(5, 0), CXlsCellValue::Boolean(false));
    EXPECT_EQ(Sheet().GetValue(6, 0), CXlsCellValue::Error(0x07));
    EXPECT_EQ(Sheet().GetValue(7, 0), CXlsCellValue::Error(0x2A));

    EXPECT_EQ(Get(Cell(1, 1).Get(), u"Value").value.GetDouble(), 1.5);
    EXPECT_EQ(Get(Cell(4, 1).Get(), u"Value").value.GetText(), u"caf\u00e9");
    EXPECT_EQ(Get(Cell(5, 1).Get(), u"Value").value.GetBoolWord(), VARIANT_TRUE);
    std::uint8_t code = 0;
    ASSERT_TRUE(Get(Cell(7, 1).Get(), u"Value").value.GetSheetErrorCode(code));
    EXPECT_EQ(code, 0x07);
    EXPECT_TRUE(Get(Cell(20, 1).Get(), u"Value").value.IsEmpty());
}

TEST_F(XlsServerRangeTest, TextsStayTextsEvenWhenTheyReadAsNumbers) {
    ObjectRef cell = Cell(1, 1);
    ASSERT_EQ(Put(cell.Get(), u"NumberFormat", CVariant::Text(u"@")).status, S_OK);
    ASSERT_EQ(Put(cell.Get(), u"Value", CVariant::Text(u"00123")).status, S_OK);
    EXPECT_EQ(Sheet().GetValue(0, 0), CXlsCellValue::Text(u"00123"));
    EXPECT_EQ(Sheet().GetFormat(0, 0).NumberFormat(), u"@");
}

TEST_F(XlsServerRangeTest, EmptyValuesClearAndOtherKindsAreRefused) {
    ObjectRef cell = Cell(1, 1);
    ASSERT_EQ(Put(cell.Get(), u"Value", CVariant::Double(4)).status, S_OK);
    ASSERT_EQ(Put(cell.Get(), u"Value", CVariant()).status, S_OK);
    EXPECT_EQ(Sheet().GetValue(0, 0).Kind(), EXlsValueKind::kEmpty);
    ASSERT_EQ(Put(cell.Get(), u"Value", CVariant::Double(4)).status, S_OK);
    ASSERT_EQ(Put(cell.Get(), u"Value", CVariant::Text(u"")).status, S_OK);
    EXPECT_EQ(Sheet().GetValue(0, 0).Kind(), EXlsValueKind::kEmpty);

    ASSERT_EQ(Put(cell.Get(), u"Value", CVariant::Double(4)).status, S_OK);
    CallResult object = Put(cell.Get(), u"Value", CVariant::Object(cell.Get()));
    EXPECT_EQ(object.status, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(object.argError, 0u) << "the value of the put";
    EXPECT_EQ(Put(cell.Get(), u"Value", CVariant::Error(E_FAIL)).status, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Sheet().GetValue(0, 0), CXlsCellValue::Number(4));
}

TEST_F(XlsServerRangeTest, AValueOverSeveralCellsSetsEachButNotTheWholeSheet) {
    ASSERT_EQ(Put(Range(u"B2:C3").Get(), u"Value", CVariant::Double(7)).status, S_OK);
    EXPECT_EQ(Sheet().GetValue(2, 2), CXlsCellValue::Number(7));
    EXPECT_EQ(Sheet().GetValue(0, 0).Kind(), EXlsValueKind::kEmpty);
    CallResult whole =
        Put(GetObject(m_server.sheet.Get(), u"Cells").Get(), u"Value", CVariant::Double(1));
    EXPECT_EQ(whole.status, DISP_E_EXCEPTION);
    EXPECT_EQ(Sheet().GetValue(0, 0).Kind(), EXlsValueKind::kEmpty);
}

TEST_F(XlsServerRangeTest, AnArrayValueWritesABlockCellByCell) {
    using V = CXlsCellValue;
    const V kept = V::Number(9);  // what each case's cells hold before its put
    const CVariant n1 = CVariant::Double(1);
    struct Case {
        const char* name;
        std::u16string_view range;
        std::uint32_t firstRow, firstColumn, width;  // of the range, 0-based
        std::uint32_t rows, columns;                 // of the array; 0: a single value
        std::vector<CVariant> elements;
        HRESULT status;
        std::vector<V> cells;  // the range's cells afterwards, row by row
    };
    const std::vector<Case> cases = {
        {"mixed kinds",
         u"A1:B2",
         0,
         0,
         2,
         2,
         2,
         {CVariant::Double(1.5), CVariant::Text(u"x"), CVariant::Bool(true),
          CVariant::SheetError(0x07)},
         S_OK,
         {V::Number(1.5), V::Text(u"x"), V::Boolean(true), V::Error(0x07)}},
        {"one column of integers",
         u"A1:A2",
         0,
         0,
         1,
         2,
         1,
         {CVariant::Short(-3), CVariant::Long(70000)},
         S_OK,
         {V::Number(-3), V::Number(70000)}},
        {"empty elements and an empty text clear their cells",
         u"A1:B2",
         0,
         0,
         2,
         2,
         2,
         {CVariant(), CVariant::Double(2), CVariant::Text(u""), CVariant()},
         S_OK,
         {V{}, V::Number(2), V{}, V{}}},
        {"another shape than the range's",
         u"A1:B2",
         0,
         0,
         2,
         1,
         4,
         {n1, n1, n1, n1},
         DISP_E_EXCEPTION,
         {kept, kept, kept, kept}},
        {"a block reaching past the sheet's last column",
         u"IU65535:IV65536",
         65534,
         254,
         2,
         2,
         3,
         {n1, n1, n1, n1, n1, n1},
         DISP_E_EXCEPTION,
         {kept, kept, kept, kept}},
        {"an element of another kind changes nothing",
         u"A1:B1",
         0,
         0,
         2,
         1,
         2,
         {n1, CVariant::Error(E_FAIL)},
         DISP_E_TYPEMISMATCH,
         {kept, kept}},
        {"a cell refusing its value keeps the cells before it",
         u"A1:B1",
         0,
         0,
         2,
         1,
         2,
         {n1, CVariant::Text(std::u16string(40000, u'a'))},
         DISP_E_EXCEPTION,
         {V::Number(1), kept}},
        {"a single value still fills every cell",
         u"A1:B2",
         0,
         0,
         2,
         0,
         0,
         {CVariant::Double(5)},
         S_OK,
         {V::Number(5), V::Number(5), V::Number(5), V::Number(5)}},
    };
    for (const Case& c : cases) {
        ObjectRef range = Range(c.range);
        ASSERT_EQ(Put(range.Get(), u"Value", CVariant::Double(9)).status, S_OK) << c.name;
        const CVariant value =
            c.rows == 0 ? c.elements[0] : CVariant::Array(c.rows, c.columns, c.elements);
        EXPECT_EQ(Put(range.Get(), u"Value", value).status, c.status) << c.name;
        for (std::size_t at = 0; at < c.cells.size(); ++at) {
            const auto row = c.firstRow + static_cast<std::uint32_t>(at / c.width);
            const auto column = c.firstColumn + static_cast<std::uint32_t>(at % c.width);
            EXPECT_EQ(Sheet().GetValue(row, column), c.cells[at]) << c.name << ", cell " << at;
        }
    }
    // Formulas are not taken as an array: their texts would become constants.
    EXPECT_EQ(Put(Range(u"A1:B1").Get(), u"Formula",
                  CVariant::Array(1, 2, {CVariant::Text(u"=1"), CVariant::Text(u"=2")}))
                  .status,
              DISP_E_TYPEMISMATCH);
}

// ---- Formulas ----------------------------------------------------------------------------------

TEST_F(XlsServerRangeTest, FormulaTextIsCompiledAndRefusedTextChangesNothing) {
    ASSERT_EQ(PutFormula(1, 2, u"=SUM( A1, 2 )*3"), S_OK);
    ASSERT_NE(Sheet().GetFormula(0, 1), nullptr);
    EXPECT_EQ(*Sheet().GetFormula(0, 1), Compiled(u"=SUM(A1,2)*3"));

    ASSERT_EQ(Put(Cell(2, 2).Get(), u"Value", CVariant::Double(5)).status, S_OK);
    for (std::u16string_view bad : {u"=SUM(", u"=NOSUCHNAME+1", u"=Nowhere!A1", u"=1+"}) {
        CallResult refused = Put(Cell(2, 2).Get(), u"Formula", CVariant::Text(std::u16string(bad)));
        EXPECT_EQ(refused.status, DISP_E_EXCEPTION) << std::string(bad.begin(), bad.end());
        EXPECT_EQ(refused.exception.code, 1004);
        EXPECT_FALSE(refused.exception.description.empty());
    }
    EXPECT_EQ(Sheet().GetFormula(1, 1), nullptr);
    EXPECT_EQ(Sheet().GetValue(1, 1), CXlsCellValue::Number(5));
}

TEST_F(XlsServerRangeTest, FormulaWithoutEqualsEntersAConstant) {
    ASSERT_EQ(PutFormula(1, 1, u"42.5"), S_OK);
    ASSERT_EQ(PutFormula(2, 1, u"true"), S_OK);
    ASSERT_EQ(PutFormula(3, 1, u"plain words"), S_OK);
    ASSERT_EQ(PutFormula(4, 1, u"1e3"), S_OK);
    ASSERT_EQ(PutFormula(5, 1, u"inf"), S_OK);
    EXPECT_EQ(Sheet().GetValue(0, 0), CXlsCellValue::Number(42.5));
    EXPECT_EQ(Sheet().GetValue(1, 0), CXlsCellValue::Boolean(true));
    EXPECT_EQ(Sheet().GetValue(2, 0), CXlsCellValue::Text(u"plain words"));
    EXPECT_EQ(Sheet().GetValue(3, 0), CXlsCellValue::Number(1000));
    EXPECT_EQ(Sheet().GetValue(4, 0), CXlsCellValue::Text(u"inf"));
    EXPECT_EQ(Get(Cell(1, 1).Get(), u"Formula").value.GetText(), u"42.5");
    for (int row = 1; row <= 5; ++row) EXPECT_EQ(Sheet().GetFormula(row - 1, 0), nullptr);
}

TEST_F(XlsServerRangeTest, AFormulaCachesTheValueItsCellHeld) {
    ASSERT_EQ(Put(Cell(1, 1).Get(), u"Value", CVariant::Double(21)).status, S_OK);
    ASSERT_EQ(Put(Cell(1, 2).Get(), u"Value", CVariant::Double(42)).status, S_OK);
    ASSERT_EQ(PutFormula(1, 2, u"=A1*2"), S_OK);
    ASSERT_EQ(Put(Cell(1, 3).Get(), u"Value", CVariant::Text(u"ok")).status, S_OK);
    ASSERT_EQ(PutFormula(1, 3, u"=\"o\"&\"k\""), S_OK);
    ASSERT_EQ(Put(Cell(1, 4).Get(), u"Value", CVariant::SheetError(0x07)).status, S_OK);
    ASSERT_EQ(PutFormula(1, 4, u"=1/0"), S_OK);
    ASSERT_EQ(PutFormula(1, 5, u"=A1+1"), S_OK);

    EXPECT_EQ(Get(Cell(1, 2).Get(), u"Value").value.GetDouble(), 42.0);
    EXPECT_EQ(Sheet().GetValue(0, 2), CXlsCellValue::Text(u"ok"));
    EXPECT_EQ(Sheet().GetValue(0, 3), CXlsCellValue::Error(0x07));
    EXPECT_EQ(Sheet().GetValue(0, 4).Kind(), EXlsValueKind::kEmpty)
        << "held nothing, caches nothing";
    // A second formula on the same cell keeps the cached result.
    ASSERT_EQ(PutFormula(1, 2, u"=A1+A1"), S_OK);
    EXPECT_EQ(Sheet().GetValue(0, 1), CXlsCellValue::Number(42));
    // The text of a formula is not kept.
    EXPECT_EQ(Get(Cell(1, 2).Get(), u"Formula").status, DISP_E_EXCEPTION);
}

TEST_F(XlsServerRangeTest, AFormulaOverSeveralCellsMovesItsRelativeReferences) {
    ASSERT_EQ(Put(Range(u"B1:C2").Get(), u"Formula", CVariant::Text(u"=A1+$A$1")).status, S_OK);
    EXPECT_EQ(*Sheet().GetFormula(0, 1), Compiled(u"=A1+$A$1"));
    EXPECT_EQ(*Sheet().GetFormula(1, 1), Compiled(u"=A2+$A$1"));
    EXPECT_EQ(*Sheet().GetFormula(1, 2), Compiled(u"=B2+$A$1"));
}

TEST_F(XlsServerRangeTest, FormulaArrayMakesOneArrayFormulaOverTheRange) {
    ASSERT_EQ(Put(Range(u"C1:C2").Get(), u"Value", CVariant::Double(9)).status, S_OK);
    ObjectRef range = Range(u"C1:D2");
    ASSERT_EQ(Put(range.Get(), u"FormulaArray", CVariant::Text(u"=A1:B2*2")).status, S_OK);
    const CXlsCellRange* array = Sheet().GetArrayRange(1, 3);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(*array, CXlsCellRange(0, 2, 1, 3));
    EXPECT_EQ(Sheet().GetValue(0, 2), CXlsCellValue::Number(9)) << "cached";

    // Part of an array cannot change; the array stays as it was.
    for (const char16_t* member : {u"Value", u"Formula"}) {
        EXPECT_EQ(Put(Cell(1, 3).Get(), member, CVariant::Text(u"=1")).status, DISP_E_EXCEPTION);
    }
    EXPECT_EQ(Put(Range(u"B1:C1").Get(), u"Value", CVariant::Double(1)).status, DISP_E_EXCEPTION);
    EXPECT_NE(Sheet().GetArrayRange(0, 2), nullptr);
    EXPECT_EQ(Put(range.Get(), u"FormulaArray", CVariant::Text(u"A1")).status, DISP_E_EXCEPTION);
    EXPECT_EQ(Put(range.Get(), u"FormulaArray", CVariant::Text(u"=SUM(")).status, DISP_E_EXCEPTION);
}

// ---- AutoFill ----------------------------------------------------------------------------------

TEST_F(XlsServerRangeTest, AutoFillDownCopiesTheFormulaWithItsReferencesMoved) {
    for (int row = 1; row <= 4; ++row) {
        ASSERT_EQ(Put(Cell(row, 1).Get(), u"Value", CVariant::Double(row)).status, S_OK);
    }
    ASSERT_EQ(Put(Cell(3, 2).Get(), u"Value", CVariant::Double(6)).status, S_OK);
    ASSERT_EQ(PutFormula(1, 2, u"=A1*2+$A$1"), S_OK);
    // As the wrapper calls it: Destination and Type named, Type last first.
    ObjectRef destination = Range(u"$B$1", u"$B$4");
    CallResult filled = Call(
        Cell(1, 2).Get(), u"AutoFill", DISPATCH_PROPERTYGET, {},
        {{u"Type", CVariant::Short(0)}, {u"Destination", CVariant::Object(destination.Get())}});
    ASSERT_EQ(filled.status, S_OK);
    for (int row = 2; row <= 4; ++row) {
        const std::u16string expected = u"=A" + std::u16string(1, u'0' + row) + u"*2+$A$1";
        ASSERT_NE(Sheet().GetFormula(row - 1, 1), nullptr);
        EXPECT_EQ(*Sheet().GetFormula(row - 1, 1), Compiled(expected)) << row;
    }
    EXPECT_EQ(Sheet().GetValue(2, 1), CXlsCellValue::Number(6)) << "B3 keeps its value as cache";
    EXPECT_EQ(Sheet().GetValue(3, 1).Kind(), EXlsValueKind::kEmpty);
}

TEST_F(XlsServerRangeTest, AutoFillRightAndRefusals) {
    ASSERT_EQ(PutFormula(1, 1, u"=A2+$A3+B$4"), S_OK);
    ObjectRef destination = Range(u"A1:C1");
    ASSERT_EQ(Get(Cell(1, 1).Get(), u"AutoFill", {CVariant::Object(destination.Get())}).status,
              S_OK);
    EXPECT_EQ(*Sheet().GetFormula(0, 2), Compiled(u"=C2+$A3+D$4"));

    ObjectRef elsewhere = Range(u"D5:D9");
    EXPECT_EQ(Get(Cell(1, 1).Get(), u"AutoFill", {CVariant::Object(elsewhere.Get())}).status,
              DISP_E_EXCEPTION);
    EXPECT_EQ(Get(Cell(1, 1).Get(), u"AutoFill",
                  {CVariant::Object(destination.Get()), CVariant::Short(2)})
                  .status,
              DISP_E_EXCEPTION)
        << "only the default fill";
    EXPECT_EQ(Get(Cell(1, 1).Get(), u"AutoFill", {CVariant::Text(u"A1:C1")}).status,
              DISP_E_TYPEMISMATCH);
}

// ---- Merges, widths, heights, the workbook ------------------------------------------------------

TEST_F(XlsServerRangeTest, MergeCellsMergesAndUnmerges) {
    ASSERT_EQ(Put(Cell(1, 1).Get(), u"Value", CVariant::Text(u"kept")).status, S_OK);
    ASSERT_EQ(Put(Cell(2, 2).Get(), u"Value", CVariant::Text(u"dropped")).status, S_OK);
    ObjectRef range = Range(u"A1", u"C2");
    ASSERT_EQ(Put(range.Get(), u"MergeCells", CVariant::Bool(true)).status, S_OK);
    ASSERT_EQ(Sheet().MergedRanges().size(), 1u);
    EXPECT_EQ(Sheet().MergedRanges()[0], CXlsCellRange(0, 0, 1, 2));
    EXPECT_EQ(Sheet().GetValue(0, 0), CXlsCellValue::Text(u"kept"));
    EXPECT_EQ(Sheet().GetValue(1, 1).Kind(), EXlsValueKind::kEmpty);
    EXPECT_EQ(Get(Cell(2, 2).Get(), u"MergeCells").value.GetBoolWord(), VARIANT_TRUE);
    EXPECT_EQ(Get(Cell(3, 2).Get(), u"MergeCells").value.GetBoolWord(), VARIANT_FALSE);
    ASSERT_EQ(Put(Cell(1, 2).Get(), u"MergeCells", CVariant::Bool(false)).status, S_OK);
    EXPECT_TRUE(Sheet().MergedRanges().empty());
}

TEST_F(XlsServerRangeTest, ColumnWidthAndRowHeightAreKeptAsSet) {
    ObjectRef column = GetObject(m_server.sheet.Get(), u"Cells", {CVariant::Double(3)});
    ASSERT_EQ(Put(column.Get(), u"ColumnWidth", CVariant::Double(9.03125)).status, S_OK);
    EXPECT_DOUBLE_EQ(Sheet().GetColumnWidth(2), 9.03125);
    EXPECT_DOUBLE_EQ(Get(column.Get(), u"ColumnWidth").value.GetDouble(), 9.03125);
    ObjectRef row = GetObject(m_server.sheet.Get(), u"Rows", {CVariant::Double(4)});
    ASSERT_EQ(Put(row.Get(), u"RowHeight", CVariant::Double(14)).status, S_OK);
    EXPECT_DOUBLE_EQ(Sheet().GetRowHeight(3), 14.0);
    EXPECT_DOUBLE_EQ(Get(row.Get(), u"RowHeight").value.GetDouble(), 14.0);
    ASSERT_EQ(Put(Range(u"B:D").Get(), u"ColumnWidth", CVariant::Double(2)).status, S_OK);
    EXPECT_DOUBLE_EQ(Sheet().GetColumnWidth(3), 2.0);

    EXPECT_EQ(Put(column.Get(), u"ColumnWidth", CVariant::Double(256)).status, DISP_E_EXCEPTION);
    EXPECT_EQ(Put(row.Get(), u"RowHeight", CVariant::Double(-1)).status, DISP_E_EXCEPTION);
    EXPECT_DOUBLE_EQ(Sheet().GetRowHeight(3), 14.0);
}

TEST_F(XlsServerRangeTest, Date1904IsTheWorkbooksDateSystem) {
    EXPECT_EQ(Get(m_server.workbook.Get(), u"Date1904").value.GetBoolWord(), VARIANT_FALSE);
    ASSERT_EQ(Put(m_server.workbook.Get(), u"date1904", CVariant::Bool(true)).status, S_OK);
    EXPECT_TRUE(Book().Date1904());
}

TEST_F(XlsServerRangeTest, SaveAsTakesItsNamedArgumentsAsTheWrapperPassesThem) {
    TempFolder folder;
    const auto path = folder / "saved.xls";
    ASSERT_EQ(Put(Cell(1, 1).Get(), u"Value", CVariant::Double(1)).status, S_OK);
    const auto save = [&](std::u16string password, bool backup) {
        return Call(m_server.workbook.Get(), u"SaveAs", DISPATCH_METHOD, {},
                    {{u"CreateBackup", CVariant::Bool(backup)},
                     {u"ReadOnlyRecommended", CVariant::Bool(false)},
                     {u"WriteResPassword", CVariant::Text(u"")},
                     {u"Password", CVariant::Text(password)},
                     {u"FileName", CVariant::Text(path.u16string())}});
    };
    EXPECT_EQ(save(u"secret", false).status, DISP_E_EXCEPTION);
    EXPECT_EQ(save(u"", true).status, DISP_E_EXCEPTION);
    EXPECT_FALSE(std::filesystem::exists(path)) << "a refused save writes nothing";
    ASSERT_EQ(save(u"", false).status, S_OK);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(Get(m_server.workbook.Get(), u"FullName").value.GetText(), path.u16string());

    EXPECT_EQ(Call(m_server.workbook.Get(), u"SaveAs", DISPATCH_METHOD,
                   {CVariant::Text(path.u16string()), CVariant::Long(51)})
                  .status,
              DISP_E_EXCEPTION)
        << "another file format";
    EXPECT_EQ(Call(m_server.workbook.Get(), u"SaveAs", DISPATCH_METHOD,
                   {CVariant::Text((folder / "no/such/folder/x.xls").u16string())})
                  .status,
              DISP_E_EXCEPTION);
    EXPECT_EQ(Call(m_server.workbook.Get(), u"SaveAs", DISPATCH_METHOD).status,
              DISP_E_PARAMNOTOPTIONAL);
}

TEST_F(XlsServerRangeTest, RangeReportsItsPlaceItsSheetAndClearsItsContents) {
    ObjectRef range = Range(u"C2:E6");
    EXPECT_EQ(Get(range.Get(), u"Row").value.GetLong(), 2);
    EXPECT_EQ(Get(range.Get(), u"Column").value.GetLong(), 3);
    EXPECT_EQ(Get(range.Get(), u"Count").value.GetLong(), 15);
    ObjectRef sheet = GetObject(range.Get(), u"Worksheet");
    EXPECT_EQ(Get(sheet.Get(), u"Name").value.GetText(), u"Sheet1");

    ASSERT_EQ(Put(range.Get(), u"Value", CVariant::Double(3)).status, S_OK);
    ASSERT_EQ(Put(range.Get(), u"NumberFormat", CVariant::Text(u"0.0")).status, S_OK);
    ASSERT_EQ(Call(Range(u"C2:D6").Get(), u"ClearContents", DISPATCH_METHOD).status, S_OK);
    EXPECT_EQ(Sheet().GetValue(1, 2).Kind(), EXlsValueKind::kEmpty);
    EXPECT_EQ(Sheet().GetFormat(1, 2).NumberFormat(), u"0.0") << "formats stay";
    EXPECT_EQ(Sheet().GetValue(1, 4), CXlsCellValue::Number(3));
}

TEST_F(XlsServerRangeTest, ActivatingMakesTheSheetAndWorkbookActive) {
    ObjectRef sheets = GetObject(m_server.workbook.Get(), u"Sheets");
    ObjectRef second = Get(sheets.Get(), u"Add").Object();
    ASSERT_EQ(Call(m_server.sheet.Get(), u"Activate", DISPATCH_METHOD).status, S_OK);
    ObjectRef active = GetObject(m_server.application.Get(), u"ActiveSheet");
    EXPECT_EQ(Get(active.Get(), u"Name").value.GetText(), u"Sheet1");

    ObjectRef workbooks = GetObject(m_server.application.Get(), u"Workbooks");
    ObjectRef other = Call(workbooks.Get(), u"Add", DISPATCH_METHOD).Object();
    active = GetObject(m_server.application.Get(), u"ActiveSheet");
    EXPECT_EQ(dynamic_cast<CXlsWorksheetObject&>(*active.Get()).Document(),
              dynamic_cast<CXlsWorkbookObject&>(*other.Get()).Document());
    ASSERT_EQ(Call(m_server.workbook.Get(), u"Activate", DISPATCH_METHOD).status, S_OK);
    active = GetObject(m_server.application.Get(), u"ActiveSheet");
    EXPECT_EQ(Get(active.Get(), u"Name").value.GetText(), u"Sheet1");
}
