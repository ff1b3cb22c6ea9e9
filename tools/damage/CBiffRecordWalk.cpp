#include "tools/damage/CBiffRecordWalk.h"

#include "tools/damage/BiffRecordLayout.h"

using namespace BiffRecordLayout;

namespace {

std::uint16_t U16At(const std::vector<std::uint8_t>& file, std::uint64_t at) {
    return static_cast<std::uint16_t>(file[at] | (file[at + 1] << 8));
}

}  // namespace

std::uint64_t CBiffRecordWalk::FindBof(const std::vector<std::uint8_t>& file, std::uint64_t from) {
    // type, length 16 and the BIFF8 version together: a plain 0x0809 is too
    // common in cell data to trust alone.
    for (std::uint64_t at = from; at + kHeaderSize + 2 <= file.size(); ++at) {
        if (U16At(file, at) == kBof && U16At(file, at + kLengthOffset) == kBofLength &&
            U16At(file, at + kHeaderSize + kBofVersion) == kBiff8Version)
            return at;
    }
    return file.size();
}

CBiffRecordWalk::CBiffRecordWalk(const std::vector<std::uint8_t>& file) {
    m_firstBof = FindBof(file, 0);
    std::uint64_t at = m_firstBof;
    // Every step moves forward by at least 4 bytes or jumps to a later BOF,
    // so the walk ends.
    while (at + kHeaderSize <= file.size()) {
        const std::uint16_t type = U16At(file, at + kTypeOffset);
        const std::uint16_t length = U16At(file, at + kLengthOffset);
        const std::uint64_t next = at + kHeaderSize + length;
        if ((type == 0 && length == 0) || next > file.size()) {
            at = FindBof(file, at + 1);
            continue;
        }
        m_records.push_back({at, type, length});
        at = next;
    }
}

std::vector<CBiffRecordWalk::Record> CBiffRecordWalk::OfType(std::uint16_t type) const {
    std::vector<Record> found;
    for (const Record& record : m_records)
        if (record.type == type) found.push_back(record);
    return found;
}
