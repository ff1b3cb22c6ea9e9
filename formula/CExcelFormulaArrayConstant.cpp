#include "formula/CExcelFormulaArrayConstant.h"

#include <utility>

#include "biff/CByteBuffer.h"
#include "formula/CExcelFormulaNumberText.h"
#include "formula/CExcelFormulaStringLiteral.h"
#include "formula/FormulaTokens.h"
#include "records/CConstData.h"

namespace {

// One element at cursor; advances cursor past it. False when the element
// runs past the available bytes or its type is unknown.
bool ReadElement(const std::uint8_t* buffer, std::uint32_t available, std::uint32_t& cursor,
                 std::u16string& text, bool& sound) {
    if (cursor >= available) return false;
    const std::uint8_t type = buffer[cursor++];
    const std::uint32_t left = available - cursor;
    const std::uint8_t* value = buffer + cursor;
    if (type == biff8::kArrayString) {
        if (left < biff8::kArrayStringHeader) return false;
        const std::uint32_t count = CDataReader::GetU16(value);
        const bool wide = (value[2] & biff8::kPtgStrWide) != 0;
        const std::uint32_t bytes = wide ? 2 * count : count;
        if (bytes > left - biff8::kArrayStringHeader) return false;
        text += CExcelFormulaStringLiteral::Quote(
            CExcelFormulaStringLiteral::Characters(value + biff8::kArrayStringHeader, count, wide));
        cursor += biff8::kArrayStringHeader + bytes;
        return true;
    }
    if (left < biff8::kArrayValueSize) return false;
    switch (type) {
        case biff8::kArrayNil:
            text.push_back(u' ');
            sound = false;
            break;
        case biff8::kArrayNumber: {
            const double number = CExcelFormulaNumberText::FromBytes(value);
            if (!CExcelFormulaNumberText::IsFinite(number)) sound = false;
            text += CExcelFormulaNumberText::Format(number);
            break;
        }
        case biff8::kArrayBool:
            text += value[0] ? u"TRUE" : u"FALSE";
            break;
        case biff8::kArrayError: {
            const std::u16string error = CConstData::GetErrorText(value[0]);
            if (error.empty()) sound = false;
            text += error;
            break;
        }
        default:
            return false;
    }
    cursor += biff8::kArrayValueSize;
    return true;
}

}  // namespace

bool CExcelFormulaArrayConstant::Read(const std::uint8_t* buffer, std::uint32_t available,
                                      std::uint32_t offset, std::u16string& text,
                                      std::uint32_t& end, bool& sound) {
    if (offset > available || available - offset < biff8::kArrayHeaderSize) return false;
    const std::uint32_t columns = buffer[offset] + 1u;
    const std::uint32_t rows = CDataReader::GetU16(buffer + offset + biff8::kArrayRowsOffset) + 1u;
    std::uint32_t cursor = offset + biff8::kArrayHeaderSize;
    // Every element takes at least three bytes, so the loops end with the
    // available bytes whatever the declared size.
    std::u16string result(1, u'{');
    bool elementsSound = true;
    for (std::uint32_t row = 0; row < rows; ++row) {
        if (row) result.push_back(u';');
        for (std::uint32_t column = 0; column < columns; ++column) {
            if (column) result.push_back(u',');
            if (!ReadElement(buffer, available, cursor, result, elementsSound)) return false;
        }
    }
    result.push_back(u'}');
    text = std::move(result);
    end = cursor;
    if (!elementsSound) sound = false;
    return true;
}
