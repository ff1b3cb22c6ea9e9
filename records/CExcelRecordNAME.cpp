#include "records/CExcelRecordNAME.h"

#include <cstdint>
#include <iterator>

#include "records/RecordLayout.h"

namespace {

constexpr std::uint32_t kOptions = 0;
constexpr std::uint32_t kNameLength = 3;
constexpr std::uint32_t kFormulaLength = 4;
constexpr std::uint32_t kSheetIndex = 8;
constexpr std::uint32_t kStringFlags = 14;
constexpr std::uint32_t kFirstCharacter = 15;

// Built-in names by code, as the spreadsheet shows them.
constexpr const char16_t* kBuiltInNames[] = {
    u"Consolidate_Area",  // 0x00
    u"Auto_Open",         // 0x01
    u"Auto_Close",        // 0x02
    u"Extract",           // 0x03
    u"Database",          // 0x04
    u"Criteria",          // 0x05
    u"Print_Area",        // 0x06
    u"Print_Titles",      // 0x07
    u"Recorder",          // 0x08
    u"Data_Form",         // 0x09
    u"Auto_Activate",     // 0x0A
    u"Auto_Deactivate",   // 0x0B
    u"Sheet_Title",       // 0x0C
    u"_FilterDatabase",   // 0x0D
};

}  // namespace

CExcelRecordNAME::CExcelRecordNAME(const std::uint8_t* payload, std::uint32_t n)
    : m_payload(payload, n) {
    const std::uint32_t length = m_payload.DataLength();
    const bool wide = (m_payload.ReadU8(kStringFlags) & biff8::kStringWide) != 0;
    const std::uint32_t width = wide ? 2 : 1;
    const std::uint32_t count = m_payload.ReadU8(kNameLength);

    // The name's characters end where the record ends, whatever its length
    // byte says; the formula then starts past the end and is empty.
    std::uint32_t at = kFirstCharacter;
    for (std::uint32_t i = 0; i < count && at + width <= length; ++i, at += width) {
        m_name.push_back(wide ? static_cast<char16_t>(m_payload.ReadU16(at))
                              : static_cast<char16_t>(m_payload.ReadU8(at)));
    }
    const std::uint32_t formulaStart = kFirstCharacter + count * width;
    const std::uint32_t present = formulaStart < length ? length - formulaStart : 0;
    const std::uint32_t declared = GetDeclaredFormulaLength();
    const std::uint32_t kept = declared < present ? declared : present;
    m_formula.Assign(kept ? m_payload.Data() + formulaStart : nullptr, kept);
    const std::uint32_t extra = present - kept;
    m_extra.Assign(extra ? m_payload.Data() + formulaStart + kept : nullptr, extra);
}

std::uint16_t CExcelRecordNAME::GetOptionFlags() const {
    return m_payload.ReadU16(kOptions);
}

int CExcelRecordNAME::GetBuiltInCode() const {
    if (!IsBuiltIn() || m_name.empty()) return -1;
    return m_name.front();
}

std::u16string CExcelRecordNAME::GetDisplayName() const {
    if (!IsBuiltIn()) return m_name;
    const int code = GetBuiltInCode();
    if (code < 0 || code >= static_cast<int>(std::size(kBuiltInNames))) return {};
    return kBuiltInNames[code];
}

std::uint16_t CExcelRecordNAME::GetSheetIndex() const {
    return m_payload.ReadU16(kSheetIndex);
}

std::uint16_t CExcelRecordNAME::GetDeclaredFormulaLength() const {
    return m_payload.ReadU16(kFormulaLength);
}
