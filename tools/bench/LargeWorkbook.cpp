#include "LargeWorkbook.h"

#include <string>

#include "server/CXlsCellRange.h"
#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsWorkbook.h"
#include "server/CXlsWriter.h"

namespace {

constexpr std::uint32_t kRows = 65000;
constexpr std::uint32_t kColumns = 20;
constexpr std::uint32_t kNumberColumns = 8;  // A:H numbers
constexpr std::uint32_t kTextColumns = 6;    // I:N texts, O:T formulas over A:H

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

std::string CellName(std::uint32_t row, std::uint32_t column) {
    return std::string(1, static_cast<char>('A' + column)) + std::to_string(row + 1);
}

bool Fill(CXlsWorkbook& book, CXlsWorksheet& sheet, std::uint32_t rows, std::uint32_t sheetIndex) {
    CXlsFormulaCompiler compiler(book);
    for (std::uint32_t r = 0; r < rows; ++r) {
        for (std::uint32_t c = 0; c < kColumns; ++c) {
            if (c < kNumberColumns) {
                sheet.SetNumber(r, c, r * 10.0 + c + 0.123456789);
            } else if (c < kNumberColumns + kTextColumns) {
                sheet.SetText(r, c,
                              Ascii("Sheet " + std::to_string(sheetIndex) + " row " +
                                    std::to_string(r) + " col " + CellName(r, c)));
            } else {
                const std::uint32_t k = c - kNumberColumns - kTextColumns;
                const std::string text = "=" + CellName(r, k) + "*2+" + CellName(r, k + 1) + "-" +
                                         CellName(r, (k + 2) % kNumberColumns);
                CXlsFormulaTokens tokens;
                if (!compiler.Compile(Ascii(text), EXlsFormulaKind::kCell, tokens)) return false;
                sheet.SetFormula(r, c, tokens);
            }
        }
    }
    return true;
}

// A few distinct formats over whole columns, the heading row and every
// tenth row: a handful of XFs used by many cells, as real reports have.
bool Format(CXlsWorksheet& sheet, std::uint32_t rows) {
    static const char16_t* const kColumnFormats[] = {u"#,##0.00", u"0.0%", u"General",
                                                     u"yyyy-mm-dd"};
    for (std::uint32_t c = 0; c < kColumns; ++c) {
        if (!sheet.SetColumnWidth(c, 9.0 + c % 7)) return false;
        const char16_t* code = kColumnFormats[c % std::size(kColumnFormats)];
        const CXlsCellRange column{0, c, rows - 1, c};
        if (!sheet.ModifyFormat(column,
                                [code](CXlsCellFormat& f) { return f.SetNumberFormat(code); })) {
            return false;
        }
    }
    const CXlsCellRange heading{0, 0, 0, kColumns - 1};
    if (!sheet.ModifyFormat(heading, [](CXlsCellFormat& f) {
            f.Font().SetBold(true);
            return true;
        })) {
        return false;
    }
    for (std::uint32_t r = 0; r < rows; ++r) {
        if (r % 5 == 0 && !sheet.SetRowHeight(r, 15.0)) return false;
        if (r % 10 != 9) continue;
        const CXlsCellRange band{r, 0, r, kColumns - 1};
        if (!sheet.ModifyFormat(band, [](CXlsCellFormat& f) {
                return f.Interior().SetPattern(1) && f.Interior().SetColorIndex(36) &&
                       f.Borders().SetLineStyle(CXlsBorders::kBottom, 1);
            })) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool MakeLargeWorkbook(const std::filesystem::path& path, const LargeWorkbookShape& shape,
                       std::uint64_t& streamSize) {
    CXlsWorkbook book;
    const std::uint32_t sheets = shape.sheets == 0 ? 1 : shape.sheets;
    for (std::uint32_t s = 0; s < sheets; ++s) {
        CXlsWorksheet* sheet = book.AddSheet(s, Ascii("Data" + std::to_string(s + 1)));
        if (!sheet || !Fill(book, *sheet, kRows / sheets, s)) return false;
        if (shape.formatted && !Format(*sheet, kRows / sheets)) return false;
    }
    CXlsWriter writer(book);
    if (!writer.SaveAs(path)) return false;
    streamSize = writer.StreamSize();
    return true;
}
