// One logical record whose data may outgrow a record body (SST, STRING):
// the first 8224 bytes go out under the record's own type, the rest in
// CONTINUE records. Data is put in units that are never split (Reserve),
// except the characters of a string, which may go on in the next CONTINUE
// after a fresh option byte, as BIFF8 requires. A string's count and option
// byte always stay in one record with its first character.
#pragma once

#include <cstdint>
#include <string_view>

#include "server/CBiffRecordBuilder.h"
#include "server/CBiffRecordWriter.h"

class CBiffContinuedRecord {
  public:
    CBiffContinuedRecord(CBiffRecordWriter& out, std::uint16_t type);
    CBiffContinuedRecord(const CBiffContinuedRecord&) = delete;
    CBiffContinuedRecord& operator=(const CBiffContinuedRecord&) = delete;

    // Starts a CONTINUE record unless n more bytes fit in the current one
    // (n at most 8224).
    bool Reserve(std::uint32_t n);
    // The record being filled, for the bytes just reserved.
    CBiffRecordBuilder& Current() { return m_current; }

    // A long-form string: 2-byte count, option byte, characters.
    bool PutLongString(std::u16string_view text);
    // Makes room for the string's count, option byte and first character, as
    // PutLongString does first; what NextPosition says then is where the
    // string will start.
    bool ReserveLongStringHead(std::u16string_view text);

    // Where the next byte put will be: its stream position, and its offset
    // from the first byte of the record (header included) that holds it.
    std::uint64_t NextPosition() const;
    std::uint32_t NextOffsetInRecord() const;

    // Writes the last record.
    bool Finish();

  private:
    bool StartContinue();

    CBiffRecordWriter& m_out;
    CBiffRecordBuilder m_current;
    bool m_failed = false;
};
