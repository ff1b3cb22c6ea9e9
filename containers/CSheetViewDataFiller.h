// Fills one preview grid's data store from a worksheet of the repaired
// model, page by page (100 rows each), on the preview worker: columns, rows,
// texts, formulas, booleans and errors, numbers, RK numbers, each cell with
// its XF's background, font, font colour, border colour and alignment, the
// hidden rows and columns (a ROW or COLINFO hidden flag, or no height or
// width), and
// whether its text is a number, a text or a Boolean or error, and a rich
// shared string's formatting runs (each shared string's runs go to the
// store once, however many cells show it); and, before
// the first page, the sheet's merged ranges and its layout (default row
// height and column width, whether grid lines show, the frozen rows and
// columns). Sizes are the pixels a spreadsheet shows at 96
// dots per inch: column widths go through the digit width of the
// workbook's default font, which the caller measures (SetDigitWidth). PreviewStop is
// checked before every record; the fill ends at the next check once it is
// set.
//
// The model's row r, column c go to grid row r + 1, grid column c + 1; the
// paging and the growth rule see them as r + 3, c + 3. A cell whose
// column + 3 is above the grid's column limit (model column 248 on) or
// whose row + 3 is above 65,000 is not shown.
//
// The grid store, worksheet and workbook are borrowed; they must outlive the
// fill. The filler never touches a widget.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "biff/CTList.h"
#include "containers/IPreviewFill.h"

class CExcelWorkBook;
class CExcelWorkSheet;
class CPreviewFormatTable;
template <class T>
class CPreviewPageIndex;
class CSheetGridStore;
enum class EGridValue : std::uint8_t;

class CSheetViewDataFiller : public IPreviewFill {
public:
    static constexpr int kRowsPerPage = 100;
    // Rows (model row + 3) above this are never shown.
    static constexpr int kPagingRowLimit = 65000;

    CSheetViewDataFiller(CSheetGridStore* grid, const CExcelWorkSheet* sheet,
                         const CExcelWorkBook* workbook);
    ~CSheetViewDataFiller() override;

    // Result in GetResult: 0 filled, 1 grid, sheet or workbook missing,
    // 2 stopped before the first page.
    void Fill() override;
    int GetResult() const { return m_result; }

    // Whether the cell at model row + 3, model column + 3 belongs to the
    // current page and fits the grid (growing the grid when it must).
    bool EnsureCell(int row, int column);

    // The width in pixels of the digit "0" of the workbook's FONT record 0,
    // which column widths count in; CGridUnits::kDefaultDigitWidth until
    // set. Set it before Fill.
    void SetDigitWidth(int pixels) { m_digitWidth = pixels; }

    int GetPage() const { return m_page; }
    int GetHighestRow() const { return m_highestRow; }

protected:
    // Called on the preview worker after each page has been written (page
    // counts from 1). Does nothing here.
    virtual void PageFilled(int page);

private:
    // The paging test alone (row is model row + 3), recording nothing.
    bool InPage(int row) const;
    // The sheet's MERGEDCELLS ranges, in grid coordinates, once per fill.
    void FillMergedRanges();
    // The sheet's default sizes, once per fill.
    void FillLayout();
    void FillPage();
    void FillColumns();
    void FillRows();
    // BLANK and MULBLANK cells: their XF's look, no text.
    void FillBlanks();
    void FillTexts();
    void FillFormulas();
    void FillBoolErrs();
    template <class T>
    void FillNumbers(const CTList<T>& numbers, CPreviewPageIndex<T>& index);
    // EnsureCell for the model's (row, column).
    bool Accept(std::uint16_t row, std::uint16_t column);
    // Writes text, standing for value, with runs (the store's run list of a
    // rich text, 0 for none) at the model's (row, column), which EnsureCell
    // accepted, and formats it with xfIndex.
    void PutText(std::uint16_t row, std::uint16_t column, std::uint32_t xfIndex,
                 std::u16string text, EGridValue value, std::uint32_t runs = 0);
    // The store's run list for shared string sstIndex; 0 when it is plain
    // or lost.
    std::uint32_t RunsOf(std::uint32_t sstIndex);
    // Gives the grid cell the XF's look; nothing when there is no such XF.
    void FormatCell(std::uint32_t xfIndex, int gridRow, int gridColumn);

    CSheetGridStore* m_grid;
    const CExcelWorkSheet* m_sheet;
    const CExcelWorkBook* m_workbook;
    // The cell lists sorted out by page.
    struct CPageIndexes;

    // Both live for one fill only.
    std::unique_ptr<CPreviewFormatTable> m_formats;
    std::unique_ptr<CPageIndexes> m_index;
    // Shared string index to the store's run list, for the rich strings
    // met so far.
    std::unordered_map<std::uint32_t, std::uint32_t> m_runLists;
    int m_digitWidth;
    int m_page = 0;
    int m_highestRow = 0;
    int m_result = 0;
};
