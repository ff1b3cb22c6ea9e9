#include "server/CXlsExternalBook.h"

#include "server/CBiffRecordBuilder.h"
#include "server/CXlsSheetName.h"
#include "server/XlsRecordLayout.h"

namespace {

// A long form string: count u16, option byte, characters.
std::size_t LongStringSize(std::u16string_view text) {
    return 3 + text.size() * (CBiffRecordBuilder::FitsEightBit(text) ? 1 : 2);
}

// ptgNameX counts names in 16 bits, from 1.
constexpr std::size_t kMaxNames = 0xFFFF;

}  // namespace

CXlsExternalBook::CXlsExternalBook(std::u16string path, std::u16string encodedPath)
    : m_path(std::move(path)),
      m_encodedPath(std::move(encodedPath)),
      m_recordSize(xlsw::kSupBookCountSize + LongStringSize(m_encodedPath)) {}

int CXlsExternalBook::SheetIndex(std::u16string_view name) {
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        if (CXlsSheetName::SameName(m_sheets[i], name)) return static_cast<int>(i);
    }
    // The record size also keeps positions far below 0xFFFE, which EXTERNSHEET
    // entries reserve.
    const std::size_t size = m_recordSize + LongStringSize(name);
    if (name.empty() || size > xlsw::kMaxRecordBody) return -1;
    m_recordSize = size;
    m_sheets.emplace_back(name);
    return static_cast<int>(m_sheets.size() - 1);
}

int CXlsExternalBook::NameIndex(std::u16string_view text, std::uint32_t sheet) {
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i].sheet == sheet && CXlsSheetName::SameName(m_names[i].text, text)) {
            return static_cast<int>(i);
        }
    }
    if (text.empty() || text.size() > 0xFF || m_names.size() >= kMaxNames) return -1;
    m_names.push_back({std::u16string(text), sheet});
    return static_cast<int>(m_names.size() - 1);
}

void CXlsExternalBook::Truncate(std::size_t sheets, std::size_t names) {
    while (m_sheets.size() > sheets) {
        m_recordSize -= LongStringSize(m_sheets.back());
        m_sheets.pop_back();
    }
    if (names < m_names.size()) m_names.resize(names);
}
