#include "records/CExcelCommentReader.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/IExcelStreamReader.h"
#include "records/CExcelCommentList.h"
#include "records/CExcelRecordNOTE.h"
#include "records/CExcelSheetRecords.h"
#include "records/CommentRecordLayout.h"

using namespace biff8;

namespace {

struct Header {
    std::uint16_t type = 0;
    std::uint16_t size = 0;
};

// Reads count bytes at offset (counted from the scan file's start, possibly
// past the 32-bit range when a record sits at the very end of it).
bool ReadAt(IExcelStreamReader& reader, std::uint64_t offset, std::uint32_t count,
            std::uint8_t* out) {
    if (offset > std::numeric_limits<std::uint32_t>::max()) return false;
    return reader.Read(count, static_cast<std::uint32_t>(offset), out);
}

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

// The body of the record at recordStart, size bytes declared (at most a
// sound body's length), or as much of it as the sheet still holds: a record
// cut by the end of the sheet keeps the bytes before the cut. The read
// operation tells only whether a count fits, so the longest readable prefix
// is found by halving, in at most 14 reads.
std::vector<std::uint8_t> ReadBody(IExcelStreamReader& reader, std::uint64_t recordStart,
                                   std::uint32_t size) {
    const std::uint64_t at = recordStart + biff::kRecordHeaderSize;
    std::vector<std::uint8_t> body(size);
    if (size == 0 || ReadAt(reader, at, size, body.data())) return body;
    std::uint32_t readable = 0;
    std::uint32_t unreadable = size;
    while (unreadable - readable > 1) {
        const std::uint32_t middle = readable + (unreadable - readable) / 2;
        if (ReadAt(reader, at, middle, body.data()))
            readable = middle;
        else
            unreadable = middle;
    }
    body.resize(readable);
    if (readable > 0 && !ReadAt(reader, at, readable, body.data())) body.clear();
    return body;
}

// The characters of the TXO record at txo (size bytes), from the CONTINUE
// records after it. False when the TXO is too short to give its character
// count.
bool ReadTxoText(IExcelStreamReader& reader, std::uint64_t txo, std::uint32_t size,
                 std::u16string& text) {
    std::uint8_t fixed[kTxoMinSize];
    if (size < kTxoMinSize || !ReadAt(reader, txo + biff::kRecordHeaderSize, kTxoMinSize, fixed))
        return false;
    const std::uint32_t length = CDataReader::GetU16(fixed + kTxoTextLength);
    const std::uint32_t runBytes = CDataReader::GetU16(fixed + kTxoRunsLength);
    text.clear();
    std::uint64_t next = NextRecord(txo, size);
    for (bool first = true; text.size() < length; first = false) {
        Header header;
        // A CONTINUE longer than a sound body is damage: the walk takes it
        // for its 4-byte header alone, so it holds no text either.
        if (!ReadHeader(reader, next, header) || header.type != biff::kCONTINUE ||
            header.size > biff::kMaxBodyLength)
            break;
        const std::vector<std::uint8_t> body = ReadBody(reader, next, header.size);
        if (body.empty()) break;
        const bool wide = (body[0] & kTxoTextWide) != 0;
        const std::size_t held = wide ? (body.size() - 1) / 2 : body.size() - 1;
        const std::size_t missing = length - text.size();
        // The first CONTINUE is text whatever it holds (a count damaged
        // downwards cuts it). When the count promised more than the text
        // holds, the next CONTINUE is the formatting runs: it holds more than
        // is missing, or it has the runs' size without ending the text (a
        // text piece of 16-bit characters never has the even size of runs).
        const bool runs = header.size == runBytes && held != missing;
        if (held == 0 || (!first && (held > missing || runs))) break;
        const std::size_t taken = std::min(held, missing);
        for (std::size_t i = 0; i < taken; ++i) {
            text.push_back(wide ? static_cast<char16_t>(CDataReader::GetU16(&body[1 + 2 * i]))
                                : static_cast<char16_t>(body[1 + i]));
        }
        if (body.size() < header.size) break;  // the sheet ends inside this record
        next = NextRecord(next, header.size);
    }
    return true;
}

}  // namespace

bool CExcelCommentReader::ReadObj(IExcelStreamReader& reader, CExcelSheetRecords& sheet,
                                  std::uint32_t size, std::uint32_t position) {
    std::uint8_t cmo[kObjMinSize];
    if (size < kObjMinSize || !ReadAt(reader, NextRecord(position, 0), kObjMinSize, cmo))
        return false;
    // The size field of the common object data is not checked: the type and
    // the id sit at fixed offsets whatever it says.
    if (CDataReader::GetU16(cmo + kObjSubType) != kObjCmo ||
        CDataReader::GetU16(cmo + kObjType) != kObjTypeComment)
        return false;
    const std::uint16_t objectId = CDataReader::GetU16(cmo + kObjId);

    std::uint64_t next = NextRecord(position, size);
    for (int skipped = 0; skipped <= kMaxDrawingRecords; ++skipped) {
        Header header;
        if (!ReadHeader(reader, next, header)) return false;
        if (header.type == biff::kTXO) {
            std::u16string text;
            if (!ReadTxoText(reader, next, header.size, text)) return false;
            sheet.GetComments().AddText(objectId, std::move(text));
            return true;
        }
        if (header.type != biff::kMSODRAWING && header.type != biff::kCONTINUE) return false;
        if (header.size > biff::kMaxBodyLength) return false;
        next = NextRecord(next, header.size);
    }
    return false;
}

bool CExcelCommentReader::ReadNote(IExcelStreamReader& reader, CExcelSheetRecords& sheet,
                                   std::uint32_t size, std::uint32_t position) {
    if (size < kNoteFixedSize) return false;
    const std::vector<std::uint8_t> body =
        ReadBody(reader, position, std::min<std::uint32_t>(size, biff::kMaxBodyLength));
    if (body.size() < kNoteFixedSize) return false;
    sheet.GetComments().AddNote(
        new CExcelRecordNOTE(body.data(), static_cast<std::uint32_t>(body.size())));
    return true;
}
