// Finds the BIFF8 records of a workbook inside a file's bytes, so that the
// record-level damage kinds can aim at one record. The walk starts at the
// first BIFF8 BOF and follows the record lengths; at a zero header (the
// padding writers leave) or a length running past the end it looks for the
// next BOF. It reads the file in file order, which is the stream's order
// when the stream's sectors lie in order, as writers lay them out.
#pragma once

#include <cstdint>
#include <vector>

class CBiffRecordWalk {
public:
    struct Record {
        std::uint64_t offset = 0;  // of the 4-byte header, in the file
        std::uint16_t type = 0;
        std::uint16_t length = 0;
    };

    // Walks the bytes; never more than one record per 4 bytes of file.
    explicit CBiffRecordWalk(const std::vector<std::uint8_t>& file);

    const std::vector<Record>& GetRecords() const { return m_records; }
    // The records of one type, in file order.
    std::vector<Record> OfType(std::uint16_t type) const;
    // File offset of the first BOF; the file size when there is none.
    std::uint64_t GetFirstBof() const { return m_firstBof; }

    // The next BIFF8 BOF header at or after `from`; the file size when none.
    static std::uint64_t FindBof(const std::vector<std::uint8_t>& file, std::uint64_t from);

private:
    std::vector<Record> m_records;
    std::uint64_t m_firstBof = 0;
};
