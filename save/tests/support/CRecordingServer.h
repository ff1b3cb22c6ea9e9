// A fake spreadsheet server that records every late-bound call it receives,
// for testing the wrapper's call sequences.
//
// Objects are labelled by what they stand for: "Application", "Workbooks",
// "Workbook", "Worksheets", "Sheets", "Worksheet[2]", "Range[R2C3]" (a
// cell by its row and column), "Range[R1C1:R2C3]", "Rows[4]", "Columns[5]",
// "Font", "Interior", "Border[7]", "Names" (the workbook's), "Names[2]"
// (those of Worksheet[2]), "Comment[R2C3]" (a cell's comment),
// "Hyperlinks", "Hyperlink", "Validation", "FormatConditions",
// "FormatCondition". A call is recorded as one line:
//
//   Range[R2C3].Value put('abc')
//   Worksheet[1].Cells get(r8:2, r8:3)     positional arguments, first first
//   Workbooks.Add method(Template=i2:-4167)
//   Range[R1C1].Value put(err:7)           a cell error value by its BIFF code
//
// Each object type knows the members the save uses; any other name fails
// the lookup. "Address" of a cell gives its label ("R2C3"), "Count" the
// number of worksheets, "ActiveCell" the last cell selected, "Value" of a
// cell the text m_cellTexts holds for its label (else nothing).
//
// The state is shared by all the objects of one server; it counts the
// objects alive so that a test can check every reference was released.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/CServerRegistry.h"
#include "platform/automation/IDispatch.h"

class CRecordingServer : public std::enable_shared_from_this<CRecordingServer> {
public:
    static std::shared_ptr<CRecordingServer> Create();

    // A factory for the registry making this server's Application.
    CServerFactory Factory();

    // Every call since the start (or the last ClearCalls, which also clears
    // the lookups and Boolean words).
    const std::vector<std::string>& Calls() const { return m_calls; }
    void ClearCalls() {
        m_calls.clear();
        m_lookups.clear();
        m_boolWords.clear();
    }
    // The names of each lookup, joined with ',' ("AutoFill,Type,Destination").
    const std::vector<std::string>& Lookups() const { return m_lookups; }
    // Raw Boolean words seen in arguments (to check true is all bits set).
    const std::vector<std::int16_t>& BoolWords() const { return m_boolWords; }
    std::uint32_t InvokeCount() const { return m_invokeCount; }

    int LiveObjects() const { return m_live; }

    // Worksheets of the workbook (Count); Sheets.Add adds one.
    std::int32_t m_worksheetCount = 1;
    // When true, Count answers with a double instead of a 32-bit integer.
    bool m_countAsDouble = false;
    // The Invoke with this number (0-based, counted over the server's life)
    // fails with m_failStatus; DISP_E_EXCEPTION fills the exception record.
    std::int64_t m_failAtInvoke = -1;
    HRESULT m_failStatus = DISP_E_EXCEPTION;
    // A member name whose lookup fails.
    std::string m_failLookupOf;
    // Called with each recorded call line before the call is answered (a
    // test sets a stop flag from here); may be empty.
    std::function<void(const std::string& line)> m_onCall;
    // An Invoke whose recorded line this accepts fails with m_failStatus.
    std::function<bool(const std::string& line)> m_refuse;
    // What "Value" of a cell reads, by cell label ("R2C3").
    std::map<std::string, std::u16string> m_cellTexts;

    // Used by the objects.
    void Record(std::string line) {
        m_calls.push_back(std::move(line));
        if (m_onCall) m_onCall(m_calls.back());
    }
    void RecordLookup(std::string names) { m_lookups.push_back(std::move(names)); }
    void RecordBool(std::int16_t word) { m_boolWords.push_back(word); }
    std::uint32_t NextInvoke() { return m_invokeCount++; }
    void Born() { ++m_live; }
    void Died() { --m_live; }
    std::string m_activeCell = "R1C1";

private:
    CRecordingServer() = default;

    std::vector<std::string> m_calls;
    std::vector<std::string> m_lookups;
    std::vector<std::int16_t> m_boolWords;
    std::uint32_t m_invokeCount = 0;
    int m_live = 0;
};
