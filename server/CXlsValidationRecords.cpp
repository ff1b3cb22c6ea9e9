#include "server/CXlsValidationRecords.h"

using namespace xlsw;

namespace {

constexpr std::uint16_t kDVAL = 0x01B2;
constexpr std::uint16_t kDV = 0x01BE;
constexpr std::uint32_t kNoDropDownObject = 0xFFFFFFFF;

// DV flags.
constexpr unsigned kAlertStyleShift = 4;
constexpr std::uint32_t kLiteralList = 1u << 7;
constexpr std::uint32_t kAllowBlank = 1u << 8;
constexpr std::uint32_t kHideDropDown = 1u << 9;
constexpr std::uint32_t kShowPrompt = 1u << 18;
constexpr std::uint32_t kShowError = 1u << 19;
constexpr unsigned kOperatorShift = 20;

void PutText(std::u16string_view text, CBiffRecordBuilder& record) {
    if (text.empty()) {
        record.U16(1).U8(0).U8(0);
    } else {
        record.LongString(text);
    }
}

void PutFormula(const CXlsFormulaTokens& formula, CBiffRecordBuilder& record) {
    const auto tokens = formula.Tokens();
    record.U16(static_cast<std::uint16_t>(tokens.size()))
        .U16(0)
        .Bytes(tokens.data(), tokens.size());
}

std::uint32_t Flags(const CXlsValidation& v) {
    std::uint32_t flags = v.type | (std::uint32_t{v.alertStyle} << kAlertStyleShift) |
                          (std::uint32_t{v.op} << kOperatorShift);
    if (v.literalList) flags |= kLiteralList;
    if (v.ignoreBlank) flags |= kAllowBlank;
    if (!v.inCellDropdown) flags |= kHideDropDown;
    if (v.showInput) flags |= kShowPrompt;
    if (v.showError) flags |= kShowError;
    return flags;
}

}  // namespace

bool CXlsValidationRecords::Write(const std::vector<CXlsValidation>& validations,
                                  CBiffRecordBuilder& record, CBiffRecordWriter& out) {
    if (validations.empty()) return true;
    record.Reset(kDVAL);
    record.U16(0)
        .U32(0)
        .U32(0)
        .U32(kNoDropDownObject)
        .U32(static_cast<std::uint32_t>(validations.size()));
    if (!out.Write(record)) return false;
    for (const CXlsValidation& v : validations) {
        record.Reset(kDV);
        record.U32(Flags(v));
        for (const std::u16string* text :
             {&v.inputTitle, &v.errorTitle, &v.inputMessage, &v.errorMessage})
            PutText(*text, record);
        PutFormula(v.formula1, record);
        PutFormula(v.formula2, record);
        record.U16(1)
            .U16(static_cast<std::uint16_t>(v.range.FirstRow()))
            .U16(static_cast<std::uint16_t>(v.range.LastRow()))
            .U16(static_cast<std::uint16_t>(v.range.FirstColumn()))
            .U16(static_cast<std::uint16_t>(v.range.LastColumn()));
        if (!out.Write(record)) return false;
    }
    return true;
}
