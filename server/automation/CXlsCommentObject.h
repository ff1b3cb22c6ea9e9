// One cell comment: what Range.AddComment, Range.Comment and
// Worksheet.Comments.Item hand out. It names its cell; once the comment is
// deleted, its members fail.
//
// - Text(Text, Start, Overwrite): without Text, the comment's text. With
//   Text and without Start, Text replaces the whole text. With Start (the
//   1-based character where Text goes; past the end, it is appended), Text
//   is inserted there, or with Overwrite True written over as many
//   characters from there on. Either way the result is the new text.
// - Visible: whether the comment is shown at all times.
// - Author: the name the comment carries. The spreadsheet's Author is
//   read-only and comes from the user name; ours can also be put, so that
//   a repaired comment keeps the author it had.
// - Delete: removes the comment from its cell.
//
// Texts longer than CXlsCommentStore::kMaxTextLength are refused.
#pragma once

#include <cstdint>
#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsCommentObject : public CTXlsServerObject<CXlsCommentObject> {
public:
    CXlsCommentObject(std::shared_ptr<CXlsServerDocument> document, CXlsWorksheet& sheet,
                      std::uint32_t row, std::uint32_t column);

    // Range.AddComment(Text): a new comment (Text may be left out) on the
    // range's one cell; refused for a range of several cells and for a cell
    // that has a comment.
    static HRESULT AddTo(const CXlsRangeTarget& target, CDispatchCall& call);
    // Range.Comment: the comment of the range's top-left cell, or Nothing.
    static HRESULT Of(const CXlsRangeTarget& target, CDispatchCall& call);

private:
    HRESULT Text(CDispatchCall& call);
    HRESULT Visible(CDispatchCall& call);
    HRESULT Author(CDispatchCall& call);
    HRESULT Delete(CDispatchCall& call);

    // The comment, or null after a refusal was raised on call.
    CXlsComment* Comment(CDispatchCall& call, HRESULT& status);

    static constexpr CTDispatchMember<CXlsCommentObject> kMembers[] = {
        {u"Text", EMemberAccess::kGet, &CXlsCommentObject::Text, {u"Text", u"Start", u"Overwrite"}},
        {u"Visible", EMemberAccess::kGetPut, &CXlsCommentObject::Visible, {}},
        {u"Author", EMemberAccess::kGetPut, &CXlsCommentObject::Author, {}},
        {u"Delete", EMemberAccess::kGet, &CXlsCommentObject::Delete, {}},
    };

    std::shared_ptr<CXlsServerDocument> m_document;
    CXlsWorksheet& m_sheet;
    std::uint32_t m_row;
    std::uint32_t m_column;
};
