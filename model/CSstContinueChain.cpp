#include "model/CSstContinueChain.h"

#include <algorithm>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/CInputFile.h"
#include "biff/CRecordChain.h"
#include "records/RecordLayout.h"

bool CSstContinueChain::HeaderAt(const CInputFile& file, std::uint64_t position,
                                 std::uint64_t limit, std::uint16_t& type, std::uint32_t& length) {
    std::uint8_t header[biff::kRecordHeaderSize] = {};
    if (position >= limit || limit - position < sizeof header ||
        file.ReadAt(position, header, sizeof header) < sizeof header)
        return false;
    type = CDataReader::GetU16(header + biff::kTypeOffset);
    length = CDataReader::GetU16(header + biff::kLengthOffset);
    return true;
}

namespace {

// True when a sound CONTINUE or EXTSST header starts at position: the
// records that follow a CONTINUE of the shared-string table.
bool SstChainAt(const CInputFile& file, std::uint64_t position, std::uint64_t limit) {
    std::uint16_t type = 0;
    std::uint32_t length = 0;
    return CSstContinueChain::HeaderAt(file, position, limit, type, length) &&
           (type == biff::kCONTINUE || type == biff::kEXTSST) &&
           CRecordChain::IsSoundHeader(type, length);
}

// True when an EXTSST body starts at position whose first bucket lies in the
// SST record at sstPosition, as the first bucket of every table does.
bool IndexesSstAt(const CInputFile& file, std::uint64_t position, std::uint64_t sstPosition) {
    std::uint8_t entry[biff8::kExtSstFirstEntry + biff8::kExtSstEntrySize] = {};
    if (file.ReadAt(position, entry, sizeof entry) < sizeof entry) return false;
    const std::uint8_t* first = entry + biff8::kExtSstFirstEntry;
    const std::uint64_t stringAt = CDataReader::GetU32(first + biff8::kExtSstEntryPosition);
    const std::uint64_t inRecord = CDataReader::GetU16(first + biff8::kExtSstEntryOffset);
    return stringAt - inRecord == sstPosition && inRecord == biff8::kSstFirstString;
}

// The first offset in [from, from + the longest CONTINUE] where the SST's
// chain goes on after a damaged header: a CONTINUE followed by another
// CONTINUE or EXTSST (or the end of the stretch), or the EXTSST of the SST
// at sstPosition. The bytes are read at once.
std::optional<std::uint64_t> NextSstChain(const CInputFile& file, std::uint64_t from,
                                          std::uint64_t limit, std::uint64_t sstPosition) {
    const std::uint64_t end = std::min<std::uint64_t>(limit, file.Length());
    constexpr std::uint64_t kSpan =
        2 * biff::kRecordHeaderSize + biff::kContinueFlagSize + biff::kMaxBodyLength;
    if (from >= end) return std::nullopt;
    std::vector<std::uint8_t> bytes(std::min(kSpan, end - from));
    bytes.resize(file.ReadAt(from, bytes.data(), bytes.size()));
    for (std::size_t at = 0; at + biff::kRecordHeaderSize <= bytes.size(); ++at) {
        const std::uint16_t type = CDataReader::GetU16(&bytes[at] + biff::kTypeOffset);
        if (type != biff::kCONTINUE && type != biff::kEXTSST) continue;
        const std::uint32_t length = CDataReader::GetU16(&bytes[at] + biff::kLengthOffset);
        if (!CRecordChain::IsSoundHeader(type, length)) continue;
        const std::uint64_t header = from + at;
        const std::uint64_t next = header + biff::kRecordHeaderSize + length;
        const bool goesOn = type == biff::kCONTINUE
                                ? next == end || SstChainAt(file, next, end)
                                : IndexesSstAt(file, header + biff::kRecordHeaderSize, sstPosition);
        if (goesOn) return header;
    }
    return std::nullopt;
}

}  // namespace

bool CSstContinueChain::RepairSstLength(const CInputFile& file, std::uint64_t position,
                                        std::uint64_t limit, std::uint32_t& length) {
    // Only a length no body can have, or one that ends where no header can
    // start, is damage: a header of a sound length there, or any CONTINUE,
    // may be a CONTINUE whose own header was damaged, which the chain walk
    // takes apart.
    const std::uint64_t next = position + biff::kRecordHeaderSize + length;
    std::uint16_t type = 0;
    std::uint32_t nextLength = 0;
    if (next == limit) return false;
    if (length <= biff::kMaxBodyLength && next < limit &&
        (!HeaderAt(file, next, limit, type, nextLength) || type == biff::kCONTINUE ||
         nextLength <= biff::kMaxBodyLength))
        return false;
    const std::optional<std::uint64_t> chain =
        NextSstChain(file, position + biff::kRecordHeaderSize, limit, position);
    if (!chain) return false;
    length = static_cast<std::uint32_t>(*chain - position - biff::kRecordHeaderSize);
    return true;
}

void CSstContinueChain::RepairContinue(const CInputFile& file, std::uint64_t position,
                                       std::uint64_t limit, std::uint64_t sstPosition,
                                       std::uint32_t& data) {
    const std::uint64_t body = position + biff::kRecordHeaderSize + biff::kContinueFlagSize;
    if (SstChainAt(file, body + data, limit) || body + data >= limit) return;
    // Only the length of this CONTINUE was damaged: its bytes run to where
    // the chain goes on.
    if (const std::optional<std::uint64_t> next = NextSstChain(file, body, limit, sstPosition))
        data = static_cast<std::uint32_t>(*next - body);
}

bool CSstContinueChain::DamagedContinue(const CInputFile& file, std::uint64_t position,
                                        std::uint64_t limit, std::uint64_t sstPosition,
                                        std::uint32_t& data, bool& damaged) {
    std::uint16_t type = 0;
    std::uint32_t length = 0;
    if (!HeaderAt(file, position, limit, type, length) ||
        (type == biff::kEXTSST && CRecordChain::IsSoundHeader(type, length)))
        return false;
    // Only the type was damaged when the chain goes on where its length
    // ends: the bytes are the CONTINUE's own.
    if (length >= biff::kContinueFlagSize && length <= biff::kMaxBodyLength &&
        SstChainAt(file, position + biff::kRecordHeaderSize + length, limit)) {
        data = length - biff::kContinueFlagSize;
        return true;
    }
    // A record of its own ends the table.
    if (CRecordChain::IsSoundHeader(type, length)) return false;
    // Header and length gone: the bytes up to where the chain goes on are
    // joined, and the decoder trusts nothing that crosses them.
    const std::uint64_t body = position + biff::kRecordHeaderSize + biff::kContinueFlagSize;
    const std::optional<std::uint64_t> next = NextSstChain(file, body, limit, sstPosition);
    if (!next) return false;
    data = static_cast<std::uint32_t>(*next - body);
    damaged = true;
    return true;
}
