// A small hand-built repaired model for the preview tests: one workbook
// with one worksheet, and helpers that append the records the preview reads
// (XF, FONT, FORMAT, shared strings, and the sheet's cell, ROW and COLINFO
// records) in their BIFF8 payload layout.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"

namespace testsupport {

struct XFSpec {
    std::uint16_t font = 0;
    std::uint16_t format = 0;
    std::uint8_t used = 0;  // used-attribute byte: 0x08 font, 0x20 border, 0x40 pattern
    std::uint8_t patternColor = 64;
    std::uint8_t patternBackground = 65;
    std::uint8_t fillPattern = 0;
    std::uint8_t rightBorderColor = 64;
    std::uint8_t rightBorderStyle = 0;  // 0 none, 1 thin, ...
    // Horizontal code in bits 0-2, wrap bit 3, vertical code in bits 4-6.
    std::uint8_t alignment = 0x20;  // General, bottom
};

struct FontSpec {
    std::u16string name = u"Arial";
    std::uint16_t twips = 200;
    std::uint16_t options = 0;  // bit 1 italic, bit 2 underline, bit 3 strike-out
    std::uint16_t color = 0x7FFF;
    std::uint16_t weight = 400;
    std::uint16_t escapement = 0;
    std::uint8_t charSet = 0;
};

class PreviewModel {
public:
    PreviewModel();

    CExcelWorkBook& Workbook() { return m_workbook; }
    CExcelWorkSheet& Sheet() { return *m_sheet; }

    // Each returns the index a cell or an XF uses to select what it added.
    std::uint16_t AddXF(const XFSpec& spec);
    std::uint16_t AddFont(const FontSpec& spec);
    void AddFormat(std::uint16_t index, const std::u16string& text);
    // runs: the string's formatting runs {first character, font index}, in
    // the order stored; any runs make it a rich string.
    std::uint32_t AddString(const std::u16string& text,
                            const std::vector<std::array<std::uint16_t, 2>>& runs = {});

    void Number(std::uint16_t row, std::uint16_t column, std::uint16_t xf, double value);
    void RK(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::uint32_t rk);
    void LabelSST(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::uint32_t index);
    void Label(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::u16string text);
    void Blank(std::uint16_t row, std::uint16_t column, std::uint16_t xf);
    // A MULBLANK of one cell per XF index from firstColumn on.
    void MulBlank(std::uint16_t row, std::uint16_t firstColumn,
                  const std::vector<std::uint16_t>& xfs);
    void BoolErr(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::uint8_t value,
                 bool isError);
    void FormulaNumber(std::uint16_t row, std::uint16_t column, std::uint16_t xf, double value);
    // kind: 0 string (with text), 1 Boolean, 2 error, 3 empty.
    void FormulaTagged(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::uint8_t kind,
                       std::uint8_t value, const std::u16string& text = {});
    void ColInfo(std::uint16_t first, std::uint16_t last, std::uint16_t width, std::uint16_t xf);
    // A ROW record; customTwips 0 keeps the default height; defaultXF < 0
    // gives the row no default format.
    void Row(std::uint16_t row, std::uint16_t customTwips, int defaultXF = -1);
    // A sheet layout record (WINDOW2, PANE, DEFCOLWIDTH, ...) of type with
    // body as its payload, decoded into the sheet's layout.
    void Layout(std::uint16_t type, const std::vector<std::uint8_t>& body);
    // A MERGEDCELLS record of ranges {first row, last row, first column,
    // last column}, announcing count ranges (ranges.size() when negative).
    void MergedCells(const std::vector<std::array<std::uint16_t, 4>>& ranges, int count = -1);

private:
    CExcelWorkBook m_workbook;
    CExcelWorkSheet* m_sheet;
    std::uint16_t m_xfCount = 0;
    std::uint16_t m_fontCount = 0;
    std::uint32_t m_stringCount = 0;
};

}  // namespace testsupport
