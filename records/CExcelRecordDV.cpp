#include "records/CExcelRecordDV.h"

#include <limits>

#include "biff/BiffRecordIds.h"
#include "biff/IExcelStreamReader.h"
#include "records/CExcelByteCursor.h"
#include "records/CExcelSheetRecords.h"

namespace {

constexpr std::uint32_t kTypeMask = 0x0000000F;
constexpr unsigned kErrorStyleShift = 4;
constexpr std::uint32_t kErrorStyleMask = 0x7;
constexpr std::uint32_t kLiteralList = 1u << 7;
constexpr std::uint32_t kAllowBlank = 1u << 8;
constexpr std::uint32_t kHideDropDown = 1u << 9;
constexpr std::uint32_t kShowPrompt = 1u << 18;
constexpr std::uint32_t kShowError = 1u << 19;
constexpr unsigned kOperatorShift = 20;
constexpr std::uint32_t kOperatorMask = 0xF;

constexpr std::uint32_t kLastType = 7;
constexpr std::uint32_t kLastErrorStyle = 2;
constexpr std::uint32_t kLastOperator = 7;

constexpr std::uint8_t kPtgStr = 0x17;
constexpr std::uint8_t kStringWide = 0x01;

// A unicode string with a 16-bit count; an empty one is stored as a single
// zero character, which the cut at the first zero takes away.
std::u16string UnicodeString(CExcelByteCursor& cursor) {
    const std::uint16_t count = cursor.U16();
    const bool wide = cursor.U8() & kStringWide;
    return wide ? cursor.Utf16(count) : cursor.Latin1(count);
}

}  // namespace

std::unique_ptr<CExcelRecordDV> CExcelRecordDV::Decode(const std::uint8_t* payload,
                                                       std::uint32_t n) {
    CExcelByteCursor cursor(payload, n);
    const std::uint32_t flags = cursor.U32();
    auto dv = std::make_unique<CExcelRecordDV>();
    dv->m_type = flags & kTypeMask;
    dv->m_errorStyle = (flags >> kErrorStyleShift) & kErrorStyleMask;
    dv->m_operator = (flags >> kOperatorShift) & kOperatorMask;
    dv->m_literalList = flags & kLiteralList;
    dv->m_allowBlank = flags & kAllowBlank;
    dv->m_hideDropDown = flags & kHideDropDown;
    dv->m_showPrompt = flags & kShowPrompt;
    dv->m_showError = flags & kShowError;
    if (dv->m_type > kLastType || dv->m_errorStyle > kLastErrorStyle ||
        dv->m_operator > kLastOperator)
        return nullptr;
    for (std::u16string& text : dv->m_texts) text = UnicodeString(cursor);
    for (CExcelStoredFormula& formula : dv->m_formulas) {
        const std::uint16_t length = cursor.U16();
        cursor.Skip(2);  // unused
        if (!cursor.Ok() || !formula.Read(cursor, length)) return nullptr;
    }
    if (!CExcelCellRects::Read(cursor, dv->m_rects) || dv->m_rects.empty()) return nullptr;
    return dv;
}

bool CExcelRecordDV::GetListItems(std::u16string& items) const {
    // ptgStr: the token, a u8 character count, option flags, characters.
    const CExcelStoredFormula& formula = m_formulas[0];
    if (!m_literalList || formula.TokenSize() < 3 || formula.Tokens()[0] != kPtgStr) return false;
    CExcelByteCursor cursor(formula.Tokens() + 1, formula.TokenSize() - 1);
    const std::uint8_t count = cursor.U8();
    const bool wide = cursor.U8() & kStringWide;
    // Zero characters separate the items, so they are read one by one.
    items.clear();
    for (std::uint32_t i = 0; i < count; ++i)
        items.push_back(static_cast<char16_t>(wide ? cursor.U16() : cursor.U8()));
    return cursor.Ok() && cursor.Left() == 0;
}

bool CExcelRecordDV::Read(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                          std::uint32_t position) {
    const std::uint64_t body = std::uint64_t{position} + biff::kRecordHeaderSize;
    if (size > biff::kMaxBodyLength || body > std::numeric_limits<std::uint32_t>::max())
        return false;
    std::vector<std::uint8_t> payload(size);
    if (!reader.Read(size, static_cast<std::uint32_t>(body), payload.data())) return false;
    std::unique_ptr<CExcelRecordDV> dv = Decode(payload.data(), size);
    if (!dv) return false;
    sheet.GetValidations().Add(dv.release());
    return true;
}
