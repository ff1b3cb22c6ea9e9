#include "formula/CExcelFormulaFill.h"

#include <cstring>

#include "biff/CByteBuffer.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/FormulaTokens.h"

namespace {

std::uint16_t U16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

// The tokens whose text a record's cell shows, and how their relative
// parts count: from the sheet's origin (a record's own tokens) or from the
// cell (a shared formula's).
struct Tokens {
    const std::uint8_t* bytes = nullptr;
    std::uint32_t size = 0;
    std::uint16_t row = 0;
    std::uint16_t column = 0;
};

// The tokens of the parsed formula at `offset` of a record body, when its
// length field and all its tokens are there.
bool TokensAt(const CByteBuffer& body, std::uint32_t offset, Tokens& tokens) {
    const std::uint32_t length = body.DataLength();
    if (length < offset || length - offset < biff8::kFormulaLengthSize) return false;
    const std::uint8_t* at = body.Data() + offset;
    const std::uint32_t count = U16(at);
    if (count == 0 || count > length - offset - biff8::kFormulaLengthSize) return false;
    tokens.bytes = at + biff8::kFormulaLengthSize;
    tokens.size = count;
    return true;
}

bool IsLoneExp(const CExcelRecordFormula& record) {
    Tokens own;
    return TokensAt(record.GetFormulaData(), 0, own) && own.size == 1 + biff8::kPtgExpSize &&
           own.bytes[0] == biff8::kPtgExp;
}

bool TokensOf(const CExcelRecordFormula& record, const CExcelFormulaWorkbook* workbook,
              const CExcelSheetFormulas* worksheet, Tokens& tokens) {
    tokens.row = record.GetRow();
    tokens.column = record.GetColumn();
    const CExcelRecordFormula* host = nullptr;
    switch (record.GetRole(workbook, worksheet)) {
        case EFormulaRole::kOwn:
            return TokensAt(record.GetFormulaData(), 0, tokens);
        case EFormulaRole::kSharedHost:
            host = &record;
            break;
        case EFormulaRole::kSharedMember:
            host = record.GetHost(workbook, worksheet);
            break;
        default:
            return false;
    }
    const CByteBuffer* shared = host ? host->GetSharedFormulaRecord() : nullptr;
    return shared && IsLoneExp(record) && TokensAt(*shared, biff8::kShrFmlaFormulaOffset, tokens);
}

// Operand bytes of the tokens that hold no position: they must be equal.
// 0 for a token without operands; kNoFill for one that ends the comparison.
constexpr std::uint32_t kNoFill = 0xFFFFFFFF;
constexpr std::uint32_t kVariable = 0xFFFFFFFE;

std::uint32_t PlainOperandSize(std::uint8_t base) {
    if (base >= biff8::kPtgAdd && base <= biff8::kPtgMissArg) return 0;
    switch (base) {
        case biff8::kPtgStr:
        case biff8::kPtgAttr:
            return kVariable;
        case biff8::kPtgErr:
            return biff8::kPtgErrSize;
        case biff8::kPtgBool:
            return biff8::kPtgBoolSize;
        case biff8::kPtgInt:
            return biff8::kPtgIntSize;
        case biff8::kPtgNum:
            return biff8::kPtgNumSize;
        case biff8::kPtgFunc:
            return biff8::kPtgFuncSize;
        case biff8::kPtgFuncVar:
            return biff8::kPtgFuncVarSize;
        case biff8::kPtgName:
            return biff8::kPtgNameSize;
        case biff8::kPtgNameX:
            return biff8::kPtgNameXSize;
        case biff8::kPtgRefErr:
            return biff8::kPtgRefSize;
        case biff8::kPtgAreaErr:
            return biff8::kPtgAreaSize;
        case biff8::kPtgRefErr3d:
            return biff8::kPtgRef3dSize;
        case biff8::kPtgAreaErr3d:
            return biff8::kPtgArea3dSize;
        default:
            return kNoFill;
    }
}

// The operand size of ptgStr or ptgAttr at `at` (after the id), or kNoFill
// when it does not fit in `left` bytes.
std::uint32_t VariableOperandSize(std::uint8_t base, const std::uint8_t* at, std::uint32_t left) {
    if (base == biff8::kPtgStr) {
        if (left < biff8::kPtgStrSize) return kNoFill;
        const std::uint32_t width = (at[1] & 0x01) ? 2 : 1;
        return biff8::kPtgStrSize + at[0] * width;
    }
    if (left < biff8::kPtgAttrSize + biff8::kAttrDataSize) return kNoFill;
    if (!(at[0] & biff8::kAttrChoose)) return biff8::kPtgAttrSize + biff8::kAttrDataSize;
    return biff8::kPtgAttrSize + biff8::kAttrDataSize +
           biff8::kAttrJumpSize * (U16(at + biff8::kPtgAttrSize) + 1u);
}

// One row or column of a reference, as the cell shows it.
struct Part {
    std::uint32_t value;
    bool relative;
};

// A reference's row field and the column field that carries its flags;
// ptgRefN and ptgAreaN count relative parts from the cell, round the grid.
void PartsOf(const std::uint8_t* rowField, const std::uint8_t* columnField, bool fromCell,
             const Tokens& tokens, Part& row, Part& column) {
    const std::uint16_t flags = U16(columnField);
    row = {U16(rowField), (flags & biff8::kRowRelative) != 0};
    column = {static_cast<std::uint32_t>(flags & biff8::kColumnMask),
              (flags & biff8::kColumnRelative) != 0};
    if (fromCell && row.relative) {
        row.value = (tokens.row + static_cast<std::int16_t>(row.value)) % biff8::kGridRows;
    }
    if (fromCell && column.relative) {
        column.value =
            (tokens.column + static_cast<std::int8_t>(column.value)) % biff8::kGridColumns;
    }
}

// Whether the reference in `below` is the one in `above` one row down.
bool CornerFollows(const std::uint8_t* aboveRow, const std::uint8_t* aboveColumn,
                   const std::uint8_t* belowRow, const std::uint8_t* belowColumn, bool fromCell,
                   const Tokens& above, const Tokens& below) {
    // The column field's other bits (unused by BIFF8) are kept as they are.
    if ((U16(aboveColumn) & ~biff8::kColumnMask) != (U16(belowColumn) & ~biff8::kColumnMask))
        return false;
    Part rowAbove, columnAbove, rowBelow, columnBelow;
    PartsOf(aboveRow, aboveColumn, fromCell, above, rowAbove, columnAbove);
    PartsOf(belowRow, belowColumn, fromCell, below, rowBelow, columnBelow);
    const std::uint32_t step = rowAbove.relative ? 1 : 0;
    return rowBelow.value == rowAbove.value + step && columnBelow.value == columnAbove.value;
}

// Offsets, after the id, of each corner's row field and column field.
struct Corners {
    std::uint32_t size;
    std::uint32_t count;
    std::uint32_t row[2];
    std::uint32_t column[2];
};

bool CornersOf(std::uint8_t base, Corners& corners, bool& fromCell) {
    fromCell = base == biff8::kPtgRefN || base == biff8::kPtgAreaN;
    switch (base) {
        case biff8::kPtgRef:
        case biff8::kPtgRefN:
            corners = {biff8::kPtgRefSize, 1, {0, 0}, {2, 2}};
            return true;
        case biff8::kPtgArea:
        case biff8::kPtgAreaN:
            corners = {biff8::kPtgAreaSize, 2, {0, 2}, {4, 6}};
            return true;
        case biff8::kPtgRef3d:
            corners = {biff8::kPtgRef3dSize, 1, {2, 2}, {4, 4}};
            return true;
        case biff8::kPtgArea3d:
            corners = {biff8::kPtgArea3dSize, 2, {2, 4}, {6, 8}};
            return true;
        default:
            return false;
    }
}

}  // namespace

bool CExcelFormulaFill::ContinuesDown(const CExcelRecordFormula& above,
                                      const CExcelRecordFormula& below,
                                      const CExcelFormulaWorkbook* workbook,
                                      const CExcelSheetFormulas* worksheet) {
    if (below.GetColumn() != above.GetColumn() || below.GetRow() != above.GetRow() + 1)
        return false;
    Tokens a;
    Tokens b;
    if (!TokensOf(above, workbook, worksheet, a) || !TokensOf(below, workbook, worksheet, b) ||
        a.size != b.size) {
        return false;
    }
    std::uint32_t at = 0;
    while (at < a.size) {
        const std::uint8_t id = a.bytes[at];
        if (b.bytes[at] != id || id > biff8::kPtgLastToken) return false;
        const std::uint8_t base =
            id < biff8::kPtgClassless
                ? id
                : static_cast<std::uint8_t>((id & biff8::kPtgBaseMask) | biff8::kPtgClassless);
        const std::uint32_t left = a.size - at - 1;
        const std::uint8_t* operandA = a.bytes + at + 1;
        const std::uint8_t* operandB = b.bytes + at + 1;
        Corners corners{};
        bool fromCell = false;
        if (CornersOf(base, corners, fromCell)) {
            if (left < corners.size) return false;
            // The 3-D tokens' EXTERNSHEET index comes first.
            if (corners.row[0] != 0 && std::memcmp(operandA, operandB, 2) != 0) return false;
            for (std::uint32_t i = 0; i < corners.count; ++i) {
                // An area's first row takes its flags from the first column
                // field, its last row from the last.
                if (!CornerFollows(operandA + corners.row[i], operandA + corners.column[i],
                                   operandB + corners.row[i], operandB + corners.column[i],
                                   fromCell, a, b)) {
                    return false;
                }
            }
            at += 1 + corners.size;
            continue;
        }
        std::uint32_t size = PlainOperandSize(base);
        if (size == kVariable) size = VariableOperandSize(base, operandA, left);
        if (size == kNoFill || size > left || std::memcmp(operandA, operandB, size) != 0)
            return false;
        at += 1 + size;
    }
    return true;
}
