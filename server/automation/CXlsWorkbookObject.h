// One open workbook: its "Worksheets" and "Sheets" (the same collection,
// since our workbooks hold only worksheets; with an index, the sheet
// itself), the active sheet, the 1904 date system ("Date1904"), its
// defined names ("Names", CXlsNamesObject), its named styles ("Styles",
// CXlsStylesObject; with an index, the style itself), and SaveAs.
//
// SetLinkValue(Name, Sheet, Row, Column, Value) keeps the value of a cell
// of another workbook that formulas refer to (Name: its path as formulas
// write it, without brackets; Row and Column from 1), saved with the link
// as the spreadsheet saves the values it last read from that workbook.
// The value is a number, text, Boolean or cell error value.
//
// Colors(Index): the palette colour that colour index Index (1 to 56)
// picks, as an RGB value (red + green * 256 + blue * 65536). Index is
// required.
//
// SaveAs(FileName, FileFormat, Password, WriteResPassword,
// ReadOnlyRecommended, CreateBackup) writes an Excel 97-2003 workbook at
// FileName (a file already there is replaced once the new one is
// complete). FileFormat may be left out or name that format (-4143, 56).
// Passwords must be empty and the two flags false: the writer cannot
// protect a file or keep a backup, and refuses rather than write something
// other than what was asked.
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsWorkbookObject : public CTXlsServerObject<CXlsWorkbookObject> {
public:
    CXlsWorkbookObject(std::shared_ptr<CXlsServerSession> session,
                       std::shared_ptr<CXlsServerDocument> document);

    const std::shared_ptr<CXlsServerDocument>& Document() const { return m_document; }

private:
    HRESULT Worksheets(CDispatchCall& call);
    HRESULT ActiveSheet(CDispatchCall& call);
    HRESULT Activate(CDispatchCall& call);
    HRESULT Date1904(CDispatchCall& call);
    HRESULT FullName(CDispatchCall& call);
    HRESULT Names(CDispatchCall& call);
    HRESULT Styles(CDispatchCall& call);
    HRESULT SaveAs(CDispatchCall& call);
    HRESULT SetLinkValue(CDispatchCall& call);
    HRESULT Colors(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsWorkbookObject> kMembers[] = {
        {u"Worksheets", EMemberAccess::kGet, &CXlsWorkbookObject::Worksheets, {u"Index"}},
        {u"Sheets", EMemberAccess::kGet, &CXlsWorkbookObject::Worksheets, {u"Index"}},
        {u"ActiveSheet", EMemberAccess::kGet, &CXlsWorkbookObject::ActiveSheet, {}},
        {u"Activate", EMemberAccess::kGet, &CXlsWorkbookObject::Activate, {}},
        {u"Date1904", EMemberAccess::kGetPut, &CXlsWorkbookObject::Date1904, {}},
        {u"FullName", EMemberAccess::kGet, &CXlsWorkbookObject::FullName, {}},
        {u"Names", EMemberAccess::kGet, &CXlsWorkbookObject::Names, {}},
        {u"Styles", EMemberAccess::kGet, &CXlsWorkbookObject::Styles, {u"Index"}},
        {u"Colors", EMemberAccess::kGetPut, &CXlsWorkbookObject::Colors, {u"Index"}},
        {u"SetLinkValue",
         EMemberAccess::kGet,
         &CXlsWorkbookObject::SetLinkValue,
         {u"Name", u"Sheet", u"Row", u"Column", u"Value"}},
        {u"SaveAs",
         EMemberAccess::kGet,
         &CXlsWorkbookObject::SaveAs,
         {u"FileName", u"FileFormat", u"Password", u"WriteResPassword", u"ReadOnlyRecommended",
          u"CreateBackup"}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
    std::shared_ptr<CXlsServerDocument> m_document;
};
