#include "server/automation/CXlsApplicationServer.h"

#include <new>

#include "platform/automation/CServerRegistry.h"
#include "server/automation/CXlsApplicationObject.h"

const Uuid& CXlsApplicationServer::ClassId() {
    // Our own class id (a fixed random version-4 UUID), so that a client can
    // tell our server from any other registered under the same program id.
    static const Uuid id(Uuid::Bytes16{0x6d, 0x0e, 0x1c, 0x52, 0x8a, 0x3f, 0x4b, 0x7e, 0x9c, 0x21,
                                       0x5a, 0xd4, 0x07, 0xe3, 0xb8, 0x16});
    return id;
}

IDispatch* CXlsApplicationServer::CreateInstance() {
    try {
        return new CXlsApplicationObject();
    } catch (...) {
        return nullptr;
    }
}

void CXlsApplicationServer::Register() {
    CServerRegistry::Register(kProgramId, ClassId(), &CXlsApplicationServer::CreateInstance);
}
