// Builds shared-string tables for tests the way a BIFF8 writer splits them:
// an SST record followed by CONTINUE records cut at chosen places. A cut
// that falls before a character of a string (its first included) starts
// the CONTINUE with an option byte giving the width of the characters that
// follow; a cut anywhere else (string header, runs, extension block) starts
// it with the next byte of the data. Also joins such a stream the way the
// record stream does (CONTINUE first bytes removed and remembered).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "records/CExcelSSTCursor.h"

namespace testsupport {

using SstBytes = std::vector<std::uint8_t>;

struct SstString {
    std::u16string text;
    bool wide = false;  // width of the characters before the first cut
    std::vector<std::pair<std::uint16_t, std::uint16_t>> runs;  // first char, font
    bool farEast = false;
    SstBytes extension;  // far-east block, written only with farEast
};

// Positions of one string's parts, counted in units (a unit is one data byte
// or one character) from the start of the SST body (cstTotal is unit 0).
struct SstStringLayout {
    std::uint32_t header;
    std::uint32_t chars;
    std::uint32_t runs;
    std::uint32_t extension;
    std::uint32_t end;
    // Where the string's extension block lies in the record counted from its
    // header, with every character 16-bit and no option bytes.
    std::uint32_t normalisedExtension;
};

struct JoinedSst {
    SstBytes bytes;  // joined record, 4-byte header included
    std::vector<CExcelSSTCursor::Boundary> boundaries;
};

class SstBuilder {
public:
    SstBuilder& Add(SstString string);
    // cstTotal and cstUnique; by default both are the number of strings.
    SstBuilder& Counts(std::uint32_t total, std::uint32_t unique);

    const std::vector<SstStringLayout>& Layout() const { return m_layout; }
    std::uint32_t UnitCount() const { return static_cast<std::uint32_t>(m_units.size()); }

    // The SST record and its CONTINUE records, a boundary before each unit
    // index of cuts (increasing, below UnitCount()). At a cut inside
    // characters the rest of the string switches width when it can (all
    // remaining characters below 0x100), to exercise both directions;
    // otherwise it goes (or stays) 16-bit.
    // stringEnds, when given, receives for each string the offset in the
    // joined record (JoinRecords) just past its last byte.
    SstBytes Stream(const std::vector<std::uint32_t>& cuts,
                    std::vector<std::uint32_t>* stringEnds = nullptr) const;

private:
    struct Unit {
        bool isChar;
        std::uint8_t byte;  // data unit
        char16_t ch;        // character unit
        int string;         // owning string, -1 for the table's counts
    };
    void Rebuild();

    std::vector<SstString> m_strings;
    bool m_countsSet = false;
    std::uint32_t m_total = 0;
    std::uint32_t m_unique = 0;
    std::vector<Unit> m_units;
    std::vector<SstStringLayout> m_layout;
};

// Joins a record and the CONTINUE records after it: each CONTINUE's first
// byte is removed and remembered with the joined size before its data.
JoinedSst JoinRecords(const SstBytes& stream);

}  // namespace testsupport
