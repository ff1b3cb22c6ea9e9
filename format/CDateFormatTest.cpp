#include "format/CDateFormatTest.h"

#include <string>

#include "format/CExcelFormatText.h"
#include "format/CNumberFormat.h"
#include "records/CExcelCellNumberFormat.h"

namespace {

struct IndexRange {
    std::uint32_t first;
    std::uint32_t last;
};

// Built-in indices reserved for East Asian (27-36, 50-58) and Thai (71-81)
// date formats. Their codes depend on the locale the workbook was written
// in, so no code text stands for them; a workbook that wants them spelled
// out writes a FORMAT record, which then decides.
constexpr IndexRange kForeignDateIndices[] = {{27, 36}, {50, 58}, {71, 81}};

}  // namespace

bool CDateFormatTest::IsForeignDateIndex(std::uint32_t formatIndex) {
    for (const IndexRange& range : kForeignDateIndices)
        if (formatIndex >= range.first && formatIndex <= range.last) return true;
    return false;
}

bool CDateFormatTest::IsDateFormat(std::uint32_t formatIndex, std::u16string_view code) {
    if (code.empty()) return IsForeignDateIndex(formatIndex);
    // The format engine already tells date sections from number sections by
    // the same rules it renders with, so the answer agrees with what the
    // preview shows for the cell.
    return CNumberFormat(code).IsDateTime();
}

bool CDateFormatTest::IsDateXF(std::uint32_t xfIndex) {
    const auto cached = m_byXF.find(xfIndex);
    if (cached != m_byXF.end()) return cached->second;
    const std::uint16_t formatIndex = CExcelCellNumberFormat::GetFormatIndex(m_workbook, xfIndex);
    const std::u16string code = CExcelFormatText::Lookup(m_workbook, formatIndex);
    const bool date = IsDateFormat(formatIndex, code);
    m_byXF.emplace(xfIndex, date);
    return date;
}
