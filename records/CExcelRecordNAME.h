// NAME record (0x0018): one defined name of the workbook, user-defined
// ("Rates", "Table1") or built-in (Print_Area, _FilterDatabase, ...). An
// element of the workbook's name list; a ptgName token refers to a name by
// its 1-based position in that list, so the list keeps every NAME record in
// file order, damaged ones included.
//
// Payload layout (offsets from the first byte after the record header; a
// longer name's CONTINUE data joined back with its first bytes in place):
//
//   offset 0   u16  option flags: bit 0 hidden, bit 1 a function (macro or
//                   add-in), bit 2 a command macro, bit 5 built-in name
//   offset 2   u8   keyboard shortcut
//   offset 3   u8   name length in characters
//   offset 4   u16  formula (rgce) length in bytes
//   offset 6   u16  reserved
//   offset 8   u16  sheet index: 0 for a global name, else the 1-based sheet
//   offset 10  u8   menu text length          (the four texts come last;
//   offset 11  u8   description text length    they are not read)
//   offset 12  u8   help text length
//   offset 13  u8   status bar text length
//   offset 14  u8   string option flags: bit 0 set for 16-bit characters
//   offset 15  ..   the name's characters (no count of their own)
//   then       ..   the formula tokens (rgce), then the extra data of its
//                   ptgArray tokens, then the four texts
//
// A built-in name stores one character, its code (0x06 Print_Area, ...).
// Every length is bounded by the payload at hand: a name or formula that
// runs past the end keeps the part that is present.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelRecordNAME : public CTListNode<CExcelRecordNAME> {
public:
    static constexpr std::uint16_t kHidden = 0x0001;
    static constexpr std::uint16_t kFunction = 0x0002;
    static constexpr std::uint16_t kCommand = 0x0004;
    static constexpr std::uint16_t kBuiltIn = 0x0020;
    // Every NAME record is kept, however short: dropping one would make each
    // later ptgName index point at the wrong name.
    static bool AcceptsRawLength(std::uint32_t) { return true; }

    // payload: the record body after its header (n bytes, copied).
    CExcelRecordNAME(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordNAME(const CExcelRecordNAME&) = delete;
    CExcelRecordNAME& operator=(const CExcelRecordNAME&) = delete;
    virtual ~CExcelRecordNAME() = default;

    std::uint16_t GetOptionFlags() const;
    bool IsHidden() const { return (GetOptionFlags() & kHidden) != 0; }
    bool IsBuiltIn() const { return (GetOptionFlags() & kBuiltIn) != 0; }
    // A name of a function (a macro sheet's or an add-in's, or one newer
    // than the file format such as "_xlfn.IFERROR"), and of a command macro.
    bool IsFunction() const { return (GetOptionFlags() & kFunction) != 0; }
    bool IsCommand() const { return (GetOptionFlags() & kCommand) != 0; }
    // The stored characters, zero characters included (built-in code 0x00
    // is Consolidate_Area); for a built-in name its one code character.
    const std::u16string& GetNameText() const { return m_name; }
    // The code of a built-in name (its first character), or -1 for a
    // user-defined name and for a built-in name without a character.
    int GetBuiltInCode() const;
    // The name as the spreadsheet shows it: a built-in name by its fixed
    // text ("Print_Area", "_FilterDatabase", ...), any other by its stored
    // text. Empty for a built-in code outside 0x00-0x0D and for an empty
    // stored name.
    std::u16string GetDisplayName() const;
    // 0 for a workbook-global name, else the 1-based index of the sheet
    // that the name belongs to.
    std::uint16_t GetSheetIndex() const;
    // The formula tokens, as many of the declared bytes as are present.
    const CByteBuffer& GetFormulaData() const { return m_formula; }
    // The bytes after the formula to the end of the record: the extra data of
    // ptgArray tokens (their constants, in token order), then the optional
    // texts. Empty when the formula itself is cut.
    const CByteBuffer& GetFormulaExtraData() const { return m_extra; }
    // The formula length that the record declares (may exceed the bytes in
    // GetFormulaData() when the record is damaged).
    std::uint16_t GetDeclaredFormulaLength() const;
    const CByteBuffer& GetPayload() const { return m_payload; }

private:
    CByteBuffer m_payload;
    std::u16string m_name;
    CByteBuffer m_formula;
    CByteBuffer m_extra;
};
