// One rich-text formatting run of a shared string: from character
// GetFirstChar() on, the text is drawn with font GetFontIndex() (a FONT
// index, see CExcelGlobalLookup::GetFont for how it maps to the list).
#pragma once

#include <cstdint>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CFormatingRuns : public CTListNode<CFormatingRuns> {
public:
    // bytes: the run's 4 bytes as stored (first character u16, font index
    // u16); copied.
    explicit CFormatingRuns(const std::uint8_t* bytes);
    CFormatingRuns(std::uint16_t firstChar, std::uint16_t fontIndex);
    // Copies the run's bytes, not its link.
    CFormatingRuns(const CFormatingRuns& other);
    CFormatingRuns& operator=(const CFormatingRuns&) = delete;
    virtual ~CFormatingRuns() = default;

    std::uint16_t GetFirstChar() const { return m_bytes.ReadU16(0); }
    std::uint16_t GetFontIndex() const { return m_bytes.ReadU16(2); }

private:
    CByteBuffer m_bytes;
};
