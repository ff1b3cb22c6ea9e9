// FORMULA record (0x0006) of a worksheet, with the SHRFMLA or ARRAY record
// and the STRING record that directly followed it; an element of the
// worksheet's formula list.
//
// Record data as kept (offsets from the first byte after the header):
//   offset 0   u16  row
//   offset 2   u16  column
//   offset 4   u16  XF index
//   offset 6   8    cached result (a double, or a tagged kind when bytes
//                   12-13 of the record are FF FF)
//   offset 14  u16  option flags
//   offset 16  u32  chn (not kept)
//   offset 20  u16  token length (cce), then the tokens and extra data
//
// Tagged cached result (bytes 6-13 with FF FF in 12-13):
//   offset 6   u8   kind: 0 string (text in the STRING record that follows),
//                   1 boolean, 2 error, 3 empty; anything else is a number
//   offset 8   u8   boolean value or error code
//
// Attached SHRFMLA and ARRAY data start with the range the formula covers:
//   offset 0   u16  first row
//   offset 2   u16  last row
//   offset 4   u8   first column
//   offset 5   u8   last column
// then, for SHRFMLA, the token length at 8; for ARRAY, at 12.
//
// STRING data: u16 character count, u8 flags (bit 0: 16-bit characters),
// then the characters. The reader joins a text continued in CONTINUE
// records into one such data block of UTF-16 characters.
//
// The record is built on the repair worker; the getters run later on one
// thread at a time (the preview or the save). The formula text is decoded
// on the first GetFormulaText or IsFormulaSound and kept, without a lock,
// until ReleaseDecoded lets it go.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelFormulaWorkbook;
class CExcelWorkbookGlobals;
class CExcelSheetFormulas;

// What a FORMULA record is to the shared and array formulas of its sheet.
enum class EFormulaRole : std::uint8_t {
    kOwn,           // its own tokens
    kSharedHost,    // a SHRFMLA record followed it: it holds a range's tokens
    kArrayHost,     // an ARRAY record followed it: it holds an array formula
    kSharedMember,  // a lone ptgExp resolved to a shared-formula host
    kArrayMember,   // a lone ptgExp resolved to an array-formula host
    kOrphan,        // a lone ptgExp that no host's range holds: no tokens known
};

enum FormulaResultType : std::uint32_t {
    FormulaResultString = 0,
    FormulaResultBoolean = 1,
    FormulaResultError = 2,
    FormulaResultEmpty = 3,
    FormulaResultNumber = 4,
};

class CExcelRecordFormula final : public CTListNode<CExcelRecordFormula> {
public:
    static constexpr std::uint32_t kFixedSize = 20;
    // Size of the cached result in the record.
    static constexpr std::uint32_t kResultSize = 8;

    // From the record data (length >= kFixedSize; the caller checks).
    // Counts one formula cell in RepairCounters.
    CExcelRecordFormula(const std::uint8_t* data, std::uint32_t length);
    CExcelRecordFormula(const CExcelRecordFormula&) = delete;
    CExcelRecordFormula& operator=(const CExcelRecordFormula&) = delete;
    ~CExcelRecordFormula();

    // Keep a copy of the ARRAY or SHRFMLA record data that followed this
    // record. A later call replaces the earlier copy.
    void SetArrayRecord(const std::uint8_t* data, std::uint32_t length);
    void SetSharedFormulaRecord(const std::uint8_t* data, std::uint32_t length);
    // Replaces the cached result bytes by a copy of the STRING record data
    // followed by two zero bytes; the result size becomes length + 2.
    void SetStringResult(const std::uint8_t* data, std::uint32_t length);

    std::uint16_t GetRow() const { return m_row; }
    std::uint16_t GetColumn() const { return m_column; }
    std::uint16_t GetXF() const { return m_xf; }
    std::uint16_t GetOptionFlags() const { return m_optionFlags; }

    FormulaResultType GetResultType() const { return static_cast<FormulaResultType>(m_resultType); }
    // The first eight result bytes as an IEEE double (0 when a STRING
    // record shorter than eight bytes replaced them).
    double GetNumber() const;
    // 8, or the STRING record's data length + 2.
    std::uint32_t GetResultSize() const;
    // Whether a STRING record's data replaced the eight result bytes.
    bool HasStringResult() const { return m_hasStringResult; }

    // The record data from the token length field to its end (never
    // assigned, Size() 0, for a record of only its 20 fixed bytes), and its
    // length in bytes.
    const CByteBuffer& GetFormulaData() const { return m_formulaData; }
    std::uint16_t GetFormulaDataLength() const { return m_formulaDataLength; }

    // The attached companion data, or null when none followed.
    const CByteBuffer* GetSharedFormulaRecord() const;
    const CByteBuffer* GetArrayRecord() const;

    // Range of the attached record; 0 when none is attached.
    std::uint16_t GetSharedFirstRow() const;
    std::uint16_t GetSharedLastRow() const;
    std::uint8_t GetSharedFirstColumn() const;
    std::uint8_t GetSharedLastColumn() const;
    std::uint16_t GetArrayFirstRow() const;
    std::uint16_t GetArrayLastRow() const;
    std::uint8_t GetArrayFirstColumn() const;
    std::uint8_t GetArrayLastColumn() const;

    // The formula text without a leading "=", decoded relative to this cell
    // on the first call (of this, HasFormulaText or IsFormulaSound) and
    // kept: later calls return the kept text whatever models they are
    // given, until ReleaseDecoded. Either model may be null. A member of a
    // shared or array formula (its tokens a lone ptgExp) decodes its host's
    // tokens relative to its own cell (CExcelFormulaHostLookup finds the
    // host in worksheet; without a worksheet it is an orphan). Empty for a
    // record without tokens and for an orphan.
    std::u16string GetFormulaText(const CExcelFormulaWorkbook* workbook,
                                  const CExcelSheetFormulas* worksheet) const;
    // Whether GetFormulaText gives a text (decodes once, as GetFormulaText).
    bool HasFormulaText(const CExcelFormulaWorkbook* workbook,
                        const CExcelSheetFormulas* worksheet) const;
    // Whether the formula text is a faithful decode of the tokens (decodes
    // once, as GetFormulaText). A record without tokens is not sound: it
    // has no formula to give.
    bool IsFormulaSound(const CExcelFormulaWorkbook* workbook,
                        const CExcelSheetFormulas* worksheet) const;
    // The record's role: the kept decode's, or else found from the attached
    // records and the host lookup alone, without decoding the tokens.
    EFormulaRole GetRole(const CExcelFormulaWorkbook* workbook,
                         const CExcelSheetFormulas* worksheet) const;
    // The host record of a member; null for every other role (found as
    // GetRole finds the role).
    const CExcelRecordFormula* GetHost(const CExcelFormulaWorkbook* workbook,
                                       const CExcelSheetFormulas* worksheet) const;

    // Lets the kept decode (text, soundness, role, host) go; the next
    // call of GetFormulaText, IsFormulaSound, GetRole or GetHost decodes
    // again. A decode depends only on this record, its host's attached
    // records and the models given, so the same models give the same
    // result. The save calls it once a formula is written, so that a large
    // sheet's texts are not all held while the saved file is built.
    void ReleaseDecoded() const;

    // The cached result as the preview shows it. A number is rendered by
    // its XF's built-in format index when a workbook is given, with "%G"
    // without one.
    std::u16string GetValueText(const CExcelWorkbookGlobals* workbook) const;
    // Format index of the cell's XF record in workbook, 0 when there is none.
    std::uint16_t GetFormatIndex(const CExcelWorkbookGlobals& workbook) const;
    // The number format code of the cell's XF.
    std::u16string GetNumberFormatText(const CExcelWorkbookGlobals& workbook) const;

private:
    // The role and the host as the attached records and the host lookup
    // give them.
    struct Place {
        EFormulaRole role = EFormulaRole::kOwn;
        const CExcelRecordFormula* host = nullptr;
    };
    Place FindPlace(const CExcelSheetFormulas* worksheet) const;
    // Whether the tokens are a lone ptgExp; the cell it names.
    bool IsLoneExp(std::uint16_t& namedRow, std::uint16_t& namedColumn) const;
    std::u16string StringResultText() const;
    // Byte offset of the cached result, or of the STRING data when a string
    // result has one; 0 past either.
    std::uint8_t ResultByte(std::uint32_t offset) const;

    // What the first decode found; kept apart so that a formula nobody has
    // decoded costs one pointer, not a string and its role. One heap block:
    // these fields, then the text's characters, one byte each when all lie
    // below U+0100 (nearly every formula), else two. A large sheet's
    // decodes are held from the report until the save writes them.
    struct Decoded {
        const CExcelRecordFormula* host = nullptr;
        std::uint32_t length = 0;  // characters of the text
        bool sound = false;
        bool wide = false;
        EFormulaRole role = EFormulaRole::kOwn;

        // A block holding text after the fields.
        static Decoded* Make(std::u16string_view text);
        static void Free(Decoded* decoded);
        std::u16string Text() const;
    };
    struct FreeDecoded {
        void operator()(Decoded* decoded) const { Decoded::Free(decoded); }
    };
    using DecodedPtr = std::unique_ptr<Decoded, FreeDecoded>;
    const Decoded& DecodeOnce(const CExcelFormulaWorkbook* workbook,
                              const CExcelSheetFormulas* worksheet) const;

    // Ordered so that the fields pack without gaps: a sheet holds one
    // record per formula cell.
    std::uint8_t m_resultType = FormulaResultNumber;
    bool m_hasStringResult : 1 = false;
    // What m_extra points at: Attachments, or else a Decoded block (or
    // nothing).
    mutable bool m_extraIsAttachments : 1 = false;
    std::uint16_t m_row = 0;
    std::uint16_t m_column = 0;
    std::uint16_t m_xf = 0;
    std::uint16_t m_formulaDataLength = 0;
    std::uint16_t m_optionFlags = 0;
    // The record's eight cached result bytes, kept inline: every formula has
    // them. A string result's STRING data, when one follows, is read instead.
    std::array<std::uint8_t, kResultSize> m_result{};
    CByteBuffer m_formulaData;

    // The records that follow some FORMULA records: few formulas have any,
    // so they are kept apart, with the decode of a formula that has them.
    struct Attachments {
        CByteBuffer arrayRecord;   // Size() 0: none attached
        CByteBuffer sharedRecord;  // Size() 0: none attached
        CByteBuffer stringResult;
        DecodedPtr decoded;
    };
    // Empty attachments where the formula has none.
    const Attachments& Attached() const;
    Attachments& Attach();
    // The kept decode, or null; KeepDecode replaces it (null: lets it go).
    Decoded* KeptDecode() const;
    void KeepDecode(DecodedPtr decoded) const;
    // The attachments or the kept decode, one pointer for both: a sheet's
    // formulas mostly have no attachments, and until the preview or the
    // save asks, no decode either.
    mutable void* m_extra = nullptr;
};
