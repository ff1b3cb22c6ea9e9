// Prints the used area of a grid store (the rows and columns up to the last
// cell that holds a text, a font or a colour) page after page: the columns
// that fit across a page form a band, the rows that fit down a page form a
// band, and pages go down the rows first, then across, each page repeating
// the header row and header column of its band.
//
// Grid pixels are scaled so that 96 of them make an inch on paper.
#pragma once
#include <QFont>

class CSheetGridStore;
class QPrinter;

class CGridPrinter {
public:
    // store is borrowed for the call only.
    CGridPrinter(const CSheetGridStore& store, const QFont& base);

    // The last used grid row and column (0 and 0 when nothing is used).
    // Scans from the end, so a grid whose cells fill it up is quick.
    static void FindUsedArea(const CSheetGridStore& store, int& lastRow, int& lastColumn);

    // The grid's font pinned to the pixel size it has on screen, as the
    // pages are drawn in screen pixels.
    static QFont PrintFont(const QFont& screen);

    // Number of pages printed; 0 when the printer cannot be started.
    int Print(QPrinter& printer);

private:
    const CSheetGridStore& m_store;
    QFont m_base;
};
