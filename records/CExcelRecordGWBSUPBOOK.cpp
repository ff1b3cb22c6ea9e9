#include "records/CExcelRecordGWBSUPBOOK.h"

#include <algorithm>
#include <utility>

#include "records/RecordLayout.h"

CExcelRecordGWBSUPBOOK::CExcelRecordGWBSUPBOOK(const std::uint8_t* payload, std::uint32_t n,
                                               std::vector<std::uint32_t> continueStarts)
    : m_continueStarts(std::move(continueStarts)) {
    if (payload && n) m_payload.assign(payload, payload + n);
    ReadNames();
}

std::uint16_t CExcelRecordGWBSUPBOOK::GetSheetCount() const {
    if (m_payload.size() < 2) return 0;
    return static_cast<std::uint16_t>(m_payload[0] | (m_payload[1] << 8));
}

bool CExcelRecordGWBSUPBOOK::IsAddIn() const {
    return m_payload.size() >= 4 &&
           std::equal(std::begin(biff8::kSupBookAddInPayload),
                      std::end(biff8::kSupBookAddInPayload), m_payload.begin());
}

bool CExcelRecordGWBSUPBOOK::IsSelf() const {
    if (m_payload.size() < 4 || IsAddIn() || GetSheetCount() == 0) return false;
    return m_payload[2] == biff8::kSupBookSelfMarker[0] &&
           m_payload[3] == biff8::kSupBookSelfMarker[1];
}

CExcelRecordGWBSUPBOOK::EKind CExcelRecordGWBSUPBOOK::GetKind() const {
    if (IsAddIn()) return KindAddIn;
    if (IsSelf()) return KindSelf;
    if (m_fileName == biff8::kSupBookUnusedName) return KindUnused;
    if (m_fileName == std::u16string(1, u'\0')) return KindSameSheet;
    return KindOther;
}

std::u16string CExcelRecordGWBSUPBOOK::GetSheetName(std::uint32_t index) const {
    return index < m_sheetNames.size() ? m_sheetNames[index] : std::u16string();
}

bool CExcelRecordGWBSUPBOOK::ReadCharacters(std::uint32_t& at, std::uint32_t count,
                                            std::u16string& text) const {
    const std::uint32_t size = static_cast<std::uint32_t>(m_payload.size());
    if (at >= size) return false;
    bool wide = (m_payload[at] & biff8::kStringWide) != 0;
    std::uint32_t k = at + 1;
    // A CONTINUE that starts at the string's own option byte split the
    // record before the string: that byte is the string's.
    auto next = std::upper_bound(m_continueStarts.begin(), m_continueStarts.end(), at);
    std::u16string read;
    for (std::uint32_t c = 0; c < count; ++c) {
        // A damaged start inside a 16-bit character is passed over.
        while (next != m_continueStarts.end() && *next < k) ++next;
        if (next != m_continueStarts.end() && *next == k) {
            if (k >= size) return false;
            wide = (m_payload[k] & biff8::kStringWide) != 0;
            ++k;
            ++next;
        }
        const std::uint32_t width = wide ? 2 : 1;
        if (size - k < width) return false;
        read.push_back(wide ? static_cast<char16_t>(m_payload[k] | (m_payload[k + 1] << 8))
                            : static_cast<char16_t>(m_payload[k]));
        k += width;
    }
    text = std::move(read);
    at = k;
    return true;
}

void CExcelRecordGWBSUPBOOK::ReadNames() {
    if (m_payload.size() < biff8::kSupBookFileName || IsAddIn() || IsSelf()) return;
    const std::uint32_t size = static_cast<std::uint32_t>(m_payload.size());
    std::uint32_t at = biff8::kSupBookFileName;
    const std::uint32_t count = m_payload[2] | (m_payload[3] << 8);
    if (!ReadCharacters(at, count, m_fileName)) return;
    // The sheet count is untrusted: each name takes at least three bytes,
    // so the loop ends with the payload whatever the count says.
    for (std::uint32_t k = 0; k < GetSheetCount() && at + 2 <= size; ++k) {
        const std::uint32_t length = m_payload[at] | (m_payload[at + 1] << 8);
        at += 2;
        std::u16string name;
        if (!ReadCharacters(at, length, name)) return;
        m_sheetNames.push_back(std::move(name));
    }
}
