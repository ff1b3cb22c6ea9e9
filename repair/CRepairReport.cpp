#include "repair/CRepairReport.h"

namespace {

template <class Count>
std::uint64_t OverSheets(const CRepairReport& report, Count count) {
    std::uint64_t total = 0;
    for (const CReportWorkbook& workbook : report.workbooks)
        for (const CReportSheet& sheet : workbook.sheets) total += count(sheet);
    return total;
}

}  // namespace

std::uint64_t CRepairReport::LostStringCells() const {
    return OverSheets(*this, [](const CReportSheet& s) { return s.lostStrings.size(); });
}

std::uint64_t CRepairReport::FormulasAsValues() const {
    return OverSheets(*this, [](const CReportSheet& s) { return s.formulasAsValues.size(); });
}

std::uint64_t CRepairReport::UnnamedSheets() const {
    return OverSheets(*this, [](const CReportSheet& s) { return s.name.empty() ? 1u : 0u; });
}

std::uint64_t CRepairReport::BrokenTextCells() const {
    return OverSheets(*this, [](const CReportSheet& s) { return s.brokenTexts.size(); });
}

std::uint64_t CRepairReport::SheetsWithBrokenName() const {
    return OverSheets(*this, [](const CReportSheet& s) { return s.brokenName ? 1u : 0u; });
}

std::uint64_t CRepairReport::RecoveredCells() const {
    return OverSheets(*this, [](const CReportSheet& s) { return s.Cells(); });
}

std::uint64_t CRepairReport::CellsWithoutFormat() const {
    std::uint64_t total = 0;
    for (const CReportWorkbook& workbook : workbooks) total += workbook.formats.Total();
    return total;
}
