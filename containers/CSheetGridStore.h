// The data behind one preview grid: its size, the texts, fonts, colours
// and alignments of its cells (and whether each text is a number), its
// merged ranges, and its row heights and column widths. Coordinates are grid
// coordinates: row 0 and column 0 are the headers, and the model's row r
// and column c sit at grid row r + 1, grid column c + 1.
//
// The preview worker writes it while the grid widget reads it on the
// user-interface thread: every operation takes the store's lock for itself
// alone, readers get copies, and nothing here touches a widget. A writer
// bumps the revision when the grid should repaint (Invalidate) or when the
// counts or sizes change; the widget compares revisions on its timer.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

// A cell font, in the grid's own units: height in pixels (the preview gives
// twips ÷ 15, i.e. points × 4/3), weight 100–900 (400 normal, 700 bold).
struct CGridFont {
    std::u16string faceName;
    int height = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;
    std::uint16_t escapement = 0;  // 0 none, 1 superscript, 2 subscript

    bool operator==(const CGridFont&) const = default;
};

// What a cell's text stands for, as far as the grid draws it differently:
// a number (dates and times too) too wide for its cell shows as "####", a
// text may run on into empty neighbours, and General alignment sets numbers
// to the right, texts to the left, Booleans and errors in the centre.
// Unknown is a text whose origin the store was not told (an edited cell):
// the grid takes it for a number when it reads as one.
enum class EGridValue : std::uint8_t { Unknown, Text, Number, Logical };

// The XF's horizontal alignment codes 0-7, and its vertical ones 0-4.
enum class EGridHorizontal : std::uint8_t {
    General,
    Left,
    Centre,
    Right,
    Fill,
    Justify,
    CentreAcross,
    Distributed
};
enum class EGridVertical : std::uint8_t { Top, Centre, Bottom, Justify, Distributed };

// Where a cell's text sits; a cell without one is General, at the bottom,
// not wrapped, not rotated, not indented, as a spreadsheet's default cell
// format is. rotation is the XF's: 0-90 degrees anticlockwise, 91-180 are
// 1-90 degrees clockwise, 255 letters stacked downwards; indent counts
// levels of three digit widths of the workbook's default font.
struct CGridAlignment {
    EGridHorizontal horizontal = EGridHorizontal::General;
    EGridVertical vertical = EGridVertical::Bottom;
    bool wrap = false;
    std::uint8_t rotation = 0;
    std::uint8_t indent = 0;

    bool operator==(const CGridAlignment&) const = default;
};

// A rectangle of grid cells, first to last inclusive on both axes.
struct CGridRange {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;

    bool Contains(int row, int column) const {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    bool Intersects(const CGridRange& other) const {
        return firstRow <= other.lastRow && other.firstRow <= lastRow &&
               firstColumn <= other.lastColumn && other.firstColumn <= lastColumn;
    }
    bool operator==(const CGridRange&) const = default;
};

// The sheet's own settings for the whole grid. Sizes are pixels; 0 means
// the grid's default.
struct CGridSheetLayout {
    int defaultRowHeight = 0;    // rows without a height of their own
    int defaultColumnWidth = 0;  // columns without COLINFO
    bool gridlines = true;       // WINDOW2's show-gridlines flag
    int frozenRows = 0;          // grid rows 1..frozenRows do not scroll
    int frozenColumns = 0;       // nor grid columns 1..frozenColumns
    int digitWidth = 0;          // of the default font's "0"; 0: 7, Arial 10's

    bool operator==(const CGridSheetLayout&) const = default;
};

// One formatting run of a rich text: from character firstChar of the
// cell's text on (UTF-16 units), the text takes font and textColor. A run
// without a font (its FONT record is lost) takes the cell's font and colour;
// a run with a font but no colour is drawn in the automatic colour, black.
struct CGridTextRun {
    std::uint16_t firstChar = 0;
    std::optional<CGridFont> font;
    std::optional<std::uint32_t> textColor;

    bool operator==(const CGridTextRun&) const = default;
};
// The runs of one rich text, their first characters rising and inside the
// text; the characters before the first run take the cell's own font.
using CGridTextRuns = std::vector<CGridTextRun>;

// The XF's line style codes 0-13 of a cell side.
enum class EGridLine : std::uint8_t {
    None,
    Thin,
    Medium,
    Dashed,
    Dotted,
    Thick,
    Double,
    Hair,
    MediumDashed,
    DashDot,
    MediumDashDot,
    DashDotDot,
    MediumDashDotDot,
    SlantedDashDot
};

// One side's line: its style and colour (0xRRGGBB; the automatic colour is
// black). Four bytes, as a cell holds four of them.
struct CGridBorderLine {
    std::uint32_t color : 24 = 0;
    EGridLine style : 8 = EGridLine::None;

    bool operator==(const CGridBorderLine&) const = default;
};

// A cell's diagonal lines: the XF has one style and colour for both, and a
// flag for each. down runs from the top-left corner to the bottom-right,
// up from the bottom-left to the top-right. Four bytes, as a side's line.
struct CGridDiagonal {
    // Constructors rather than member defaults: g++ 12 refuses a braced
    // list for a struct whose enum bit-field narrower than the enum has a
    // default.
    CGridDiagonal() : style(EGridLine::None) {}
    CGridDiagonal(std::uint32_t rgb, EGridLine line, bool isDown, bool isUp)
        : color(rgb), style(line), down(isDown), up(isUp) {}

    std::uint32_t color : 24 = 0;
    EGridLine style : 4;
    bool down : 1 = false;
    bool up : 1 = false;

    bool Any() const { return style != EGridLine::None && (down || up); }
    CGridBorderLine Line() const { return {color, style}; }
    bool operator==(const CGridDiagonal&) const = default;
};

// The lines on a cell's four sides (a side with EGridLine::None has none)
// and across it.
struct CGridBorders {
    CGridBorderLine left;
    CGridBorderLine right;
    CGridBorderLine top;
    CGridBorderLine bottom;
    CGridDiagonal diagonal = CGridDiagonal();

    // Whether a side has a line; diagonal.Any() says so of the diagonals.
    bool Any() const {
        return left.style != EGridLine::None || right.style != EGridLine::None ||
               top.style != EGridLine::None || bottom.style != EGridLine::None;
    }
    bool operator==(const CGridBorders&) const = default;
};

// Everything of a cell but its text, what it stands for and its runs: what
// its format and the writes over it gave it. Colours are 0xRRGGBB. The
// background is the XF's pattern colour: solid for fill patterns 0 and 1,
// drawn as pattern 2-18 over patternBackground (white when that has none)
// otherwise.
struct CGridLook {
    std::optional<CGridFont> font;
    std::optional<std::uint32_t> textColor;
    std::optional<std::uint32_t> background;
    std::optional<std::uint32_t> patternBackground;
    CGridBorders borders;
    CGridAlignment alignment;
    std::uint8_t fillPattern = 0;
    bool operator==(const CGridLook&) const = default;
};

struct CGridCell : CGridLook {
    std::u16string text;
    EGridValue value = EGridValue::Unknown;
    // The store's run list of a rich text (see AddTextRuns); 0 for a text
    // in one font, as nearly every cell is.
    std::uint32_t runs = 0;
};

// The look a cell takes from its format: each part that holds a value
// replaces the cell's own, the others leave it as it is.
//
// The fill pattern and its background colour come with the background:
// they replace the cell's when the style has a background. Borders replace
// all four sides and the diagonals at once, those without a line too.
struct CGridStyle {
    std::optional<CGridFont> font;
    std::optional<std::uint32_t> textColor;
    std::optional<std::uint32_t> background;
    std::optional<std::uint32_t> patternBackground;
    std::uint8_t fillPattern = 0;
    std::optional<CGridBorders> borders;
    std::optional<CGridAlignment> alignment;
    bool operator==(const CGridStyle&) const = default;
};

class CSheetGridStore {
public:
    // Counts include the header row and the header column.
    static constexpr int kRowLimit = 65000;
    static constexpr int kColumnLimit = 250;
    static constexpr int kInitialRowCount = 100;
    static constexpr int kInitialColumnCount = 27;
    // Merged ranges kept at most; the grid looks through all of them on
    // every paint.
    static constexpr std::size_t kMergedRangeLimit = 65536;
    // Runs kept per rich text: a cell of 32,767 characters could in
    // principle start a font at every one, but no reader of the preview
    // tells more than a few hundred apart.
    static constexpr std::size_t kTextRunLimit = 1024;

    CSheetGridStore() = default;
    CSheetGridStore(const CSheetGridStore&) = delete;
    CSheetGridStore& operator=(const CSheetGridStore&) = delete;

    int GetRowCount() const;
    int GetColumnCount() const;

    // The grid's growth rule for a cell about to be written; row and column
    // are the model's row and column plus 3. False (nothing changes) when
    // row is above the row limit or column above the column limit. Grows the
    // row count to row + 100 (at most the row limit + 1) when row is above
    // the row count + 1, and the column count in steps of 26 until the
    // column count + 1 reaches column (at most the column limit).
    bool EnsureCell(int row, int column);
    // Room for about this many cells, so that a large fill does not grow
    // the cell table step by step; at most the grid's limits.
    void ReserveCells(std::size_t cells);

    // Writes outside the current counts are ignored. SetText makes the
    // cell's value Unknown and drops its runs: an edited text is no longer
    // the value it was.
    void SetText(int row, int column, std::u16string text);
    void SetFont(int row, int column, const CGridFont& font);
    void SetTextColor(int row, int column, std::uint32_t rgb);
    void SetBackground(int row, int column, std::uint32_t rgb);
    void SetBorders(int row, int column, const CGridBorders& borders);

    // The parts of style that hold a value, under one lock (ignored outside
    // the counts, as the single setters are).
    void ApplyStyle(int row, int column, const CGridStyle& style);
    // The text, what it stands for and its runs (a run list from
    // AddTextRuns, or 0 for a text in one font), then the style when there
    // is one, under one lock.
    void SetTextAndStyle(int row, int column, std::u16string text, const CGridStyle* style,
                         EGridValue value = EGridValue::Unknown, std::uint32_t runs = 0);

    // Keeps a rich text's runs (the first kTextRunLimit of them) for any
    // number of cells to share, and returns the number SetTextAndStyle
    // takes; 0, and nothing kept, for no runs. Lists are kept until the
    // store goes: a filler adds each shared string's runs once.
    std::uint32_t AddTextRuns(CGridTextRuns runs);
    // The runs of a run list; null for 0 or a number never given out.
    std::shared_ptr<const CGridTextRuns> GetTextRuns(std::uint32_t runs) const;

    // A copy of the cell; empty when nothing was ever written there.
    std::optional<CGridCell> GetCell(int row, int column) const;

    // The merged ranges, replacing those there were. A range whose last row
    // or column comes before its first, or that starts below row 1 or
    // column 1, is dropped, and so is every range past kMergedRangeLimit.
    // Ranges are not checked against each other: the grid decides what an
    // overlap shows.
    void SetMergedRanges(std::vector<CGridRange> ranges);
    // The merged ranges that share a cell with area, in the order given.
    std::vector<CGridRange> GetMergedRanges(const CGridRange& area) const;

    // Pixels; 0 or less means "the grid's default".
    void SetColumnWidth(int column, int pixels);
    int GetColumnWidth(int column) const;
    void SetRowHeight(int row, int pixels);
    int GetRowHeight(int row) const;

    // A hidden row or column keeps its size here but takes no room in the
    // grid. Writes outside the current counts are ignored.
    void SetRowHidden(int row);
    bool IsRowHidden(int row) const;
    void SetColumnHidden(int column);
    bool IsColumnHidden(int column) const;

    // The sheet's settings, replacing those there were.
    void SetLayout(const CGridSheetLayout& layout);
    CGridSheetLayout GetLayout() const;

    // Cells whose shown value stands in for one the file lost (a formula
    // kept as its cached value, a text whose shared string is lost), with
    // why in the user's words. Kept beside the cells, not in them: few
    // cells have one. A mark may come before the fill writes its cell, so
    // only the limits bound it; marks past kMarkTextLimit distinct texts
    // are dropped.
    static constexpr std::size_t kMarkTextLimit = 256;
    void SetFallbackMark(int row, int column, std::u16string why);
    // Why the cell's value is a fallback; empty for a cell not marked.
    std::u16string GetFallbackMark(int row, int column) const;
    // The marked cells inside area (grid row, grid column), by row then
    // column; empty at once, without a look at the area, when no cell is
    // marked.
    std::vector<std::pair<int, int>> GetFallbackCells(const CGridRange& area) const;

    // Asks the grid to repaint.
    void Invalidate();
    // Changes whenever Invalidate is called or the counts or sizes change.
    std::uint64_t GetRevision() const { return m_revision.load(); }

private:
    // Cells share their looks: a sheet of a million cells has a handful of
    // formats, and a look of its own would take most of a cell's room.
    using Look = CGridLook;
    struct StoredCell {
        std::u16string text;
        // Index into m_looks; 0 is the default look.
        std::uint32_t look = 0;
        std::uint32_t runs = 0;
        EGridValue value = EGridValue::Unknown;
    };

    static std::uint32_t Key(int row, int column);
    static std::size_t HashOf(const Look& look);
    static void Merge(Look& look, const CGridStyle& style);
    // All of these with the lock held.
    StoredCell* CellForWrite(int row, int column);
    std::uint32_t Intern(const Look& look);
    // Gives the cell the look change makes of its own.
    template <class Change>
    void ChangeLook(StoredCell& cell, const Change& change);
    // Gives the cell its look with style merged over it.
    void MergeLook(StoredCell& cell, const CGridStyle& style);

    mutable std::mutex m_lock;
    int m_rowCount = kInitialRowCount;
    int m_columnCount = kInitialColumnCount;
    std::unordered_map<std::uint32_t, StoredCell> m_cells;
    std::vector<Look> m_looks{Look{}};
    // Hash of a look to the looks with that hash.
    std::unordered_multimap<std::size_t, std::uint32_t> m_lookIndex{{HashOf(Look{}), 0}};
    // The last merges: a fill applies the same few column and cell formats
    // over and over, mostly to cells of the default look.
    struct MergeMemo {
        std::uint32_t from = 0;
        std::uint32_t to = 0;
        CGridStyle style;
    };
    static constexpr std::size_t kMergeMemos = 16;
    std::vector<MergeMemo> m_mergeMemos;
    std::size_t m_nextMemo = 0;
    std::vector<CGridRange> m_merged;
    // Run list n is at n - 1.
    std::vector<std::shared_ptr<const CGridTextRuns>> m_runLists;
    std::unordered_map<int, int> m_columnWidths;
    std::unordered_map<int, int> m_rowHeights;
    std::unordered_set<int> m_hiddenRows;
    std::unordered_set<int> m_hiddenColumns;
    CGridSheetLayout m_layout;
    // Cell key to its text's place in m_markTexts.
    std::unordered_map<std::uint32_t, std::uint16_t> m_marks;
    std::vector<std::u16string> m_markTexts;
    std::atomic<std::uint64_t> m_revision{0};
};
