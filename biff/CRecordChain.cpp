#include "biff/CRecordChain.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"

namespace {

// Body sizes a record type allows: min..max, and when step is not 0, only
// sizes min + k * step.
struct SizeRule {
    std::uint16_t type;
    std::uint16_t min;
    std::uint16_t max;
    std::uint16_t step;
};

constexpr std::uint16_t kAny = biff::kMaxBodyLength;

// Records of the globals and worksheet substreams, sorted by type; the
// sizes are what each record's layout allows. Fixed layouts above all make a
// chain convincing.
constexpr SizeRule kRules[] = {
    {biff::kFORMULA, 22, kAny, 0},  // row, column, XF, result, flags, chn, cce
    {biff::kEOF, 0, 0, 0},
    {0x000C, 2, 2, 0},                 // CALCCOUNT
    {0x000D, 2, 2, 0},                 // CALCMODE
    {0x000E, 2, 2, 0},                 // PRECISION
    {0x000F, 2, 2, 0},                 // REFMODE
    {0x0010, 8, 8, 0},                 // DELTA
    {0x0011, 2, 2, 0},                 // ITERATION
    {0x0012, 2, 2, 0},                 // PROTECT
    {0x0013, 2, 2, 0},                 // PASSWORD
    {0x0014, 0, kAny, 0},              // HEADER
    {0x0015, 0, kAny, 0},              // FOOTER
    {biff::kEXTERNSHEET, 2, kAny, 6},  // a count, then 6 bytes a sheet reference
    {biff::kNAME, 15, kAny, 0},
    {0x0019, 2, 2, 0},     // WINDOWPROTECT
    {0x001A, 2, kAny, 0},  // VERTICALPAGEBREAKS
    {0x001B, 2, kAny, 0},  // HORIZONTALPAGEBREAKS
    {biff::kNOTE, 12, kAny, 0},
    {biff::kSELECTION, 15, kAny, 6},  // pane, active cell, then 6 bytes a range
    {biff::kDATEMODE, 2, 2, 0},
    {biff::kEXTERNNAME, 7, kAny, 0},
    {0x0026, 8, 8, 0},  // LEFTMARGIN
    {0x0027, 8, 8, 0},  // RIGHTMARGIN
    {0x0028, 8, 8, 0},  // TOPMARGIN
    {0x0029, 8, 8, 0},  // BOTTOMMARGIN
    {0x002A, 2, 2, 0},  // PRINTHEADERS
    {0x002B, 2, 2, 0},  // PRINTGRIDLINES
    {biff::kFONT, 16, kAny, 0},
    {biff::kCONTINUE, 1, kAny, 0},
    {0x003D, 18, 18, 0},      // WINDOW1
    {0x0040, 2, 2, 0},        // BACKUP
    {biff::kPANE, 9, 10, 0},  // the last byte is padding some writers omit
    {0x0042, 2, 2, 0},        // CODEPAGE
    {biff::kDEFCOLWIDTH, 2, 2, 0},
    {biff::kXCT, 4, 4, 0},
    {biff::kCRN, 4, kAny, 0},
    {0x005C, 3, 112, 0},  // WRITEACCESS
    {biff::kOBJ, 4, kAny, 0},
    {0x005F, 2, 2, 0},            // SAVERECALC
    {0x0063, 2, 2, 0},            // OBJPROTECT
    {biff::kCOLINFO, 11, 12, 0},  // the last byte is padding some writers omit
    {0x0080, 8, 8, 0},            // GUTS
    {0x0081, 2, 2, 0},            // WSBOOL
    {0x0082, 2, 2, 0},            // GRIDSET
    {0x0083, 2, 2, 0},            // HCENTER
    {0x0084, 2, 2, 0},            // VCENTER
    {biff::kBOUNDSHEET, 8, kAny, 0},
    {0x008C, 4, 4, 0},             // COUNTRY
    {0x008D, 2, 2, 0},             // HIDEOBJ
    {biff::kPALETTE, 2, kAny, 4},  // a count, then 4 bytes a colour
    {biff::kSTANDARDWIDTH, 2, 2, 0},
    {0x009C, 2, 2, 0},  // FNGROUPCOUNT
    {biff::kSCL, 4, 4, 0},
    {0x00A1, 34, 34, 0},            // SETUP
    {biff::kMULRK, 12, kAny, 6},    // row, first column, 6 bytes a cell, last column
    {biff::kMULBLANK, 8, kAny, 2},  // row, first column, an XF a cell, last column
    {0x00C1, 2, 2, 0},              // MMS
    {0x00D3, 0, 0, 0},              // OBPROJ
    {0x00D7, 4, kAny, 2},           // DBCELL: row offset, then 2 bytes a row
    {0x00DA, 2, 2, 0},              // BOOKBOOL
    {0x00DD, 2, 2, 0},              // SCENPROTECT
    {biff::kXF, 20, 20, 0},
    {0x00E1, 0, 2, 0},                 // INTERFACEHDR
    {0x00E2, 0, 2, 0},                 // INTERFACEEND
    {biff::kMERGEDCELLS, 2, kAny, 8},  // a count, then 8 bytes a range
    {0x00EB, 8, kAny, 0},              // MSODRAWINGGROUP
    {biff::kMSODRAWING, 8, kAny, 0},
    {0x00EF, 6, kAny, 0},  // PHONETIC
    {biff::kSST, 8, kAny, 0},
    {biff::kLABELSST, 10, 10, 0},
    {biff::kEXTSST, 2, kAny, 8},  // bucket size, then 8 bytes a bucket
    {0x013D, 0, kAny, 2},         // TABID
    {0x0160, 2, 2, 0},            // USESELFS
    {0x0161, 2, 2, 0},            // DSF
    {biff::kSUPBOOK, 4, kAny, 0},
    {0x01AF, 2, 2, 0},  // PROT4REV
    {biff::kCONDFMT, 12, kAny, 0},
    {biff::kCF, 12, kAny, 0},
    {biff::kDVAL, 18, 18, 0},
    {biff::kTXO, 18, 18, 0},
    {0x01B7, 2, 2, 0},  // REFRESHALL
    {biff::kHLINK, 32, kAny, 0},
    {0x01BA, 3, kAny, 0},  // CODENAME
    {0x01BC, 2, 2, 0},     // PROT4REVPASS
    {biff::kDV, 12, kAny, 0},
    {0x01C0, 0, 0, 0},    // EXCEL9FILE
    {0x01C1, 8, 8, 0},    // RECALCID
    {0x0200, 14, 14, 0},  // DIMENSIONS
    {biff::kBLANK, 6, 6, 0},
    {biff::kNUMBER, 14, 14, 0},
    {biff::kLABEL, 9, kAny, 0},
    {biff::kBOOLERR, 8, 8, 0},
    {biff::kSTRING, 3, kAny, 0},
    {biff::kROW, 16, 16, 0},
    {0x020B, 16, kAny, 4},  // INDEX: 16 bytes, then 4 a DBCELL
    {biff::kARRAY, 14, kAny, 0},
    {biff::kDEFAULTROWHEIGHT, 4, 4, 0},
    {biff::kTABLE, 16, 16, 0},
    {biff::kWINDOW2, 18, 18, 0},
    {biff::kRK, 10, 10, 0},
    {biff::kSTYLE, 4, kAny, 0},
    {biff::kFORMAT, 5, kAny, 0},
    {biff::kSHRFMLA, 10, kAny, 0},
    {biff::kBOF, 8, 20, 0},
    // Records of later versions, each body opening with a header that
    // repeats its type (checked where a chain is sought). Globals hold a run
    // of them around BOUNDSHEET, SST and EXTSST, so a walk that picks up
    // after damage must know them.
    {0x0862, 20, 40, 0},    // SHEETEXT
    {0x0863, 20, 22, 0},    // BOOKEXT
    {0x0867, 4, kAny, 0},   // FEATHEADR
    {0x087C, 20, 20, 0},    // XFCRC
    {0x087D, 20, kAny, 0},  // XFEXT
    {0x088B, 16, 16, 0},    // PLV
    {0x088C, 16, 16, 0},
    {0x088E, 20, kAny, 0},  // TABLESTYLES
    {0x0892, 20, kAny, 0},  // STYLEEXT
    {0x0896, 16, kAny, 0},  // THEME
    {0x0897, 28, 28, 0},
    {0x089A, 24, 24, 0},  // MTRSETTINGS
    {0x089B, 16, 16, 0},
    {0x089C, 38, kAny, 0},  // HEADERFOOTER
    {0x08A3, 16, 16, 0},    // FORCEFULLCALCULATION
    {0x08D6, 16, 16, 0},
    {0x105C, 2, kAny, 0},  // CLRTCLIENT
};

constexpr bool SortedByType() {
    for (std::size_t i = 1; i < std::size(kRules); ++i) {
        if (kRules[i - 1].type >= kRules[i].type) return false;
    }
    return true;
}
static_assert(SortedByType(), "one rule per type, in order");

// Every header of a walk looks its type up, several times: a table indexed
// by type, up to the highest type with a rule, answers at once.
constexpr std::size_t kTypesIndexed = std::end(kRules)[-1].type + 1u;
constexpr std::uint8_t kNoRule = 0xFF;
static_assert(std::size(kRules) < kNoRule, "a rule's place fits a byte");

constexpr std::array<std::uint8_t, kTypesIndexed> MakeRuleIndex() {
    std::array<std::uint8_t, kTypesIndexed> index{};
    for (std::uint8_t& place : index) place = kNoRule;
    for (std::size_t i = 0; i < std::size(kRules); ++i)
        index[kRules[i].type] = static_cast<std::uint8_t>(i);
    return index;
}
constexpr std::array<std::uint8_t, kTypesIndexed> kRuleIndex = MakeRuleIndex();

const SizeRule* FindRule(std::uint16_t type) {
    if (type >= kTypesIndexed || kRuleIndex[type] == kNoRule) return nullptr;
    return &kRules[kRuleIndex[type]];
}

// Later versions' records (0x0850 on) open their body with their own type:
// four bytes of cell data that happen to read as such a header rarely do.
bool BodyRepeatsType(IExcelStreamReader& reader, std::uint64_t at, std::uint16_t type,
                     std::uint16_t size, std::uint64_t end) {
    constexpr std::uint16_t kFirstRepeating = 0x0850;
    constexpr std::uint16_t kLastRepeating = 0x08FF;
    if (type < kFirstRepeating || type > kLastRepeating) return true;
    std::uint8_t repeated[2];
    const std::uint64_t body = at + biff::kRecordHeaderSize;
    return size >= sizeof repeated && end - body >= sizeof repeated &&
           reader.Read(sizeof repeated, static_cast<std::uint32_t>(body), repeated) &&
           CDataReader::GetU16(repeated) == type;
}

}  // namespace

bool CRecordChain::IsSoundHeader(std::uint16_t type, std::uint32_t size) {
    const SizeRule* rule = FindRule(type);
    if (rule == nullptr || size < rule->min || size > rule->max) return false;
    return rule->step == 0 || (size - rule->min) % rule->step == 0;
}

bool CRecordChain::IsWrongLength(std::uint16_t type, std::uint32_t size) {
    if (size > biff::kMaxBodyLength) return true;
    return FindRule(type) != nullptr && !IsSoundHeader(type, size);
}

bool CRecordChain::KnownHeaderAt(IExcelStreamReader& reader, std::uint32_t offset,
                                 std::uint32_t end) {
    std::uint8_t header[biff::kRecordHeaderSize];
    if (offset > end || end - offset < biff::kRecordHeaderSize ||
        !reader.Read(biff::kRecordHeaderSize, offset, header))
        return false;
    return IsKnownHeader(CDataReader::GetU16(header + biff::kTypeOffset),
                         CDataReader::GetU16(header + biff::kLengthOffset));
}

bool CRecordChain::IsKnownHeader(std::uint16_t type, std::uint32_t size) {
    return FindRule(type) != nullptr && size <= biff::kMaxBodyLength;
}

bool CRecordChain::StartsAt(IExcelStreamReader& reader, std::uint32_t offset, std::uint32_t end) {
    std::uint64_t at = offset;
    for (int i = 0; i < kChainLength; ++i) {
        if (at == end) return i > 0;
        std::uint8_t header[biff::kRecordHeaderSize];
        if (at > end || end - at < biff::kRecordHeaderSize ||
            !reader.Read(biff::kRecordHeaderSize, static_cast<std::uint32_t>(at), header))
            return false;
        const std::uint16_t type = CDataReader::GetU16(header + biff::kTypeOffset);
        const std::uint16_t size = CDataReader::GetU16(header + biff::kLengthOffset);
        if (!IsSoundHeader(type, size) || !BodyRepeatsType(reader, at, type, size, end))
            return false;
        at += biff::kRecordHeaderSize + size;
        if (at > end) return false;
        // Four bytes 0A 00 00 00 are too common in cell data to start a chain
        // alone; an EOF after sound records ends one.
        if (type == biff::kEOF) return i > 0;
    }
    return true;
}

std::optional<std::uint32_t> CRecordChain::FindStart(IExcelStreamReader& reader, std::uint32_t from,
                                                     std::uint32_t last, std::uint32_t end) {
    for (std::uint64_t at = from; at <= last && at < end; ++at) {
        if (StartsAt(reader, static_cast<std::uint32_t>(at), end))
            return static_cast<std::uint32_t>(at);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> CRecordChain::EndOfZeros(IExcelStreamReader& reader,
                                                      std::uint32_t from, std::uint32_t end) {
    constexpr std::uint32_t kChunk = 512;
    std::uint8_t bytes[kChunk];
    for (std::uint32_t at = from; at < end;) {
        const std::uint32_t count = std::min(kChunk, end - at);
        if (!reader.Read(count, at, bytes)) return std::nullopt;
        const auto* nonZero =
            std::find_if(bytes, bytes + count, [](std::uint8_t b) { return b != 0; });
        if (nonZero != bytes + count) return at + static_cast<std::uint32_t>(nonZero - bytes);
        at += count;
    }
    return std::nullopt;
}
