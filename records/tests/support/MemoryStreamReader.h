// The worksheet parser's read operation over bytes in memory, for the tests
// of the cell-record decoders. Offsets count from the first byte of the
// vector, standing for the scan file; the readable stretch ends at `end`
// (the vector's length unless told), as a sheet's records end where the
// next sheet's BOF begins.
#pragma once

#include <cstdint>
#include <vector>

#include "biff/IExcelStreamReader.h"

namespace testsupport {

class MemoryStreamReader : public IExcelStreamReader {
public:
    explicit MemoryStreamReader(std::vector<std::uint8_t> bytes);
    // end is clamped to the length of bytes.
    MemoryStreamReader(std::vector<std::uint8_t> bytes, std::uint32_t end);

    bool Read(std::uint32_t count, std::uint32_t offset, std::uint8_t* out) override;

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint32_t m_end;
};

}  // namespace testsupport
