#include "server/CBiffRecordWriter.h"

bool CBiffRecordWriter::Write(CBiffRecordBuilder& record) {
    if (m_failed) return false;
    if (record.Overflowed() || !m_stream.Write(record.Finished(), record.FinishedSize())) {
        m_failed = true;
    }
    return !m_failed;
}

bool CBiffRecordWriter::Write(std::uint16_t type, const std::uint8_t* body, std::size_t n) {
    CBiffRecordBuilder record(type);
    record.Bytes(body, n);
    return Write(record);
}

bool CBiffRecordWriter::Overwrite(std::uint64_t position, const std::uint8_t* bytes,
                                  std::size_t n) {
    if (m_failed) return false;
    if (!m_stream.Overwrite(position, bytes, n)) m_failed = true;
    return !m_failed;
}
