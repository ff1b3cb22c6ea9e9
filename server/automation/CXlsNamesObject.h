// The defined names of a workbook (Workbook.Names: every name, the sheets'
// own ones included) or of one sheet (Worksheet.Names: that sheet's own
// names), in the order they were added.
//
// Add(Name, RefersTo, Visible, MacroType, ShortcutKey) defines a name and
// gives its Name object. Name: the text, which must not read as a cell
// reference (A1, R1C1); "Sheet1!Rates" makes a name of Sheet1 wherever it
// is added, a bare text one of the collection's scope; the English texts
// of the built-in names (Print_Area, Print_Titles, _FilterDatabase...)
// make built-in names. RefersTo: "=" and a formula, or a constant
// (CXlsRefersTo); left out or "", the name has no formula: what the
// spreadsheet writes for a function or command name, and what other
// writers leave for plain names too (the spreadsheet's own Add would want
// RefersTo there; we keep such names so that a repaired workbook keeps
// them). MacroType 1 or 2 makes a function or a command name (3 or
// nothing: neither). Visible: False hides the
// name. ShortcutKey: one character, a command's Ctrl+key. A name that
// exists in that scope (ignoring case) gets the new formula and flags and
// keeps its place, so that formulas using it stay right.
//
// Count. Item(Index): by 1-based position, or by name (ignoring case; in
// Workbook.Names a sheet's own name as "Sheet1!Rates").
#pragma once

#include <cstdint>
#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsNamesObject : public CTXlsServerObject<CXlsNamesObject> {
public:
    // `scopeSheetId`: the sheet whose names these are, or
    // CXlsDefinedName::kWorkbookScope for all the workbook's names.
    CXlsNamesObject(std::shared_ptr<CXlsServerSession> session,
                    std::shared_ptr<CXlsServerDocument> document, std::uint32_t scopeSheetId);

private:
    HRESULT Add(CDispatchCall& call);
    HRESULT Count(CDispatchCall& call);
    HRESULT Item(CDispatchCall& call);

    // Whether the name at a table position belongs to this collection.
    bool Holds(std::size_t position) const;

    static constexpr CTDispatchMember<CXlsNamesObject> kMembers[] = {
        {u"Add",
         EMemberAccess::kGet,
         &CXlsNamesObject::Add,
         {u"Name", u"RefersTo", u"Visible", u"MacroType", u"ShortcutKey"}},
        {u"Count", EMemberAccess::kGet, &CXlsNamesObject::Count, {}},
        {u"Item", EMemberAccess::kGet, &CXlsNamesObject::Item, {u"Index"}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
    std::shared_ptr<CXlsServerDocument> m_document;
    std::uint32_t m_scopeSheetId;
};
