// SUPBOOK record (0x01AE): one supporting workbook of the external
// references: this workbook itself, an add-in, or another file.
//
// Payload layout (offsets from the first byte after the record header):
//
//   offset 0  u16  sheet count of the other workbook (ctab)
//   offset 2  u16  0x0401 for this workbook, 0x3A01 for the add-in SUPBOOK,
//                  else the character count of the file name
//   offset 4  u8   string option flags: bit 0 set for 16-bit characters
//   offset 5  ..   the file name's characters (the encoded file name: see
//                  CExcelEncodedFileName), then ctab sheet names, each a u16
//                  character count, a u8 flags byte and its characters
//
// A file name of one space marks a SUPBOOK left behind by a link that was
// removed from the workbook (an unused SUPBOOK: its EXTERNSHEET entries keep
// their places, its sheet names are spaces too); a file name of one zero
// character stands for "the sheet of the formula" in macro sheets. Every
// string is bounded by the payload: a string cut by its end is not kept, and
// neither is anything after it.
//
// A SUPBOOK longer than one record goes on in CONTINUE records. Where a
// CONTINUE splits a string's characters, its first byte is a fresh option
// byte for the characters after it (their width may change); where it falls
// anywhere else, its first byte is data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "biff/CTList.h"

class CExcelRecordGWBSUPBOOK : public CTListNode<CExcelRecordGWBSUPBOOK> {
public:
    enum EKind {
        KindSelf,       // this workbook's own sheets
        KindAddIn,      // add-in functions: its EXTERNNAMEs are function names
        KindOther,      // another workbook (or a DDE or OLE link)
        KindUnused,     // the file name is one space: a link since removed
        KindSameSheet,  // the file name is one zero character
    };

    // Any record with a non-empty spill file is taken.
    static bool AcceptsRawLength(std::uint32_t rawLength) { return rawLength != 0; }

    // payload: the record body after its header (n bytes, copied), every
    // CONTINUE's first byte in place. continueStarts: where each CONTINUE's
    // first byte lies in the payload, ascending (empty for a record in one
    // piece).
    CExcelRecordGWBSUPBOOK(const std::uint8_t* payload, std::uint32_t n,
                           std::vector<std::uint32_t> continueStarts = {});
    CExcelRecordGWBSUPBOOK(const CExcelRecordGWBSUPBOOK&) = delete;
    CExcelRecordGWBSUPBOOK& operator=(const CExcelRecordGWBSUPBOOK&) = delete;
    virtual ~CExcelRecordGWBSUPBOOK() = default;

    // u16 at 0; 0 when the payload is shorter.
    std::uint16_t GetSheetCount() const;
    // The add-in SUPBOOK: payload starting 0x01, 0x00, 0x3A, 0x01.
    bool IsAddIn() const;
    // The SUPBOOK of this workbook's own sheets: at least 4 bytes, not the
    // add-in one, a non-zero sheet count and bytes 2 and 3 equal to 0x01,
    // 0x04. Only such a SUPBOOK lets a 3-D reference name a sheet.
    bool IsSelf() const;
    EKind GetKind() const;

    // The file name as stored (still encoded); empty for this workbook, the
    // add-in SUPBOOK and a name cut by the end of the payload.
    const std::u16string& GetFileName() const { return m_fileName; }
    // Sheet name index (from 0) of the other workbook; empty past the names
    // that are wholly present.
    std::u16string GetSheetName(std::uint32_t index) const;

    const std::uint8_t* GetData() const { return m_payload.data(); }
    std::uint32_t GetLength() const { return static_cast<std::uint32_t>(m_payload.size()); }

private:
    // Reads the file name and the sheet names that follow it.
    void ReadNames();
    // The string whose flags byte is at `at` with count characters, taking
    // a fresh option byte at each CONTINUE start inside its characters;
    // false when it does not fit, else advances `at` past it.
    bool ReadCharacters(std::uint32_t& at, std::uint32_t count, std::u16string& text) const;

    std::vector<std::uint8_t> m_payload;
    std::vector<std::uint32_t> m_continueStarts;
    std::u16string m_fileName;
    std::vector<std::u16string> m_sheetNames;
};
