// Carries one sheet's layout from the model onto the active worksheet of
// the server: column widths and hidden columns (COLINFO) with the standard
// width (STANDARDWIDTH, else DEFCOLWIDTH), row heights and hidden rows
// (ROW) with the standard height (DEFAULTROWHEIGHT), the window (WINDOW2,
// PANE, SCL and the SELECTION of the active pane) and the tab colour
// (SHEETEXT).
//
// Widths and heights go over exactly: a COLINFO width of w / 256
// characters (padding included) becomes the ColumnWidth that the server
// stores as w again, and a height of t twips RowHeight t / 20 points. Runs
// of columns and of neighbouring rows with equal settings take one call
// each. Values no sheet can hold are clamped to the nearest one it can (a
// width past 255 characters, a standard height past 409.5 points) or dropped (a pane
// or selection outside the sheet); nothing is made up where the file holds
// nothing. Positions handed on are 1-based.
#pragma once

#include <cstdint>
#include <functional>

#include "save/CXLWindowLayout.h"

class CExcelRecordCOLINFO;
class CExcelSheetLayout;
class CExcelWorkSheet;
class CXLEzAutomation;

class CSaveSheetLayoutWriter {
public:
    // Both held by reference for the writer's life.
    CSaveSheetLayoutWriter(CXLEzAutomation& automation, const CExcelWorkSheet& worksheet);

    // The sheet's standard column width, when the file gives one.
    void WriteStandardWidth();
    // The width and hidden flag of the columns first..last (1-based, within
    // the sheet) from their COLINFO.
    void WriteColumns(std::int32_t first, std::int32_t last, const CExcelRecordCOLINFO& record);
    // The sheet's standard row height, when the file gives one.
    void WriteStandardHeight();
    // The heights of rows whose ROW marks a custom height, and hidden rows;
    // `next` runs before each ROW record and ends the writing with false.
    bool WriteRows(const std::function<bool()>& next);
    // The window and the selection (A1 when the file has none).
    void WriteWindow();
    // The tab colour, when the file gives one.
    void WriteTab();

    // A COLINFO width (1/256 of a character, padding included) as the
    // object model's ColumnWidth in characters, at most 255.
    static double ColumnWidthFromUnits(std::uint16_t units);
    // A height in twips as RowHeight in points.
    static double RowHeightFromTwips(std::uint16_t twips);
    // The window settings the layout records give.
    static CXLWindowLayout WindowFrom(const CExcelSheetLayout& layout);

private:
    CXLEzAutomation& m_automation;
    const CExcelWorkSheet& m_worksheet;
};
