// Test helpers for the compound-file reader: deterministic stream contents,
// and a file written to a scratch folder and parsed as the program does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "compound/CInterfaceOle.h"
#include "compound/tests/support/ScratchFolder.h"

// n bytes that differ from sector to sector and from stream to stream, so
// that a misplaced or repeated piece shows.
inline std::vector<std::uint8_t> Pattern(std::size_t n, std::uint32_t seed) {
    std::vector<std::uint8_t> bytes(n);
    std::uint32_t x = seed * 2654435761u + 1;
    for (std::uint8_t& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(x >> 16);
    }
    return bytes;
}

// Bytes [from, from + n) of v.
inline std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& v, std::uint64_t from,
                                       std::uint64_t n) {
    return std::vector<std::uint8_t>(v.begin() + static_cast<std::ptrdiff_t>(from),
                                     v.begin() + static_cast<std::ptrdiff_t>(from + n));
}

inline void Append(std::vector<std::uint8_t>& to, const std::vector<std::uint8_t>& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// A compound file on disk, parsed by a CInterfaceOle.
class ParsedFile {
public:
    explicit ParsedFile(const std::vector<std::uint8_t>& bytes)
        : m_source(m_folder.Write("source.xls", bytes)) {
        m_ole.SetFileNameSrc(m_source);
        m_result = m_ole.ParseFile();
    }

    CInterfaceOle& Ole() { return m_ole; }
    EErrorCode ParseResult() const { return m_result; }
    unsigned long Bits() const { return m_ole.GetParseError(); }
    const std::filesystem::path& Source() const { return m_source; }
    std::filesystem::path Output(const std::string& name = "Workbook.bin") const {
        return m_folder / name;
    }

    // Copies the "Workbook" stream; returns CopyWorkbook's result and puts
    // the output's bytes in out (empty when no file was written).
    int CopyWorkbook(std::vector<std::uint8_t>& out) {
        const std::filesystem::path path = Output();
        std::filesystem::remove(path);
        const int result = m_ole.CopyWorkbook(path);
        out = ScratchFolder::Read(path);
        return result;
    }

private:
    ScratchFolder m_folder;
    std::filesystem::path m_source;
    CInterfaceOle m_ole;
    EErrorCode m_result = ErrNone;
};
