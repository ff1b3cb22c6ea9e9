// Saves a workbook model as an Excel 97-2003 workbook: BIFF8 records in the
// "Workbook" stream of a version-3 compound file. This is the work behind
// the object model's SaveAs.
//
// Cell formats, strings and sheet positions are gathered in one pass over
// the cells before anything is written; the records then go straight to
// the output, sheet by sheet and row by row, so that memory stays with the
// model and a buffer, whatever the file's size.
#pragma once

#include <cstdint>
#include <filesystem>

#include "server/CByteSink.h"
#include "server/CXlsWorkbook.h"

class CXlsWriter {
  public:
    // The workbook must outlive the writer and stay unchanged while it
    // writes.
    explicit CXlsWriter(const CXlsWorkbook& book) : m_book(book) {}

    // Writes the file at `path`, replacing an existing file only once the
    // new one is complete. False (with any existing file untouched and no
    // partial file left) when the workbook has no sheet or the file cannot
    // be written.
    bool SaveAs(const std::filesystem::path& path);
    // Writes the compound file to an empty sink.
    bool Write(CByteSink& sink);

    // Figures of the last write.
    std::uint64_t CellsWritten() const { return m_cellsWritten; }
    std::uint64_t StreamSize() const { return m_streamSize; }
    // Distinct cell formats over the file's XF limit, shown with the default
    // format instead.
    std::uint32_t DroppedFormats() const { return m_droppedFormats; }

  private:
    const CXlsWorkbook& m_book;
    std::uint64_t m_cellsWritten = 0;
    std::uint64_t m_streamSize = 0;
    std::uint32_t m_droppedFormats = 0;
};
