// Turns a BIFF8 parsed formula (a token stream in reverse Polish order)
// back into formula text as a user types it, without the leading "=":
// SUM( A1:A3, $C$1 ), 'Q1 2009'!B2*1.5, IF(A1="say ""hi""",1,2).
//
// The decoder is tolerant: every operand is checked against the bytes at
// hand, an unknown token byte is stepped over, an operator short of
// operands takes empty text for the missing ones and the top operand at the
// end is the result. Whenever the text is not a faithful decode of the
// tokens, IsSound() says so; the text is still returned for display, but a
// writer must not store it as the cell's formula. Unsound are: a token
// skipped as unknown or for missing bytes, an operator or function that
// found fewer operands than it takes, more or fewer than one operand at the
// end, a name, sheet or function that cannot be named (a name or sheet
// missing from the tables, a SUPBOOK that is no workbook, macro calls, empty
// rows of the function table), a data-table "{=TABLE(}" text, the "deleted"
// marker and an empty result. UnsoundReason() tells the first cause met.
//
// 3-D references and names of other workbooks print with the workbook's
// path and name in brackets, always quoted: '[book.xls]Sheet1'!A1,
// 'C:\dir\[book.xls]Jan:Mar'!$A$1:$B$2, '[book.xls]'!Rates. A reference
// into a sheet since deleted prints as the spreadsheet shows it: #REF!A1,
// #REF!#REF! for its error form.
//
// One parser serves one Decode call; create it on the stack. It keeps no
// pointer to its inputs after Decode returns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formula/CExcelFormulaOperand.h"
#include "formula/CExcelFormulaUnsound.h"

class CByteBuffer;
class CExcelFormulaWorkbook;
class CExcelSheetFormulas;

class CExcelFormulaParser {
public:
    CExcelFormulaParser() = default;
    CExcelFormulaParser(const CExcelFormulaParser&) = delete;
    CExcelFormulaParser& operator=(const CExcelFormulaParser&) = delete;
    virtual ~CExcelFormulaParser();

    // buffer points at the formula's 2-byte length field (cce); available
    // counts the bytes from there to the end of the record's data, so that
    // the extra data after the tokens (array constants) is included. The
    // base cell (baseRow, baseColumn) is the formula's own cell: relative
    // parts of ptgRefN and ptgAreaN are offsets from it. workbook gives
    // EXTERNSHEET, SUPBOOK, sheet and NAME lookups, worksheet its TABLE
    // records, sharedFormula / arrayFormula the data of the SHRFMLA / ARRAY
    // record attached to the FORMULA record (for ptgExp). Any pointer may be
    // null. Returns "deleted" for a length field whose high byte is 0x40,
    // else the text (empty when nothing could be decoded).
    std::u16string Decode(const std::uint8_t* buffer, std::uint32_t available,
                          std::uint32_t baseRow, std::uint16_t baseColumn,
                          const CExcelFormulaWorkbook* workbook,
                          const CExcelSheetFormulas* worksheet, const CByteBuffer* sharedFormula,
                          const CByteBuffer* arrayFormula);

    // Whether the text of the last Decode is a faithful decode (above).
    bool IsSound() const { return m_sound; }
    // The first cause of an unsound decode that the decoder recorded.
    CExcelFormulaUnsound::EReason UnsoundReason() const { return m_reason; }

    // The most operands the stack holds; no genuine formula comes near it.
    // A token that would push beyond it is dropped (unsound).
    static constexpr std::uint32_t kMaxOperands = 1024;

private:
    using Handler = void (CExcelFormulaParser::*)(std::uint8_t token, const std::uint8_t* operand);
    struct TokenHandler {
        std::uint32_t operandSize;  // fixed bytes after the id; variable data follows
        Handler handle;             // null: not a token we decode
    };
    static const TokenHandler kHandlers[64];
    static const TokenHandler* FindHandler(std::uint8_t token);

    void Run();

    // Marks the decode unsound; the first reason given is kept.
    void MarkUnsound(CExcelFormulaUnsound::EReason reason);
    // Starts a new top operand whose text the caller then appends to
    // m_text; false (and nothing started) when the stack is full.
    bool BeginOperand(bool isName = false);
    void Push(std::u16string_view text, bool isName = false);
    // The top operand's text; empty text (and an unsound decode) when the
    // stack is empty. isName, when given, tells whether it was a name.
    std::u16string Pop(bool* isName = nullptr);
    // count operands joined with separator, first argument first.
    std::u16string PopArguments(std::uint32_t count, const char16_t* separator);
    // Replaces the top count operands by prefix, their texts joined with
    // separator, and suffix, in place in m_text. Operands missing from the
    // stack count as empty leading ones (an unsound decode).
    void Combine(std::uint32_t count, std::u16string_view prefix, std::u16string_view separator,
                 std::u16string_view suffix);
    // Whether count more bytes lie at the cursor within the available bytes.
    bool Fits(std::uint32_t count) const;
    void Skip(std::uint32_t count);

    void OnExp(std::uint8_t token, const std::uint8_t* operand);
    void OnTbl(std::uint8_t token, const std::uint8_t* operand);
    void OnBinary(std::uint8_t token, const std::uint8_t* operand);
    void OnUnary(std::uint8_t token, const std::uint8_t* operand);
    void OnPercent(std::uint8_t token, const std::uint8_t* operand);
    void OnParen(std::uint8_t token, const std::uint8_t* operand);
    void OnMissArg(std::uint8_t token, const std::uint8_t* operand);
    void OnStr(std::uint8_t token, const std::uint8_t* operand);
    void OnNotPrintable(std::uint8_t token, const std::uint8_t* operand);
    void OnAttr(std::uint8_t token, const std::uint8_t* operand);
    void OnErr(std::uint8_t token, const std::uint8_t* operand);
    void OnBool(std::uint8_t token, const std::uint8_t* operand);
    void OnInt(std::uint8_t token, const std::uint8_t* operand);
    void OnNum(std::uint8_t token, const std::uint8_t* operand);
    void OnArray(std::uint8_t token, const std::uint8_t* operand);
    void OnFunc(std::uint8_t token, const std::uint8_t* operand);
    void OnFuncVar(std::uint8_t token, const std::uint8_t* operand);
    void OnName(std::uint8_t token, const std::uint8_t* operand);
    void OnNameX(std::uint8_t token, const std::uint8_t* operand);
    void OnRef(std::uint8_t token, const std::uint8_t* operand);
    void OnArea(std::uint8_t token, const std::uint8_t* operand);
    void OnMem(std::uint8_t token, const std::uint8_t* operand);
    void OnMemArea(std::uint8_t token, const std::uint8_t* operand);
    void OnRefErr(std::uint8_t token, const std::uint8_t* operand);
    void OnRefN(std::uint8_t token, const std::uint8_t* operand);
    void OnAreaN(std::uint8_t token, const std::uint8_t* operand);
    void OnRef3d(std::uint8_t token, const std::uint8_t* operand);
    void OnArea3d(std::uint8_t token, const std::uint8_t* operand);
    void OnRefErr3d(std::uint8_t token, const std::uint8_t* operand);

    // Pushes a 3-D token's text: its sheet part then reference (the cell,
    // area or #REF! after the EXTERNSHEET index).
    void Push3d(std::uint8_t token, const std::uint8_t* operand, std::u16string_view reference);
    // A user-defined call: the function is the first of count operands.
    void PushUserCall(std::uint32_t count);

    const CExcelFormulaWorkbook* m_workbook = nullptr;
    const CExcelSheetFormulas* m_worksheet = nullptr;
    const CByteBuffer* m_sharedFormula = nullptr;
    const CByteBuffer* m_arrayFormula = nullptr;
    std::uint16_t m_baseColumn = 0;
    std::uint32_t m_baseRow = 0;
    // The operands' texts back to back, bottom of the stack first, and
    // where each starts: an operator joins its operands where they lie.
    std::u16string m_text;
    std::vector<CExcelFormulaOperand> m_operands;
    const std::uint8_t* m_buffer = nullptr;
    std::uint32_t m_available = 0;
    std::uint32_t m_cursor = 0;     // next token byte, from the length field
    std::uint32_t m_tokensEnd = 0;  // 2 + cce
    std::uint32_t m_extra = 0;      // next extra-data byte (array constants)
    bool m_sound = true;
    CExcelFormulaUnsound::EReason m_reason = CExcelFormulaUnsound::None;
    bool m_stop = false;
};
