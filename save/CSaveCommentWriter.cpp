#include "save/CSaveCommentWriter.h"

#include <cstdint>

#include "model/CExcelWorkSheet.h"
#include "platform/SaveStopCheck.h"
#include "records/CExcelCommentList.h"
#include "records/CExcelRecordNOTE.h"
#include "save/CSaveProgress.h"
#include "save/CXLEzAutomation.h"

namespace {

// The last column a worksheet has (IV, 0-based).
constexpr std::uint32_t kLastColumn = 255;

}  // namespace

CSaveCommentWriter::CSaveCommentWriter(CXLEzAutomation& automation,
                                       const CExcelWorkSheet& worksheet, CSaveProgress& progress)
    : m_automation(automation), m_worksheet(worksheet), m_progress(progress) {}

bool CSaveCommentWriter::Write() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordNOTE& note : m_worksheet.GetComments().GetNotes()) {
        if (SaveStopCheck()) return false;
        m_progress.Step();
        if (note.GetColumn() > kLastColumn) continue;
        m_automation.AddComment(note.GetColumn() + 1, note.GetRow() + 1, note.GetText(),
                                note.GetAuthor(), note.IsShown());
    }
    return true;
}
