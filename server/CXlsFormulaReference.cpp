#include "server/CXlsFormulaReference.h"

#include <utility>

#include "server/XlsRecordLayout.h"

namespace {

bool IsLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "$"? then one to three letters naming a column up to IV.
std::size_t ParseColumn(std::u16string_view text, std::size_t at, std::uint32_t& column,
                        bool& relative) {
    std::size_t pos = at;
    relative = true;
    if (pos < text.size() && text[pos] == u'$') {
        relative = false;
        ++pos;
    }
    const std::size_t start = pos;
    std::uint32_t value = 0;
    while (pos < text.size() && IsLetter(text[pos]) && pos - start < 4) {
        const char16_t upper =
            (text[pos] >= u'a') ? static_cast<char16_t>(text[pos] - 32) : text[pos];
        value = value * 26 + static_cast<std::uint32_t>(upper - u'A' + 1);
        ++pos;
    }
    const std::size_t letters = pos - start;
    if (letters == 0 || letters > 3 || value > xlsw::kMaxColumns) return 0;
    column = value - 1;
    return pos - at;
}

// "$"? then a row number from 1 to 65536 without leading zeros.
std::size_t ParseRow(std::u16string_view text, std::size_t at, std::uint32_t& row, bool& relative) {
    std::size_t pos = at;
    relative = true;
    if (pos < text.size() && text[pos] == u'$') {
        relative = false;
        ++pos;
    }
    const std::size_t start = pos;
    std::uint32_t value = 0;
    // Six digits already pass the largest row; stop counting there.
    while (pos < text.size() && IsDigit(text[pos]) && pos - start < 7) {
        value = value * 10 + static_cast<std::uint32_t>(text[pos] - u'0');
        ++pos;
    }
    if (pos == start || text[start] == u'0' || value > xlsw::kMaxRows) return 0;
    row = value - 1;
    return pos - at;
}

std::size_t ParseCell(std::u16string_view text, std::size_t at, CXlsReferenceCorner& corner) {
    const std::size_t columnChars = ParseColumn(text, at, corner.column, corner.columnRelative);
    if (columnChars == 0) return 0;
    const std::size_t rowChars = ParseRow(text, at + columnChars, corner.row, corner.rowRelative);
    return rowChars == 0 ? 0 : columnChars + rowChars;
}

bool EndsReference(std::u16string_view text, std::size_t pos) {
    if (pos >= text.size()) return true;
    const char16_t c = text[pos];
    return !CXlsFormulaReference::IsNameCharacter(c) && c != u'(' && c != u'$';
}

}  // namespace

bool CXlsFormulaReference::IsNameCharacter(char16_t c) {
    return IsLetter(c) || IsDigit(c) || c == u'_' || c == u'.' || c == u'\\' || c == u'?' ||
           c >= 0x80;
}

std::size_t CXlsFormulaReference::Parse(std::u16string_view text, CXlsFormulaReference& out) {
    CXlsFormulaReference ref;

    // A cell, or an area of two cells.
    const std::size_t cellChars = ParseCell(text, 0, ref.first);
    if (cellChars != 0) {
        if (cellChars < text.size() && text[cellChars] == u':') {
            const std::size_t secondChars = ParseCell(text, cellChars + 1, ref.last);
            if (secondChars != 0 && EndsReference(text, cellChars + 1 + secondChars)) {
                ref.kind = EKind::kArea;
                out = ref;
                return cellChars + 1 + secondChars;
            }
        }
        if (!EndsReference(text, cellChars)) return 0;
        ref.kind = EKind::kCell;
        ref.last = ref.first;
        out = ref;
        return cellChars;
    }

    // Whole columns: every row, the rows fixed so that a fill never moves
    // them off the sheet.
    std::size_t firstChars = ParseColumn(text, 0, ref.first.column, ref.first.columnRelative);
    if (firstChars != 0 && firstChars < text.size() && text[firstChars] == u':') {
        const std::size_t secondChars =
            ParseColumn(text, firstChars + 1, ref.last.column, ref.last.columnRelative);
        const std::size_t end = firstChars + 1 + secondChars;
        if (secondChars != 0 && EndsReference(text, end)) {
            ref.kind = EKind::kArea;
            ref.first.row = 0;
            ref.last.row = xlsw::kMaxRows - 1;
            ref.first.rowRelative = ref.last.rowRelative = false;
            out = ref;
            return end;
        }
    }

    // Whole rows, likewise with fixed columns.
    firstChars = ParseRow(text, 0, ref.first.row, ref.first.rowRelative);
    if (firstChars != 0 && firstChars < text.size() && text[firstChars] == u':') {
        const std::size_t secondChars =
            ParseRow(text, firstChars + 1, ref.last.row, ref.last.rowRelative);
        const std::size_t end = firstChars + 1 + secondChars;
        if (secondChars != 0 && EndsReference(text, end)) {
            ref.kind = EKind::kArea;
            ref.first.column = 0;
            ref.last.column = xlsw::kMaxColumns - 1;
            ref.first.columnRelative = ref.last.columnRelative = false;
            out = ref;
            return end;
        }
    }
    return 0;
}

CXlsFormulaReference CXlsFormulaReference::Ordered(bool keepRelative) const {
    CXlsFormulaReference ref = *this;
    const bool rowsKept = keepRelative && first.rowRelative && last.rowRelative;
    if (!rowsKept && ref.first.row > ref.last.row) {
        std::swap(ref.first.row, ref.last.row);
        std::swap(ref.first.rowRelative, ref.last.rowRelative);
    }
    const bool columnsKept = keepRelative && first.columnRelative && last.columnRelative;
    if (!columnsKept && ref.first.column > ref.last.column) {
        std::swap(ref.first.column, ref.last.column);
        std::swap(ref.first.columnRelative, ref.last.columnRelative);
    }
    return ref;
}
