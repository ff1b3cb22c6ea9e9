#include "records/CExcelCommentList.h"

#include <utility>

void CExcelCommentList::AddText(std::uint16_t objectId, std::u16string text) {
    m_texts[objectId] = std::move(text);
}

void CExcelCommentList::AddNote(CExcelRecordNOTE* note) {
    if (!note) return;
    // The text stays under its id: a second NOTE naming the same object
    // (damage) shows the same text rather than none.
    if (const auto found = m_texts.find(note->GetObjectId()); found != m_texts.end())
        note->SetText(found->second);
    else
        ++m_withoutText;
    m_notes.Add(note);
}
