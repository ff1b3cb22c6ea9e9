#include "repair/CCellDumpWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "format/CDateFormatTest.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/TextConversion.h"
#include "repair/CBoundSheetOrder.h"
#include "repair/CRecoveredCells.h"

namespace {

struct TypeNames {
    ERecoveredValue kind;
    bool date;
    std::string_view constant;
    std::string_view formula;
};

// Type column by what the cell holds and whether a formula gave it.
constexpr TypeNames kTypeNames[] = {
    {ERecoveredValue::Number, false, "number", "formula-number"},
    {ERecoveredValue::Number, true, "date", "formula-date"},
    {ERecoveredValue::Text, false, "text", "formula-text"},
    {ERecoveredValue::Boolean, false, "bool", "formula-bool"},
    {ERecoveredValue::Error, false, "error", "formula-error"},
    {ERecoveredValue::Empty, false, "formula-empty", "formula-empty"},
    {ERecoveredValue::Lost, false, "lost", "lost"},
};

struct ErrorName {
    std::uint8_t code;
    std::string_view text;
};

// The error values a cell can hold, by their code in BOOLERR records and
// cached formula results.
constexpr ErrorName kErrorNames[] = {
    {0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
    {0x1D, "#NAME?"}, {0x24, "#NUM!"},   {0x2A, "#N/A"},
};

// Past this many digits before the point, or this many zeros after it,
// numbers are written with an exponent (1e+16, 1e-05), as repr() does.
constexpr int kLargestFixedPoint = 16;
constexpr int kSmallestFixedPoint = -4;

}  // namespace

std::string CCellDumpWriter::FormatNumber(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";

    // The shortest digits that read back to the same double, as d.ddde±x.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::string out;
    std::size_t at = 0;
    if (text[at] == '-') {
        out.push_back('-');
        ++at;
    }
    std::string digits;
    while (at < text.size() && text[at] != 'e') {
        if (text[at] != '.') digits.push_back(text[at]);
        ++at;
    }
    // to_chars does not end its text with a NUL: read the exponent inside it.
    int exponent = 0;
    const char* exponentText = text.data() + at + 1;
    if (exponentText < text.data() + text.size() && *exponentText == '+') ++exponentText;
    std::from_chars(exponentText, text.data() + text.size(), exponent);
    // Where the decimal point falls, counted in digits from the first one.
    const int point = exponent + 1;
    const int count = static_cast<int>(digits.size());

    if (point <= kSmallestFixedPoint || point > kLargestFixedPoint) {
        out.push_back(digits[0]);
        if (count > 1) {
            out.push_back('.');
            out.append(digits, 1);
        }
        char expText[8];
        const int written = std::snprintf(expText, sizeof expText, "e%c%02d",
                                          exponent < 0 ? '-' : '+', std::abs(exponent));
        out.append(expText, static_cast<std::size_t>(written));
    } else if (point <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-point), '0');
        out += digits;
    } else if (point >= count) {
        out += digits;
        out.append(static_cast<std::size_t>(point - count), '0');
        out += ".0";
    } else {
        out.append(digits, 0, static_cast<std::size_t>(point));
        out.push_back('.');
        out.append(digits, static_cast<std::size_t>(point));
    }
    return out;
}

std::string CCellDumpWriter::Escape(std::u16string_view text) {
    const std::string utf8 = ToUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

std::string_view CCellDumpWriter::TypeName(const CRecoveredCell& cell) {
    const bool date = cell.m_kind == ERecoveredValue::Number && cell.m_date;
    for (const TypeNames& names : kTypeNames)
        if (names.kind == cell.m_kind && names.date == date)
            return cell.IsFormula() ? names.formula : names.constant;
    return "unknown";
}

std::string CCellDumpWriter::ErrorText(std::uint8_t code) {
    for (const ErrorName& name : kErrorNames)
        if (name.code == code) return std::string(name.text);
    return "#ERR" + std::to_string(code);
}

std::string CCellDumpWriter::ValueText(const CRecoveredCell& cell) {
    switch (cell.m_kind) {
        case ERecoveredValue::Number:
            return FormatNumber(cell.m_number);
        case ERecoveredValue::Text:
            return Escape(cell.m_text);
        case ERecoveredValue::Boolean:
            return cell.m_code ? "TRUE" : "FALSE";
        case ERecoveredValue::Error:
            return ErrorText(cell.m_code);
        case ERecoveredValue::Empty:
        case ERecoveredValue::Lost:
            return {};
    }
    return {};
}

std::string CCellDumpWriter::Line(std::uint32_t position, std::u16string_view sheetName,
                                  const CRecoveredCell& cell, const CExcelWorkBook* workbook,
                                  const CExcelWorkSheet* sheet) const {
    std::string line = std::to_string(position);
    line += '\t';
    line += Escape(sheetName);
    line += '\t';
    line += std::to_string(cell.m_row);
    line += '\t';
    line += std::to_string(cell.m_column);
    line += '\t';
    line += TypeName(cell);
    line += '\t';
    if (m_formulaTexts && cell.IsFormula()) {
        // A cell of a shared range other than its first has no formula text
        // of its own; it keeps its cached value, which cannot start with "="
        // unless it is a text.
        const std::u16string& formula = cell.m_formula->GetFormulaText(workbook, sheet);
        if (!formula.empty()) {
            line += '=';
            line += Escape(formula);
            return line;
        }
    }
    line += ValueText(cell);
    return line;
}

std::size_t CCellDumpWriter::WriteSheet(std::uint32_t position, const CExcelWorkBook& workbook,
                                        const CExcelWorkSheet& sheet,
                                        const CRecoveredCells& cells) {
    const std::u16string name = sheet.GetName();
    for (const CRecoveredCell& cell : cells.GetCells())
        m_out << Line(position, name, cell, &workbook, &sheet) << '\n';
    return cells.GetCount();
}

std::size_t CCellDumpWriter::Write(const CExcelData& data) {
    std::size_t lines = 0;
    m_sheetsWritten = 0;
    std::uint32_t firstPosition = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        CBoundSheetOrder order;
        order.Read(data.GetScanPath(), workbook);
        const std::vector<std::uint32_t> placed = order.PlaceSheets(workbook);
        CDateFormatTest dates(workbook);
        std::size_t index = 0;
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            const std::uint32_t position = firstPosition + placed[index++];
            if (!m_sheetFilter.empty() && sheet.GetName() != m_sheetFilter) continue;
            ++m_sheetsWritten;
            const CRecoveredCells cells(workbook, sheet, dates);
            lines += WriteSheet(position, workbook, sheet, cells);
        }
        firstPosition += order.PositionCount(placed);
    }
    return lines;
}
