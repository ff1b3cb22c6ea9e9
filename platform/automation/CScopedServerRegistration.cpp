#include "platform/automation/CScopedServerRegistration.h"

#include <utility>

CScopedServerRegistration::CScopedServerRegistration(std::u16string_view programId,
                                                     const Uuid& classId, CServerFactory factory)
    : m_programId(programId) {
    m_hadPrevious = CServerRegistry::Find(programId, m_previous);
    CServerRegistry::Register(programId, classId, std::move(factory));
}

CScopedServerRegistration::CScopedServerRegistration(std::u16string_view programId)
    : m_programId(programId) {
    m_hadPrevious = CServerRegistry::Find(programId, m_previous);
    CServerRegistry::Unregister(programId);
}

CScopedServerRegistration::~CScopedServerRegistration() {
    if (m_hadPrevious) {
        CServerRegistry::Register(m_previous.programId, m_previous.classId,
                                  std::move(m_previous.factory));
    } else {
        CServerRegistry::Unregister(m_programId);
    }
}
