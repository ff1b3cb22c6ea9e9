// Worksheet substreams whose BOF record the search could not take: its id
// or its whole 20 bytes overwritten or zeroed, or its substream type damaged (to the
// globals', a chart's, a macro sheet's or an unknown type). Left alone,
// their records fall into the stretch before them (the globals', where they
// are never parsed as cells) or open a workbook of their own.
//
// A worksheet substream with a damaged BOF starts at a position when
// - an EOF record (the end of the substream before it) ends right there,
// - and either a record of a BOF's size sits there (its header's body
//   length when it is 8 to 16, the short and the full BIFF8 BOF, or else 16:
//   a zeroed or overwritten header is taken as the full BIFF8 BOF's) and the
//   record after it is one that opens a worksheet substream and never a
//   chart's or the globals' (INDEX, CALCCOUNT, CALCMODE, ...), or such an
//   opening record sits there itself (the BOF is gone);
// or when a zeroed run took the EOF and the whole BOF (ZeroedBofAt): the
// sheet's records resume after the zeros.
// Only positions that the file itself names are tried (the BOUNDSHEET
// positions of a workbook and the first byte after its globals' EOF), and
// the sound worksheet BOFs that the search does not look for in the file's
// last bytes.
// Offsets count from the first byte of the scan file.
#pragma once

#include <cstdint>
#include <vector>

class CExcelBOFRecordList;
class CInputFile;

class CSheetBofRecovery {
public:
    // Whether a record of this type opens worksheet substreams and never a
    // chart's or the globals' substream.
    static bool OpensWorksheet(std::uint16_t type);

    // Whether a record of this type belongs to worksheet substreams only:
    // one that opens them, or a cell record that neither the globals nor a
    // chart's series cache holds (a chart caches its points as NUMBER and
    // LABEL, so those do not count).
    static bool OnlyWorksheetsHold(std::uint16_t type);

    // Whether a worksheet substream with a damaged, missing or sound BOF
    // starts at position, as described above. Reads at most 12 bytes of
    // the file; false for any position whose bytes the file does not hold.
    static bool SheetBofAt(const CInputFile& file, std::uint32_t position);

    // Whether a zeroed run took the worksheet BOF at position along with
    // the EOF before it: those 24 bytes are zero (but for the EOF type's low
    // byte, where the run began inside its header), and a walk by declared
    // lengths from stretchStart (the start of the substream whose stretch
    // holds position) meets zero headers or loses the framing before
    // position instead of stepping over it inside a record's body, and a
    // non-zero byte follows before stretchEnd (the start of the next entry,
    // or the end of the file): the sheet's records resume after the zeros.
    // walkSteps bounds the headers the walk may read, and is reduced by
    // those it read: the positions of one file share it, so that thousands
    // of them in one long stretch cannot walk it thousands of times (false
    // once it is spent).
    static bool ZeroedBofAt(const CInputFile& file, std::uint32_t position,
                            std::uint32_t stretchStart, std::uint64_t stretchEnd,
                            std::uint64_t& walkSteps);
    // The headers the walks of one Recover may read in all: many times a
    // large workbook's records.
    static constexpr std::uint64_t kZeroedBofWalkSteps = 1u << 24;

    // The sound worksheet BOFs in the last bytes of the file that the
    // search leaves out (biff::kBofSearchTail), as candidates for Recover:
    // a short last sheet starts there.
    static std::vector<std::uint32_t> TailBofs(const CInputFile& file);

    // For every candidate position where SheetBofAt holds and no worksheet
    // entry of list starts (or ZeroedBofAt, where no entry starts at all): a "Workbook globals"
    // entry there becomes a "Worksheet" entry, and where no entry starts one is added. The list
    // stays in file order; the ends of its entries are left as they were
    // (CExcelScanFile::SetSubstreamEnds sets them again). Then each of
    // sheetStarts (where a globals walk met worksheet records after losing
    // the globals' EOF: CExcelScanWorkBook::GetSheetStart) becomes a
    // "Worksheet" entry, unless an entry starts there or the entry before
    // it is already a worksheet's (one whose zeroed BOF lies before it).
    // Each entry added or turned counts in the sheets repair counter.
    // Returns how many.
    static std::uint32_t Recover(const CInputFile& file,
                                 const std::vector<std::uint32_t>& candidates,
                                 CExcelBOFRecordList& list,
                                 const std::vector<std::uint32_t>& sheetStarts = {});
};
