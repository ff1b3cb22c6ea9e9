#include "save/tests/support/RecordingSession.h"

#include <gtest/gtest.h>

Uuid RecordingClassId() {
    Uuid::Bytes16 bytes{};
    bytes[0] = 0x52;  // 'R'
    bytes[15] = 0x01;
    return Uuid(bytes);
}

void PrepareSheet(CXLAutomation& automation) {
    ASSERT_TRUE(automation.NewWorkbook());
    ASSERT_TRUE(automation.SelectWorksheetFromEnd(1));
}

namespace {

std::vector<std::string> Lines(const std::vector<ExpectedCall>& calls) {
    std::vector<std::string> lines;
    for (const ExpectedCall& call : calls) lines.push_back(call.line);
    return lines;
}

// "Range[R2C3].Value put(...)" -> "Value".
std::string MemberOf(const std::string& line) {
    // Labels hold no '.', so the first one ends the label.
    const std::size_t dot = line.find('.');
    const std::size_t space = line.find(' ', dot);
    return line.substr(dot + 1, space - dot - 1);
}

}  // namespace

void CheckOperation(const OperationCheck& check) {
    {
        RecordingSession session;
        session.server->m_worksheetCount = check.worksheetCount;
        {
            CXLAutomation automation(false, kRecordingProgramId);
            check.prepare(automation);
            const int liveBefore = session.server->LiveObjects();
            session.server->ClearCalls();
            EXPECT_TRUE(check.op(automation));
            EXPECT_EQ(session.server->Calls(), Lines(check.expected));
            EXPECT_EQ(session.server->LiveObjects(), liveBefore + check.objectsKept)
                << "objects left behind";
            EXPECT_TRUE(automation.GetFailureReport().empty());
        }
        EXPECT_EQ(session.server->LiveObjects(), 0);
    }
    for (std::size_t k = 0; k < check.expected.size(); ++k) {
        SCOPED_TRACE("call " + std::to_string(k) + " fails: " + check.expected[k].line);
        RecordingSession session;
        session.server->m_worksheetCount = check.worksheetCount;
        {
            CXLAutomation automation(false, kRecordingProgramId);
            check.prepare(automation);
            session.server->ClearCalls();
            session.server->m_failAtInvoke = session.server->InvokeCount() + k;
            const bool result = check.op(automation);
            if (k < check.failuresThatFail) {
                EXPECT_FALSE(result);
            }
            if (!check.goesOnAfterFailure) {
                EXPECT_EQ(session.server->Calls().size(), k + 1);
            }
            const std::u16string& report = automation.GetFailureReport();
            if (check.expected[k].flags == 0) {
                const std::string member = MemberOf(check.expected[k].line);
                EXPECT_EQ(report, std::u16string(member.begin(), member.end()) +
                                      u": Error 1004: Recorded refusal.");
            } else {
                EXPECT_TRUE(report.empty());
            }
        }
        EXPECT_EQ(session.server->LiveObjects(), 0);
    }
}

std::vector<ExpectedCall> SelectRangeCalls(const std::string& sheet, int c1, int r1, int c2,
                                           int r2) {
    auto corner = [&](int c, int r) {
        const std::string cell = "R" + std::to_string(r) + "C" + std::to_string(c);
        return std::vector<ExpectedCall>{
            {sheet + ".Cells get(r8:" + std::to_string(r) + ", r8:" + std::to_string(c) + ")", 2},
            {"Range[" + cell + "].Select get()", 0},
            {"Application.ActiveCell get()", 0},
            {"Range[" + cell + "].Address get()", 0},
        };
    };
    const std::string first = "R" + std::to_string(r1) + "C" + std::to_string(c1);
    const std::string second = "R" + std::to_string(r2) + "C" + std::to_string(c2);
    std::vector<ExpectedCall> calls = Then(corner(c1, r1), corner(c2, r2));
    calls.push_back({sheet + ".Range get('" + first + "', '" + second + "')", 0});
    calls.push_back({"Range[" + first + ":" + second + "].Select get()", 2});
    return calls;
}

std::vector<ExpectedCall> Then(std::vector<ExpectedCall> first,
                               const std::vector<ExpectedCall>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}
