// Builds BIFF8 parsed formulas for the token decoder's tests: tokens are
// appended in reverse Polish order, array constants go to the extra data,
// and Build() puts the length field in front. Decode() runs the decoder on
// the result and gives the text as UTF-8 with the soundness flag.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CByteBuffer;
class CExcelWorkBook;
class CExcelWorkSheet;

namespace testsupport {

using Bytes = std::vector<std::uint8_t>;

class TokenStream {
public:
    // Raw bytes into the token area.
    TokenStream& Byte(std::uint8_t value);
    TokenStream& U16(std::uint16_t value);
    TokenStream& Raw(const Bytes& bytes);

    TokenStream& Op(std::uint8_t token) { return Byte(token); }
    TokenStream& Int(std::uint16_t value);
    TokenStream& Num(double value);
    TokenStream& Str(const std::u16string& text, bool wide = false);
    TokenStream& Bool(bool value);
    TokenStream& Err(std::uint8_t code);
    TokenStream& Ref(std::uint8_t token, std::uint16_t row, std::uint16_t columnField);
    TokenStream& Area(std::uint8_t token, std::uint16_t firstRow, std::uint16_t lastRow,
                      std::uint16_t firstColumnField, std::uint16_t lastColumnField);
    TokenStream& Ref3d(std::uint8_t token, std::uint16_t sheetRef, std::uint16_t row,
                       std::uint16_t columnField);
    TokenStream& Area3d(std::uint8_t token, std::uint16_t sheetRef, std::uint16_t firstRow,
                        std::uint16_t lastRow, std::uint16_t firstColumnField,
                        std::uint16_t lastColumnField);
    TokenStream& Func(std::uint8_t token, std::uint16_t index);
    TokenStream& FuncVar(std::uint8_t token, std::uint8_t count, std::uint16_t index);
    TokenStream& Name(std::uint8_t token, std::uint16_t index);
    TokenStream& Attr(std::uint8_t kind, std::uint16_t data);
    // ptgArray and its 7 unused bytes; the constant itself goes to Extra.
    TokenStream& Array(std::uint8_t token);

    // Extra data after the tokens.
    TokenStream& ExtraByte(std::uint8_t value);
    TokenStream& ExtraU16(std::uint16_t value);
    TokenStream& ArrayHeader(std::uint8_t columns, std::uint16_t rows);
    TokenStream& ArrayNumber(double value);
    TokenStream& ArrayString(const std::u16string& text, bool wide = false);
    TokenStream& ArrayBool(bool value);
    TokenStream& ArrayError(std::uint8_t code);
    TokenStream& ArrayNil();

    // Length field (the token count, or lengthField when given), tokens,
    // extra data.
    Bytes Build() const;
    Bytes BuildWithLength(std::uint16_t lengthField) const;

private:
    Bytes m_tokens;
    Bytes m_extra;
};

// Column field of a reference: the column with its relative bits.
std::uint16_t Col(std::uint8_t column, bool columnRelative, bool rowRelative);
// Both parts relative / both absolute.
inline std::uint16_t Rel(std::uint8_t column) {
    return Col(column, true, true);
}
inline std::uint16_t Abs(std::uint8_t column) {
    return Col(column, false, false);
}

struct Decoded {
    std::string text;  // UTF-8
    bool sound = false;
    std::string reason;  // the unsound cause's text; empty when sound
};

Decoded Decode(const Bytes& formula, std::uint32_t baseRow = 0, std::uint16_t baseColumn = 0,
               const CExcelWorkBook* workbook = nullptr, const CExcelWorkSheet* worksheet = nullptr,
               const CByteBuffer* shared = nullptr, const CByteBuffer* array = nullptr);
// The same with an explicit available count (may be less than the bytes).
Decoded DecodeAvailable(const Bytes& formula, std::uint32_t available);

std::string Utf8(const std::u16string& text);

// Workbook fixtures for 3-D references and names.
void AddSheet(CExcelWorkBook& book, const std::u16string& name);
void AddSupBook(CExcelWorkBook& book, const Bytes& payload);
// One EXTERNSHEET record with the given REF entries (SUPBOOK, first, last).
struct RefEntry {
    std::uint16_t supBook;
    std::uint16_t firstSheet;
    std::uint16_t lastSheet;
};
void AddExternSheet(CExcelWorkBook& book, const std::vector<RefEntry>& entries);
// The SUPBOOK payload of the workbook's own sheets (sheetCount sheets).
Bytes SelfSupBook(std::uint16_t sheetCount);
// A NAME record: user-defined name text or, with builtIn, one code
// character; sheet is 0 for a global name or the 1-based sheet. tokens: the
// formula without its length field (and any extra data after it); options:
// further option bits; declaredLength: the formula length the record
// declares, when not the token count (damage).
void AddName(CExcelWorkBook& book, const std::u16string& text, std::uint16_t sheet,
             bool builtIn = false, const Bytes& tokens = {}, std::uint16_t options = 0,
             int declaredLength = -1);
// The tokens of a TokenStream without its length field.
Bytes TokensOf(const TokenStream& stream);

}  // namespace testsupport
