#include "server/CXlsRelativeFormula.h"

#include <vector>

#include "server/CLittleEndian.h"
#include "server/CXlsFormulaTokenWalker.h"
#include "server/XlsFormulaLayout.h"

using namespace xlsw;

namespace {

// ptgRef -> ptgRefN and ptgArea -> ptgAreaN keep the class bits.
constexpr std::uint8_t kToRelativeForm = kPtgRefN - kPtgRef;

std::uint16_t GetU16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// The row at `at` and the column field at `fieldAt`, as offsets where they
// are relative.
void MakeRelative(std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t fieldAt,
                  std::uint32_t baseRow, std::uint32_t baseColumn) {
    const std::uint16_t field = GetU16(bytes, fieldAt);
    if (field & kRowRelative) {
        CLittleEndian::PutU16(&bytes[at], static_cast<std::uint16_t>(GetU16(bytes, at) - baseRow));
    }
    if (field & kColumnRelative) {
        const auto column = static_cast<std::uint8_t>((field & kColumnMask) - baseColumn);
        CLittleEndian::PutU16(&bytes[fieldAt],
                              static_cast<std::uint16_t>((field & ~kColumnMask) | column));
    }
}

bool IsOtherSheet(std::uint8_t base) {
    return base == kPtgRef3d || base == kPtgArea3d || base == kPtgRefErr3d ||
           base == kPtgAreaErr3d || base == kPtgNameX;
}

}  // namespace

bool CXlsRelativeFormula::Convert(const CXlsFormulaTokens& tokens, std::uint32_t baseRow,
                                  std::uint32_t baseColumn, bool listSource,
                                  CXlsFormulaTokens& out) {
    std::vector<std::uint8_t> bytes(tokens.Tokens().begin(), tokens.Tokens().end());
    std::vector<std::size_t> offsets;
    if (!tokens.Extra().empty() || !CXlsFormulaTokenWalker::Offsets(bytes, offsets)) return false;
    for (const std::size_t at : offsets) {
        const std::uint8_t base = BaseId(bytes[at]);
        if (IsOtherSheet(base)) return false;
        const bool cell = base == kPtgRef;
        if (!cell && base != kPtgArea) continue;
        // A reference with every part behind "$" stays a ptgRef or ptgArea,
        // as the spreadsheet writes it.
        const std::size_t firstField = at + (cell ? 3 : 5);
        const std::uint16_t flags = GetU16(bytes, firstField) | (cell ? 0 : GetU16(bytes, at + 7));
        if (!(flags & (kRowRelative | kColumnRelative))) continue;
        MakeRelative(bytes, at + 1, firstField, baseRow, baseColumn);
        if (!cell) MakeRelative(bytes, at + 3, at + 7, baseRow, baseColumn);
        bytes[at] = static_cast<std::uint8_t>(bytes[at] + kToRelativeForm);
    }
    if (listSource && offsets.size() == 1) {
        const std::uint8_t base = BaseId(bytes[0]);
        if (base == kPtgRef || base == kPtgArea || base == kPtgRefN || base == kPtgAreaN ||
            base == kPtgName)
            bytes[0] = static_cast<std::uint8_t>((bytes[0] & ~kClassMask) | kClassReference);
    }
    out = CXlsFormulaTokens(bytes);
    return true;
}
