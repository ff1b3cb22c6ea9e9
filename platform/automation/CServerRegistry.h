// The automation servers this process can start, by program identifier:
// "program id -> class id -> factory -> new instance", the path a client
// takes to reach "Excel.Application".
//
// Registration: the server library registers itself (our spreadsheet server
// registers "Excel.Application") before the first client starts; tests may
// register fakes under other ids, or override and hide an id for a while
// with CScopedServerRegistration. All functions are thread-safe; a factory
// runs on the caller's thread without the registry's lock held.
//
// Initialisation: a client calls Initialize before ClassFromProgramId or
// CreateInstance and Uninitialize once for each successful Initialize when
// it is done (the calls nest). Before that both lookups fail with
// CO_E_NOTINITIALIZED. BuildVersion is the runtime version that clients
// check before initialising; tests can simulate a wrong version or a failed
// initialisation with SimulateStartUpFailure.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Uuid.h"
#include "platform/automation/DispatchStatus.h"
#include "platform/automation/IDispatch.h"

// Makes one new instance holding one reference for the caller, or returns
// null when it cannot. Must not throw.
using CServerFactory = std::function<IDispatch*()>;

class CServerRegistry {
public:
    // The major build version the registry reports when no failure is
    // simulated; clients refuse to initialise on any other.
    static constexpr std::uint32_t kBuildVersion = 23;

    static std::uint32_t BuildVersion();
    // S_OK, or the simulated failure status.
    static HRESULT Initialize();
    // Balances one successful Initialize; extra calls are ignored.
    static void Uninitialize();
    static bool IsInitialized();

    // CO_E_NOTINITIALIZED, CO_E_CLASSSTRING (nothing under programId) or S_OK
    // with classId set. Program ids match ignoring ASCII case.
    static HRESULT ClassFromProgramId(std::u16string_view programId, Uuid& classId);
    // CO_E_NOTINITIALIZED, REGDB_E_CLASSNOTREG, CO_E_SERVER_EXEC_FAILURE (the
    // factory made nothing) or S_OK with *object holding one reference.
    // *object is null on every failure.
    static HRESULT CreateInstance(const Uuid& classId, IDispatch** object);

    // Registers (or replaces) a server. An empty factory removes the entry.
    static void Register(std::u16string_view programId, const Uuid& classId,
                         CServerFactory factory);
    static bool Unregister(std::u16string_view programId);

    // The entry under a program id, for saving and restoring it.
    struct Entry {
        std::u16string programId;
        Uuid classId{Uuid::Bytes16{}};
        CServerFactory factory;
    };
    static bool Find(std::u16string_view programId, Entry& entry);

    // For tests: the build version to report and the status Initialize
    // returns from now on (kBuildVersion and S_OK restore the normal case).
    static void SimulateStartUpFailure(std::uint32_t buildVersion, HRESULT initializeStatus);
};
