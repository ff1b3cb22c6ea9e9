// Writes the link records of the workbook-globals substream: the SUPBOOKs,
// each followed by its EXTERNNAMEs (this workbook's own SUPBOOK first, then
// the add-in functions' with one EXTERNNAME per function, then one per
// other workbook with its sheet list, the EXTERNNAMEs of its names and, per
// sheet whose values the link cache holds, an XCT and its CRNs), and
// the EXTERNSHEET, whose entries name the SUPBOOKs by their position in
// that order. Nothing at all when no formula links anywhere.
#pragma once

#include "server/CBiffRecordWriter.h"
#include "server/CXlsWorkbook.h"

class CXlsLinkRecordsWriter {
public:
    // The workbook must outlive the writer.
    explicit CXlsLinkRecordsWriter(const CXlsWorkbook& book) : m_book(book) {}

    bool Write(CBiffRecordWriter& out) const;

private:
    bool WriteAddIns(CBiffRecordWriter& out) const;
    bool WriteOtherBook(CBiffRecordWriter& out, const CXlsExternalBook& other) const;
    // The XCT and CRN records of one sheet of the other workbook, when the
    // link cache holds values of it.
    bool WriteCache(CBiffRecordWriter& out, const CXlsExternalBook& other, std::size_t sheet) const;
    bool WriteExternSheet(CBiffRecordWriter& out) const;

    const CXlsWorkbook& m_book;
};
