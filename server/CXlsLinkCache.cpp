#include "server/CXlsLinkCache.h"

#include "server/CXlsSheetName.h"

namespace {

constexpr std::uint32_t kRows = 65536;
constexpr std::uint32_t kColumns = 256;

}  // namespace

bool CXlsLinkCache::Set(std::u16string_view path, std::u16string_view sheet, std::uint32_t row,
                        std::uint32_t column, CXlsCellValue value) {
    if (row >= kRows || column >= kColumns || value.Kind() == EXlsValueKind::kEmpty ||
        path.empty() || sheet.empty())
        return false;
    Sheet* target = nullptr;
    for (Sheet& known : m_sheets) {
        if (CXlsSheetName::SameName(known.path, path) && CXlsSheetName::SameName(known.name, sheet))
            target = &known;
    }
    const auto key =
        std::make_pair(static_cast<std::uint16_t>(row), static_cast<std::uint8_t>(column));
    if (target != nullptr) {
        auto at = target->cells.find(key);
        if (at != target->cells.end()) {
            at->second = std::move(value);
            return true;
        }
    }
    if (m_cells >= kMaxCells || (target == nullptr && m_sheets.size() >= kMaxSheets)) return false;
    if (target == nullptr)
        target = &m_sheets.emplace_back(Sheet{std::u16string(path), std::u16string(sheet), {}});
    target->cells.emplace(key, std::move(value));
    ++m_cells;
    return true;
}

const CXlsLinkCache::Cells* CXlsLinkCache::Find(std::u16string_view path,
                                                std::u16string_view sheet) const {
    for (const Sheet& known : m_sheets) {
        if (CXlsSheetName::SameName(known.path, path) && CXlsSheetName::SameName(known.name, sheet))
            return &known.cells;
    }
    return nullptr;
}
