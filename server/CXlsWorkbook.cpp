#include "server/CXlsWorkbook.h"

#include <string>

#include "server/CXlsSheetName.h"

namespace {

std::u16string DefaultName(std::uint32_t number) {
    std::u16string name = u"Sheet";
    for (char c : std::to_string(number)) name.push_back(static_cast<char16_t>(c));
    return name;
}

}  // namespace

CXlsWorksheet* CXlsWorkbook::Sheet(std::size_t position) {
    return position < m_sheets.size() ? m_sheets[position].get() : nullptr;
}

const CXlsWorksheet* CXlsWorkbook::Sheet(std::size_t position) const {
    return position < m_sheets.size() ? m_sheets[position].get() : nullptr;
}

std::size_t CXlsWorkbook::FindSheet(std::u16string_view name) const {
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        if (CXlsSheetName::SameName(m_sheets[i]->Name(), name)) return i;
    }
    return kNotFound;
}

std::size_t CXlsWorkbook::PositionOfId(std::uint32_t sheetId) const {
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i]->Id() == sheetId) return i;
    }
    return kNotFound;
}

CXlsWorksheet* CXlsWorkbook::AddSheet(std::size_t position, std::u16string_view name) {
    if (position > m_sheets.size() || m_sheets.size() >= kMaxSheets) return nullptr;
    if (!CXlsSheetName::IsValid(name) || !NameIsFree(name, nullptr)) return nullptr;
    auto sheet = std::make_unique<CXlsWorksheet>(m_nextSheetId++, std::u16string(name), m_strings,
                                                 m_formats);
    CXlsWorksheet* added = sheet.get();
    m_sheets.insert(m_sheets.begin() + static_cast<std::ptrdiff_t>(position), std::move(sheet));
    // The selection stays on the sheet it was on.
    if (m_sheets.size() > 1 && position <= m_activeSheet) ++m_activeSheet;
    return added;
}

CXlsWorksheet* CXlsWorkbook::AddSheet(std::size_t position) {
    if (position > m_sheets.size() || m_sheets.size() >= kMaxSheets) return nullptr;
    // Renamed sheets may hold "SheetN" names; skip those, as the spreadsheet
    // does. At most SheetCount() numbers can be taken, so this ends.
    std::u16string name;
    do {
        name = DefaultName(++m_defaultNameCounter);
    } while (!NameIsFree(name, nullptr));
    return AddSheet(position, name);
}

bool CXlsWorkbook::RenameSheet(CXlsWorksheet& sheet, std::u16string_view name) {
    if (PositionOf(sheet) == kNotFound) return false;
    if (!CXlsSheetName::IsValid(name) || !NameIsFree(name, &sheet)) return false;
    sheet.SetName(std::u16string(name));
    return true;
}

bool CXlsWorkbook::MoveSheet(std::size_t from, std::size_t to) {
    if (from >= m_sheets.size() || to >= m_sheets.size()) return false;
    const CXlsWorksheet* active = m_sheets[ActiveSheet()].get();
    auto moving = std::move(m_sheets[from]);
    m_sheets.erase(m_sheets.begin() + static_cast<std::ptrdiff_t>(from));
    m_sheets.insert(m_sheets.begin() + static_cast<std::ptrdiff_t>(to), std::move(moving));
    m_activeSheet = PositionOf(*active);
    return true;
}

bool CXlsWorkbook::SetActiveSheet(std::size_t position) {
    if (position >= m_sheets.size()) return false;
    m_activeSheet = position;
    return true;
}

bool CXlsWorkbook::SetSheetVisibility(CXlsWorksheet& sheet, std::uint8_t visibility) {
    const std::size_t position = PositionOf(sheet);
    if (position == kNotFound || visibility > CXlsWorksheet::kVeryHidden) return false;
    if (visibility == CXlsWorksheet::kVisible) {
        sheet.SetVisibility(visibility);
        return true;
    }
    std::size_t next = kNotFound;
    for (std::size_t i = 1; i < m_sheets.size() && next == kNotFound; ++i) {
        const std::size_t candidate = (position + i) % m_sheets.size();
        if (m_sheets[candidate]->Visibility() == CXlsWorksheet::kVisible) next = candidate;
    }
    if (next == kNotFound) return false;
    sheet.SetVisibility(visibility);
    if (ActiveSheet() == position) m_activeSheet = next;
    return true;
}

int CXlsWorkbook::RegisterExternSheet(std::size_t firstPosition, std::size_t lastPosition) {
    if (firstPosition >= m_sheets.size() || lastPosition >= m_sheets.size()) return -1;
    return m_links.ThisWorkbook(m_sheets[firstPosition]->Id(), m_sheets[lastPosition]->Id());
}

bool CXlsWorkbook::NameIsFree(std::u16string_view name, const CXlsWorksheet* except) const {
    for (const auto& sheet : m_sheets) {
        if (sheet.get() != except && CXlsSheetName::SameName(sheet->Name(), name)) return false;
    }
    return true;
}
