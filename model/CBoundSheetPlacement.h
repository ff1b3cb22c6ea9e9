// Places the sheets of one workbook of an extracted "Workbook" stream: its
// BOUNDSHEET records checked against the worksheet BOFs that the search
// found, so that a damaged position or sheet-type byte does not cost a
// sheet whose BOF and cell records are still in place.
//
// In an extracted stream a BOUNDSHEET's position is an offset in the scan
// file, and a sound one lands on its sheet's BOF. Each record, in order:
// - lands on a worksheet BOF of the workbook that no other record lands on,
//   in the order of the records (a record whose BOF comes before an earlier
//   record's or after a later record's holds a swapped position: every
//   file a spreadsheet writes lists its sheets in the order of their
//   substreams): a worksheet there, whatever its sheet-type byte says (no
//   sound chart or module record points at a worksheet BOF);
// - lands on some other sheet's BOF record (a worksheet BOF the search did
//   not list, such as one in the file's unsearched tail, or a macro sheet's
//   or chart's BOF): a worksheet or macro-sheet record keeps its position,
//   and so does any record landing on a worksheet BOF; other kinds make no
//   sheet;
// - lands anywhere else (inside a record, past the file, on the globals
//   BOF, on a worksheet BOF that several records claim, or out of order):
//   its position is damaged. A worksheet or macro-sheet record then takes, in order, the
//   worksheet BOFs that no sound record claims (the k-th such record the
//   k-th such BOF) and keeps its name; with none left its sheet keeps its
//   place in the list but gets an empty stretch. Other kinds make no sheet.
// The worksheet BOFs still unclaimed then become extra sheets named
// "unknown<n>", in file order.
//
// A sheet kept on its BOUNDSHEET position has end 0; one moved onto a BOF
// found takes that entry's start and end. The worksheet parser reads a
// sheet up to the next sheet's start, so a sheet with an empty stretch
// starts where the next placed sheet does (or at the file's end) and cuts
// no other sheet short.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/CExcelBOFRecordList.h"

class CExcelWorkSheetList;
class CInputFile;

class CBoundSheetPlacement {
public:
    // The fields of one BOUNDSHEET record, whatever its sheet type.
    struct BoundSheet {
        std::uint32_t position = 0;  // the sheet's BOF, as a stream offset
        std::uint8_t visibility = 0;
        std::uint8_t sheetType = 0;  // 0 worksheet, 1 macro sheet, 2 chart, 6 VBA module
        std::u16string name;
    };

    // Replaces the sheets in `sheets` by the ones the records give, then the
    // extra sheets. worksheetBofs: the workbook's worksheet BOF entries in
    // file order (CExcelBOFRecordList::GroupWorksheets). file: the scan file,
    // read only to tell whether a position lands on a BOF record; a file
    // that is not open reads as empty.
    static void Place(const std::vector<BoundSheet>& boundSheets,
                      const std::vector<CExcelBOFRecordList::WorksheetEntry>& worksheetBofs,
                      const CInputFile& file, CExcelWorkSheetList& sheets);
};
