#include "server/CXlsCommentWriter.h"

#include <algorithm>
#include <iterator>

#include "server/CXlsDrawingRecord.h"
#include "server/XlsDrawingLayout.h"

using namespace xlsd;

namespace {

struct Option {
    std::uint16_t id;
    std::uint32_t value;
};

// A comment box's options, sorted by id; the last one, whether the box is
// hidden, is set per comment.
constexpr Option kBoxOptions[] = {
    {kPropTextDirection, kTextDirectionContext},
    {kPropTextBooleans, kTextAutoMargins},
    {kPropFillColor, kColorInfoBackground},
    {kPropFillBackColor, kColorInfoBackground},
    {kPropFillBooleans, kFillHitTest},
    {kPropShadowColor, kColorBlack},
    {kPropShadowBooleans, kShadowOn},
    {kPropShapeBooleans, kShapeHidden},
};
constexpr auto kOptionCount = static_cast<std::uint16_t>(std::size(kBoxOptions));

// Lengths after each record's header. A comment's shape container holds its
// FSP, options, client anchor and client data, and the client text box that
// comes in the MSODRAWING after its OBJ record.
constexpr std::uint32_t kSpLength = 8;
constexpr std::uint32_t kSpgrLength = 16;
constexpr std::uint32_t kDgLength = 8;
constexpr std::uint32_t kOptionsLength = kPropertySize * kOptionCount;
constexpr std::uint32_t kBoxShapeLength =
    (kHeaderSize + kSpLength) + (kHeaderSize + kOptionsLength) + (kHeaderSize + kClientAnchorSize) +
    kHeaderSize + kHeaderSize;
constexpr std::uint32_t kGroupShapeLength = (kHeaderSize + kSpgrLength) + (kHeaderSize + kSpLength);

// Where a box sits against its cell: offsets in 1/1024 of a column's width
// and 1/256 of a row's height.
constexpr std::uint16_t kBoxLeftOffset = 192;
constexpr std::uint16_t kBoxTopOffset = 32;
constexpr std::uint16_t kBoxRightOffset = 192;
constexpr std::uint16_t kBoxBottomOffset = 128;
constexpr std::uint32_t kBoxColumns = 2;
constexpr std::uint32_t kBoxRows = 4;

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// At most `limit` characters from the front of text, never half a
// surrogate pair.
std::u16string_view Front(std::u16string_view text, std::size_t limit) {
    std::size_t n = std::min(text.size(), limit);
    if (n > 0 && n < text.size() && IsHighSurrogate(text[n - 1])) --n;
    return text.substr(0, n);
}

}  // namespace

CXlsCommentWriter::CXlsCommentWriter(const CXlsWorksheet& sheet,
                                     const CXlsDrawingPlan::Drawing& drawing)
    : m_sheet(sheet), m_drawing(drawing) {}

bool CXlsCommentWriter::Write(CBiffRecordWriter& out) {
    // The plan counted the comments the sheet has now; it never holds more.
    const std::uint32_t count = m_drawing.shapes - 1;
    bool ok = true;
    std::uint32_t k = 0;
    m_sheet.Comments().ForEach(
        [&](std::uint32_t row, std::uint32_t column, const CXlsComment& comment) {
            if (!ok || k >= count) return;
            ok = WriteShape(out, k, row, column, comment.visible) && WriteObject(out, k) &&
                 WriteText(out, comment.text);
            ++k;
        });
    // Every drawing object comes before the first NOTE.
    k = 0;
    m_sheet.Comments().ForEach(
        [&](std::uint32_t row, std::uint32_t column, const CXlsComment& comment) {
            if (!ok || k >= count) return;
            ok = WriteNote(out, k, row, column, comment);
            ++k;
        });
    return ok;
}

bool CXlsCommentWriter::WriteShape(CBiffRecordWriter& out, std::uint32_t k, std::uint32_t row,
                                   std::uint32_t column, bool visible) {
    m_record.Reset(xlsw::kMSODRAWING);
    if (k == 0) {
        const std::uint32_t comments = m_drawing.shapes - 1;
        const std::uint32_t groupLength =
            (kHeaderSize + kGroupShapeLength) + comments * (kHeaderSize + kBoxShapeLength);
        CXlsDrawingRecord::Container(m_record, kDgContainer,
                                     (kHeaderSize + kDgLength) + (kHeaderSize + groupLength));
        CXlsDrawingRecord::Header(m_record, 0, static_cast<std::uint16_t>(m_drawing.drawingId), kDg,
                                  kDgLength);
        m_record.U32(m_drawing.shapes).U32(m_drawing.LastShapeId());
        CXlsDrawingRecord::Container(m_record, kSpgrContainer, groupLength);
        CXlsDrawingRecord::Container(m_record, kSpContainer, kGroupShapeLength);
        CXlsDrawingRecord::Header(m_record, kSpgrVersion, 0, kSpgr, kSpgrLength);
        m_record.Zeros(kSpgrLength);
        CXlsDrawingRecord::Header(m_record, kSpVersion, 0, kSp, kSpLength);
        m_record.U32(m_drawing.firstShapeId).U32(kSpGroup | kSpPatriarch);
    }

    CXlsDrawingRecord::Container(m_record, kSpContainer, kBoxShapeLength);
    CXlsDrawingRecord::Header(m_record, kSpVersion, kShapeTypeTextBox, kSp, kSpLength);
    m_record.U32(m_drawing.firstShapeId + 1 + k).U32(kSpHaveAnchor | kSpHaveShapeType);
    CXlsDrawingRecord::Header(m_record, kOptVersion, kOptionCount, kOpt, kOptionsLength);
    for (const Option& option : kBoxOptions) {
        const bool shown = option.id == kPropShapeBooleans && visible;
        CXlsDrawingRecord::Property(m_record, option.id, shown ? kShapeShown : option.value);
    }

    // Beside the cell, moved in where the sheet ends.
    const std::uint32_t left = std::min(column + 1, xlsw::kMaxColumns - 1 - kBoxColumns);
    const std::uint32_t top = std::min(row > 0 ? row - 1 : 0, xlsw::kMaxRows - 1 - kBoxRows);
    CXlsDrawingRecord::Header(m_record, 0, 0, kClientAnchor, kClientAnchorSize);
    m_record.U16(kAnchorMoveAndSize)
        .U16(static_cast<std::uint16_t>(left))
        .U16(kBoxLeftOffset)
        .U16(static_cast<std::uint16_t>(top))
        .U16(kBoxTopOffset)
        .U16(static_cast<std::uint16_t>(left + kBoxColumns))
        .U16(kBoxRightOffset)
        .U16(static_cast<std::uint16_t>(top + kBoxRows))
        .U16(kBoxBottomOffset);
    CXlsDrawingRecord::Header(m_record, 0, 0, kClientData, 0);
    return out.Write(m_record);
}

bool CXlsCommentWriter::WriteObject(CBiffRecordWriter& out, std::uint32_t k) {
    m_record.Reset(xlsw::kOBJ);
    m_record.U16(kFtCmo).U16(kFtCmoSize);
    m_record.U16(kObjTypeComment).U16(static_cast<std::uint16_t>(k + 1));
    m_record.U16(kObjLockedPrintedAutoLine).Zeros(12);
    // The note's GUID stays zero: it only ties revision records of a shared
    // workbook to the comment, and we write none.
    m_record.U16(kFtNts).U16(kFtNtsSize).Zeros(16).U16(0).U32(0);
    m_record.U32(0);  // ftEnd
    return out.Write(m_record);
}

bool CXlsCommentWriter::WriteText(CBiffRecordWriter& out, std::u16string_view text) {
    m_record.Reset(xlsw::kMSODRAWING);
    CXlsDrawingRecord::Header(m_record, 0, 0, kClientTextbox, 0);
    if (!out.Write(m_record)) return false;

    // The store keeps texts within the 16-bit count.
    const auto length = static_cast<std::uint16_t>(text.size());
    m_record.Reset(xlsw::kTXO);
    m_record.U16(kTxoLeftTopLocked).U16(0).Zeros(6);
    m_record.U16(length).U16(static_cast<std::uint16_t>(length > 0 ? 2 * kTxoRunSize : 0));
    m_record.U16(0).U16(0);
    if (!out.Write(m_record)) return false;
    if (text.empty()) return true;

    // Each CONTINUE starts with the option byte; a surrogate pair stays in
    // one record, so that every piece decodes on its own.
    const bool wide = !CBiffRecordBuilder::FitsEightBit(text);
    const std::size_t perRecord = (xlsw::kMaxRecordBody - 1) / (wide ? 2 : 1);
    for (std::size_t done = 0; done < text.size();) {
        const std::u16string_view piece = Front(text.substr(done), perRecord);
        m_record.Reset(xlsw::kCONTINUE);
        m_record.U8(wide ? xlsw::kStringWide : 0).Chars(piece, wide);
        if (!out.Write(m_record)) return false;
        done += piece.size();
    }
    // One run over the whole text in font 0, and the run that ends it.
    m_record.Reset(xlsw::kCONTINUE);
    m_record.U16(0).U16(0).U32(0).U16(length).U16(0).U32(0);
    return out.Write(m_record);
}

bool CXlsCommentWriter::WriteNote(CBiffRecordWriter& out, std::uint32_t k, std::uint32_t row,
                                  std::uint32_t column, const CXlsComment& comment) {
    m_record.Reset(xlsw::kNOTE);
    m_record.U16(static_cast<std::uint16_t>(row)).U16(static_cast<std::uint16_t>(column));
    m_record.U16(comment.visible ? kNoteShown : 0).U16(static_cast<std::uint16_t>(k + 1));
    // The record holds 1 to 54 characters: a space stands for no author.
    const std::u16string_view author = Front(comment.author, kMaxAuthorLength);
    m_record.LongString(author.empty() ? std::u16string_view(u" ") : author).U8(0);
    return out.Write(m_record);
}
