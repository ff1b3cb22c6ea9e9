#include "server/CXlsLinkTable.h"

#include <algorithm>
#include <optional>

#include "server/CXlsSheetName.h"
#include "server/CXlsVirtualPath.h"
#include "server/XlsRecordLayout.h"

namespace {

using Entry = CXlsExternSheetTable::Entry;

// ptgNameX counts EXTERNNAMEs in 16 bits, from 1; an EXTERNNAME holds at
// most 255 characters.
constexpr std::size_t kMaxAddIns = 0xFFFF;
constexpr std::size_t kMaxNameLength = 0xFF;
// The sheet part the formula text gives a gone sheet of another workbook.
constexpr std::u16string_view kDeletedOtherSheet = u"#REF";

}  // namespace

int CXlsLinkTable::ThisWorkbook(std::uint32_t firstSheetId, std::uint32_t lastSheetId) {
    return m_externSheets.Register(firstSheetId, lastSheetId);
}

int CXlsLinkTable::AddInFunction(std::u16string_view name, std::uint16_t& nameIndex) {
    auto it = std::find_if(m_addIns.begin(), m_addIns.end(), [&](const std::u16string& known) {
        return CXlsSheetName::SameName(known, name);
    });
    if (it == m_addIns.end()) {
        if (name.empty() || name.size() > kMaxNameLength || m_addIns.size() >= kMaxAddIns) {
            return -1;
        }
        m_addIns.emplace_back(name);
        it = m_addIns.end() - 1;
    }
    nameIndex = static_cast<std::uint16_t>(it - m_addIns.begin() + 1);
    return m_externSheets.Register(Entry{CXlsExternSheetTable::kAddIns,
                                         CXlsExternSheetTable::kNoSheet,
                                         CXlsExternSheetTable::kNoSheet});
}

int CXlsLinkTable::Book(std::u16string_view path) {
    for (std::size_t i = 0; i < m_books.size(); ++i) {
        if (CXlsSheetName::SameName(m_books[i].Path(), path)) return static_cast<int>(i);
    }
    std::optional<std::u16string> encoded = CXlsVirtualPath::Encode(path);
    // Each book comes with an EXTERNSHEET entry, so the entry limit bounds
    // the books too.
    if (!encoded || m_books.size() >= xlsw::kMaxExternSheetEntries) return -1;
    m_books.emplace_back(std::u16string(path), std::move(*encoded));
    return static_cast<int>(m_books.size() - 1);
}

void CXlsLinkTable::Touch(std::size_t book) {
    if (!m_inTrial || book >= m_markBooks) return;
    for (const Touched& touched : m_touched) {
        if (touched.book == book) return;
    }
    m_touched.push_back({book, m_books[book].Sheets().size(), m_books[book].Names().size()});
}

int CXlsLinkTable::OtherSheets(std::u16string_view path, std::u16string_view first,
                               std::u16string_view last) {
    const int book = Book(path);
    if (book < 0) return -1;
    Touch(static_cast<std::size_t>(book));
    CXlsExternalBook& other = m_books[static_cast<std::size_t>(book)];
    // '[book.xls]#REF'! is a sheet of that workbook that is gone: no name
    // in its sheet list.
    if (first == kDeletedOtherSheet && last == kDeletedOtherSheet) {
        return m_externSheets.Register(Entry{static_cast<std::uint32_t>(book),
                                             CXlsExternSheetTable::kOtherDeletedSheet,
                                             CXlsExternSheetTable::kOtherDeletedSheet});
    }
    const int firstSheet = other.SheetIndex(first);
    const int lastSheet = firstSheet < 0 ? -1 : other.SheetIndex(last);
    if (lastSheet < 0) return -1;
    return m_externSheets.Register(Entry{static_cast<std::uint32_t>(book),
                                         static_cast<std::uint32_t>(firstSheet),
                                         static_cast<std::uint32_t>(lastSheet)});
}

int CXlsLinkTable::OtherName(std::u16string_view path, std::u16string_view sheet,
                             std::u16string_view name, std::uint16_t& nameIndex) {
    const int book = Book(path);
    if (book < 0) return -1;
    Touch(static_cast<std::size_t>(book));
    CXlsExternalBook& other = m_books[static_cast<std::size_t>(book)];
    std::uint32_t position = CXlsExternSheetTable::kNoSheet;
    if (!sheet.empty()) {
        const int found = other.SheetIndex(sheet);
        if (found < 0) return -1;
        position = static_cast<std::uint32_t>(found);
    }
    const int index = other.NameIndex(name, position);
    if (index < 0) return -1;
    nameIndex = static_cast<std::uint16_t>(index + 1);
    return m_externSheets.Register(Entry{static_cast<std::uint32_t>(book), position, position});
}

void CXlsLinkTable::BeginTrial() {
    m_inTrial = true;
    m_markEntries = m_externSheets.Entries().size();
    m_markAddIns = m_addIns.size();
    m_markBooks = m_books.size();
    m_touched.clear();
}

void CXlsLinkTable::EndTrial(bool keep) {
    if (m_inTrial && !keep) {
        m_externSheets.Truncate(m_markEntries);
        m_addIns.resize(std::min(m_addIns.size(), m_markAddIns));
        m_books.erase(m_books.begin() + static_cast<std::ptrdiff_t>(m_markBooks), m_books.end());
        for (const Touched& touched : m_touched) {
            m_books[touched.book].Truncate(touched.sheets, touched.names);
        }
    }
    m_inTrial = false;
    m_touched.clear();
}
