// A small, strict reader of what the writer produces, written for the tests
// from the file format alone: it walks the compound file's header, DIFAT,
// FAT and directory, checks every chain, and splits a stream into BIFF
// records. Anything out of place becomes a problem text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace servertest {

using Bytes = std::vector<std::uint8_t>;

struct CompoundFile {
    std::vector<std::string> problems;
    Bytes workbook;  // the Workbook stream, exactly its declared size
    std::uint32_t fatSectors = 0;
    std::uint32_t difatSectors = 0;
    std::uint32_t sectors = 0;  // after the header
};
CompoundFile ReadCompound(const Bytes& file);

struct Record {
    std::uint16_t type = 0;
    std::uint64_t position = 0;  // of the record header in the stream
    Bytes body;
};
// Records from `from` on, up to the first EOF (0x000A) included, or to the
// end of the stream when stopAtEof is false (zero padding ends it too).
std::vector<Record> ReadRecords(const Bytes& stream, std::uint64_t from = 0, bool stopAtEof = true);

std::uint16_t U16(const Bytes& b, std::size_t off);
std::uint32_t U32(const Bytes& b, std::size_t off);
double F64(const Bytes& b, std::size_t off);

// A BIFF8 string whose characters may go on in CONTINUE records that start
// with an option byte: record bodies in order, the string's count size (1 or
// 2), and where in the first body it starts. Advances body/offset past it.
std::u16string ReadContinuedString(const std::vector<const Bytes*>& bodies, std::size_t& body,
                                   std::size_t& offset, int countSize = 2);

}  // namespace servertest
