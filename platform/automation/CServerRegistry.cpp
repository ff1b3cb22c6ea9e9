#include "platform/automation/CServerRegistry.h"

#include <mutex>
#include <utility>
#include <vector>

#include "platform/automation/CDispatchObject.h"

namespace {

struct RegistryState {
    std::mutex mutex;
    std::vector<CServerRegistry::Entry> entries;
    std::uint32_t initializeCount = 0;
    std::uint32_t buildVersion = CServerRegistry::kBuildVersion;
    HRESULT initializeStatus = S_OK;
};

RegistryState& State() {
    static RegistryState state;
    return state;
}

// Index of the entry under programId, or entries.size().
std::size_t FindIndex(const RegistryState& state, std::u16string_view programId) {
    for (std::size_t i = 0; i < state.entries.size(); ++i) {
        if (CDispatchObject::NamesEqual(state.entries[i].programId, programId)) return i;
    }
    return state.entries.size();
}

}  // namespace

std::uint32_t CServerRegistry::BuildVersion() {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    return state.buildVersion;
}

HRESULT CServerRegistry::Initialize() {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    if (Failed(state.initializeStatus)) return state.initializeStatus;
    ++state.initializeCount;
    return S_OK;
}

void CServerRegistry::Uninitialize() {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.initializeCount > 0) --state.initializeCount;
}

bool CServerRegistry::IsInitialized() {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    return state.initializeCount > 0;
}

HRESULT CServerRegistry::ClassFromProgramId(std::u16string_view programId, Uuid& classId) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.initializeCount == 0) return CO_E_NOTINITIALIZED;
    const std::size_t index = FindIndex(state, programId);
    if (index == state.entries.size()) return CO_E_CLASSSTRING;
    classId = state.entries[index].classId;
    return S_OK;
}

HRESULT CServerRegistry::CreateInstance(const Uuid& classId, IDispatch** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    CServerFactory factory;
    {
        RegistryState& state = State();
        std::lock_guard lock(state.mutex);
        if (state.initializeCount == 0) return CO_E_NOTINITIALIZED;
        for (const Entry& entry : state.entries) {
            if (entry.classId.Bytes() == classId.Bytes()) {
                factory = entry.factory;
                break;
            }
        }
    }
    if (!factory) return REGDB_E_CLASSNOTREG;
    // The factory may build a whole object model; it runs unlocked so that
    // it can consult the registry itself.
    IDispatch* created = factory();
    if (created == nullptr) return CO_E_SERVER_EXEC_FAILURE;
    *object = created;
    return S_OK;
}

void CServerRegistry::Register(std::u16string_view programId, const Uuid& classId,
                               CServerFactory factory) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    const std::size_t index = FindIndex(state, programId);
    if (!factory) {
        if (index < state.entries.size()) state.entries.erase(state.entries.begin() + index);
        return;
    }
    Entry entry{std::u16string(programId), classId, std::move(factory)};
    if (index < state.entries.size()) {
        state.entries[index] = std::move(entry);
    } else {
        state.entries.push_back(std::move(entry));
    }
}

bool CServerRegistry::Unregister(std::u16string_view programId) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    const std::size_t index = FindIndex(state, programId);
    if (index == state.entries.size()) return false;
    state.entries.erase(state.entries.begin() + index);
    return true;
}

bool CServerRegistry::Find(std::u16string_view programId, Entry& entry) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    const std::size_t index = FindIndex(state, programId);
    if (index == state.entries.size()) return false;
    entry = state.entries[index];
    return true;
}

void CServerRegistry::SimulateStartUpFailure(std::uint32_t buildVersion, HRESULT initializeStatus) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    state.buildVersion = buildVersion;
    state.initializeStatus = initializeStatus;
}
