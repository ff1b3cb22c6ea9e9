#include "save/CSaveCachedResult.h"

#include <bit>
#include <string>

#include "formula/CExcelRecordFormula.h"
#include "save/CXLEzAutomation.h"

std::uint8_t CSaveCachedResult::TaggedValue(const CExcelRecordFormula& record) {
    // GetNumber hands the eight result bytes over as stored (little-endian),
    // so byte 2 is bits 16-23 of their integer image.
    return static_cast<std::uint8_t>(std::bit_cast<std::uint64_t>(record.GetNumber()) >> 16);
}

void CSaveCachedResult::Write(CXLEzAutomation& automation, const CExcelRecordFormula& record,
                              std::int32_t row, std::int32_t column) {
    switch (record.GetResultType()) {
        case FormulaResultNumber:
            automation.WriteNumber(column, row, record.GetNumber(), {});
            return;
        case FormulaResultString: {
            // Written as text ("007" or "1/2" stay the texts they were).
            const std::u16string text = record.GetValueText(nullptr);
            if (!text.empty()) automation.WriteText(column, row, text);
            break;
        }
        case FormulaResultBoolean:
            automation.WriteBoolean(column, row, TaggedValue(record) != 0);
            break;
        case FormulaResultError:
            automation.WriteError(column, row, TaggedValue(record));
            break;
        case FormulaResultEmpty:
            break;
    }
}
