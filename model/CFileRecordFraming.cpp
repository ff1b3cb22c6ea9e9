#include "model/CFileRecordFraming.h"

#include <algorithm>
#include <cstring>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/CInputFile.h"
#include "biff/CRecordChain.h"

namespace {

// Reads straight from the file, below end: a chain test reads three headers.
class CFileReader : public IExcelStreamReader {
public:
    CFileReader(const CInputFile& file, std::uint64_t end) : m_file(file), m_end(end) {}
    bool Read(std::uint32_t count, std::uint32_t offset, std::uint8_t* out) override {
        return offset <= m_end && m_end - offset >= count &&
               m_file.ReadAt(offset, out, count) == count;
    }

private:
    const CInputFile& m_file;
    std::uint64_t m_end;
};

}  // namespace

std::uint32_t CFileRecordFraming::FramedBodyLength(std::uint32_t declared) {
    return declared > biff::kMaxBodyLength ? 0 : declared;
}

std::uint32_t CFileRecordFraming::ContinueDataLength(std::uint32_t declared) {
    const std::uint32_t data = declared == 0 ? 0 : declared - biff::kContinueFlagSize;
    return data > biff::kMaxBodyLength ? 0 : data;
}

bool CFileRecordFraming::ContinueAt(const CInputFile& file, std::uint64_t position,
                                    std::uint64_t limit, std::uint32_t* declared) {
    if (position >= limit) return false;
    std::uint8_t header[biff::kRecordHeaderSize];
    if (file.ReadAt(position, header, sizeof header) < sizeof header) return false;
    if (CDataReader::GetU16(header + biff::kTypeOffset) != biff::kCONTINUE) return false;
    *declared = CDataReader::GetU16(header + biff::kLengthOffset);
    return true;
}

bool CFileRecordFraming::FramingHolds(const CInputFile& file, std::uint64_t position,
                                      std::uint32_t length, std::uint64_t limit) {
    const std::uint64_t end = std::min<std::uint64_t>({limit, file.Length(), UINT32_MAX});
    const std::uint64_t next = position + biff::kRecordHeaderSize + length;
    if (next >= end) return next == end;
    std::uint8_t header[biff::kRecordHeaderSize] = {};
    if (end - next < sizeof header || file.ReadAt(next, header, sizeof header) < sizeof header)
        return false;
    return CRecordChain::IsKnownHeader(CDataReader::GetU16(header + biff::kTypeOffset),
                                       CDataReader::GetU16(header + biff::kLengthOffset));
}

std::uint32_t CFileRecordFraming::DeclaredLength(const CInputFile& file, std::uint64_t position) {
    std::uint8_t header[biff::kRecordHeaderSize] = {};
    if (file.ReadAt(position, header, sizeof header) < sizeof header) return 0;
    return CDataReader::GetU16(header + biff::kLengthOffset);
}

bool CFileRecordFraming::ChainAt(const CInputFile& file, std::uint64_t position,
                                 std::uint64_t limit) {
    const std::uint64_t end = std::min<std::uint64_t>({limit, file.Length(), UINT32_MAX});
    if (position >= end) return false;
    CFileReader reader(file, end);
    return CRecordChain::StartsAt(reader, static_cast<std::uint32_t>(position),
                                  static_cast<std::uint32_t>(end));
}

CFileRecordFraming::SearchWindow::SearchWindow(const CInputFile& file, std::uint64_t from,
                                               std::uint64_t limit)
    : m_from(from) {
    constexpr std::uint64_t kRecord = biff::kRecordHeaderSize + biff::kMaxBodyLength;
    constexpr std::uint64_t kSpan = kRecord + CRecordChain::kChainLength * kRecord;
    const std::uint64_t end = std::min(limit, from + kSpan);
    m_bytes.resize(end > from ? end - from : 0);
    m_bytes.resize(file.ReadAt(from, m_bytes.data(), m_bytes.size()));
}

bool CFileRecordFraming::SearchWindow::Read(std::uint32_t count, std::uint32_t offset,
                                            std::uint8_t* out) {
    if (offset < m_from || offset - m_from > m_bytes.size() ||
        m_bytes.size() - (offset - m_from) < count)
        return false;
    if (count > 0) std::memcpy(out, m_bytes.data() + (offset - m_from), count);
    return true;
}
