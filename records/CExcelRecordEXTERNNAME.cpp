#include "records/CExcelRecordEXTERNNAME.h"

#include "biff/CExcelRawRecordData.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelWorkbookGlobals.h"

namespace {

constexpr std::uint32_t kHeader = 4;
constexpr std::uint32_t kOptions = 0;
constexpr std::uint32_t kSheet = 2;
constexpr std::uint32_t kNameLength = 6;
constexpr std::uint32_t kNameOptions = 7;
constexpr std::uint32_t kNameCharacters = 8;
constexpr std::uint8_t kWideCharacters = 0x01;

}  // namespace

CExcelRecordEXTERNNAME::CExcelRecordEXTERNNAME(const std::uint8_t* payload, std::uint32_t n,
                                               std::uint32_t supBook)
    : m_supBook(supBook) {
    if (payload && n >= kSheet + 2) {
        m_flags = static_cast<std::uint16_t>(payload[kOptions] | (payload[kOptions + 1] << 8));
        m_sheet = static_cast<std::uint16_t>(payload[kSheet] | (payload[kSheet + 1] << 8));
    }
    if (!payload || n <= kNameOptions) return;
    const std::uint32_t count = payload[kNameLength];
    const bool wide = (payload[kNameOptions] & kWideCharacters) != 0;
    const std::uint32_t width = wide ? 2 : 1;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t at = kNameCharacters + i * width;
        if (at + width > n) break;  // cut by the end of the record
        m_name.push_back(wide ? static_cast<char16_t>(payload[at] | (payload[at + 1] << 8))
                              : static_cast<char16_t>(payload[at]));
    }
    m_complete = m_name.size() == count;
}

bool CExcelRecordEXTERNNAME::Read(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook) {
    if (!record.Load()) return false;
    const std::uint32_t size = record.GetSize();
    const std::uint32_t books = workbook.GetSupBooks().GetCount();
    workbook.GetExternNames().Add(new CExcelRecordEXTERNNAME(
        size > kHeader ? record.GetLoadedBytes() + kHeader : nullptr,
        size > kHeader ? size - kHeader : 0, books ? books - 1 : kNoSupBook));
    record.FreeLoaded();
    return true;
}
