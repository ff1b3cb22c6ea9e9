#include "tools/samples/SampleWorkbook.h"

#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "compound/tests/support/CompoundFileBuilder.h"

using testsupport::BiffWriter;
using testsupport::Bytes;

namespace {

constexpr std::uint16_t kCodepage = 0x0042;
constexpr std::uint16_t kDateMode = 0x0022;
constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kStyle = 0x0293;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kMergedCells = 0x00E5;

// Cell XF indices of the sample (after the 16 style XFs and the default
// cell XF 15).
constexpr std::uint16_t kXfGeneral = 15;
constexpr std::uint16_t kXfBold = 16;
constexpr std::uint16_t kXfDate = 17;
constexpr std::uint16_t kXfMoney = 18;

void Append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) Append(all, part);
    return all;
}

Bytes U8(std::uint8_t value) {
    return {value};
}

Bytes Double(double value) {
    std::uint64_t bits;
    static_assert(sizeof bits == sizeof value);
    __builtin_memcpy(&bits, &value, sizeof bits);
    Bytes out;
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    return out;
}

Bytes FontBody(std::uint16_t weight, const std::u16string& name) {
    return Concat({BiffWriter::U16(200), BiffWriter::U16(0), BiffWriter::U16(0x7FFF),
                   BiffWriter::U16(weight), BiffWriter::U16(0), U8(0), U8(0), U8(0), U8(0),
                   BiffWriter::UnicodeString(name, false, true)});
}

// A 20-byte XF: font, number format, type/protection word, then alignment,
// borders and fills left plain.
Bytes XfBody(std::uint16_t font, std::uint16_t format, bool style) {
    Bytes body = Concat({BiffWriter::U16(font), BiffWriter::U16(format),
                         BiffWriter::U16(style ? 0xFFF5 : 0x0001), U8(0x20), U8(0), U8(0),
                         U8(style ? 0x00 : 0xF8), BiffWriter::U32(0), BiffWriter::U32(0),
                         BiffWriter::U16(0x20C0)});
    return body;
}

Bytes Cell(std::uint16_t row, std::uint16_t col, std::uint16_t xf) {
    return Concat({BiffWriter::U16(row), BiffWriter::U16(col), BiffWriter::U16(xf)});
}

// RK form of a whole number that fits in 30 bits.
std::uint32_t IntegerRk(std::int32_t value) {
    return (static_cast<std::uint32_t>(value) << 2) | 0x2;
}

// ptgRef with both parts relative, as a cell formula refers to a neighbour.
Bytes RelativeRef(std::uint16_t row, std::uint8_t col) {
    return Concat({U8(0x24), BiffWriter::U16(row), BiffWriter::U16(0xC000 | col)});
}

Bytes FormulaBody(std::uint16_t row, std::uint16_t col, std::uint16_t xf, double cached,
                  const Bytes& tokens) {
    return Concat({Cell(row, col, xf), Double(cached), BiffWriter::U16(0x0002), BiffWriter::U32(0),
                   BiffWriter::U16(static_cast<std::uint16_t>(tokens.size())), tokens});
}

const std::u16string kStrings[] = {u"Region",
                                   u"Q1",
                                   u"Q2",
                                   u"Total",
                                   u"North",
                                   u"South",
                                   u"East",
                                   u"West",
                                   u"Notes",
                                   u"Checked",
                                   u"Ratio",
                                   u"Report date",
                                   u"Recovered by Mendwell: caf\u00e9, na\u00efve, \u00fcber"};
constexpr std::uint32_t kRegionString = 4;

BiffWriter Globals(const std::vector<std::uint32_t>& sheetOffsets) {
    BiffWriter globals;
    globals.Record(kCodepage, BiffWriter::U16(1200));
    globals.Record(kDateMode, BiffWriter::U16(0));
    for (int i = 0; i < 4; ++i) globals.Record(kFont, FontBody(400, u"Arial"));
    globals.Record(kFont, FontBody(700, u"Arial"));  // index 5: indices skip 4
    globals.Record(kFormat, Concat({BiffWriter::U16(164),
                                    BiffWriter::UnicodeString(u"\"$\"#,##0.00", false)}));
    for (int i = 0; i < 15; ++i) globals.Record(kXf, XfBody(0, 0, true));
    globals.Record(kXf, XfBody(0, 0, false));    // 15
    globals.Record(kXf, XfBody(5, 0, false));    // 16 bold
    globals.Record(kXf, XfBody(0, 14, false));   // 17 date
    globals.Record(kXf, XfBody(0, 164, false));  // 18 money
    globals.Record(kStyle, Concat({BiffWriter::U16(0x8000), U8(0), U8(0xFF)}));
    globals.BoundSheet(sheetOffsets.at(0), u"Sales");
    globals.BoundSheet(sheetOffsets.at(1), u"Notes");

    Bytes sst = Concat({BiffWriter::U32(24), BiffWriter::U32(std::size(kStrings))});
    for (const std::u16string& text : kStrings) {
        const bool wide = text.find_first_of(u"\u0100") != std::u16string::npos;
        Append(sst, BiffWriter::UnicodeString(text, wide));
    }
    globals.Record(kSst, sst);
    return globals;
}

BiffWriter SalesSheet() {
    BiffWriter sheet;
    sheet.Record(kDimensions, Concat({BiffWriter::U32(0), BiffWriter::U32(5), BiffWriter::U16(0),
                                      BiffWriter::U16(4), BiffWriter::U16(0)}));
    sheet.Record(kColInfo,
                 Concat({BiffWriter::U16(0), BiffWriter::U16(0), BiffWriter::U16(14 * 256),
                         BiffWriter::U16(kXfGeneral), BiffWriter::U16(0), BiffWriter::U16(0)}));
    sheet.Record(kRow, Concat({BiffWriter::U16(0), BiffWriter::U16(0), BiffWriter::U16(4),
                               BiffWriter::U16(400), BiffWriter::U16(0), BiffWriter::U16(0),
                               BiffWriter::U32(0x0100)}));
    for (std::uint16_t col = 0; col < 4; ++col)
        sheet.Record(kLabelSst, Concat({Cell(0, col, kXfBold), BiffWriter::U32(col)}));
    const double q1[] = {1250.5, 980.25, 1430.0, 875.75};
    const std::int32_t q2[] = {1320, 1010, 1390, 905};
    for (std::uint16_t i = 0; i < 4; ++i) {
        const std::uint16_t row = static_cast<std::uint16_t>(i + 1);
        sheet.Record(kLabelSst,
                     Concat({Cell(row, 0, kXfGeneral), BiffWriter::U32(kRegionString + i)}));
        sheet.Record(kNumber, Concat({Cell(row, 1, kXfMoney), Double(q1[i])}));
        sheet.Record(kRk, Concat({Cell(row, 2, kXfMoney), BiffWriter::U32(IntegerRk(q2[i]))}));
        const Bytes sum = Concat({RelativeRef(row, 1), RelativeRef(row, 2), U8(0x03)});
        sheet.Record(kFormula, FormulaBody(row, 3, kXfMoney, q1[i] + q2[i], sum));
    }
    return sheet;
}

BiffWriter NotesSheet() {
    BiffWriter sheet;
    sheet.Record(kDimensions, Concat({BiffWriter::U32(0), BiffWriter::U32(4), BiffWriter::U16(0),
                                      BiffWriter::U16(3), BiffWriter::U16(0)}));
    sheet.Record(kLabelSst, Concat({Cell(0, 0, kXfBold), BiffWriter::U32(8)}));
    sheet.Record(kLabelSst, Concat({Cell(0, 1, kXfGeneral), BiffWriter::U32(12)}));
    sheet.Record(kLabelSst, Concat({Cell(1, 0, kXfGeneral), BiffWriter::U32(9)}));
    sheet.Record(kBoolErr, Concat({Cell(1, 1, kXfGeneral), U8(1), U8(0)}));
    sheet.Record(kLabelSst, Concat({Cell(2, 0, kXfGeneral), BiffWriter::U32(10)}));
    sheet.Record(kBoolErr, Concat({Cell(2, 1, kXfGeneral), U8(0x07), U8(1)}));
    sheet.Record(kLabelSst, Concat({Cell(3, 0, kXfGeneral), BiffWriter::U32(11)}));
    sheet.Record(kNumber, Concat({Cell(3, 1, kXfDate), Double(46363.0)}));
    sheet.Record(kMergedCells, Concat({BiffWriter::U16(1), BiffWriter::U16(0), BiffWriter::U16(0),
                                       BiffWriter::U16(1), BiffWriter::U16(2)}));
    return sheet;
}

}  // namespace

std::vector<std::uint8_t> BuildSampleWorkbookStream() {
    const BiffWriter sales = SalesSheet();
    const BiffWriter notes = NotesSheet();
    // The globals' size does not depend on the offsets it records, so lay it
    // out once to learn where the sheets start.
    BiffWriter probe;
    probe.Substream(0x0005, Globals({0, 0}));
    BiffWriter salesStream;
    salesStream.Substream(0x0010, sales);
    const std::uint32_t salesAt = static_cast<std::uint32_t>(probe.Size());
    const std::uint32_t notesAt = salesAt + static_cast<std::uint32_t>(salesStream.Size());

    BiffWriter stream;
    stream.Substream(0x0005, Globals({salesAt, notesAt}));
    stream.Substream(0x0010, sales);
    stream.Substream(0x0010, notes);
    // Writers pad small workbook streams so that they stay out of the mini
    // stream; a trailing run of zero bytes reads as nothing.
    if (stream.Size() < 4096) stream.Fill(4096 - stream.Size(), 0);
    return stream.GetBytes();
}

std::vector<std::uint8_t> BuildDamagedSampleFile() {
    std::vector<std::uint8_t> stream = BuildSampleWorkbookStream();
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", stream);
    builder.InsertFatSectorPastEnd(0);
    std::vector<std::uint8_t> file = builder.Build();
    return file;
}
