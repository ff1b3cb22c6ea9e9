#include "server/CXlsFormulaShifter.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "server/CLittleEndian.h"
#include "server/CXlsFormulaTokenWalker.h"
#include "server/XlsFormulaLayout.h"
#include "server/XlsRecordLayout.h"

namespace {

std::uint16_t GetU16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// One row or column of a reference and its "$".
struct Coordinate {
    std::int64_t value;
    bool relative;
};

bool Move(Coordinate& c, std::int64_t offset, std::int64_t limit) {
    if (c.relative) c.value += offset;
    return c.value >= 0 && c.value < limit;
}

std::uint16_t ColumnField(std::uint16_t original, const Coordinate& column, bool rowRelative) {
    // Bits 8 to 13 are not ours to change; the rest is column and flags.
    std::uint16_t field = original & 0x3F00;
    field |= static_cast<std::uint16_t>(column.value) & xlsw::kColumnMask;
    if (column.relative) field |= xlsw::kColumnRelative;
    if (rowRelative) field |= xlsw::kRowRelative;
    return field;
}

std::uint8_t AsError(std::uint8_t id, std::uint8_t errorBaseId) {
    return static_cast<std::uint8_t>((errorBaseId & ~xlsw::kClassMask) | (id & xlsw::kClassMask));
}

class Mover {
public:
    Mover(std::vector<std::uint8_t>& bytes, std::int64_t rows, std::int64_t columns)
        : m_bytes(bytes), m_rows(rows), m_columns(columns) {}

    // A cell whose row is at `at` and column field at `at + 2`; false when
    // it leaves the sheet.
    bool Cell(std::size_t at) {
        const std::uint16_t field = GetU16(m_bytes, at + 2);
        Coordinate row{GetU16(m_bytes, at), (field & xlsw::kRowRelative) != 0};
        Coordinate column{field & xlsw::kColumnMask, (field & xlsw::kColumnRelative) != 0};
        if (!Move(row, m_rows, xlsw::kMaxRows) || !Move(column, m_columns, xlsw::kMaxColumns)) {
            return false;
        }
        CLittleEndian::PutU16(&m_bytes[at], static_cast<std::uint16_t>(row.value));
        CLittleEndian::PutU16(&m_bytes[at + 2], ColumnField(field, column, row.relative));
        return true;
    }

    // An area: first and last row at `at`, `at + 2`, their column fields at
    // `at + 4`, `at + 6`.
    bool Area(std::size_t at) {
        const std::uint16_t firstField = GetU16(m_bytes, at + 4);
        const std::uint16_t lastField = GetU16(m_bytes, at + 6);
        Coordinate firstRow{GetU16(m_bytes, at), (firstField & xlsw::kRowRelative) != 0};
        Coordinate lastRow{GetU16(m_bytes, at + 2), (lastField & xlsw::kRowRelative) != 0};
        Coordinate firstColumn{firstField & xlsw::kColumnMask,
                               (firstField & xlsw::kColumnRelative) != 0};
        Coordinate lastColumn{lastField & xlsw::kColumnMask,
                              (lastField & xlsw::kColumnRelative) != 0};
        if (!Move(firstRow, m_rows, xlsw::kMaxRows) || !Move(lastRow, m_rows, xlsw::kMaxRows) ||
            !Move(firstColumn, m_columns, xlsw::kMaxColumns) ||
            !Move(lastColumn, m_columns, xlsw::kMaxColumns)) {
            return false;
        }
        // A "$" on one corner only can make the corners cross.
        if (firstRow.value > lastRow.value) std::swap(firstRow, lastRow);
        if (firstColumn.value > lastColumn.value) std::swap(firstColumn, lastColumn);
        CLittleEndian::PutU16(&m_bytes[at], static_cast<std::uint16_t>(firstRow.value));
        CLittleEndian::PutU16(&m_bytes[at + 2], static_cast<std::uint16_t>(lastRow.value));
        CLittleEndian::PutU16(&m_bytes[at + 4],
                              ColumnField(firstField, firstColumn, firstRow.relative));
        CLittleEndian::PutU16(&m_bytes[at + 6],
                              ColumnField(lastField, lastColumn, lastRow.relative));
        return true;
    }

    // The token at `offset` becomes `errorBaseId` of its class, its bytes
    // from `clearFrom` for `count` zero.
    void Invalidate(std::size_t offset, std::uint8_t errorBaseId, std::size_t clearFrom,
                    std::size_t count) {
        m_bytes[offset] = AsError(m_bytes[offset], errorBaseId);
        std::fill_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(clearFrom), count, 0);
    }

private:
    std::vector<std::uint8_t>& m_bytes;
    std::int64_t m_rows;
    std::int64_t m_columns;
};

}  // namespace

bool CXlsFormulaShifter::Shift(const CXlsFormulaTokens& tokens, std::int32_t rowOffset,
                               std::int32_t columnOffset, CXlsFormulaTokens& out) {
    std::vector<std::uint8_t> bytes(tokens.Tokens().begin(), tokens.Tokens().end());
    std::vector<std::size_t> offsets;
    if (!CXlsFormulaTokenWalker::Offsets(bytes, offsets)) return false;
    Mover mover(bytes, rowOffset, columnOffset);
    for (std::size_t offset : offsets) {
        switch (xlsw::BaseId(bytes[offset])) {
            case xlsw::kPtgRef:
                if (!mover.Cell(offset + 1)) {
                    mover.Invalidate(offset, xlsw::kPtgRefErr, offset + 1, 4);
                }
                break;
            case xlsw::kPtgArea:
                if (!mover.Area(offset + 1)) {
                    mover.Invalidate(offset, xlsw::kPtgAreaErr, offset + 1, 8);
                }
                break;
            case xlsw::kPtgRef3d:
                if (!mover.Cell(offset + 3)) {
                    mover.Invalidate(offset, xlsw::kPtgRefErr3d, offset + 3, 4);
                }
                break;
            case xlsw::kPtgArea3d:
                if (!mover.Area(offset + 3)) {
                    mover.Invalidate(offset, xlsw::kPtgAreaErr3d, offset + 3, 8);
                }
                break;
            default:
                break;
        }
    }
    const std::span<const std::uint8_t> extra = tokens.Extra();
    out = CXlsFormulaTokens(bytes, std::vector<std::uint8_t>(extra.begin(), extra.end()));
    return true;
}
