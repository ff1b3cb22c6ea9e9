// One open workbook of a running server: the workbook model and the file
// name it was last saved under. Each sheet's selection (the cells a later
// "ActiveCell" reports) is kept in the sheet's view, so that it is saved.
//
// Shared (std::shared_ptr) between the server's session, which lists the
// open workbooks, and every object that names something inside it
// (workbook, sheets, ranges, fonts): the model lives while any of them
// does, so no object is left pointing at a closed workbook.
#pragma once

#include <cstdint>
#include <string>

#include "server/CXlsCellRange.h"
#include "server/CXlsWorkbook.h"

class CXlsServerDocument {
public:
    CXlsServerDocument() = default;
    CXlsServerDocument(const CXlsServerDocument&) = delete;
    CXlsServerDocument& operator=(const CXlsServerDocument&) = delete;

    CXlsWorkbook& Book() { return m_book; }
    const CXlsWorkbook& Book() const { return m_book; }

    // The sheet selected when the workbook is shown (null without sheets).
    CXlsWorksheet* ActiveSheet() { return m_book.Sheet(m_book.ActiveSheet()); }
    bool IsActive(const CXlsWorksheet& sheet) const {
        return m_book.PositionOf(sheet) == m_book.ActiveSheet();
    }

    // The selected cells of a sheet; A1 until something is selected.
    CXlsCellRange Selection(const CXlsWorksheet& sheet) const;
    void Select(CXlsWorksheet& sheet, const CXlsCellRange& range);

    // The path given to the last successful SaveAs; empty before.
    const std::u16string& FileName() const { return m_fileName; }
    void SetFileName(std::u16string fileName) { m_fileName = std::move(fileName); }

private:
    CXlsWorkbook m_book;
    std::u16string m_fileName;
};
