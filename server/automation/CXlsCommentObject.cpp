#include "server/automation/CXlsCommentObject.h"

#include <algorithm>
#include <string>
#include <utility>

#include "server/automation/XlsAutomationConstants.h"

CXlsCommentObject::CXlsCommentObject(std::shared_ptr<CXlsServerDocument> document,
                                     CXlsWorksheet& sheet, std::uint32_t row, std::uint32_t column)
    : CTXlsServerObject(kMembers),
      m_document(std::move(document)),
      m_sheet(sheet),
      m_row(row),
      m_column(column) {}

HRESULT CXlsCommentObject::AddTo(const CXlsRangeTarget& target, CDispatchCall& call) {
    std::u16string text;
    if (call.Has(0)) {
        if (HRESULT status = call.ArgText(0, text); Failed(status)) return status;
    }
    if (!target.range.IsSingleCell()) {
        return call.Raise(xlauto::kRefusedCall, u"A comment goes on one cell.");
    }
    const std::uint32_t row = target.range.FirstRow();
    const std::uint32_t column = target.range.FirstColumn();
    CXlsCommentStore& comments = target.sheet->Comments();
    if (comments.Find(row, column)) {
        return call.Raise(xlauto::kRefusedCall, u"The cell already has a comment.");
    }
    if (!comments.Add(row, column, text)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"The comment's text is too long, or the sheet has as many comments as "
                          u"it can hold.");
    }
    call.SetResult(
        CVariant::AdoptObject(new CXlsCommentObject(target.document, *target.sheet, row, column)));
    return S_OK;
}

HRESULT CXlsCommentObject::Of(const CXlsRangeTarget& target, CDispatchCall& call) {
    const std::uint32_t row = target.range.FirstRow();
    const std::uint32_t column = target.range.FirstColumn();
    if (!target.sheet->Comments().Find(row, column)) {
        call.SetResult(CVariant::Object(nullptr));
        return S_OK;
    }
    call.SetResult(
        CVariant::AdoptObject(new CXlsCommentObject(target.document, *target.sheet, row, column)));
    return S_OK;
}

CXlsComment* CXlsCommentObject::Comment(CDispatchCall& call, HRESULT& status) {
    CXlsComment* comment = m_sheet.Comments().Find(m_row, m_column);
    if (!comment) status = call.Raise(xlauto::kRefusedCall, u"The comment was deleted.");
    return comment;
}

HRESULT CXlsCommentObject::Text(CDispatchCall& call) {
    HRESULT status = S_OK;
    CXlsComment* comment = Comment(call, status);
    if (!comment) return status;
    if (!call.Has(0)) {
        call.SetResult(CVariant::Text(comment->text));
        return S_OK;
    }
    std::u16string added;
    if (status = call.ArgText(0, added); Failed(status)) return status;
    std::u16string text;
    if (!call.Has(1)) {
        text = std::move(added);
    } else {
        std::int32_t start = 0;
        bool overwrite = false;
        if (status = call.ArgLong(1, start); Failed(status)) return status;
        if (call.Has(2)) {
            if (status = call.ArgBool(2, overwrite); Failed(status)) return status;
        }
        if (start < 1) return call.ArgumentError(1, DISP_E_BADINDEX);
        const std::size_t at =
            std::min<std::size_t>(static_cast<std::size_t>(start) - 1, comment->text.size());
        const std::size_t replaced = overwrite ? added.size() : 0;
        text = comment->text;
        text.replace(at, replaced, added);
    }
    if (text.size() > CXlsCommentStore::kMaxTextLength) {
        return call.Raise(xlauto::kRefusedCall, u"The comment's text is too long.");
    }
    comment->text = std::move(text);
    call.SetResult(CVariant::Text(comment->text));
    return S_OK;
}

HRESULT CXlsCommentObject::Visible(CDispatchCall& call) {
    HRESULT status = S_OK;
    CXlsComment* comment = Comment(call, status);
    if (!comment) return status;
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(comment->visible));
        return S_OK;
    }
    bool visible = false;
    if (status = call.PutBool(visible); Failed(status)) return status;
    comment->visible = visible;
    return S_OK;
}

HRESULT CXlsCommentObject::Author(CDispatchCall& call) {
    HRESULT status = S_OK;
    CXlsComment* comment = Comment(call, status);
    if (!comment) return status;
    if (!call.IsPut()) {
        call.SetResult(CVariant::Text(comment->author));
        return S_OK;
    }
    std::u16string author;
    if (status = call.PutText(author); Failed(status)) return status;
    comment->author = std::move(author);
    return S_OK;
}

HRESULT CXlsCommentObject::Delete(CDispatchCall& call) {
    if (!m_sheet.Comments().Remove(m_row, m_column)) {
        return call.Raise(xlauto::kRefusedCall, u"The comment was deleted.");
    }
    return S_OK;
}
