// The sheet list of a workbook as its BOUNDSHEET records give it, every kind
// of sheet included (worksheets, macro sheets, charts, VBA modules), and the
// position of each of the model's sheets in that list.
//
// The model keeps only the sheets that hold cells, so a sheet's place in the
// model's list is not its place in the workbook once a chart sheet comes
// before it. Reports number sheets by their place in the workbook, so this
// class reads the BOUNDSHEET records again from the globals substream of the
// scan file.
//
// Reading is bounded by the substream's end and the file's length; at most
// kMaxEntries records are kept. A file that cannot be read gives no entries,
// and the model's sheets are then numbered in their own order.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class CExcelWorkBook;

class CBoundSheetOrder {
public:
    // More BOUNDSHEET records than a workbook can have sheets are damage.
    static constexpr std::uint32_t kMaxEntries = 65535;

    struct Entry {
        std::uint8_t m_sheetType = 0;  // 0 worksheet, 1 macro sheet, 2 chart, 6 VBA module
        std::u16string m_name;
    };

    // Reads the BOUNDSHEET records of workbook's globals substream from
    // scanPath (the file whose offsets the workbook holds): from the
    // substream's BOF up to its EOF record, its end, or the end of the file.
    // False when the file cannot be opened.
    bool Read(const std::filesystem::path& scanPath, const CExcelWorkBook& workbook);

    const std::vector<Entry>& GetEntries() const { return m_entries; }

    // The position of each of workbook's sheets (in list order) among the
    // entries: each sheet takes the first entry after the previous sheet's
    // that has the same name (an empty name standing for "unnamed"), of any
    // sheet type, since a sheet whose type byte is damaged is still found
    // through its BOF. Sheets that no entry accounts for (found from BOFs
    // alone) follow the last entry, in order.
    std::vector<std::uint32_t> PlaceSheets(const CExcelWorkBook& workbook) const;

    // Positions this workbook takes: its entries, or more when more sheets
    // than entries were found.
    std::uint32_t PositionCount(const std::vector<std::uint32_t>& placed) const;

private:
    std::vector<Entry> m_entries;
};
