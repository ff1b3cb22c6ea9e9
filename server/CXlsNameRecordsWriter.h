// Writes one NAME record per defined name, in the order of the workbook's
// name table (the positions ptgName tokens count from 1): the flags
// (hidden, function or command, built-in), the keyboard shortcut, the sheet
// the name belongs to by its position at the time of writing, the name
// (a built-in name as its code), its formula tokens and their extra data.
#pragma once

#include "server/CBiffRecordWriter.h"
#include "server/CXlsWorkbook.h"

class CXlsNameRecordsWriter {
public:
    // The workbook must outlive the writer.
    explicit CXlsNameRecordsWriter(const CXlsWorkbook& book) : m_book(book) {}

    bool Write(CBiffRecordWriter& out) const;

private:
    const CXlsWorkbook& m_book;
};
