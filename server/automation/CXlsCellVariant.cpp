#include "server/automation/CXlsCellVariant.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameLetters(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Upper(text[i]) != upper[i]) return false;
    }
    return true;
}

// A plain decimal number, as typed into a cell: sign, digits, one point,
// an exponent. strtod alone would also take "inf", "nan" and hex digits.
bool ReadNumber(std::u16string_view text, double& out) {
    if (text.empty() || text.size() > 64) return false;
    std::string ascii;
    bool digit = false;
    for (char16_t c : text) {
        const bool isDigit = c >= u'0' && c <= u'9';
        if (!isDigit && c != u'+' && c != u'-' && c != u'.' && c != u'e' && c != u'E') {
            return false;
        }
        digit = digit || isDigit;
        ascii.push_back(static_cast<char>(c));
    }
    if (!digit) return false;
    char* end = nullptr;
    const double value = std::strtod(ascii.c_str(), &end);
    if (end != ascii.c_str() + ascii.size() || !std::isfinite(value)) return false;
    out = value;
    return true;
}

// A kind that a Value put stores, or empty / null (which clear).
bool IsCellKind(const CVariant& value) {
    switch (value.Type()) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_I2:
        case VT_I4:
        case VT_R8:
        case VT_BSTR:
        case VT_BOOL:
            return true;
        case VT_ERROR: {
            std::uint8_t code = 0;
            return value.GetSheetErrorCode(code);
        }
        default:
            return false;
    }
}

// Each element into its own cell, row by row; the shapes are checked.
HRESULT PutArray(CXlsWorksheet& sheet, const CXlsCellRange& range, const CVariant& array) {
    const std::span<const CVariant> elements = array.GetArrayElements();
    for (const CVariant& element : elements) {
        if (!IsCellKind(element)) return DISP_E_TYPEMISMATCH;
    }
    const std::uint32_t columns = array.GetArrayColumns();
    for (std::size_t at = 0; at < elements.size(); ++at) {
        const std::uint32_t row = range.FirstRow() + static_cast<std::uint32_t>(at / columns);
        const std::uint32_t column = range.FirstColumn() + static_cast<std::uint32_t>(at % columns);
        const HRESULT status =
            CXlsCellVariant::Put(sheet, CXlsCellRange::Cell(row, column), elements[at]);
        if (Failed(status)) return status;
    }
    return S_OK;
}

}  // namespace

CVariant CXlsCellVariant::FromValue(const CXlsCellValue& value) {
    switch (value.Kind()) {
        case EXlsValueKind::kNumber:
            return CVariant::Double(value.GetNumber());
        case EXlsValueKind::kText:
            return CVariant::Text(value.GetText());
        case EXlsValueKind::kBoolean:
            return CVariant::Bool(value.GetBoolean());
        case EXlsValueKind::kError:
            return CVariant::SheetError(value.GetErrorCode());
        case EXlsValueKind::kEmpty:
            break;
    }
    return CVariant();
}

HRESULT CXlsCellVariant::Put(CXlsWorksheet& sheet, const CXlsCellRange& range,
                             const CVariant& value) {
    if (!range.IsValid()) return E_INVALIDARG;
    double number = 0.0;
    std::uint8_t errorCode = 0;
    switch (value.Type()) {
        case VT_EMPTY:
        case VT_NULL:
            return sheet.ClearContents(range) ? S_OK : E_FAIL;
        case VT_I2:
        case VT_I4:
        case VT_R8:
            value.ToDouble(number);
            break;
        case VT_BSTR:
            if (value.GetText().empty()) return sheet.ClearContents(range) ? S_OK : E_FAIL;
            break;
        case VT_BOOL:
            break;
        case VT_ERROR:
            if (!value.GetSheetErrorCode(errorCode)) return DISP_E_TYPEMISMATCH;
            break;
        case VT_VARIANT_ARRAY:
            if (value.GetArrayRows() != range.LastRow() - range.FirstRow() + 1 ||
                value.GetArrayColumns() != range.LastColumn() - range.FirstColumn() + 1) {
                return E_INVALIDARG;
            }
            return PutArray(sheet, range, value);
        default:
            return DISP_E_TYPEMISMATCH;
    }
    for (std::uint32_t r = range.FirstRow(); r <= range.LastRow(); ++r) {
        for (std::uint32_t c = range.FirstColumn(); c <= range.LastColumn(); ++c) {
            bool stored = false;
            switch (value.Type()) {
                case VT_BSTR:
                    stored = sheet.SetText(r, c, value.GetText());
                    break;
                case VT_BOOL:
                    stored = sheet.SetBoolean(r, c, value.GetBoolWord() != 0);
                    break;
                case VT_ERROR:
                    stored = sheet.SetError(r, c, errorCode);
                    break;
                default:
                    stored = sheet.SetNumber(r, c, number);
                    break;
            }
            if (!stored) return E_FAIL;
        }
    }
    return S_OK;
}

bool CXlsCellVariant::ToValue(const CVariant& variant, CXlsCellValue& value) {
    double number = 0.0;
    std::uint8_t errorCode = 0;
    switch (variant.Type()) {
        case VT_I2:
        case VT_I4:
        case VT_R8:
            variant.ToDouble(number);
            value = CXlsCellValue::Number(number);
            return true;
        case VT_BSTR:
            value = CXlsCellValue::Text(variant.GetText());
            return true;
        case VT_BOOL:
            value = CXlsCellValue::Boolean(variant.GetBoolWord() != 0);
            return true;
        case VT_ERROR:
            if (!variant.GetSheetErrorCode(errorCode)) return false;
            value = CXlsCellValue::Error(errorCode);
            return true;
        default:
            return false;
    }
}

CVariant CXlsCellVariant::FromEntry(std::u16string_view text) {
    double number = 0.0;
    if (ReadNumber(text, number)) return CVariant::Double(number);
    if (SameLetters(text, u"TRUE")) return CVariant::Bool(true);
    if (SameLetters(text, u"FALSE")) return CVariant::Bool(false);
    return CVariant::Text(std::u16string(text));
}
