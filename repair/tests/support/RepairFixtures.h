// Inputs for the repair pipeline's tests: small workbook streams with known
// cells, alone or inside a compound file, and a reset of the process-wide
// run state that every test starts from.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "compound/tests/support/CompoundFileBuilder.h"
#include "platform/PauseGate.h"
#include "platform/RunState.h"

namespace repairtest {

using testsupport::BiffWriter;
using testsupport::Bytes;

constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint32_t kSector = CompoundFileBuilder::kSectorSize;

// NUMBER body: row, column, XF 15, then the IEEE double.
inline Bytes NumberBody(std::uint16_t row, std::uint16_t col, double value) {
    Bytes body(14, 0);
    testsupport::SetU16(body, 0, row);
    testsupport::SetU16(body, 2, col);
    testsupport::SetU16(body, 4, 15);
    std::memcpy(body.data() + 6, &value, sizeof value);
    return body;
}

// The value of cell (row, 0) in NumberWorkbook.
inline double CellValue(std::uint16_t row) {
    return row + 0.25;
}

// A workbook stream with one sheet "Data" holding `rows` NUMBER cells in
// column A, then zero bytes up to a whole number of 512-byte sectors plus
// one whole sector more: a compound file that loses its last sector loses
// none of the records.
inline Bytes NumberWorkbook(std::uint16_t rows, const BiffWriter& globals = BiffWriter()) {
    BiffWriter sheet;
    for (std::uint16_t row = 0; row < rows; ++row)
        sheet.Record(kNumber, NumberBody(row, 0, CellValue(row)));
    Bytes stream = testsupport::WorkbookStream(globals, {u"Data"}, sheet);
    stream.resize((stream.size() / kSector + 2) * kSector, 0);
    return stream;
}

// Globals with the formats every writer puts: one FONT ("Arial", 10 pt)
// and the 16 XF records of the built-in styles and the default cell format
// (XF 15), so that NumberWorkbook's cells name records the workbook holds.
inline BiffWriter FormattedGlobals() {
    BiffWriter globals;
    Bytes font(14, 0);
    testsupport::SetU16(font, 0, 200);     // height in twips
    testsupport::SetU16(font, 4, 0x7FFF);  // automatic colour
    testsupport::SetU16(font, 6, 400);     // weight
    font.push_back(5);                     // name length
    font.push_back(0);                     // 8-bit characters
    for (char c : std::string("Arial")) font.push_back(static_cast<std::uint8_t>(c));
    globals.Record(0x0031, font);
    for (int xf = 0; xf < 16; ++xf) globals.Record(0x00E0, Bytes(20, 0));
    return globals;
}

// A workbook stream that ends after its globals: no BOUNDSHEET, no sheet.
inline Bytes GlobalsOnlyWorkbook() {
    BiffWriter globals;
    globals.Record(0x0042, BiffWriter::U16(1200));  // CODEPAGE
    BiffWriter stream;
    stream.Substream(0x0005, globals);
    Bytes bytes = stream.GetBytes();
    bytes.resize(2 * kSector, 0);
    return bytes;
}

// The stream as the "Workbook" stream of a compound file (the stream ends
// the file).
inline Bytes InCompoundFile(const Bytes& stream, const std::u16string& name = u"Workbook") {
    CompoundFileBuilder builder;
    builder.AddStream(name, stream);
    return builder.Build();
}

// The run state as a fresh program has it, with the repair worker's gate
// open.
inline void ResetRunState() {
    while (RepairWorkerGate.IsSuspended()) RepairWorkerGate.Resume();
    StopRequested.store(0);
    ParsingRunning.store(0);
    ParsingSucceeded.store(0);
    RepairProgress.store(0);
    ResetRepairCounters();
}

}  // namespace repairtest
