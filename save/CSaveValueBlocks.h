// The constant values of one save phase (numbers, texts, Booleans, cell
// errors), held as the phase gives them and written a block at a time: a
// rectangle of cells goes to the server as one array put instead of one
// call per cell.
//
// Blocks follow the order the cells were given in: a block is a run of
// cells on one row at consecutive columns, grown downwards by the runs of
// the next rows that span the same columns. A block has no hole: an empty
// element would clear its cell, and a cell between two given ones may hold
// an earlier phase's value. A cell given twice ends one block
// and starts the next, so the later value is written later, as one call per
// cell would write it. A block of one cell, and every cell of a block the
// server refuses, goes through the one-cell write, which reports its own
// refusal: the sheet ends with the same cells either way.
//
// Positions are 1-based. The automation facade is held by reference for
// the object's life; what is still held when it is destroyed is dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/automation/CVariant.h"

class CXLEzAutomation;

class CSaveValueBlocks {
public:
    // Cells held before the blocks are written on their own: bounds the
    // memory a large sheet takes.
    static constexpr std::size_t kMaxHeldCells = 16384;
    // Cells of one block, empty elements included.
    static constexpr std::uint32_t kMaxBlockCells = 4096;

    explicit CSaveValueBlocks(CXLEzAutomation& automation);
    CSaveValueBlocks(const CSaveValueBlocks&) = delete;
    CSaveValueBlocks& operator=(const CSaveValueBlocks&) = delete;

    // One cell's value, as WriteNumber, WriteText, WriteBoolean and
    // WriteError would write it; what those would not write (an empty
    // text, an unknown error code) is not held.
    void AddNumber(std::int32_t row, std::int32_t column, double value);
    void AddText(std::int32_t row, std::int32_t column, std::u16string text);
    void AddBoolean(std::int32_t row, std::int32_t column, bool value);
    void AddError(std::int32_t row, std::int32_t column, std::uint8_t biffErrorCode);

    // Writes every held cell, block by block, and forgets them. The values
    // move into the blocks: a text is not copied on its way. False when
    // a stop request ended the writing between two blocks.
    bool Flush();

private:
    struct HeldCell {
        std::int32_t row;
        std::int32_t column;
        CVariant value;
    };

    void Hold(std::int32_t row, std::int32_t column, CVariant value);
    // The end of the row run starting at held cell `first`.
    std::size_t RunEnd(std::size_t first) const;
    // Held cells [first, end): rows firstRow.., columns c1..c2.
    void WriteBlock(std::size_t first, std::size_t end, std::int32_t c1, std::int32_t c2);
    void WriteCell(std::int32_t row, std::int32_t column, const CVariant& value);

    CXLEzAutomation& m_automation;
    std::vector<HeldCell> m_held;
};
