#include "repair/CRepairReportBuilder.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

#include "format/CExcelFormatText.h"
#include "formula/CExcelFormulaFill.h"
#include "formula/CExcelFormulaParser.h"
#include "formula/CExcelFormulaUnsound.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/CRefusedCalls.h"
#include "platform/TextConversion.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordBLANK.h"
#include "records/CExcelRecordMULBLANK.h"
#include "records/CExcelRecordWBXF.h"
#include "repair/CBoundSheetOrder.h"
#include "repair/CExtractionDoubt.h"
#include "repair/CRecoveredCells.h"
#include "repair/CRepairTrace.h"
#include "repair/CSourceFileKind.h"
#include "repair/ErrorBitNames.h"

namespace {

// The last column a saved sheet holds (IV); cells past it are not saved.
constexpr std::uint16_t kLastColumn = 255;

std::vector<std::string> SplitNames(const std::string& joined) {
    std::vector<std::string> names;
    if (joined == "none") return names;
    std::size_t at = 0;
    while (at <= joined.size()) {
        const std::size_t bar = std::min(joined.find('|', at), joined.size());
        if (bar > at) names.push_back(joined.substr(at, bar - at));
        at = bar + 1;
    }
    return names;
}

// Why a formula record is saved as its cached value; empty when it is saved
// as a formula (or is a cell of an array, which its host writes).
std::string FallbackReason(const CExcelRecordFormula& record, const CExcelWorkBook& book,
                           const CExcelWorkSheet& sheet) {
    if (record.GetRole(&book, &sheet) == EFormulaRole::kArrayMember) return {};
    if (!record.HasFormulaText(&book, &sheet)) return "no formula text";
    if (record.IsFormulaSound(&book, &sheet)) return {};
    // Decoded again for the cause; only unsound records pay for it.
    const CByteBuffer& data = record.GetFormulaData();
    CExcelFormulaParser parser;
    parser.Decode(data.Data(), data.DataLength(), record.GetRow(), record.GetColumn(), &book,
                  &sheet, record.GetSharedFormulaRecord(), record.GetArrayRecord());
    const std::string reason = CExcelFormulaUnsound::Text(parser.UnsoundReason());
    return reason.empty() ? "formula not decoded faithfully" : reason;
}

// Per XF record: whether its FONT and its number format are missing.
struct XfShortfall {
    bool font = false;
    bool numberFormat = false;
};

class FormatCheck {
public:
    explicit FormatCheck(const CExcelWorkBook& book) {
        for (const CExcelRecordWBXF* xf = book.GetXFs().GetHead(); xf; xf = xf->GetNext()) {
            XfShortfall entry;
            entry.font =
                CExcelGlobalLookup::GetFont(book.GetFonts(), xf->GetFontIndex()) == nullptr;
            entry.numberFormat = CExcelFormatText::Lookup(book, xf->GetFormatIndex()).empty();
            m_xfs.push_back(entry);
        }
    }

    void Count(std::uint16_t xfIndex, CReportFormatShortfall& out) const {
        if (xfIndex >= m_xfs.size()) {
            ++out.cellsWithoutXf;
            return;
        }
        if (m_xfs[xfIndex].font) ++out.cellsWithoutFont;
        if (m_xfs[xfIndex].numberFormat) ++out.cellsWithoutNumberFormat;
    }

private:
    std::vector<XfShortfall> m_xfs;
};

void CountCell(CReportSheet& sheet, const CRecoveredCell& cell) {
    if (cell.IsFormula()) ++sheet.formulas;
    switch (cell.m_kind) {
        case ERecoveredValue::Number:
            ++sheet.numbers;
            break;
        case ERecoveredValue::Text:
            ++sheet.texts;
            if (cell.m_brokenText) sheet.brokenTexts.push_back({cell.m_row, cell.m_column});
            break;
        case ERecoveredValue::Boolean:
            ++sheet.booleans;
            break;
        case ERecoveredValue::Error:
            ++sheet.errors;
            break;
        case ERecoveredValue::Empty:
            ++sheet.empty;
            break;
        case ERecoveredValue::Lost:
            sheet.lostStrings.push_back({cell.m_row, cell.m_column});
            return;
    }
    if (!sheet.first) {
        sheet.first = CReportCell{cell.m_row, cell.m_column};
        sheet.last = sheet.first;
    }
    // Cells come by row: the first row is the first cell's.
    sheet.first->column = std::min(sheet.first->column, cell.m_column);
    sheet.last->row = std::max(sheet.last->row, cell.m_row);
    sheet.last->column = std::max(sheet.last->column, cell.m_column);
}

CReportSheet BuildSheet(const CExcelWorkBook& book, const CExcelWorkSheet& sheet,
                        const FormatCheck& formats, CReportFormatShortfall& shortfall) {
    CReportSheet out;
    out.name = sheet.GetName();
    out.brokenName = CountUnpairedSurrogates(out.name) > 0;
    CRecoveredCells::ForEachCell(book, sheet, [&](const CRecoveredCell& cell) {
        if (cell.m_column > kLastColumn) return;
        CountCell(out, cell);
        formats.Count(cell.m_xfIndex, shortfall);
    });
    // A record that fills a sound one down, in its column, is sound as well
    // and is not decoded: a column of one formula costs one decode.
    std::vector<const CExcelRecordFormula*> soundAbove(kLastColumn + 1, nullptr);
    for (const CExcelRecordFormula& record : sheet.GetFormulas()) {
        if (record.GetColumn() > kLastColumn) continue;
        const CExcelRecordFormula*& above = soundAbove[record.GetColumn()];
        if (above && CExcelFormulaFill::ContinuesDown(*above, record, &book, &sheet)) {
            above = &record;
            continue;
        }
        std::string reason = FallbackReason(record, book, sheet);
        above = reason.empty() ? &record : nullptr;
        if (!reason.empty())
            out.formulasAsValues.push_back(
                {{record.GetRow(), record.GetColumn()}, std::move(reason)});
    }
    for (const CExcelRecordBLANK& blank : sheet.GetBlanks())
        if (blank.GetColumn() <= kLastColumn) formats.Count(blank.GetXFIndex(), shortfall);
    for (const CExcelRecordMULBLANK& run : sheet.GetMulBlanks()) {
        // Row, first column, one XF per cell, last column: the XFs are the
        // words between the first four bytes and the last two.
        const std::uint32_t length = std::min(run.GetLength(), run.GetPayload().DataLength());
        for (std::uint32_t at = 4; length >= 6 && at + 2 <= length - 2; at += 2)
            formats.Count(run.GetPayload().ReadU16(at), shortfall);
    }
    return out;
}

const char* DamageReason(ESkipReason kind) {
    switch (kind) {
        case ESkipReason::ZeroedBytes:
            return "zeroed bytes";
        case ESkipReason::OversizedRecord:
            return "record header with an impossible length";
        case ESkipReason::UnsoundStrings:
            return "shared strings that could not be read soundly";
        case ESkipReason::UnreadableBytes:
            break;
    }
    return "bytes the file would not give";
}

// The damage log's ranges, each with the sheet its records belong to.
void AddDamage(CRepairReport& report, const CExcelData& data) {
    report.damageReported = data.GetDamageLog().GetReported();
    for (const CDamagedRange& range : data.GetDamageLog().GetRanges()) {
        CReportDamage damage;
        damage.begin = range.begin;
        damage.end = range.end;
        damage.reason = DamageReason(range.kind);
        damage.rowBefore = range.rowBefore;
        damage.rowAfter = range.rowAfter;
        damage.globals = range.globals;
        std::size_t book = 0;
        for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
            std::size_t index = 0;
            for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
                if (!range.globals && sheet.GetStart() == range.substream &&
                    book < report.workbooks.size() &&
                    index < report.workbooks[book].sheets.size()) {
                    damage.sheetPosition = report.workbooks[book].sheets[index].position;
                    damage.sheetName = sheet.GetName();
                }
                ++index;
            }
            ++book;
        }
        report.damage.push_back(std::move(damage));
    }
}

void SettleVerdict(CRepairReport& report, bool repaired) {
    if (!repaired) {
        report.outcome = EReportOutcome::Failed;
        return;
    }
    std::vector<std::string> lost;
    const auto note = [&lost](std::uint64_t count, const char* one, const char* many) {
        if (count > 0) lost.push_back(std::to_string(count) + " " + (count == 1 ? one : many));
    };
    note(report.LostStringCells(), "cell whose shared string is lost",
         "cells whose shared string is lost");
    note(report.FormulasAsValues(), "formula kept as its value", "formulas kept as their values");
    note(report.CellsWithoutFormat(), "cell without its format", "cells without their format");
    note(report.UnnamedSheets(), "sheet without its name", "sheets without their name");
    note(report.BrokenTextCells(), "cell whose text had broken characters",
         "cells whose text had broken characters");
    note(report.SheetsWithBrokenName(), "sheet whose name had broken characters",
         "sheets whose name had broken characters");
    note(report.damageReported, "damaged range skipped", "damaged ranges skipped");
    note(report.refusedCalls, "call refused by the spreadsheet server",
         "calls refused by the spreadsheet server");
    if (lost.empty() && report.compoundErrors.empty() && report.copyDoubt.empty()) {
        report.outcome = EReportOutcome::Complete;
        report.reason.clear();
        return;
    }
    report.outcome = EReportOutcome::Partial;
    report.reason.clear();
    for (const std::string& item : lost)
        report.reason += (report.reason.empty() ? "" : ", ") + item;
    if (report.reason.empty()) report.reason = "the file was damaged; nothing known lost";
}

}  // namespace

CRepairReport CRepairReportBuilder::Build(const CExcelData& data, const CRepairTrace& trace,
                                          bool repaired) {
    CRepairReport report;
    report.source = data.GetSourcePath();
    std::error_code ec;
    const auto size = std::filesystem::file_size(report.source, ec);
    report.sourceSize = ec ? 0 : static_cast<std::uint64_t>(size);
    report.compoundErrors = SplitNames(ParseErrorNames(trace.m_parseError));
    if (!(trace.m_structureFlags == StructAll && trace.m_parseError != 0))
        report.headerConditionsFailed = SplitNames(StructureFlagNames(trace.m_structureFlags));
    report.scannedExtractedStream = trace.m_scannedExtractedCopy;
    report.translatedOlderRecords = trace.m_translatedOlderRecords;
    report.reassembledFrom = trace.m_reassembledFrom;
    if (trace.m_copyDoubt != EExtractionDoubt::None)
        report.copyDoubt = CExtractionDoubt::Describe(trace.m_copyDoubt);
    const CStreamDamage& sectors = trace.m_streamDamage;
    report.skippedSectors = sectors.skippedSectors;
    report.skippedSectorsTotal = sectors.skippedSectorsTotal;
    report.skippedMiniSectors = sectors.skippedMiniSectors;
    report.skippedMiniSectorsTotal = sectors.skippedMiniSectorsTotal;
    if (sectors.chainCut != CutNone)
        report.chainCut = CReportChainCut{sectors.chainCutSector, sectors.chainCutInMini,
                                          ChainCutName(sectors.chainCut)};

    if (!repaired) {
        // A repair that ended for another reason (a stop, an unreadable
        // file) tells nothing about the file's kind.
        report.kind = CSourceFileKind::Name(trace.m_nothingRecovered ? trace.m_failureKind
                                                                     : ESourceKind::Unrecognised);
        report.reason = trace.m_nothingRecovered
                            ? ToUtf8(CSourceFileKind::Message(trace.m_failureKind))
                            : "the repair did not complete";
        SettleVerdict(report, false);
        return report;
    }

    report.kind = "workbook";
    for (const CExcelWorkBook& book : data.GetWorkbooks()) {
        CReportWorkbook workbook;
        workbook.encrypted = book.IsEncrypted();
        workbook.date1904 = book.IsDate1904();
        CBoundSheetOrder order;
        order.Read(data.GetScanPath(), book);
        const std::vector<std::uint32_t> placed = order.PlaceSheets(book);
        const FormatCheck formats(book);
        std::size_t index = 0;
        for (const CExcelWorkSheet& sheet : book.GetWorksheets()) {
            CReportSheet out = BuildSheet(book, sheet, formats, workbook.formats);
            out.position =
                index < placed.size() ? placed[index] : static_cast<std::uint32_t>(index);
            ++index;
            workbook.sheets.push_back(std::move(out));
        }
        report.workbooks.push_back(std::move(workbook));
    }
    AddDamage(report, data);
    SettleVerdict(report, true);
    return report;
}

void CRepairReportBuilder::AddSave(CRepairReport& report, const std::filesystem::path& destination,
                                   bool saved, const CRefusedCalls& refused) {
    report.destination = destination;
    report.saved = saved;
    report.refusedCalls = refused.GetCount();
    for (const CRefusedCalls::Kind& kind : refused.GetKinds())
        report.refused.push_back({ToUtf8(kind.text), kind.count});
    // A refused call left something out of the saved workbook.
    if (saved && report.outcome != EReportOutcome::Failed) SettleVerdict(report, true);
    if (!saved && report.outcome != EReportOutcome::Failed) {
        report.outcome = EReportOutcome::Failed;
        report.reason = "the repaired workbook could not be saved";
    }
}
