// Runs wrapper operations against a fresh recording server registered under
// its own program id, and checks an operation's calls, their call flags and
// the balance of references.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/CScopedServerRegistration.h"
#include "save/CXLAutomation.h"
#include "save/tests/support/CRecordingServer.h"

inline constexpr std::u16string_view kRecordingProgramId = u"Mendwell.RecordingServer";

Uuid RecordingClassId();

// One server, registered for as long as the session lives.
struct RecordingSession {
    std::shared_ptr<CRecordingServer> server = CRecordingServer::Create();
    CScopedServerRegistration registration{kRecordingProgramId, RecordingClassId(),
                                           server->Factory()};
};

// One expected call: the recorded line and the call flags it must be made
// with (0, or 2 to reset the arguments and stay quiet).
struct ExpectedCall {
    std::string line;
    std::uint16_t flags;
};

using Preparation = std::function<void(CXLAutomation&)>;
using Operation = std::function<bool(CXLAutomation&)>;

// A workbook whose first worksheet is the active one.
void PrepareSheet(CXLAutomation& automation);

// Checks, with GoogleTest expectations:
// - on a fresh server, after prepare, op makes exactly the expected calls
//   and returns true, and leaves as many objects alive as before it plus
//   objectsKept (the objects the wrapper now holds in addition);
// - for each expected call k, a run where call k fails: the failure report
//   is composed exactly when the call's flags are 0, and names the member;
//   the operation returns false when k < failuresThatFail (default: all),
//   and makes no call after k unless goesOnAfterFailure;
// - every run ends with every server object released.
struct OperationCheck {
    Preparation prepare = PrepareSheet;
    Operation op;
    std::vector<ExpectedCall> expected;
    std::size_t failuresThatFail = SIZE_MAX;
    bool goesOnAfterFailure = false;
    std::int32_t worksheetCount = 1;
    int objectsKept = 0;
};
void CheckOperation(const OperationCheck& check);

// The calls of SelectRange(c1, r1, c2, r2) on worksheet label `sheet`.
std::vector<ExpectedCall> SelectRangeCalls(const std::string& sheet, int c1, int r1, int c2,
                                           int r2);
// Joins call lists.
std::vector<ExpectedCall> Then(std::vector<ExpectedCall> first,
                               const std::vector<ExpectedCall>& second);
