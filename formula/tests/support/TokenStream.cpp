#include "formula/tests/support/TokenStream.h"

#include <bit>

#include "biff/CByteBuffer.h"
#include "formula/CExcelFormulaParser.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelRecordNAME.h"

namespace testsupport {

namespace {

void PutU16(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutDouble(Bytes& bytes, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void PutChars(Bytes& bytes, const std::u16string& text, bool wide) {
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        if (wide) bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
}

}  // namespace

TokenStream& TokenStream::Byte(std::uint8_t value) {
    m_tokens.push_back(value);
    return *this;
}

TokenStream& TokenStream::U16(std::uint16_t value) {
    PutU16(m_tokens, value);
    return *this;
}

TokenStream& TokenStream::Raw(const Bytes& bytes) {
    m_tokens.insert(m_tokens.end(), bytes.begin(), bytes.end());
    return *this;
}

TokenStream& TokenStream::Int(std::uint16_t value) {
    return Byte(0x1E).U16(value);
}

TokenStream& TokenStream::Num(double value) {
    Byte(0x1F);
    PutDouble(m_tokens, value);
    return *this;
}

TokenStream& TokenStream::Str(const std::u16string& text, bool wide) {
    Byte(0x17).Byte(static_cast<std::uint8_t>(text.size())).Byte(wide ? 1 : 0);
    PutChars(m_tokens, text, wide);
    return *this;
}

TokenStream& TokenStream::Bool(bool value) {
    return Byte(0x1D).Byte(value ? 1 : 0);
}
TokenStream& TokenStream::Err(std::uint8_t code) {
    return Byte(0x1C).Byte(code);
}

TokenStream& TokenStream::Ref(std::uint8_t token, std::uint16_t row, std::uint16_t columnField) {
    return Byte(token).U16(row).U16(columnField);
}

TokenStream& TokenStream::Area(std::uint8_t token, std::uint16_t firstRow, std::uint16_t lastRow,
                               std::uint16_t firstColumnField, std::uint16_t lastColumnField) {
    return Byte(token).U16(firstRow).U16(lastRow).U16(firstColumnField).U16(lastColumnField);
}

TokenStream& TokenStream::Ref3d(std::uint8_t token, std::uint16_t sheetRef, std::uint16_t row,
                                std::uint16_t columnField) {
    return Byte(token).U16(sheetRef).U16(row).U16(columnField);
}

TokenStream& TokenStream::Area3d(std::uint8_t token, std::uint16_t sheetRef, std::uint16_t firstRow,
                                 std::uint16_t lastRow, std::uint16_t firstColumnField,
                                 std::uint16_t lastColumnField) {
    return Byte(token)
        .U16(sheetRef)
        .U16(firstRow)
        .U16(lastRow)
        .U16(firstColumnField)
        .U16(lastColumnField);
}

TokenStream& TokenStream::Func(std::uint8_t token, std::uint16_t index) {
    return Byte(token).U16(index);
}

TokenStream& TokenStream::FuncVar(std::uint8_t token, std::uint8_t count, std::uint16_t index) {
    return Byte(token).Byte(count).U16(index);
}

TokenStream& TokenStream::Name(std::uint8_t token, std::uint16_t index) {
    return Byte(token).U16(index).U16(0);
}

TokenStream& TokenStream::Attr(std::uint8_t kind, std::uint16_t data) {
    return Byte(0x19).Byte(kind).U16(data);
}

TokenStream& TokenStream::Array(std::uint8_t token) {
    Byte(token);
    for (int i = 0; i < 7; ++i) Byte(0);
    return *this;
}

TokenStream& TokenStream::ExtraByte(std::uint8_t value) {
    m_extra.push_back(value);
    return *this;
}

TokenStream& TokenStream::ExtraU16(std::uint16_t value) {
    PutU16(m_extra, value);
    return *this;
}

TokenStream& TokenStream::ArrayHeader(std::uint8_t columns, std::uint16_t rows) {
    return ExtraByte(static_cast<std::uint8_t>(columns - 1))
        .ExtraU16(static_cast<std::uint16_t>(rows - 1));
}

TokenStream& TokenStream::ArrayNumber(double value) {
    ExtraByte(0x01);
    PutDouble(m_extra, value);
    return *this;
}

TokenStream& TokenStream::ArrayString(const std::u16string& text, bool wide) {
    ExtraByte(0x02).ExtraU16(static_cast<std::uint16_t>(text.size())).ExtraByte(wide ? 1 : 0);
    PutChars(m_extra, text, wide);
    return *this;
}

TokenStream& TokenStream::ArrayBool(bool value) {
    ExtraByte(0x04).ExtraByte(value ? 1 : 0);
    for (int i = 0; i < 7; ++i) ExtraByte(0);
    return *this;
}

TokenStream& TokenStream::ArrayError(std::uint8_t code) {
    ExtraByte(0x10).ExtraByte(code);
    for (int i = 0; i < 7; ++i) ExtraByte(0);
    return *this;
}

TokenStream& TokenStream::ArrayNil() {
    ExtraByte(0x00);
    for (int i = 0; i < 8; ++i) ExtraByte(0);
    return *this;
}

Bytes TokenStream::Build() const {
    return BuildWithLength(static_cast<std::uint16_t>(m_tokens.size()));
}

Bytes TokenStream::BuildWithLength(std::uint16_t lengthField) const {
    Bytes bytes;
    PutU16(bytes, lengthField);
    bytes.insert(bytes.end(), m_tokens.begin(), m_tokens.end());
    bytes.insert(bytes.end(), m_extra.begin(), m_extra.end());
    return bytes;
}

std::uint16_t Col(std::uint8_t column, bool columnRelative, bool rowRelative) {
    return static_cast<std::uint16_t>(column | (columnRelative ? 0x4000 : 0) |
                                      (rowRelative ? 0x8000 : 0));
}

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

Decoded Decode(const Bytes& formula, std::uint32_t baseRow, std::uint16_t baseColumn,
               const CExcelWorkBook* workbook, const CExcelWorkSheet* worksheet,
               const CByteBuffer* shared, const CByteBuffer* array) {
    CExcelFormulaParser parser;
    const std::u16string text =
        parser.Decode(formula.data(), static_cast<std::uint32_t>(formula.size()), baseRow,
                      baseColumn, workbook, worksheet, shared, array);
    return {Utf8(text), parser.IsSound(), CExcelFormulaUnsound::Text(parser.UnsoundReason())};
}

Decoded DecodeAvailable(const Bytes& formula, std::uint32_t available) {
    // A copy of exactly the available bytes, so that the sanitizer sees any
    // read past them.
    const Bytes cut(formula.begin(), formula.begin() + available);
    CExcelFormulaParser parser;
    const std::u16string text =
        parser.Decode(cut.data(), available, 0, 0, nullptr, nullptr, nullptr, nullptr);
    return {Utf8(text), parser.IsSound(), CExcelFormulaUnsound::Text(parser.UnsoundReason())};
}

Bytes TokensOf(const TokenStream& stream) {
    const Bytes built = stream.Build();
    return Bytes(built.begin() + 2, built.end());
}

void AddSheet(CExcelWorkBook& book, const std::u16string& name) {
    CExcelWorkSheet sheet;
    sheet.SetName(name);
    book.GetWorksheets().Add(sheet);
}

void AddSupBook(CExcelWorkBook& book, const Bytes& payload) {
    book.GetSupBooks().Add(
        new CExcelRecordGWBSUPBOOK(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

void AddExternSheet(CExcelWorkBook& book, const std::vector<RefEntry>& entries) {
    Bytes payload;
    PutU16(payload, static_cast<std::uint16_t>(entries.size()));
    for (const RefEntry& entry : entries) {
        PutU16(payload, entry.supBook);
        PutU16(payload, entry.firstSheet);
        PutU16(payload, entry.lastSheet);
    }
    book.GetExternSheets().Add(
        new CExcelRecordGWBEXTERNSHEET(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

Bytes SelfSupBook(std::uint16_t sheetCount) {
    Bytes payload;
    PutU16(payload, sheetCount);
    payload.push_back(0x01);
    payload.push_back(0x04);
    return payload;
}

void AddName(CExcelWorkBook& book, const std::u16string& text, std::uint16_t sheet, bool builtIn,
             const Bytes& tokens, std::uint16_t options, int declaredLength) {
    Bytes payload;
    PutU16(payload, static_cast<std::uint16_t>(options | (builtIn ? 0x0020 : 0x0000)));
    payload.push_back(0);  // keyboard shortcut
    payload.push_back(static_cast<std::uint8_t>(text.size()));
    PutU16(payload,
           static_cast<std::uint16_t>(declaredLength >= 0 ? declaredLength : tokens.size()));
    PutU16(payload, 0);                                // reserved
    PutU16(payload, sheet);                            // sheet index
    for (int i = 0; i < 4; ++i) payload.push_back(0);  // menu, description, help, status
    payload.push_back(0);                              // 8-bit characters
    PutChars(payload, text, false);
    payload.insert(payload.end(), tokens.begin(), tokens.end());
    book.GetNames().Add(
        new CExcelRecordNAME(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

}  // namespace testsupport
