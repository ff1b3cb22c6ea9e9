#include "platform/automation/CServerRegistry.h"

#include <gtest/gtest.h>

#include "platform/automation/CScopedServerRegistration.h"
#include "platform/automation/tests/support/TestObjects.h"

namespace {

Uuid ClassNumber(std::uint8_t n) {
    Uuid::Bytes16 bytes{};
    bytes[0] = 0xA5;
    bytes[15] = n;
    return Uuid(bytes);
}

CServerFactory ProbeFactory(bool* destroyed) {
    return [destroyed]() -> IDispatch* { return new CProbeObject(destroyed); };
}

// Keeps the registry initialised for one test.
class Initialised {
public:
    Initialised() { m_status = CServerRegistry::Initialize(); }
    ~Initialised() {
        if (Succeeded(m_status)) CServerRegistry::Uninitialize();
    }
    HRESULT m_status;
};

TEST(CServerRegistry, ProgramIdLeadsToClassIdLeadsToANewInstance) {
    Initialised init;
    ASSERT_EQ(init.m_status, S_OK);
    bool destroyed = false;
    CScopedServerRegistration fake(u"Mendwell.RegistryTest", ClassNumber(1),
                                   ProbeFactory(&destroyed));
    Uuid classId(Uuid::Bytes16{});
    ASSERT_EQ(CServerRegistry::ClassFromProgramId(u"mendwell.registrytest", classId), S_OK);
    EXPECT_EQ(classId.Bytes(), ClassNumber(1).Bytes());
    IDispatch* object = nullptr;
    ASSERT_EQ(CServerRegistry::CreateInstance(classId, &object), S_OK);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_TRUE(destroyed);
}

TEST(CServerRegistry, NothingWorksBeforeInitialisation) {
    ASSERT_FALSE(CServerRegistry::IsInitialized());
    CScopedServerRegistration fake(u"Mendwell.RegistryTest", ClassNumber(2), ProbeFactory(nullptr));
    Uuid classId(Uuid::Bytes16{});
    EXPECT_EQ(CServerRegistry::ClassFromProgramId(u"Mendwell.RegistryTest", classId),
              CO_E_NOTINITIALIZED);
    IDispatch* object = reinterpret_cast<IDispatch*>(&classId);
    EXPECT_EQ(CServerRegistry::CreateInstance(ClassNumber(2), &object), CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);
}

TEST(CServerRegistry, InitialisationNestsAndExtraUninitialiseIsHarmless) {
    ASSERT_EQ(CServerRegistry::Initialize(), S_OK);
    ASSERT_EQ(CServerRegistry::Initialize(), S_OK);
    CServerRegistry::Uninitialize();
    EXPECT_TRUE(CServerRegistry::IsInitialized());
    CServerRegistry::Uninitialize();
    EXPECT_FALSE(CServerRegistry::IsInitialized());
    CServerRegistry::Uninitialize();
    EXPECT_FALSE(CServerRegistry::IsInitialized());
    ASSERT_EQ(CServerRegistry::Initialize(), S_OK);
    EXPECT_TRUE(CServerRegistry::IsInitialized());
    CServerRegistry::Uninitialize();
}

TEST(CServerRegistry, UnknownIdsAndFailingFactories) {
    Initialised init;
    Uuid classId(Uuid::Bytes16{});
    EXPECT_EQ(CServerRegistry::ClassFromProgramId(u"Nobody.Home", classId), CO_E_CLASSSTRING);
    IDispatch* object = nullptr;
    EXPECT_EQ(CServerRegistry::CreateInstance(ClassNumber(77), &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CServerRegistry::CreateInstance(ClassNumber(77), nullptr), E_POINTER);

    CScopedServerRegistration broken(u"Mendwell.Broken", ClassNumber(3),
                                     []() -> IDispatch* { return nullptr; });
    EXPECT_EQ(CServerRegistry::CreateInstance(ClassNumber(3), &object), CO_E_SERVER_EXEC_FAILURE);
    EXPECT_EQ(object, nullptr);
}

TEST(CServerRegistry, ScopedRegistrationRestoresWhatWasThere) {
    Initialised init;
    CServerRegistry::Register(u"Mendwell.Scoped", ClassNumber(4), ProbeFactory(nullptr));
    {
        CScopedServerRegistration over(u"Mendwell.Scoped", ClassNumber(5), ProbeFactory(nullptr));
        Uuid classId(Uuid::Bytes16{});
        ASSERT_EQ(CServerRegistry::ClassFromProgramId(u"Mendwell.Scoped", classId), S_OK);
        EXPECT_EQ(classId.Bytes(), ClassNumber(5).Bytes());
        {
            CScopedServerRegistration hidden(u"Mendwell.Scoped");
            EXPECT_EQ(CServerRegistry::ClassFromProgramId(u"Mendwell.Scoped", classId),
                      CO_E_CLASSSTRING);
        }
        ASSERT_EQ(CServerRegistry::ClassFromProgramId(u"Mendwell.Scoped", classId), S_OK);
        EXPECT_EQ(classId.Bytes(), ClassNumber(5).Bytes());
    }
    Uuid classId(Uuid::Bytes16{});
    ASSERT_EQ(CServerRegistry::ClassFromProgramId(u"Mendwell.Scoped", classId), S_OK);
    EXPECT_EQ(classId.Bytes(), ClassNumber(4).Bytes());
    EXPECT_TRUE(CServerRegistry::Unregister(u"Mendwell.Scoped"));
    EXPECT_FALSE(CServerRegistry::Unregister(u"Mendwell.Scoped"));
    { CScopedServerRegistration fresh(u"Mendwell.Scoped", ClassNumber(6), ProbeFactory(nullptr)); }
    EXPECT_EQ(CServerRegistry::ClassFromProgramId(u"Mendwell.Scoped", classId), CO_E_CLASSSTRING);
}

TEST(CServerRegistry, SimulatedStartUpFailures) {
    EXPECT_EQ(CServerRegistry::BuildVersion(), CServerRegistry::kBuildVersion);
    CServerRegistry::SimulateStartUpFailure(22, E_OUTOFMEMORY);
    EXPECT_EQ(CServerRegistry::BuildVersion(), 22u);
    EXPECT_EQ(CServerRegistry::Initialize(), E_OUTOFMEMORY);
    EXPECT_FALSE(CServerRegistry::IsInitialized());
    CServerRegistry::SimulateStartUpFailure(CServerRegistry::kBuildVersion, S_OK);
    EXPECT_EQ(CServerRegistry::Initialize(), S_OK);
    CServerRegistry::Uninitialize();
}

}  // namespace
