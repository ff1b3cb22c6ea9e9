// Puts a server under a program id for as long as the object lives, then
// restores whatever was registered there before (or nothing). With an empty
// factory it hides the program id instead, which is how a test makes
// "Excel.Application" unavailable. Scopes on the same id must end in reverse
// order of creation.
#pragma once

#include <string>
#include <string_view>

#include "platform/automation/CServerRegistry.h"

class CScopedServerRegistration {
public:
    CScopedServerRegistration(std::u16string_view programId, const Uuid& classId,
                              CServerFactory factory);
    // Hides programId.
    explicit CScopedServerRegistration(std::u16string_view programId);
    ~CScopedServerRegistration();
    CScopedServerRegistration(const CScopedServerRegistration&) = delete;
    CScopedServerRegistration& operator=(const CScopedServerRegistration&) = delete;

private:
    std::u16string m_programId;
    bool m_hadPrevious = false;
    CServerRegistry::Entry m_previous;
};
