#include "records/CExcelRecordNOTE.h"

#include <utility>

#include "biff/CByteBuffer.h"
#include "biff/CExcelUTF16LE.h"
#include "records/CommentRecordLayout.h"

using namespace biff8;

CExcelRecordNOTE::CExcelRecordNOTE(const std::uint8_t* payload, std::uint32_t size)
    : m_row(CDataReader::GetU16(payload + kNoteRow)),
      m_column(CDataReader::GetU16(payload + kNoteColumn)),
      m_objectId(CDataReader::GetU16(payload + kNoteObjectId)),
      m_shown((CDataReader::GetU16(payload + kNoteFlags) & kNoteShown) != 0) {
    // A NOTE that ends after its object id (damage, or a writer that leaves
    // the author out) keeps an empty author.
    if (size > kNoteAuthor)
        m_author = CExcelUTF16LE(payload + kNoteAuthor, size - kNoteAuthor, 2).GetText();
}

void CExcelRecordNOTE::SetText(std::u16string text) {
    m_text = std::move(text);
    m_hasText = true;
}
