#include "biff/BiffRecordIds.h"

#include <algorithm>
#include <iterator>

namespace biff {

namespace {

// Sorted by type so that lookups can bisect.
constexpr RecordNameEntry kNames[] = {
    {kFORMULA, "FORMULA"},
    {kEOF, "EOF"},
    {kEXTERNSHEET, "EXTERNSHEET"},
    {kNAME, "NAME"},
    {kNOTE, "NOTE"},
    {kSELECTION, "SELECTION"},
    {kDATEMODE, "DATEMODE"},
    {kFONT, "FONT"},
    {kCONTINUE, "CONTINUE"},
    {kPANE, "PANE"},
    {kDEFCOLWIDTH, "DEFCOLWIDTH"},
    {kXCT, "XCT"},
    {kCRN, "CRN"},
    {kOBJ, "OBJ"},
    {kCOLINFO, "COLINFO"},
    {kBOUNDSHEET, "BOUNDSHEET"},
    {kPALETTE, "PALETTE"},
    {kSTANDARDWIDTH, "STANDARDWIDTH"},
    {kSCL, "SCL"},
    {kMULRK, "MULRK"},
    {kMULBLANK, "MULBLANK"},
    {kRSTRING, "RSTRING"},
    {kXF, "XF"},
    {kMERGEDCELLS, "MERGEDCELLS"},
    {kMSODRAWING, "MSODRAWING"},
    {kSST, "SST"},
    {kLABELSST, "LABELSST"},
    {kEXTSST, "EXTSST"},
    {kSUPBOOK, "SUPBOOK"},
    {kCONDFMT, "CONDFMT"},
    {kCF, "CF"},
    {kDVAL, "DVAL"},
    {kTXO, "TXO"},
    {kHLINK, "HLINK"},
    {kDV, "DV"},
    {kBLANK, "BLANK"},
    {kNUMBER, "NUMBER"},
    {kLABEL, "LABEL"},
    {kBOOLERR, "BOOLERR"},
    {kSTRING, "STRING"},
    {kROW, "ROW"},
    {kARRAY, "ARRAY"},
    {kDEFAULTROWHEIGHT, "DEFAULTROWHEIGHT"},
    {kTABLE, "TABLE"},
    {kWINDOW2, "WINDOW2"},
    {kRK, "RK"},
    {kSTYLE, "STYLE"},
    {kFORMAT, "FORMAT"},
    {kSHRFMLA, "SHRFMLA"},
    {kQUICKTIP, "QUICKTIP"},
    {kBOF, "BOF"},
    {kSHEETEXT, "SHEETEXT"},
};

}  // namespace

const char* RecordName(std::uint16_t type) {
    const auto* at = std::lower_bound(
        std::begin(kNames), std::end(kNames), type,
        [](const RecordNameEntry& entry, std::uint16_t wanted) { return entry.type < wanted; });
    return at != std::end(kNames) && at->type == type ? at->name : nullptr;
}

const RecordNameEntry* RecordNameTable(std::uint32_t* count) {
    if (count) *count = static_cast<std::uint32_t>(std::size(kNames));
    return kNames;
}

}  // namespace biff
