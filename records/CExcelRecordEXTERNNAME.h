// EXTERNNAME record (0x0023): a name defined outside this workbook — an
// add-in function (NETWORKDAYS from the Analysis ToolPak), a name of
// another workbook, a DDE or OLE item. It belongs to the SUPBOOK record
// that precedes it; a ptgNameX token names it by an EXTERNSHEET entry (which
// gives the SUPBOOK) and its 1-based position among that SUPBOOK's names.
//
// Payload layout (offsets from the first byte after the record header):
//
//   offset 0  u16  option flags: bit 0 a built-in name (stored as its code),
//                  bits 1-4 DDE and OLE link kinds
//   offset 2  u16  1-based sheet of the other workbook the name belongs to,
//                  or 0 for a name of the whole workbook
//   offset 4  u16  reserved
//   offset 6  u8   name length in characters
//   offset 7  u8   string option flags: bit 0 set for 16-bit characters
//   offset 8  ..   the characters, then the name's formula (not kept)
//
// A name cut by the end of the record keeps the characters present.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"

class CExcelRawRecordData;
class CExcelWorkbookGlobals;

class CExcelRecordEXTERNNAME : public CTListNode<CExcelRecordEXTERNNAME> {
public:
    // SUPBOOK ordinal of a name met before any SUPBOOK record.
    static constexpr std::uint32_t kNoSupBook = 0xFFFFFFFF;

    // payload: the record body after its header (n bytes); supBook: the
    // 0-based position of the SUPBOOK record it follows.
    CExcelRecordEXTERNNAME(const std::uint8_t* payload, std::uint32_t n, std::uint32_t supBook);
    CExcelRecordEXTERNNAME(const CExcelRecordEXTERNNAME&) = delete;
    CExcelRecordEXTERNNAME& operator=(const CExcelRecordEXTERNNAME&) = delete;
    virtual ~CExcelRecordEXTERNNAME() = default;

    static constexpr std::uint16_t kBuiltIn = 0x0001;

    std::uint32_t GetSupBookIndex() const { return m_supBook; }
    const std::u16string& GetNameText() const { return m_name; }
    // Whether the record holds every character its length byte declares.
    bool IsComplete() const { return m_complete; }
    // Option flags and sheet (offsets 0 and 2); 0 when the record is shorter.
    std::uint16_t GetOptionFlags() const { return m_flags; }
    std::uint16_t GetSheetIndex() const { return m_sheet; }

    // The globals scan's reader: appends the record to the workbook's list,
    // tied to the last SUPBOOK read so far. Every EXTERNNAME is kept, however
    // short, so that the positions of the later ones stay right.
    static bool Read(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);

private:
    std::uint32_t m_supBook;
    std::u16string m_name;
    std::uint16_t m_flags = 0;
    std::uint16_t m_sheet = 0;
    bool m_complete = false;
};
