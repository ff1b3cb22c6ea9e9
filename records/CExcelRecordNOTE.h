// One cell comment as the repair keeps it: from its NOTE record (0x001C)
// the cell, whether the comment is shown at all times, the object id that
// ties it to its drawing object and the author's name; from the TXO record
// of that object, the text. An element of the worksheet's comment list.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"

class CExcelRecordNOTE : public CTListNode<CExcelRecordNOTE> {
public:
    // Decodes a NOTE payload of size bytes, at least biff8::kNoteFixedSize.
    // The author is cut at the payload's end and at a zero character; the
    // comment has no text until SetText.
    CExcelRecordNOTE(const std::uint8_t* payload, std::uint32_t size);
    CExcelRecordNOTE(const CExcelRecordNOTE&) = delete;
    CExcelRecordNOTE& operator=(const CExcelRecordNOTE&) = delete;
    virtual ~CExcelRecordNOTE() = default;

    std::uint16_t GetRow() const { return m_row; }
    std::uint16_t GetColumn() const { return m_column; }
    bool IsShown() const { return m_shown; }
    std::uint16_t GetObjectId() const { return m_objectId; }
    const std::u16string& GetAuthor() const { return m_author; }

    // The text of the comment's TXO record; empty, with HasText false, when
    // the drawing object or its TXO record was not found.
    const std::u16string& GetText() const { return m_text; }
    bool HasText() const { return m_hasText; }
    void SetText(std::u16string text);

private:
    std::uint16_t m_row;
    std::uint16_t m_column;
    std::uint16_t m_objectId;
    bool m_shown;
    bool m_hasText = false;
    std::u16string m_author;
    std::u16string m_text;
};
