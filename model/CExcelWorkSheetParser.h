// Walks the records of every worksheet of every workbook in the model and
// hands each cell-level record to its decoder, which appends the result to
// the worksheet's lists.
//
// A sheet's stretch runs from its BOF offset to the nearest start of
// another sheet of the same workbook after it in the file, or to the end of
// the scan file (or the next workbook's globals) for the last one; of
// sheets that share a start, only the last in the list reads the stretch. Everything in
// the stretch is parsed: EOF records inside it (an embedded chart's) do
// not end it. After a header that declares more than 8,224 bytes the walk
// goes on at the first offset within the longest body where a chain of
// sound record headers starts (CRecordChain); the record is kept when its
// type allows the length that gives. Without such a chain the header costs
// only its own 4 bytes. After a run of zero bytes where records belong (a
// zeroed sector) the walk goes on where such a chain starts, from one byte
// before the first non-zero byte through the longest body after it. The one
// exception is a chart substream inside the stretch (an embedded chart, or
// a chart sheet before the next worksheet): its records, from its BOF to
// its EOF, are a cache of the chart's series and are not taken as cells.
//
// The file is read through a window of at most 16,384 bytes, so that small
// records do not each cost a file access. The decoders read their payloads
// back through Read (the IExcelStreamReader operation), which never returns
// a byte at or past the end of the current stretch.
//
// Offsets count from the first byte of the scan file. Runs on the repair
// worker: its stop check (the pause gate, then StopRequested) comes between
// records, so a suspended worker holds at the next one; RepairProgress carries
// the offset of the record being parsed, and the model's progress target
// gets the range 0 .. file length. A stopped run leaves what was decoded in
// the model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "biff/CInputFile.h"
#include "biff/IDamageReporter.h"
#include "biff/IExcelStreamReader.h"

class CExcelData;
class CExcelWorkBook;
class CExcelWorkSheet;

class CExcelWorkSheetParser : public IExcelStreamReader {
public:
    // The most the window holds. A read asking for more fails: no sound
    // record body is that long (8,224 bytes at most).
    static constexpr std::uint32_t kWindowSize = 16384;

    CExcelWorkSheetParser();
    CExcelWorkSheetParser(const CExcelWorkSheetParser&) = delete;
    CExcelWorkSheetParser& operator=(const CExcelWorkSheetParser&) = delete;
    ~CExcelWorkSheetParser() override;

    // The scan file (the extracted "Workbook" stream, or the damaged file
    // itself); empty at construction.
    void SetStreamFileName(std::filesystem::path path) { m_streamFileName = std::move(path); }
    // The model whose sheets are parsed; not owned, must outlive Run.
    void SetData(CExcelData* data) { m_data = data; }

    // Parses every sheet of every workbook. True when all were parsed;
    // false when a stop was requested, when there is no model, or when a
    // workbook has sheets and the scan file is empty or cannot be opened.
    bool Run();

    // Copies count bytes at offset into out, through the window. False when
    // offset lies past the end of the current stretch, when fewer than count
    // bytes lie between offset and that end, when count exceeds the window,
    // or when the file gives fewer bytes than asked.
    bool Read(std::uint32_t count, std::uint32_t offset, std::uint8_t* out) override;

protected:
    // Up to n bytes of the scan file at offset; fewer at its end or on a
    // read error. Tests override it to make reads fail.
    virtual std::size_t ReadFile(std::uint64_t offset, std::uint8_t* out, std::size_t n);

private:
    // The offset after the current header of a wrong length where the
    // framing resumes, or nothing.
    std::optional<std::uint32_t> Resynchronise();
    // Where the framing resumes after the run of zero bytes that starts at
    // from (m_position, or inside the header there): a chain of sound
    // records from one byte before the first non-zero byte through the
    // longest body after it. Nothing for a run shorter than two headers, one
    // that reaches the end, or no chain.
    std::optional<std::uint32_t> ResumeAfterZeros(std::uint32_t from);
    // Whether the records from m_position are a chart's: a record of the
    // chart types comes within a few dozen records, before any that a chart
    // never holds, an EOF or a BOF.
    bool ChartRecordsAhead();

    struct Header {
        std::uint16_t type;
        std::uint32_t size;
    };

    // True when a record of a known type starts where header says its record ends, or
    // it ends the stretch exactly.
    bool FramingHolds(const Header& header);
    // Whether the cell record at m_position runs into a zeroed run that
    // began inside its value: every byte from the value's last through the
    // header after the record is zero. Its value cannot be trusted then.
    bool ValueCutByZeros(const Header& header);
    // Whether the cell record at m_position names a column past the last a
    // BIFF8 sheet has (255): bytes of another kind that carry a cell's type,
    // whose value would be one the file never held.
    bool ColumnPastSheet(const Header& header);

    // Parses every sheet of workbook, opening the scan file if it is not
    // open yet. False when a stop was requested or the file is empty or
    // cannot be opened.
    bool ParseWorkbook(CExcelWorkBook& workbook);
    // Where the stretch of a sheet starting at start may end at the latest:
    // the first workbook-globals BOF after it, or length. A raw file can
    // hold several workbooks one after another; a worksheet never runs on
    // into the next one's globals and sheets.
    std::uint32_t NextWorkbookStart(std::uint32_t start, std::uint32_t length) const;
    // Parses the records of one stretch, [m_position, m_end). False when a
    // stop was requested.
    bool ParseSheet(CExcelWorkSheet& sheet);
    // The header at m_position, or an EOF of size 0 when fewer than 4 bytes
    // remain before the end or the file read fails (the position then moves
    // to the end of the window that was attempted).
    Header ReadHeader();
    // Hands the record at m_position to the decoder of its type, if any.
    void Dispatch(const Header& header, CExcelWorkSheet& sheet);
    // Whether the BOF record at m_position opens a chart substream: its type
    // says so and the record after it is not one that opens a worksheet.
    bool IsChartBof(const Header& header);
    // The count bytes at offset (count >= 1) where the window holds them,
    // refilled when it must be; null where Read would fail. The walk's own
    // checks look at the bytes in place instead of copying them out.
    const std::uint8_t* Peek(std::uint32_t count, std::uint32_t offset);
    // Refills the window from offset with up to kWindowSize bytes before the
    // end. False when it holds fewer than count bytes afterwards.
    bool Refill(std::uint32_t offset, std::uint32_t count);
    void EmptyWindow() { m_windowLength = 0; }

    // ---- Damage met on the walk, for the repair report. A range is held
    // until the next cell record tells the row after it.
    void NoteDamage(std::uint32_t begin, std::uint32_t end, ESkipReason kind);
    // Ends a run of zero bytes at end, when one is open.
    void CloseZeroRun(std::uint32_t end);
    // Reports the held ranges with rowAfter (none at the stretch's end).
    void FlushDamage(std::optional<std::uint16_t> rowAfter);
    // Notes the row of a cell record at m_position.
    void NoteCellRow(std::uint16_t type);

    std::uint32_t m_end = 0;       // end of the current stretch (file offset)
    std::uint32_t m_position = 0;  // offset of the current record's header
    std::uint32_t m_windowStart = 0;
    std::uint32_t m_windowLength = 0;  // 0: the window is empty
    std::vector<std::uint8_t> m_window;
    std::uint32_t m_substream = 0;     // BOF offset of the sheet being walked
    std::uint32_t m_zeroRunStart = 0;  // meaningful while m_inZeroRun
    bool m_inZeroRun = false;
    bool m_zeroRunAfterEnd = false;  // the open run began after an EOF
    std::optional<std::uint16_t> m_lastRow;
    std::vector<CDamagedRange> m_heldDamage;
    // Offsets below this were searched and start no chain of sound headers.
    std::uint32_t m_noChainBefore = 0;
    CExcelData* m_data = nullptr;
    std::filesystem::path m_streamFileName;
    CInputFile m_file;
};
