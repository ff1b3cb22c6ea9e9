#include "server/tests/support/XlsStructureReader.h"

#include <cstring>

namespace servertest {

namespace {

constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEnd = 0xFFFFFFFE;
constexpr std::uint32_t kFat = 0xFFFFFFFD;
constexpr std::uint32_t kDif = 0xFFFFFFFC;

}  // namespace

std::uint16_t U16(const Bytes& b, std::size_t off) {
    return off + 2 <= b.size() ? static_cast<std::uint16_t>(b[off] | (b[off + 1] << 8)) : 0;
}

std::uint32_t U32(const Bytes& b, std::size_t off) {
    return off + 4 <= b.size() ? static_cast<std::uint32_t>(U16(b, off)) |
                                     (static_cast<std::uint32_t>(U16(b, off + 2)) << 16)
                               : 0;
}

double F64(const Bytes& b, std::size_t off) {
    std::uint64_t bits = static_cast<std::uint64_t>(U32(b, off)) |
                         (static_cast<std::uint64_t>(U32(b, off + 4)) << 32);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

CompoundFile ReadCompound(const Bytes& file) {
    CompoundFile cf;
    auto problem = [&cf](const std::string& text) { cf.problems.push_back(text); };
    static const std::uint8_t kSig[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (file.size() < 512 || std::memcmp(file.data(), kSig, 8) != 0) {
        problem("no compound-file signature");
        return cf;
    }
    if ((file.size() - 512) % 512 != 0) problem("file is not the header plus whole sectors");
    cf.sectors = static_cast<std::uint32_t>((file.size() - 512) / 512);
    if (U16(file, 26) != 3 || U16(file, 24) != 0x3E) problem("not version 3.62");
    if (U16(file, 28) != 0xFFFE) problem("byte order mark");
    if (U16(file, 30) != 9 || U16(file, 32) != 6) problem("sector shifts");
    if (U32(file, 40) != 0) problem("directory sector count must be 0 in version 3");
    if (U32(file, 56) != 4096) problem("mini stream cutoff");
    if (U32(file, 60) != kEnd || U32(file, 64) != 0) problem("mini FAT present");
    cf.fatSectors = U32(file, 44);
    cf.difatSectors = U32(file, 72);

    auto sectorAt = [&file](std::uint32_t id) {
        return static_cast<std::size_t>(512) + 512ull * id;
    };
    std::vector<int> owner(cf.sectors, 0);  // 0 free, 1 FAT, 2 DIFAT, 3 chain
    auto claim = [&](std::uint32_t id, int what, const char* name) {
        if (id >= cf.sectors) {
            problem(std::string(name) + " sector past the end");
            return false;
        }
        if (owner[id] != 0) {
            problem(std::string(name) + " sector used twice");
            return false;
        }
        owner[id] = what;
        return true;
    };

    // FAT sector ids: 109 in the header, the rest in the DIFAT chain.
    std::vector<std::uint32_t> fatIds;
    for (std::uint32_t i = 0; i < 109; ++i) {
        const std::uint32_t id = U32(file, 76 + 4 * i);
        if (i < cf.fatSectors)
            fatIds.push_back(id);
        else if (id != kFree)
            problem("unused header DIFAT slot is not free");
    }
    std::uint32_t difat = U32(file, 68);
    std::uint32_t difatSeen = 0;
    while (difat != kEnd) {
        if (difatSeen++ > cf.sectors || !claim(difat, 2, "DIFAT")) {
            problem("DIFAT chain broken");
            break;
        }
        const std::size_t at = sectorAt(difat);
        for (std::uint32_t i = 0; i < 127; ++i) {
            const std::uint32_t id = U32(file, at + 4 * i);
            if (fatIds.size() < cf.fatSectors)
                fatIds.push_back(id);
            else if (id != kFree)
                problem("unused DIFAT entry is not free");
        }
        difat = U32(file, at + 508);
    }
    if (difatSeen != cf.difatSectors) problem("DIFAT sector count differs from the header");
    if (fatIds.size() != cf.fatSectors) problem("fewer FAT sector ids than FAT sectors");

    std::vector<std::uint32_t> fat;
    for (std::uint32_t id : fatIds) {
        if (!claim(id, 1, "FAT")) return cf;
        for (std::uint32_t i = 0; i < 128; ++i) fat.push_back(U32(file, sectorAt(id) + 4 * i));
    }
    if (fat.size() < cf.sectors) {
        problem("FAT does not cover every sector");
        return cf;
    }
    for (std::uint32_t id = 0; id < cf.sectors; ++id) {
        if (owner[id] == 1 && fat[id] != kFat) problem("FAT sector not marked as such");
        if (owner[id] == 2 && fat[id] != kDif) problem("DIFAT sector not marked as such");
    }
    for (std::size_t id = cf.sectors; id < fat.size(); ++id) {
        if (fat[id] != kFree) problem("FAT entry past the file is not free");
    }

    auto chain = [&](std::uint32_t start, const char* name) {
        std::vector<std::uint32_t> ids;
        for (std::uint32_t id = start; id != kEnd;) {
            if (!claim(id, 3, name)) break;
            ids.push_back(id);
            id = fat[id];
        }
        return ids;
    };
    const std::vector<std::uint32_t> dirIds = chain(U32(file, 48), "directory");
    Bytes dir;
    for (std::uint32_t id : dirIds) {
        dir.insert(dir.end(), file.begin() + static_cast<std::ptrdiff_t>(sectorAt(id)),
                   file.begin() + static_cast<std::ptrdiff_t>(sectorAt(id) + 512));
    }
    if (dir.size() < 256 || dir[66] != 5) {
        problem("no root entry");
        return cf;
    }
    const std::uint32_t child = U32(dir, 76);
    if (child == kFree || (child + 1) * 128 > dir.size()) {
        problem("root has no child");
        return cf;
    }
    const std::size_t entry = child * 128ull;
    std::u16string name;
    for (std::size_t i = 0; i + 2 <= U16(dir, entry + 64) && i < 64; i += 2) {
        const char16_t c = U16(dir, entry + i);
        if (c) name.push_back(c);
    }
    if (name != u"Workbook" || dir[entry + 66] != 2) {
        problem("the root's child is not the Workbook stream");
        return cf;
    }
    const std::uint32_t size = U32(dir, entry + 120);
    if (size < 4096) problem("Workbook stream below the mini-stream cutoff");
    const std::vector<std::uint32_t> ids = chain(U32(dir, entry + 116), "Workbook");
    if (ids.size() != (size + 511ull) / 512) problem("Workbook chain length differs from its size");
    for (std::uint32_t id : ids) {
        cf.workbook.insert(cf.workbook.end(),
                           file.begin() + static_cast<std::ptrdiff_t>(sectorAt(id)),
                           file.begin() + static_cast<std::ptrdiff_t>(sectorAt(id) + 512));
    }
    cf.workbook.resize(std::min<std::size_t>(cf.workbook.size(), size));
    return cf;
}

std::vector<Record> ReadRecords(const Bytes& stream, std::uint64_t from, bool stopAtEof) {
    std::vector<Record> records;
    std::uint64_t pos = from;
    while (pos + 4 <= stream.size()) {
        Record r;
        r.type = U16(stream, pos);
        const std::uint16_t length = U16(stream, pos + 2);
        if (r.type == 0 && length == 0) break;  // padding after the last EOF
        r.position = pos;
        if (pos + 4 + length > stream.size()) break;
        r.body.assign(stream.begin() + static_cast<std::ptrdiff_t>(pos + 4),
                      stream.begin() + static_cast<std::ptrdiff_t>(pos + 4 + length));
        records.push_back(std::move(r));
        pos += 4 + length;
        if (stopAtEof && records.back().type == 0x000A) break;
    }
    return records;
}

std::u16string ReadContinuedString(const std::vector<const Bytes*>& bodies, std::size_t& body,
                                   std::size_t& offset, int countSize) {
    const Bytes* b = bodies[body];
    const std::uint32_t count = countSize == 1 ? (*b)[offset] : U16(*b, offset);
    offset += countSize;
    std::uint8_t options = (*b)[offset++];
    std::u16string text;
    while (text.size() < count) {
        if (offset >= b->size()) {
            if (++body >= bodies.size()) break;
            b = bodies[body];
            offset = 0;
            options = (*b)[offset++];
            continue;
        }
        if (options & 1) {
            text.push_back(U16(*b, offset));
            offset += 2;
        } else {
            text.push_back((*b)[offset++]);
        }
    }
    return text;
}

}  // namespace servertest
