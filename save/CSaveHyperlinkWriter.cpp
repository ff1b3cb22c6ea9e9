#include "save/CSaveHyperlinkWriter.h"

#include <algorithm>
#include <string>

#include "model/CExcelWorkSheet.h"
#include "platform/SaveStopCheck.h"
#include "records/CExcelRecordHLINK.h"
#include "save/CSaveProgress.h"
#include "save/CXLEzAutomation.h"

namespace {

// The last column a worksheet has (IV, 0-based).
constexpr std::uint32_t kLastColumn = 255;

std::int32_t OneBased(std::uint32_t position) {
    return static_cast<std::int32_t>(position) + 1;
}

}  // namespace

CSaveHyperlinkWriter::CSaveHyperlinkWriter(CXLEzAutomation& automation,
                                           const CExcelWorkSheet& worksheet,
                                           CSaveProgress& progress)
    : m_automation(automation), m_worksheet(worksheet), m_progress(progress) {}

bool CSaveHyperlinkWriter::Write() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordHLINK& link : m_worksheet.GetHyperlinks()) {
        if (SaveStopCheck()) return false;
        m_progress.Step();
        const std::uint32_t firstColumn = link.GetFirstColumn();
        const std::uint32_t lastColumn = std::min<std::uint32_t>(link.GetLastColumn(), kLastColumn);
        if (firstColumn > lastColumn || link.GetFirstRow() > link.GetLastRow()) continue;
        const std::int32_t row = OneBased(link.GetFirstRow());
        const std::int32_t column = OneBased(firstColumn);

        std::u16string shown;
        const bool keepsDescription = !link.GetDescription().empty() &&
                                      m_automation.ReadCellText(column, row, shown) &&
                                      shown == link.GetDescription();
        m_automation.AddHyperlink(column, row, OneBased(lastColumn), OneBased(link.GetLastRow()),
                                  link.GetAddress(), link.GetLocation(), link.GetToolTip(),
                                  keepsDescription ? link.GetDescription() : std::u16string());
    }
    return true;
}
