#include "formula/CExcelFormulaRecordReader.h"

#include <array>
#include <limits>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/IExcelStreamReader.h"
#include "formula/CExcelFormulaStringResult.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/CExcelRecordMulOpTable.h"
#include "formula/CExcelSheetFormulas.h"

namespace {

// A record header cannot declare a longer payload.
constexpr std::uint32_t kMaxPayload = 0xFFFF;
// FORMULA records up to this size are read without a heap block.
constexpr std::size_t kShortFormula = 256;

// Reads count bytes at offset (counted from the scan file's start, possibly
// past the 32-bit range when a record sits at the very end of it).
bool ReadAt(IExcelStreamReader& reader, std::uint64_t offset, std::uint32_t count,
            std::uint8_t* out) {
    if (offset > std::numeric_limits<std::uint32_t>::max()) return false;
    return reader.Read(count, static_cast<std::uint32_t>(offset), out);
}

bool ReadData(IExcelStreamReader& reader, std::uint64_t recordStart, std::uint32_t size,
              std::vector<std::uint8_t>& data) {
    data.resize(size);  // at most kMaxPayload
    return ReadAt(reader, recordStart + biff::kRecordHeaderSize, size, data.data());
}

struct Header {
    std::uint16_t type = 0;
    std::uint16_t size = 0;
};

bool ReadHeader(IExcelStreamReader& reader, std::uint64_t recordStart, Header& header) {
    std::uint8_t bytes[biff::kRecordHeaderSize];
    if (!ReadAt(reader, recordStart, sizeof bytes, bytes)) return false;
    header.type = CDataReader::GetU16(bytes + biff::kTypeOffset);
    header.size = CDataReader::GetU16(bytes + biff::kLengthOffset);
    return true;
}

std::uint64_t NextRecord(std::uint64_t recordStart, std::uint32_t size) {
    return recordStart + biff::kRecordHeaderSize + size;
}

}  // namespace

bool CExcelFormulaRecordReader::ReadFormula(IExcelStreamReader& reader, CExcelSheetFormulas& sheet,
                                            std::uint32_t size, std::uint32_t position) {
    if (size < CExcelRecordFormula::kFixedSize || size > kMaxPayload) return false;
    // A short FORMULA record is read on the stack: a sheet has one per
    // formula cell, most of them short.
    std::array<std::uint8_t, kShortFormula> shortBody;
    std::vector<std::uint8_t> data;
    std::uint8_t* body = shortBody.data();
    if (size > shortBody.size()) {
        data.resize(size);
        body = data.data();
    }
    if (!ReadAt(reader, position + biff::kRecordHeaderSize, size, body)) return false;
    CExcelRecordFormula* formula = sheet.GetFormulas().Emplace(body, size);

    // The record right after the FORMULA record: the shared or array tokens
    // of this cell, if it is the first cell of such a range.
    std::uint64_t next = NextRecord(position, size);
    Header header;
    if (!ReadHeader(reader, next, header)) return false;
    if (header.type == biff::kSHRFMLA || header.type == biff::kARRAY) {
        if (!ReadData(reader, next, header.size, data)) return false;
        if (header.type == biff::kSHRFMLA)
            formula->SetSharedFormulaRecord(data.data(), header.size);
        else
            formula->SetArrayRecord(data.data(), header.size);
        sheet.AddFormulaHost(*formula, formula->GetRow(), formula->GetColumn());
        next = NextRecord(next, header.size);
        if (formula->GetResultType() != FormulaResultString) return true;
        if (!ReadHeader(reader, next, header)) return false;
    } else if (formula->GetResultType() != FormulaResultString) {
        return true;
    }

    // A string result's text, in the STRING record that follows directly
    // and the CONTINUE records right after it that carry on its characters.
    if (header.type != biff::kSTRING) return true;
    if (!ReadData(reader, next, header.size, data)) return false;
    CExcelFormulaStringResult result(data);
    next = NextRecord(next, header.size);
    // Each CONTINUE adds at least one character or ends the text, so the
    // walk is bounded by the 16-bit character count.
    while (result.WantsMore() && ReadHeader(reader, next, header) &&
           header.type == biff::kCONTINUE && ReadData(reader, next, header.size, data)) {
        const std::size_t before = result.Text().size();
        result.Continue(data);
        if (result.Text().size() == before) break;
        next = NextRecord(next, header.size);
    }
    const std::vector<std::uint8_t> text = result.AsStringData();
    formula->SetStringResult(text.data(), static_cast<std::uint32_t>(text.size()));
    return true;
}

bool CExcelFormulaRecordReader::ReadTable(IExcelStreamReader& reader, CExcelSheetFormulas& sheet,
                                          std::uint32_t size, std::uint32_t position) {
    if (size != CExcelRecordMulOpTable::kRecordSize) return false;
    std::uint8_t data[CExcelRecordMulOpTable::kRecordSize];
    if (!ReadAt(reader, NextRecord(position, 0), size, data)) return false;
    sheet.GetTables().Add(new CExcelRecordMulOpTable(data));
    return true;
}
