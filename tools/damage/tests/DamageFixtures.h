// The workbook the damage tests break: two sheets, "First" and "Second",
// each with kRows rows of a NUMBER cell in column A and a LABELSST cell in
// column B, and a shared-string table long enough to need a CONTINUE record
// cut inside a string's characters. Also the repair of one file as the
// command-line dump runs it, and the size of what it recovered.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "compound/tests/support/CompoundFileBuilder.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "repair/CCellDumpWriter.h"
#include "repair/RepairFile.h"
#include "repair/tests/support/RepairFixtures.h"

namespace damagetest {

using testsupport::BiffWriter;
using testsupport::Bytes;

constexpr std::uint16_t kRows = 300;
constexpr std::uint32_t kStrings = 500;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint32_t kContinueLimit = 8224;

inline double CellValue(std::uint16_t row) {
    return row * 1.5 + 0.25;
}

// 20 8-bit characters, so that each string takes 23 bytes in the SST and
// the cut at 8224 falls inside one string's characters.
inline std::u16string StringText(std::uint32_t index) {
    std::u16string text = u"text-";
    for (std::uint32_t digit = 100000; digit > 0; digit /= 10)
        text += static_cast<char16_t>(u'0' + (index / digit) % 10);
    text.resize(20, u'x');
    return text;
}

inline Bytes TwoSheetStream() {
    Bytes sst = testsupport::Concat(BiffWriter::U32(2 * kRows), BiffWriter::U32(kStrings));
    for (std::uint32_t i = 0; i < kStrings; ++i)
        sst = testsupport::Concat(sst, BiffWriter::UnicodeString(StringText(i), false));
    BiffWriter globals;
    globals.Record(0x0042, BiffWriter::U16(1200));  // CODEPAGE
    globals.RecordWithContinues(kSst, sst, {{kContinueLimit, std::uint8_t{0}}});

    BiffWriter sheet;
    for (std::uint16_t row = 0; row < kRows; ++row) {
        sheet.Record(repairtest::kNumber, repairtest::NumberBody(row, 0, CellValue(row)));
        Bytes label(10, 0);
        testsupport::SetU16(label, 0, row);
        testsupport::SetU16(label, 2, 1);
        testsupport::SetU16(label, 4, 15);
        testsupport::SetU32(label, 6, row % kStrings);
        sheet.Record(kLabelSst, label);
    }
    Bytes stream = testsupport::WorkbookStream(globals, {u"First", u"Second"}, sheet);
    stream.resize((stream.size() / repairtest::kSector + 1) * repairtest::kSector, 0);
    return stream;
}

inline Bytes TwoSheetFile() {
    return repairtest::InCompoundFile(TwoSheetStream());
}

// Records the model holds across all sheets; each came from at least one
// 4-byte record header of the file.
inline std::uint64_t CellRecordCount(const CExcelData& data) {
    std::uint64_t count = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            count += sheet.GetNumbers().GetCount() + sheet.GetRKValues().GetCount() +
                     sheet.GetLabelSSTs().GetCount() + sheet.GetLabels().GetCount() +
                     sheet.GetBoolErrs().GetCount() + sheet.GetFormulas().GetCount() +
                     sheet.GetBlanks().GetCount() + sheet.GetMulBlanks().GetCount();
        }
    }
    return count;
}

// Writes bytes as path, repairs it on this thread and, when the repair
// succeeded, writes the dump of every recovered cell (decoding formulas and
// resolving shared strings) into dump. Returns the repair's result.
inline bool RepairAndDump(const std::filesystem::path& path, const Bytes& bytes,
                          std::unique_ptr<CExcelData>& data, std::string* dump = nullptr) {
    testsupport::WriteFileBytes(path, bytes);
    repairtest::ResetRunState();
    data = std::make_unique<CExcelData>();
    data->SetSourcePath(path);
    const bool repaired = RepairFile(data.get());
    if (repaired) {
        std::ostringstream out;
        CCellDumpWriter(out).Write(*data);
        if (dump) *dump = out.str();
    }
    return repaired;
}

}  // namespace damagetest
