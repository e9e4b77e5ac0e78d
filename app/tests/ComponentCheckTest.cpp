// The component check before a library opens: registrations made from the program's folder, and the
// data-access version rule.

#include <gtest/gtest.h>

#include "app/ComponentCheck.h"
#include "library/tests/support/AppFixture.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "platform/ado/Ado.h"
#include "platform/com/CComPtr.h"
#include "sync/Lumasync.h"

namespace {

class ComponentCheck : public AppFixture { };

} // namespace

TEST_F(ComponentCheck, MissingRegistrationsAreMadeFromTheProgramsFolder)
{
    ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
    CComPtr<IQVClientConnection> connection;
    ASSERT_EQ(connection.CoCreateInstance(CLSID_QVSyncConnection, nullptr, CLSCTX_INPROC_SERVER), REGDB_E_CLASSNOTREG);
    MessageBoxRecorder boxes;

    EXPECT_TRUE(CheckPrerequisites());
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_TRUE(App().m_bCDDBControlPresent);
    EXPECT_EQ(connection.CoCreateInstance(CLSID_QVSyncConnection, nullptr, CLSCTX_INPROC_SERVER), S_OK);
    connection.Release();
    CoFreeUnusedLibraries();
}

TEST(DataAccessVersion, TwoPointSixOrNewerPasses)
{
    const struct {
        const char* version;
        bool sufficient;
    } cases[] = { { "2.5", false }, { "2.6", true }, { "2.8", true }, { "2.10", true }, { "6.0", true }, { "2", false },
        { "3", true }, { "", false } };
    for (const auto& each : cases)
        EXPECT_EQ(IsDataAccessVersionSufficient(each.version), each.sufficient) << each.version;
}
