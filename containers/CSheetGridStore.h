// The data behind one preview grid: its size, the texts, fonts and colours
// of its cells, and its row heights and column widths. Coordinates are grid
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
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

// A cell font, in the grid's own units: height in pixels (the preview gives
// points ÷ 2 × 3), weight 100–900 (400 normal, 700 bold).
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

// Colours are 0xRRGGBB.
struct CGridCell {
    std::u16string text;
    std::optional<CGridFont> font;
    std::optional<std::uint32_t> textColor;
    std::optional<std::uint32_t> background;
    std::optional<std::uint32_t> borderColor;
};

// The look a cell takes from its format: each part that holds a value
// replaces the cell's own, the others leave it as it is.
struct CGridStyle {
    std::optional<CGridFont> font;
    std::optional<std::uint32_t> textColor;
    std::optional<std::uint32_t> background;
    std::optional<std::uint32_t> borderColor;
};

class CSheetGridStore {
public:
    // Counts include the header row and the header column.
    static constexpr int kRowLimit = 65000;
    static constexpr int kColumnLimit = 250;
    static constexpr int kInitialRowCount = 100;
    static constexpr int kInitialColumnCount = 27;

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

    // Writes outside the current counts are ignored.
    void SetText(int row, int column, std::u16string text);
    void SetFont(int row, int column, const CGridFont& font);
    void SetTextColor(int row, int column, std::uint32_t rgb);
    void SetBackground(int row, int column, std::uint32_t rgb);
    void SetBorderColor(int row, int column, std::uint32_t rgb);

    // The parts of style that hold a value, under one lock (ignored outside
    // the counts, as the single setters are).
    void ApplyStyle(int row, int column, const CGridStyle& style);
    // The text, then the style when there is one, under one lock.
    void SetTextAndStyle(int row, int column, std::u16string text, const CGridStyle* style);

    // A copy of the cell; empty when nothing was ever written there.
    std::optional<CGridCell> GetCell(int row, int column) const;

    // Pixels; 0 or less means "the grid's default".
    void SetColumnWidth(int column, int pixels);
    int GetColumnWidth(int column) const;
    void SetRowHeight(int row, int pixels);
    int GetRowHeight(int row) const;

    // Asks the grid to repaint.
    void Invalidate();
    // Changes whenever Invalidate is called or the counts or sizes change.
    std::uint64_t GetRevision() const { return m_revision.load(); }

private:
    static std::uint32_t Key(int row, int column);
    CGridCell* CellForWrite(int row, int column);  // lock held
    static void Merge(CGridCell& cell, const CGridStyle& style);

    mutable std::mutex m_lock;
    int m_rowCount = kInitialRowCount;
    int m_columnCount = kInitialColumnCount;
    std::unordered_map<std::uint32_t, CGridCell> m_cells;
    std::unordered_map<int, int> m_columnWidths;
    std::unordered_map<int, int> m_rowHeights;
    std::atomic<std::uint64_t> m_revision{0};
};
