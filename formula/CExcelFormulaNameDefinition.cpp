#include "formula/CExcelFormulaNameDefinition.h"

#include <cstdint>
#include <vector>

#include "formula/CExcelFormulaParser.h"
#include "formula/CExcelFormulaWorkbook.h"
#include "formula/FormulaTokens.h"
#include "records/CExcelRecordNAME.h"

namespace {

// Reference-error tokens by base id, with their operand sizes.
struct ErrorToken {
    std::uint8_t base;
    std::uint32_t operandSize;
};
constexpr ErrorToken kErrorTokens[] = {
    {biff8::kPtgRefErr, biff8::kPtgRefSize},
    {biff8::kPtgAreaErr, biff8::kPtgAreaSize},
    {biff8::kPtgRefErr3d, biff8::kPtgRef3dSize},
    {biff8::kPtgAreaErr3d, biff8::kPtgArea3dSize},
};

}  // namespace

bool CExcelFormulaNameDefinition::HasFormula(const CExcelRecordNAME& name) {
    return name.GetDeclaredFormulaLength() != 0;
}

std::u16string CExcelFormulaNameDefinition::Text(const CExcelFormulaWorkbook& workbook,
                                                 const CExcelRecordNAME& name, bool* sound,
                                                 CExcelFormulaUnsound::EReason* reason) {
    // The decoder reads a length field, the tokens and their extra data
    // (array constants) back to back; a NAME record keeps the length apart.
    const CByteBuffer& tokens = name.GetFormulaData();
    const CByteBuffer& extra = name.GetFormulaExtraData();
    const std::uint32_t count = tokens.DataLength();
    std::vector<std::uint8_t> formula = {static_cast<std::uint8_t>(count & 0xFF),
                                         static_cast<std::uint8_t>(count >> 8)};
    if (count) formula.insert(formula.end(), tokens.Data(), tokens.Data() + count);
    if (extra.DataLength())
        formula.insert(formula.end(), extra.Data(), extra.Data() + extra.DataLength());

    const std::uint16_t sheet = name.GetSheetIndex();
    const CExcelSheetFormulas* scope = sheet ? workbook.GetSheetFormulas(sheet - 1u) : nullptr;
    CExcelFormulaParser parser;
    std::u16string text = parser.Decode(formula.data(), static_cast<std::uint32_t>(formula.size()),
                                        0, 0, &workbook, scope, nullptr, nullptr);
    bool faithful = parser.IsSound();
    CExcelFormulaUnsound::EReason cause = parser.UnsoundReason();
    if (faithful && count < name.GetDeclaredFormulaLength()) {
        faithful = false;
        cause = CExcelFormulaUnsound::CutShort;
    }
    if (sound) *sound = faithful;
    if (reason) *reason = faithful ? CExcelFormulaUnsound::None : cause;
    return text;
}

bool CExcelFormulaNameDefinition::IsReferenceError(const CExcelRecordNAME& name) {
    const CByteBuffer& tokens = name.GetFormulaData();
    if (tokens.DataLength() == 0 || tokens.DataLength() != name.GetDeclaredFormulaLength())
        return false;
    const std::uint8_t token = tokens.ReadU8(0);
    if (token < biff8::kPtgClassless || token > biff8::kPtgLastToken) return false;
    const std::uint8_t base = biff8::kPtgClassless | (token & biff8::kPtgBaseMask);
    for (const ErrorToken& error : kErrorTokens) {
        if (error.base == base) return tokens.DataLength() == 1 + error.operandSize;
    }
    return false;
}
