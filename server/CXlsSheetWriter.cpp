#include "server/CXlsSheetWriter.h"

#include <algorithm>
#include <cmath>

#include "server/CBiffContinuedRecord.h"
#include "server/CXlsCommentWriter.h"
#include "server/CXlsConditionalFormatRecords.h"
#include "server/CXlsHyperlinkRecord.h"
#include "server/CXlsRkNumber.h"
#include "server/CXlsValidationRecords.h"

using namespace xlsw;

namespace {

// Calculation settings as the spreadsheet writes them: automatic, 100
// iterations at most, A1 references, no iteration, change 0.001, calculate
// before saving; then printing and the sheet defaults.
struct FixedRecord {
    std::uint16_t type;
    std::uint8_t size;
    std::uint8_t body[8];
};

constexpr FixedRecord kPrologue[] = {
    {kCALCMODE, 2, {0x01, 0x00}},
    {kCALCCOUNT, 2, {0x64, 0x00}},
    {kREFMODE, 2, {0x01, 0x00}},
    {kITERATION, 2, {0x00, 0x00}},
    {kDELTA, 8, {0xFC, 0xA9, 0xF1, 0xD2, 0x4D, 0x62, 0x50, 0x3F}},  // 0.001
    {kSAVERECALC, 2, {0x01, 0x00}},
    {kPRINTHEADERS, 2, {0x00, 0x00}},
    {kPRINTGRIDLINES, 2, {0x00, 0x00}},
    {kGRIDSET, 2, {0x01, 0x00}},
    {kGUTS, 8, {0, 0, 0, 0, 0, 0, 0, 0}},
};

constexpr double kDigitPixels = 7.0;    // '0' in Arial 10 at 96 dpi
constexpr double kPaddingPixels = 5.0;  // cell margins and gridline
// Below one character the padding shrinks with the width: a column of
// width w < 1 is w * 12 pixels wide, which meets w * 7 + 5 at w = 1.
constexpr double kNarrowPixelsPerCharacter = kDigitPixels + kPaddingPixels;
// Widths are truncated to whole 1/256 units; the allowance keeps a width
// that came from units (and back through doubles) on its own unit.
constexpr double kUnitAllowance = 1e-6;

constexpr std::uint8_t kNoResult[8] = {kResultEmptyString, 0, 0, 0, 0, 0, 0xFF, 0xFF};

}  // namespace

CXlsSheetWriter::CXlsSheetWriter(const CXlsWorksheet& sheet, const CXlsStyleTable& styles,
                                 const CXlsSstTable& sst, bool selected)
    : m_sheet(sheet), m_styles(styles), m_sst(sst), m_selected(selected) {}

std::uint16_t CXlsSheetWriter::ColumnWidthUnits(double characters) {
    if (!(characters > 0.0)) return 0;
    const double pixels = characters < 1.0 ? characters * kNarrowPixelsPerCharacter
                                           : characters * kDigitPixels + kPaddingPixels;
    const double units = pixels / kDigitPixels * 256.0 + kUnitAllowance;
    return static_cast<std::uint16_t>(std::min(units, 65535.0));
}

bool CXlsSheetWriter::Write(CBiffRecordWriter& out) {
    m_record.Reset(kBOF);
    m_record.U16(kBiff8Version).U16(kBofWorksheet).U16(kBofBuild).U16(kBofYear).U32(0).U32(6);
    if (!out.Write(m_record)) return false;
    for (const FixedRecord& fixed : kPrologue) {
        if (!out.Write(fixed.type, fixed.body, fixed.size)) return false;
    }
    if (!WriteDefaultSizes(out) || !WriteColumns(out) || !WriteStandardWidth(out) ||
        !WriteDimensions(out) || !WriteRows(out))
        return false;
    if (m_drawing && !CXlsCommentWriter(m_sheet, *m_drawing).Write(out)) return false;
    if (!WriteWindow(out) || !WriteMergedCells(out) || !WriteConditionalFormats(out) ||
        !WriteHyperlinks(out) || !WriteValidations(out) || !WriteTabColor(out))
        return false;
    return out.Write(kEOF, nullptr, 0);
}

bool CXlsSheetWriter::WriteDefaultSizes(CBiffRecordWriter& out) {
    std::uint16_t flags = 0;
    std::uint16_t twips = kDefaultRowHeightTwips;
    if (m_sheet.HasStandardHeight()) {
        // DEFAULTROWHEIGHT holds at most 8179 twips, a little less than a
        // ROW record: a taller standard height is written as the tallest.
        twips = std::min<std::uint16_t>(m_sheet.StandardHeightTwips(), kMaxDefaultRowHeightTwips);
        if (twips != kDefaultRowHeightTwips) flags |= kDefaultRowCustom;
        if (twips == 0) flags |= kDefaultRowHidden;
    }
    m_record.Reset(kDEFAULTROWHEIGHT);
    m_record.U16(flags).U16(twips);
    if (!out.Write(m_record)) return false;
    static constexpr std::uint8_t kWsBool[] = {0xC1, 0x04};
    if (!out.Write(kWSBOOL, kWsBool, sizeof kWsBool)) return false;
    // DEFCOLWIDTH holds whole characters; STANDARDWIDTH, after the
    // COLINFO records, the exact width.
    std::uint16_t characters = kDefaultColumnWidthChars;
    if (m_sheet.HasStandardWidth()) {
        characters = static_cast<std::uint16_t>(std::floor(m_sheet.StandardWidth()));
    }
    m_record.Reset(kDEFCOLWIDTH);
    m_record.U16(characters);
    return out.Write(m_record);
}

bool CXlsSheetWriter::WriteStandardWidth(CBiffRecordWriter& out) {
    if (!m_sheet.HasStandardWidth()) return true;
    m_record.Reset(kSTANDARDWIDTH);
    m_record.U16(ColumnWidthUnits(m_sheet.StandardWidth()));
    return out.Write(m_record);
}

std::uint8_t CXlsSheetWriter::ActivePane(const CXlsSheetView& view) {
    if (!view.HasPanes()) return kPaneTopLeft;
    const bool rows = view.frozen ? view.splitRows > 0 : view.splitYTwips > 0;
    const bool columns = view.frozen ? view.splitColumns > 0 : view.splitXTwips > 0;
    if (rows && columns) return kPaneBottomRight;
    return rows ? kPaneBottomLeft : kPaneTopRight;
}

bool CXlsSheetWriter::WriteWindow(CBiffRecordWriter& out) {
    const CXlsSheetView& view = m_sheet.View();
    const bool panes = view.HasPanes();
    std::uint16_t flags = kWindow2Default & ~(kWindow2Gridlines | kWindow2Headings);
    if (view.gridlines) flags |= kWindow2Gridlines;
    if (view.headings) flags |= kWindow2Headings;
    const std::uint16_t gridlineColor =
        CXlsColorIndex::ToBiff(view.gridlineColorIndex, kColorAutoLine);
    if (gridlineColor != kColorAutoLine) flags &= ~kWindow2AutoGridColor;
    if (panes && view.frozen) flags |= kWindow2Frozen | kWindow2FrozenNoSplit;
    if (m_selected) flags |= kWindow2Selected | kWindow2Active;
    const std::uint16_t zoom = view.zoom == 100 ? 0 : view.zoom;
    m_record.Reset(kWINDOW2);
    m_record.U16(flags)
        .U16(static_cast<std::uint16_t>(view.scrollRow))
        .U16(static_cast<std::uint16_t>(view.scrollColumn))
        .U16(gridlineColor)
        .U16(0)
        .U16(0)
        .U16(zoom)
        .U32(0);
    if (!out.Write(m_record)) return false;
    if (zoom != 0) {
        m_record.Reset(kSCL);
        m_record.U16(view.zoom).U16(100);
        if (!out.Write(m_record)) return false;
    }
    const std::uint8_t pane = ActivePane(view);
    if (panes) {
        const std::uint32_t x = view.frozen ? view.splitColumns : view.splitXTwips;
        const std::uint32_t y = view.frozen ? view.splitRows : view.splitYTwips;
        // The bottom and right panes start where the fixed part ends.
        const std::uint32_t top = std::min(view.scrollRow + view.splitRows, kMaxRows - 1);
        const std::uint32_t left = std::min(view.scrollColumn + view.splitColumns, kMaxColumns - 1);
        m_record.Reset(kPANE);
        m_record.U16(static_cast<std::uint16_t>(std::min<std::uint32_t>(x, 0xFFFF)))
            .U16(static_cast<std::uint16_t>(std::min<std::uint32_t>(y, 0xFFFF)))
            .U16(static_cast<std::uint16_t>(top))
            .U16(static_cast<std::uint16_t>(left))
            .U8(pane)
            .U8(0);
        if (!out.Write(m_record)) return false;
    }
    const CXlsCellRange& selection = view.selection;
    m_record.Reset(kSELECTION);
    m_record.U8(pane)
        .U16(static_cast<std::uint16_t>(selection.FirstRow()))
        .U16(static_cast<std::uint16_t>(selection.FirstColumn()))
        .U16(0)
        .U16(1)
        .U16(static_cast<std::uint16_t>(selection.FirstRow()))
        .U16(static_cast<std::uint16_t>(selection.LastRow()))
        .U8(static_cast<std::uint8_t>(selection.FirstColumn()))
        .U8(static_cast<std::uint8_t>(selection.LastColumn()));
    return out.Write(m_record);
}

bool CXlsSheetWriter::WriteTabColor(CBiffRecordWriter& out) {
    const int colorIndex = m_sheet.View().tabColorIndex;
    if (!CXlsColorIndex::IsPalette(colorIndex)) return true;
    // The short form: a BIFF8 reader takes the tab colour from its palette
    // index, and the theme colour block of the long form adds nothing here.
    m_record.Reset(kSHEETEXT);
    m_record.U16(kSHEETEXT)
        .U16(0)
        .U32(0)
        .U32(0)
        .U32(kSheetExtSize)
        .U32(CXlsColorIndex::ToBiff(colorIndex, 0));
    return out.Write(m_record);
}

bool CXlsSheetWriter::WriteColumns(CBiffRecordWriter& out) {
    // Neighbouring columns with the same settings share one COLINFO.
    struct Settings {
        std::uint16_t width;
        std::uint16_t xf;
        std::uint16_t flags;
        bool operator==(const Settings& other) const = default;
    };
    auto settingsOf = [this](std::uint32_t c) {
        const CXlsColumn& column = m_sheet.Column(c);
        // A column without a width of its own has the sheet's standard one.
        const double width = column.HasCustomWidth() ? column.Width() : m_sheet.StandardWidth();
        Settings s{ColumnWidthUnits(width),
                   column.HasFormat() ? m_styles.XfIndex(column.FormatId())
                                      : static_cast<std::uint16_t>(kDefaultCellXf),
                   0};
        if (column.HasCustomWidth()) s.flags |= kColCustomWidth;
        if (s.width == 0 || column.IsHidden()) s.flags |= kColHidden;
        return s;
    };
    auto isSet = [this](std::uint32_t c) {
        const CXlsColumn& column = m_sheet.Column(c);
        return column.HasCustomWidth() || column.HasFormat() || column.IsHidden();
    };

    for (std::uint32_t first = 0; first < kMaxColumns;) {
        if (!isSet(first)) {
            ++first;
            continue;
        }
        const Settings s = settingsOf(first);
        std::uint32_t last = first;
        while (last + 1 < kMaxColumns && isSet(last + 1) && settingsOf(last + 1) == s) ++last;
        m_record.Reset(kCOLINFO);
        m_record.U16(static_cast<std::uint16_t>(first)).U16(static_cast<std::uint16_t>(last));
        m_record.U16(s.width).U16(s.xf).U16(s.flags).U16(0);
        if (!out.Write(m_record)) return false;
        first = last + 1;
    }
    return true;
}

bool CXlsSheetWriter::WriteDimensions(CBiffRecordWriter& out) {
    // The used area: the cells, not rows that only have a height or format.
    std::uint32_t firstRow = kMaxRows, lastRow = 0, firstCol = kMaxColumns, lastCol = 0;
    m_sheet.Cells().ForEachRow([&](std::uint32_t number, const CXlsRow& row) {
        if (row.Cells().empty()) return;
        firstRow = std::min(firstRow, number);
        lastRow = std::max(lastRow, number);
        firstCol = std::min<std::uint32_t>(firstCol, row.Cells().front().Column());
        lastCol = std::max<std::uint32_t>(lastCol, row.Cells().back().Column());
    });
    m_record.Reset(kDIMENSIONS);
    if (firstRow == kMaxRows)
        m_record.U32(0).U32(0).U16(0).U16(0).U16(0);
    else
        m_record.U32(firstRow)
            .U32(lastRow + 1)
            .U16(static_cast<std::uint16_t>(firstCol))
            .U16(static_cast<std::uint16_t>(lastCol + 1))
            .U16(0);
    return out.Write(m_record);
}

bool CXlsSheetWriter::WriteRows(CBiffRecordWriter& out) {
    std::vector<RowRef> block;
    block.reserve(kRowsPerBlock);
    bool ok = true;
    m_sheet.Cells().ForEachRow([&](std::uint32_t number, const CXlsRow& row) {
        if (!ok) return;
        if (!block.empty() && block.front().number / kRowsPerBlock != number / kRowsPerBlock) {
            ok = WriteBlock(out, block);
            block.clear();
        }
        block.push_back({number, &row});
    });
    return ok && (block.empty() || WriteBlock(out, block));
}

bool CXlsSheetWriter::WriteBlock(CBiffRecordWriter& out, const std::vector<RowRef>& block) {
    for (const RowRef& ref : block) {
        if (!WriteRowRecord(out, ref)) return false;
    }
    for (const RowRef& ref : block) {
        const std::vector<CXlsCell>& cells = ref.row->Cells();
        for (std::size_t i = 0; i < cells.size();) {
            const std::size_t run = BlankRun(cells, i);
            if (run >= 2) {
                if (!WriteBlankRun(out, ref.number, cells, i, run)) return false;
                i += run;
                continue;
            }
            if (!WriteCell(out, ref.number, cells[i])) return false;
            ++i;
        }
    }
    return true;
}

std::size_t CXlsSheetWriter::BlankRun(const std::vector<CXlsCell>& cells, std::size_t first) {
    std::size_t run = 0;
    while (first + run < cells.size() && cells[first + run].Kind() == EXlsCellKind::kBlank &&
           cells[first + run].Column() == cells[first].Column() + run) {
        ++run;
    }
    return run;
}

bool CXlsSheetWriter::WriteBlankRun(CBiffRecordWriter& out, std::uint32_t row,
                                    const std::vector<CXlsCell>& cells, std::size_t first,
                                    std::size_t count) {
    // A row of formatted empty cells (where formatted rows cross formatted
    // columns, thousands of rows may have 256 each) takes 2 bytes a cell
    // here against 10 in a BLANK record. A row holds at most 256 columns,
    // so the record stays far below the record size limit.
    m_cellsWritten += count;
    m_record.Reset(kMULBLANK);
    m_record.U16(static_cast<std::uint16_t>(row)).U16(cells[first].Column());
    for (std::size_t i = first; i < first + count; ++i) {
        m_record.U16(m_styles.XfIndex(cells[i].FormatId()));
    }
    m_record.U16(cells[first + count - 1].Column());
    return out.Write(m_record);
}

bool CXlsSheetWriter::WriteRowRecord(CBiffRecordWriter& out, const RowRef& ref) {
    const CXlsRow& row = *ref.row;
    std::uint32_t flags = kRowFlagsReserved;
    std::uint16_t height = kDefaultRowHeightTwips;
    if (m_sheet.HasStandardHeight()) height = m_sheet.StandardHeightTwips();
    if (row.HasCustomHeight()) {
        flags |= kRowCustomHeight;
        height = row.HeightTwips();
        if (height == 0) flags |= kRowHidden;
    }
    if (row.IsHidden()) flags |= kRowHidden;
    std::uint32_t xf = kDefaultCellXf;
    if (row.HasFormat()) {
        flags |= kRowHasFormat;
        xf = m_styles.XfIndex(row.FormatId());
    }
    flags |= xf << kRowXfShift;
    const auto& cells = row.Cells();
    const std::uint16_t firstCol = cells.empty() ? 0 : cells.front().Column();
    const std::uint16_t endCol =
        cells.empty() ? 0 : static_cast<std::uint16_t>(cells.back().Column() + 1);
    m_record.Reset(kROW);
    m_record.U16(static_cast<std::uint16_t>(ref.number)).U16(firstCol).U16(endCol).U16(height);
    m_record.U16(0).U16(0).U32(flags);
    return out.Write(m_record);
}

bool CXlsSheetWriter::WriteCell(CBiffRecordWriter& out, std::uint32_t row, const CXlsCell& cell) {
    ++m_cellsWritten;
    if (cell.Kind() == EXlsCellKind::kFormula) return WriteFormula(out, row, cell);

    // Numbers that an RK form holds exactly take the 4-byte RK record.
    static constexpr std::uint16_t kTypeOf[] = {kBLANK, kNUMBER, kLABELSST, kBOOLERR, kBOOLERR};
    std::uint32_t rk = 0;
    const bool asRk =
        cell.Kind() == EXlsCellKind::kNumber && CXlsRkNumber::Encode(cell.Number(), rk);
    m_record.Reset(asRk ? kRK : kTypeOf[static_cast<int>(cell.Kind())]);
    m_record.U16(static_cast<std::uint16_t>(row))
        .U16(cell.Column())
        .U16(m_styles.XfIndex(cell.FormatId()));
    switch (cell.Kind()) {
        case EXlsCellKind::kNumber:
            if (asRk)
                m_record.U32(rk);
            else
                m_record.Double(cell.Number());
            break;
        case EXlsCellKind::kText:
            m_record.U32(m_sst.IndexOf(cell.Index()));
            break;
        case EXlsCellKind::kBoolean:
            m_record.U8(cell.Small()).U8(0);
            break;
        case EXlsCellKind::kError:
            m_record.U8(cell.Small()).U8(1);
            break;
        case EXlsCellKind::kBlank:
        case EXlsCellKind::kFormula:
            break;
    }
    return out.Write(m_record);
}

bool CXlsSheetWriter::WriteFormula(CBiffRecordWriter& out, std::uint32_t row,
                                   const CXlsCell& cell) {
    const CXlsFormulaCell& formula = m_sheet.FormulaSlot(cell.Index());
    m_record.Reset(kFORMULA);
    m_record.U16(static_cast<std::uint16_t>(row))
        .U16(cell.Column())
        .U16(m_styles.XfIndex(cell.FormatId()));

    std::u16string scratch;
    std::u16string_view text;
    switch (formula.CachedKind()) {
        case EXlsValueKind::kNumber:
            m_record.Double(formula.CachedNumber());
            break;
        case EXlsValueKind::kText:
            text = m_sheet.Strings().Get(formula.CachedStringId(), scratch);
            m_record.U8(text.empty() ? kResultEmptyString : kResultString).Zeros(5).U16(0xFFFF);
            break;
        case EXlsValueKind::kBoolean:
        case EXlsValueKind::kError:
            m_record.U8(formula.CachedKind() == EXlsValueKind::kBoolean ? kResultBoolean
                                                                        : kResultError);
            m_record.U8(0).U8(formula.CachedCode()).Zeros(3).U16(0xFFFF);
            break;
        // No value when the formula was put: an empty-string result, which
        // shows as an empty cell until the formula is calculated.
        case EXlsValueKind::kEmpty:
            m_record.Bytes(kNoResult, sizeof kNoResult);
            break;
    }
    m_record.U16(kFormulaAlwaysCalc).U32(0);

    const CXlsArrayFormula* array = nullptr;
    if (formula.IsArrayPart()) {
        array = &m_sheet.ArrayFormula(formula.ArrayIndex());
        const CXlsCellRange& range = array->Range();
        m_record.U16(kPtgExpSize).U8(kPtgExp);
        m_record.U16(static_cast<std::uint16_t>(range.FirstRow()));
        m_record.U16(static_cast<std::uint16_t>(range.FirstColumn()));
        // Only the top-left cell is followed by the ARRAY record.
        if (range.FirstRow() != row || range.FirstColumn() != cell.Column()) array = nullptr;
    } else {
        const CXlsFormulaTokens& tokens = formula.Tokens();
        m_record.U16(static_cast<std::uint16_t>(tokens.Tokens().size()));
        m_record.Bytes(tokens.Tokens().data(), tokens.Tokens().size());
        m_record.Bytes(tokens.Extra().data(), tokens.Extra().size());
    }
    if (!out.Write(m_record)) return false;

    if (array) {
        const CXlsCellRange& range = array->Range();
        const CXlsFormulaTokens& tokens = array->Tokens();
        m_record.Reset(kARRAY);
        m_record.U16(static_cast<std::uint16_t>(range.FirstRow()))
            .U16(static_cast<std::uint16_t>(range.LastRow()))
            .U8(static_cast<std::uint8_t>(range.FirstColumn()))
            .U8(static_cast<std::uint8_t>(range.LastColumn()))
            .U16(kFormulaAlwaysCalc)
            .U32(0)
            .U16(static_cast<std::uint16_t>(tokens.Tokens().size()));
        m_record.Bytes(tokens.Tokens().data(), tokens.Tokens().size());
        m_record.Bytes(tokens.Extra().data(), tokens.Extra().size());
        if (!out.Write(m_record)) return false;
    }
    if (text.empty()) return true;
    CBiffContinuedRecord string(out, kSTRING);
    return string.PutLongString(text) && string.Finish();
}

bool CXlsSheetWriter::WriteMergedCells(CBiffRecordWriter& out) {
    const auto& ranges = m_sheet.MergedRanges();
    for (std::size_t first = 0; first < ranges.size(); first += kMergedRangesPerRecord) {
        const std::size_t n = std::min<std::size_t>(kMergedRangesPerRecord, ranges.size() - first);
        m_record.Reset(kMERGEDCELLS);
        m_record.U16(static_cast<std::uint16_t>(n));
        for (std::size_t i = first; i < first + n; ++i) {
            m_record.U16(static_cast<std::uint16_t>(ranges[i].FirstRow()))
                .U16(static_cast<std::uint16_t>(ranges[i].LastRow()))
                .U16(static_cast<std::uint16_t>(ranges[i].FirstColumn()))
                .U16(static_cast<std::uint16_t>(ranges[i].LastColumn()));
        }
        if (!out.Write(m_record)) return false;
    }
    return true;
}

bool CXlsSheetWriter::WriteHyperlinks(CBiffRecordWriter& out) {
    for (const CXlsHyperlink& link : m_sheet.Hyperlinks().Items()) {
        if (!CXlsHyperlinkRecord::Write(link, m_record, out)) return false;
    }
    return true;
}

bool CXlsSheetWriter::WriteValidations(CBiffRecordWriter& out) {
    return CXlsValidationRecords::Write(m_sheet.Validations().Items(), m_record, out);
}

bool CXlsSheetWriter::WriteConditionalFormats(CBiffRecordWriter& out) {
    return CXlsConditionalFormatRecords::Write(m_sheet.ConditionalFormats().Items(), m_record, out);
}
