#include "save/CSaveValueBlocks.h"

#include <span>
#include <utility>

#include "platform/SaveStopCheck.h"
#include "save/CXLEzAutomation.h"

CSaveValueBlocks::CSaveValueBlocks(CXLEzAutomation& automation) : m_automation(automation) {}

void CSaveValueBlocks::AddNumber(std::int32_t row, std::int32_t column, double value) {
    Hold(row, column, CVariant::Double(value));
}

void CSaveValueBlocks::AddText(std::int32_t row, std::int32_t column, std::u16string text) {
    if (text.empty()) return;
    Hold(row, column, CVariant::Text(std::move(text)));
}

void CSaveValueBlocks::AddBoolean(std::int32_t row, std::int32_t column, bool value) {
    Hold(row, column, CVariant::Bool(value));
}

void CSaveValueBlocks::AddError(std::int32_t row, std::int32_t column, std::uint8_t biffErrorCode) {
    // Only the seven cell errors have an error value the server stores.
    CVariant error = CVariant::SheetError(biffErrorCode);
    std::uint8_t known = 0;
    if (!error.GetSheetErrorCode(known)) return;
    Hold(row, column, std::move(error));
}

void CSaveValueBlocks::Hold(std::int32_t row, std::int32_t column, CVariant value) {
    m_held.push_back({row, column, std::move(value)});
    // A stop request seen here is seen again by the phase's next record.
    if (m_held.size() >= kMaxHeldCells) Flush();
}

std::size_t CSaveValueBlocks::RunEnd(std::size_t first) const {
    std::size_t end = first + 1;
    while (end < m_held.size() && m_held[end].row == m_held[first].row &&
           m_held[end].column == m_held[end - 1].column + 1) {
        ++end;
    }
    return end;
}

bool CSaveValueBlocks::Flush() {
    std::size_t first = 0;
    while (first < m_held.size()) {
        if (SaveStopCheck()) {
            m_held.clear();
            return false;
        }
        std::size_t end = RunEnd(first);
        const std::int32_t c1 = m_held[first].column;
        const std::int32_t c2 = m_held[end - 1].column;
        const auto width = static_cast<std::uint32_t>(c2 - c1 + 1);
        std::int32_t lastRow = m_held[first].row;
        // The next row's run joins when it spans the same columns.
        while (end < m_held.size() && m_held[end].row == lastRow + 1 && m_held[end].column == c1 &&
               static_cast<std::uint32_t>(lastRow - m_held[first].row + 2) * width <=
                   kMaxBlockCells) {
            const std::size_t next = RunEnd(end);
            if (m_held[next - 1].column != c2) break;
            lastRow = m_held[end].row;
            end = next;
        }
        WriteBlock(first, end, c1, c2);
        first = end;
    }
    m_held.clear();
    return true;
}

void CSaveValueBlocks::WriteBlock(std::size_t first, std::size_t end, std::int32_t c1,
                                  std::int32_t c2) {
    if (end - first == 1) {
        WriteCell(m_held[first].row, m_held[first].column, m_held[first].value);
        return;
    }
    const std::int32_t r1 = m_held[first].row;
    const std::int32_t r2 = m_held[end - 1].row;
    const auto width = static_cast<std::uint32_t>(c2 - c1 + 1);
    const auto height = static_cast<std::uint32_t>(r2 - r1 + 1);
    std::vector<CVariant> elements(static_cast<std::size_t>(width) * height);
    for (std::size_t at = first; at < end; ++at) {
        HeldCell& cell = m_held[at];
        elements[static_cast<std::size_t>(cell.row - r1) * width +
                 static_cast<std::size_t>(cell.column - c1)] = std::move(cell.value);
    }
    CVariant block = CVariant::Array(height, width, std::move(elements));
    if (m_automation.WriteValues(c1, r1, c2, r2, block)) return;
    // Refused: each cell again on its own, row by row as they were given
    // (a block holds no cell twice).
    const std::span<const CVariant> values = block.GetArrayElements();
    for (std::size_t at = 0; at < values.size(); ++at) {
        if (values[at].IsEmpty()) continue;
        WriteCell(r1 + static_cast<std::int32_t>(at / width),
                  c1 + static_cast<std::int32_t>(at % width), values[at]);
    }
}

void CSaveValueBlocks::WriteCell(std::int32_t row, std::int32_t column, const CVariant& value) {
    std::uint8_t code = 0;
    switch (value.Type()) {
        case VT_R8:
            m_automation.WriteNumber(column, row, value.GetDouble(), {});
            break;
        case VT_BSTR:
            m_automation.WriteText(column, row, value.GetText());
            break;
        case VT_BOOL:
            m_automation.WriteBoolean(column, row, value.GetBoolWord() != 0);
            break;
        case VT_ERROR:
            if (value.GetSheetErrorCode(code)) m_automation.WriteError(column, row, code);
            break;
        default:
            break;
    }
}
