#include "server/automation/CXlsCellAddress.h"

#include "server/CXlsFormulaReference.h"

namespace {

constexpr std::uint32_t kLastRow = xlsw::kMaxRows - 1;
constexpr std::uint32_t kLastColumn = xlsw::kMaxColumns - 1;

void AppendNumber(std::u16string& out, std::uint32_t number) {
    for (char c : std::to_string(number)) out.push_back(static_cast<char16_t>(c));
}

void AppendCell(std::u16string& out, std::uint32_t row, std::uint32_t column, bool rowAbsolute,
                bool columnAbsolute) {
    if (columnAbsolute) out.push_back(u'$');
    out += CXlsCellAddress::ColumnLetters(column);
    if (rowAbsolute) out.push_back(u'$');
    AppendNumber(out, row + 1);
}

}  // namespace

std::u16string CXlsCellAddress::ColumnLetters(std::uint32_t column) {
    std::u16string letters;
    if (column >= 26) letters.push_back(static_cast<char16_t>(u'A' + column / 26 - 1));
    letters.push_back(static_cast<char16_t>(u'A' + column % 26));
    return letters;
}

std::u16string CXlsCellAddress::Format(const CXlsCellRange& range, bool rowAbsolute,
                                       bool columnAbsolute) {
    std::u16string out;
    const bool everyColumn = range.FirstColumn() == 0 && range.LastColumn() == kLastColumn;
    const bool everyRow = range.FirstRow() == 0 && range.LastRow() == kLastRow;
    if (everyColumn) {
        // Whole rows, and the whole sheet, read as "$1:$65536".
        for (std::uint32_t row : {range.FirstRow(), range.LastRow()}) {
            if (!out.empty()) out.push_back(u':');
            if (rowAbsolute) out.push_back(u'$');
            AppendNumber(out, row + 1);
        }
        return out;
    }
    if (everyRow) {
        for (std::uint32_t column : {range.FirstColumn(), range.LastColumn()}) {
            if (!out.empty()) out.push_back(u':');
            if (columnAbsolute) out.push_back(u'$');
            out += ColumnLetters(column);
        }
        return out;
    }
    AppendCell(out, range.FirstRow(), range.FirstColumn(), rowAbsolute, columnAbsolute);
    if (!range.IsSingleCell()) {
        out.push_back(u':');
        AppendCell(out, range.LastRow(), range.LastColumn(), rowAbsolute, columnAbsolute);
    }
    return out;
}

bool CXlsCellAddress::Parse(std::u16string_view text, CXlsCellRange& out) {
    CXlsFormulaReference reference;
    const std::size_t taken = CXlsFormulaReference::Parse(text, reference);
    if (taken == 0 || taken != text.size()) return false;
    reference = reference.Ordered();
    switch (reference.kind) {
        case CXlsFormulaReference::EKind::kCell:
            out = CXlsCellRange::Cell(reference.first.row, reference.first.column);
            return true;
        case CXlsFormulaReference::EKind::kArea:
            out = CXlsCellRange(reference.first.row, reference.first.column, reference.last.row,
                                reference.last.column);
            return out.IsValid();
        case CXlsFormulaReference::EKind::kDeleted:
            break;
    }
    return false;
}
