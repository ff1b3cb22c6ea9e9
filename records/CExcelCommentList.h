// The cell comments of one worksheet, as the worksheet parser meets their
// records: the texts of comment objects (OBJ of type comment with its TXO
// record), kept by object id, and the NOTE records, each of which takes the
// text kept under the object id it names.
//
// The drawing objects of a sheet come before its NOTE records, so a NOTE
// finds its text when it is added. A NOTE whose object id has no text (the
// OBJ or the TXO record was lost, or the id was damaged) keeps its cell and
// author with an empty text and is counted in GetWithoutText.
//
// Memory: a text holds only characters read from the file, so the texts
// together never outgrow the sheet's bytes; an object id met twice keeps
// the later text.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "biff/CTList.h"
#include "records/CExcelRecordNOTE.h"

class CExcelCommentList {
public:
    CExcelCommentList() = default;
    CExcelCommentList(const CExcelCommentList&) = delete;
    CExcelCommentList& operator=(const CExcelCommentList&) = delete;

    // The text of the comment object with this id.
    void AddText(std::uint16_t objectId, std::u16string text);
    // Takes ownership of note (null is ignored) and gives it the text kept
    // under its object id, if any.
    void AddNote(CExcelRecordNOTE* note);

    // In the order the NOTE records came.
    const CTList<CExcelRecordNOTE>& GetNotes() const { return m_notes; }
    std::uint32_t GetCount() const { return m_notes.GetCount(); }
    std::uint32_t GetWithoutText() const { return m_withoutText; }

private:
    CTList<CExcelRecordNOTE> m_notes;
    std::unordered_map<std::uint16_t, std::u16string> m_texts;
    std::uint32_t m_withoutText = 0;
};
