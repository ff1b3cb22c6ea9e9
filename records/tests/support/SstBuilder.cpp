#include "records/tests/support/SstBuilder.h"

#include <algorithm>

namespace testsupport {

namespace {

void PutU16(SstBytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutRecord(SstBytes& out, std::uint16_t type, const SstBytes& body) {
    PutU16(out, type);
    PutU16(out, static_cast<std::uint16_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

}  // namespace

SstBuilder& SstBuilder::Add(SstString string) {
    m_strings.push_back(std::move(string));
    Rebuild();
    return *this;
}

SstBuilder& SstBuilder::Counts(std::uint32_t total, std::uint32_t unique) {
    m_countsSet = true;
    m_total = total;
    m_unique = unique;
    Rebuild();
    return *this;
}

void SstBuilder::Rebuild() {
    m_units.clear();
    m_layout.clear();
    std::uint32_t normalised = 4;  // the record header
    auto data = [&](std::uint8_t b, int s) {
        m_units.push_back({false, b, 0, s});
        normalised += 1;
    };
    auto u16 = [&](std::uint16_t v, int s) {
        data(static_cast<std::uint8_t>(v & 0xFF), s);
        data(static_cast<std::uint8_t>(v >> 8), s);
    };
    auto u32 = [&](std::uint32_t v, int s) {
        u16(static_cast<std::uint16_t>(v & 0xFFFF), s);
        u16(static_cast<std::uint16_t>(v >> 16), s);
    };
    const auto count = static_cast<std::uint32_t>(m_strings.size());
    u32(m_countsSet ? m_total : count, -1);
    u32(m_countsSet ? m_unique : count, -1);
    for (int s = 0; s < static_cast<int>(m_strings.size()); ++s) {
        const SstString& str = m_strings[static_cast<std::size_t>(s)];
        SstStringLayout layout{};
        layout.header = UnitCount();
        u16(static_cast<std::uint16_t>(str.text.size()), s);
        const bool rich = !str.runs.empty();
        data(static_cast<std::uint8_t>((str.wide ? 0x01 : 0) | (str.farEast ? 0x04 : 0) |
                                       (rich ? 0x08 : 0)),
             s);
        if (rich) u16(static_cast<std::uint16_t>(str.runs.size()), s);
        if (str.farEast) u32(static_cast<std::uint32_t>(str.extension.size()), s);
        layout.chars = UnitCount();
        for (char16_t ch : str.text) {
            m_units.push_back({true, 0, ch, s});
            normalised += 2;
        }
        layout.runs = UnitCount();
        for (const auto& [first, font] : str.runs) {
            u16(first, s);
            u16(font, s);
        }
        layout.extension = UnitCount();
        layout.normalisedExtension = normalised;
        if (str.farEast)
            for (std::uint8_t b : str.extension) data(b, s);
        layout.end = UnitCount();
        m_layout.push_back(layout);
    }
}

SstBytes SstBuilder::Stream(const std::vector<std::uint32_t>& cuts,
                            std::vector<std::uint32_t>* stringEnds) const {
    std::vector<SstBytes> bodies(1);
    std::size_t nextCut = 0;
    int currentString = -2;
    bool wide = false;
    for (std::uint32_t u = 0; u < m_units.size(); ++u) {
        const Unit& unit = m_units[u];
        if (unit.string != currentString) {
            currentString = unit.string;
            if (currentString >= 0) wide = m_strings[static_cast<std::size_t>(currentString)].wide;
        }
        while (nextCut < cuts.size() && cuts[nextCut] == u) {
            bodies.emplace_back();
            if (unit.isChar) {
                const std::u16string& text = m_strings[static_cast<std::size_t>(unit.string)].text;
                const std::size_t done = u - m_layout[static_cast<std::size_t>(unit.string)].chars;
                const bool narrowFits =
                    std::all_of(text.begin() + static_cast<long>(done), text.end(),
                                [](char16_t c) { return c < 0x100; });
                wide = narrowFits ? !wide : true;
                bodies.back().push_back(wide ? 0x01 : 0x00);
            }
            ++nextCut;
        }
        SstBytes& body = bodies.back();
        if (!unit.isChar) {
            body.push_back(unit.byte);
        } else if (wide) {
            PutU16(body, unit.ch);
        } else {
            body.push_back(static_cast<std::uint8_t>(unit.ch));
        }
        const bool lastOfString =
            unit.string >= 0 && u + 1 == m_layout[static_cast<std::size_t>(unit.string)].end;
        if (stringEnds && lastOfString) {
            // Joining keeps the first body whole and each later one without
            // its first byte.
            std::size_t joined = 4 + bodies[0].size();
            for (std::size_t i = 1; i < bodies.size(); ++i) joined += bodies[i].size() - 1;
            stringEnds->push_back(static_cast<std::uint32_t>(joined));
        }
    }
    SstBytes out;
    PutRecord(out, 0x00FC, bodies[0]);
    for (std::size_t i = 1; i < bodies.size(); ++i) PutRecord(out, 0x003C, bodies[i]);
    return out;
}

JoinedSst JoinRecords(const SstBytes& stream) {
    JoinedSst joined;
    auto lengthAt = [&](std::size_t pos) {
        return static_cast<std::size_t>(stream[pos + 2] | (stream[pos + 3] << 8));
    };
    if (stream.size() < 4) return joined;
    std::size_t pos = 0;
    const std::size_t first = std::min(stream.size(), 4 + lengthAt(0));
    joined.bytes.assign(stream.begin(), stream.begin() + static_cast<long>(first));
    pos = first;
    while (pos + 4 <= stream.size() && stream[pos] == 0x3C && stream[pos + 1] == 0x00) {
        const std::size_t length = lengthAt(pos);
        const std::uint8_t flag = length > 0 && pos + 4 < stream.size() ? stream[pos + 4] : 0;
        joined.boundaries.push_back({static_cast<std::uint32_t>(joined.bytes.size()), flag});
        const std::size_t from = std::min(stream.size(), pos + 5);
        const std::size_t to = std::min(stream.size(), pos + 4 + std::max<std::size_t>(length, 1));
        joined.bytes.insert(joined.bytes.end(), stream.begin() + static_cast<long>(from),
                            stream.begin() + static_cast<long>(to));
        pos = to;
    }
    return joined;
}

}  // namespace testsupport
