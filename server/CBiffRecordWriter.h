// Writes whole BIFF8 records to a stream. Positions count from the stream's
// first byte (what BOUNDSHEET and EXTSST store). The first failure sticks:
// later writes do nothing and report false.
#pragma once

#include <cstddef>
#include <cstdint>

#include "server/CBiffRecordBuilder.h"
#include "server/CByteSink.h"

class CBiffRecordWriter {
  public:
    // The stream must outlive the writer.
    explicit CBiffRecordWriter(CByteSink& stream) : m_stream(stream) {}

    // Where the next record's header will start.
    std::uint64_t Position() const { return m_stream.Position(); }
    bool Ok() const { return !m_failed; }

    // Refuses an overflowed record.
    bool Write(CBiffRecordBuilder& record);
    // A record from a body of at most 8224 bytes.
    bool Write(std::uint16_t type, const std::uint8_t* body, std::size_t n);
    // Replaces bytes already written (a field whose value came later).
    bool Overwrite(std::uint64_t position, const std::uint8_t* bytes, std::size_t n);

  private:
    CByteSink& m_stream;
    bool m_failed = false;
};
