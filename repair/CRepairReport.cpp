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

namespace {

// A text's heap block, when it is too long to sit inside the string.
template <class Text>
std::uint64_t TextBytes(const Text& text) {
    const std::uint64_t bytes = text.capacity() * sizeof(typename Text::value_type);
    return bytes > sizeof(Text) ? bytes : 0;
}

}  // namespace

std::uint64_t CRepairReport::ApproximateBytes() const {
    std::uint64_t total = sizeof(CRepairReport) + TextBytes(kind) + TextBytes(copyDoubt) +
                          TextBytes(reason) + TextBytes(source.native());
    for (const std::string& error : compoundErrors) total += sizeof(error) + TextBytes(error);
    total += (skippedSectors.capacity() + skippedMiniSectors.capacity()) * sizeof(std::uint32_t);
    if (chainCut) total += TextBytes(chainCut->reason);
    if (headerConditionsFailed)
        for (const std::string& condition : *headerConditionsFailed)
            total += sizeof(condition) + TextBytes(condition);
    for (const CReportDamage& range : damage)
        total += sizeof(range) + TextBytes(range.reason) + TextBytes(range.sheetName);
    for (const CReportRefusal& refusal : refused)
        total += sizeof(refusal) + TextBytes(refusal.call);
    for (const CReportWorkbook& workbook : workbooks) {
        total += sizeof(workbook);
        for (const CReportSheet& sheet : workbook.sheets) {
            total += sizeof(sheet) + TextBytes(sheet.name);
            total +=
                (sheet.lostStrings.capacity() + sheet.brokenTexts.capacity()) * sizeof(CReportCell);
            for (const CReportFormulaAsValue& formula : sheet.formulasAsValues)
                total += sizeof(formula) + TextBytes(formula.reason);
        }
    }
    return total;
}
