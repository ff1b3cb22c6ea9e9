#include "server/CXlsOperandTokens.h"

#include <cmath>

#include "server/CLittleEndian.h"
#include "server/CXlsTextUnits.h"
#include "server/XlsFormulaLayout.h"

namespace {

void AppendU16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    const std::size_t at = bytes.size();
    bytes.resize(at + 2);
    CLittleEndian::PutU16(&bytes[at], value);
}

void AppendDouble(std::vector<std::uint8_t>& bytes, double value) {
    const std::size_t at = bytes.size();
    bytes.resize(at + 8);
    CLittleEndian::PutDouble(&bytes[at], value);
}

// A flags byte and the characters: one byte each when all fit, as the
// spreadsheet stores them, else UTF-16LE.
void AppendCharacters(std::vector<std::uint8_t>& bytes, const std::u16string& text) {
    bool narrow = true;
    for (char16_t c : text) narrow = narrow && c <= 0xFF;
    bytes.push_back(narrow ? 0 : xlsw::kStringUtf16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (narrow) {
            bytes.push_back(static_cast<std::uint8_t>(text[i]));
        } else {
            AppendU16(bytes, CXlsTextUnits::Stored(text, i));
        }
    }
}

std::uint16_t ColumnField(const CXlsReferenceCorner& corner) {
    std::uint16_t field = static_cast<std::uint16_t>(corner.column & xlsw::kColumnMask);
    if (corner.columnRelative) field |= xlsw::kColumnRelative;
    if (corner.rowRelative) field |= xlsw::kRowRelative;
    return field;
}

// An array value that is not a number or a text: its type, its byte, and
// seven unused bytes.
void AppendArrayByte(std::vector<std::uint8_t>& values, std::uint8_t type, std::uint8_t value) {
    values.push_back(type);
    values.push_back(value);
    values.insert(values.end(), 7, 0);
}

}  // namespace

CXlsFormulaNode CXlsOperandTokens::Number(double value) {
    CXlsFormulaNode leaf;
    if (value >= 0.0 && value <= 65535.0 && std::floor(value) == value) {
        leaf.tokenId = xlsw::kPtgInt;
        AppendU16(leaf.bytes, static_cast<std::uint16_t>(value));
    } else {
        leaf.tokenId = xlsw::kPtgNum;
        AppendDouble(leaf.bytes, value);
    }
    return leaf;
}

CXlsFormulaNode CXlsOperandTokens::Text(const std::u16string& text) {
    CXlsFormulaNode leaf;
    leaf.tokenId = xlsw::kPtgStr;
    leaf.bytes.push_back(static_cast<std::uint8_t>(text.size()));
    AppendCharacters(leaf.bytes, text);
    return leaf;
}

CXlsFormulaNode CXlsOperandTokens::Boolean(bool value) {
    CXlsFormulaNode leaf;
    leaf.tokenId = xlsw::kPtgBool;
    leaf.bytes = {static_cast<std::uint8_t>(value ? 1 : 0)};
    return leaf;
}

CXlsFormulaNode CXlsOperandTokens::Error(std::uint8_t code, EXlsFormulaKind kind) {
    CXlsFormulaNode leaf;
    if (code == xlsw::kErrRef && kind != EXlsFormulaKind::kName) {
        leaf.tokenId = xlsw::kPtgRefErr;
        leaf.bytes.assign(4, 0);
        return leaf;
    }
    leaf.tokenId = xlsw::kPtgErr;
    leaf.bytes = {code};
    return leaf;
}

CXlsFormulaNode CXlsOperandTokens::Reference(const CXlsFormulaReference& reference,
                                             const CXlsFormulaSheets& sheets) {
    CXlsFormulaNode leaf;
    leaf.sheets = sheets;
    const bool is3d = sheets.kind != CXlsFormulaSheets::EKind::kNone;
    if (is3d) AppendU16(leaf.bytes, 0);  // the EXTERNSHEET index, filled in by the compiler
    if (reference.kind == CXlsFormulaReference::EKind::kDeleted) {
        leaf.tokenId = is3d ? xlsw::kPtgRefErr3d : xlsw::kPtgRefErr;
        leaf.bytes.insert(leaf.bytes.end(), 4, 0);
    } else if (reference.kind == CXlsFormulaReference::EKind::kArea) {
        leaf.tokenId = is3d ? xlsw::kPtgArea3d : xlsw::kPtgArea;
        AppendU16(leaf.bytes, static_cast<std::uint16_t>(reference.first.row));
        AppendU16(leaf.bytes, static_cast<std::uint16_t>(reference.last.row));
        AppendU16(leaf.bytes, ColumnField(reference.first));
        AppendU16(leaf.bytes, ColumnField(reference.last));
    } else {
        leaf.tokenId = is3d ? xlsw::kPtgRef3d : xlsw::kPtgRef;
        AppendU16(leaf.bytes, static_cast<std::uint16_t>(reference.first.row));
        AppendU16(leaf.bytes, ColumnField(reference.first));
    }
    return leaf;
}

CXlsFormulaNode CXlsOperandTokens::Array(std::uint32_t columns, std::uint32_t rows,
                                         const std::vector<std::uint8_t>& values) {
    CXlsFormulaNode array;
    array.tokenId = xlsw::WithClass(xlsw::kPtgArray, xlsw::kClassArray);
    array.bytes.assign(xlsw::kArrayTokenUnused, 0);
    array.extra.push_back(static_cast<std::uint8_t>(columns - 1));
    AppendU16(array.extra, static_cast<std::uint16_t>(rows - 1));
    array.extra.insert(array.extra.end(), values.begin(), values.end());
    return array;
}

void CXlsOperandTokens::AppendArrayNumber(std::vector<std::uint8_t>& values, double value) {
    values.push_back(xlsw::kArrayNumber);
    AppendDouble(values, value);
}

void CXlsOperandTokens::AppendArrayText(std::vector<std::uint8_t>& values,
                                        const std::u16string& text) {
    values.push_back(xlsw::kArrayString);
    AppendU16(values, static_cast<std::uint16_t>(text.size()));
    AppendCharacters(values, text);
}

void CXlsOperandTokens::AppendArrayBoolean(std::vector<std::uint8_t>& values, bool value) {
    AppendArrayByte(values, xlsw::kArrayBoolean, value ? 1 : 0);
}

void CXlsOperandTokens::AppendArrayError(std::vector<std::uint8_t>& values, std::uint8_t code) {
    AppendArrayByte(values, xlsw::kArrayError, code);
}
