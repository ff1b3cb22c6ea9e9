#include "server/CXlsWriter.h"

#include <exception>
#include <string>
#include <system_error>
#include <vector>

#include "server/CBiffRecordWriter.h"
#include "server/CCompoundFileWriter.h"
#include "server/CFileByteSink.h"
#include "server/CLittleEndian.h"
#include "server/CXlsDrawingPlan.h"
#include "server/CXlsGlobalsWriter.h"
#include "server/CXlsSheetWriter.h"
#include "server/CXlsSstTable.h"
#include "server/CXlsStyleTable.h"

namespace {

// Every format and text the file will refer to, from the cells, rows and
// columns of every sheet, in the order they are written.
void Gather(const CXlsWorkbook& book, CXlsStyleTable& styles, CXlsSstTable& sst) {
    for (std::size_t i = 0; i < book.SheetCount(); ++i) {
        const CXlsWorksheet& sheet = *book.Sheet(i);
        for (std::uint32_t c = 0; c < xlsw::kMaxColumns; ++c) {
            if (sheet.Column(c).HasFormat()) styles.Use(sheet.Column(c).FormatId());
        }
        sheet.Cells().ForEachRow([&](std::uint32_t, const CXlsRow& row) {
            if (row.HasFormat()) styles.Use(row.FormatId());
            for (const CXlsCell& cell : row.Cells()) {
                styles.Use(cell.FormatId());
                if (cell.Kind() == EXlsCellKind::kText) sst.Add(cell.Index());
            }
        });
    }
    styles.Assign();
}

}  // namespace

bool CXlsWriter::Write(CByteSink& sink) {
    m_cellsWritten = 0;
    m_streamSize = 0;
    m_droppedFormats = 0;
    if (m_book.SheetCount() == 0 || sink.Position() != 0) return false;

    CXlsStyleTable styles(m_book.Formats(), m_book.Styles());
    CXlsSstTable sst(m_book.Strings());
    Gather(m_book, styles, sst);
    m_droppedFormats = styles.DroppedFormats();

    CCompoundFileWriter compound(sink);
    CBiffRecordWriter out(compound);
    std::vector<std::uint64_t> positionFields;
    const CXlsDrawingPlan drawings(m_book);
    CXlsGlobalsWriter globals(m_book, styles, sst);
    globals.SetDrawingPlan(&drawings);
    if (!globals.Write(out, positionFields)) return false;

    for (std::size_t i = 0; i < m_book.SheetCount(); ++i) {
        // The compound writer keeps the stream below 4 GB, so a position
        // always fits BOUNDSHEET's 32 bits.
        std::uint8_t position[4];
        CLittleEndian::PutU32(position, static_cast<std::uint32_t>(out.Position()));
        if (!out.Overwrite(positionFields[i], position, sizeof position)) return false;
        CXlsSheetWriter sheet(*m_book.Sheet(i), styles, sst, i == m_book.ActiveSheet());
        sheet.SetDrawing(drawings.ForSheet(i));
        if (!sheet.Write(out)) return false;
        m_cellsWritten += sheet.CellsWritten();
    }
    m_streamSize = out.Position();
    return compound.Finish();
}

bool CXlsWriter::SaveAs(const std::filesystem::path& path) {
    if (path.empty() || m_book.SheetCount() == 0) return false;
    // The new file is completed beside the old one and then takes its name.
    std::filesystem::path partial = path;
    partial += ".partial";
    bool written = false;
    try {
        CFileByteSink file;
        written = file.Open(partial) && Write(file);
        written = file.Close() && written;
    } catch (const std::exception&) {
        // Out of memory on a huge workbook: report failure, never throw
        // across the server's boundary.
        written = false;
    }
    std::error_code ec;
    if (written) {
        std::filesystem::rename(partial, path, ec);
        if (!ec) return true;
    }
    std::filesystem::remove(partial, ec);
    return false;
}
