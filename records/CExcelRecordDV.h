// DV record (0x01BE): one data validation over a list of cell rectangles,
// decoded into what the save hands on. An element of the worksheet's
// validation list.
//
// Payload: u32 flags (below); four unicode strings (u16 character count,
// u8 option flags, the characters), the prompt title, the error title, the
// prompt and the error message, each a single zero character when empty;
// formula 1 and formula 2 (u16 token length, u16 unused, the tokens); the
// rectangles (CExcelCellRects). Relative references in the formulas are
// ptgRefN / ptgAreaN offsets from the first cell of the first rectangle.
//
// Flags: bits 0-3 the type (0 any value, 1 whole number, 2 decimal, 3
// list, 4 date, 5 time, 6 text length, 7 custom), bits 4-6 the error style
// (0 stop, 1 warning, 2 information), bit 7 a list given as literal text,
// bit 8 blanks allowed, bit 9 no drop-down, bits 10-17 the input method
// mode, bit 18 show the prompt, bit 19 show the error, bits 20-23 the
// operator (0 between, 1 not between, 2 equal, 3 not equal, 4 greater, 5
// less, 6 greater or equal, 7 less or equal).
//
// A record is kept only whole: every string, formula and rectangle inside
// its bytes, a type, style and operator of the values above, and at least
// one rectangle. Anything else gives nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "biff/CTList.h"
#include "records/CExcelCellRects.h"
#include "records/CExcelStoredFormula.h"

class CExcelSheetRecords;
class IExcelStreamReader;

class CExcelRecordDV : public CTListNode<CExcelRecordDV> {
public:
    static constexpr std::uint32_t kTypeList = 3;

    CExcelRecordDV() = default;
    CExcelRecordDV(const CExcelRecordDV&) = delete;
    CExcelRecordDV& operator=(const CExcelRecordDV&) = delete;
    virtual ~CExcelRecordDV() = default;

    static std::unique_ptr<CExcelRecordDV> Decode(const std::uint8_t* payload, std::uint32_t n);
    // The worksheet parser's route for DV: reads the record at position
    // (size bytes, at most 8,224), decodes it and appends it to the sheet's
    // validation list. False when nothing was appended.
    static bool Read(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                     std::uint32_t position);

    std::uint32_t GetType() const { return m_type; }
    std::uint32_t GetErrorStyle() const { return m_errorStyle; }
    std::uint32_t GetOperator() const { return m_operator; }
    bool IsLiteralList() const { return m_literalList; }
    bool AllowsBlank() const { return m_allowBlank; }
    bool HidesDropDown() const { return m_hideDropDown; }
    bool ShowsPrompt() const { return m_showPrompt; }
    bool ShowsError() const { return m_showError; }
    const std::u16string& GetPromptTitle() const { return m_texts[0]; }
    const std::u16string& GetErrorTitle() const { return m_texts[1]; }
    const std::u16string& GetPrompt() const { return m_texts[2]; }
    const std::u16string& GetError() const { return m_texts[3]; }
    const CExcelStoredFormula& GetFormula1() const { return m_formulas[0]; }
    const CExcelStoredFormula& GetFormula2() const { return m_formulas[1]; }
    const std::vector<CExcelCellRect>& GetRects() const { return m_rects; }

    // The items of a literal list (a formula 1 that is one ptgStr), the
    // zero characters between them as stored; false for anything else.
    bool GetListItems(std::u16string& items) const;

private:
    std::uint32_t m_type = 0;
    std::uint32_t m_errorStyle = 0;
    std::uint32_t m_operator = 0;
    bool m_literalList = false;
    bool m_allowBlank = false;
    bool m_hideDropDown = false;
    bool m_showPrompt = false;
    bool m_showError = false;
    std::u16string m_texts[4];
    CExcelStoredFormula m_formulas[2];
    std::vector<CExcelCellRect> m_rects;
};
