// The connection: its texts, the process name, listing devices and opening one.

#include <gtest/gtest.h>

#include "sync/DeviceList.h"
#include "sync/QVSyncConnection.h"
#include "sync/SyncRunState.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/ScriptedClients.h"

using sync_test::ScriptedClients;
using sync_test::ScriptedLink;

namespace {

CComPtr<IQVClientConnection> NewConnection()
{
    CComObject<QVSyncConnection>* object = nullptr;
    CComObject<QVSyncConnection>::CreateInstance(&object);
    return CComPtr<IQVClientConnection>(object);
}

std::u16string Text(BSTR text)
{
    std::u16string copy = text ? std::u16string(text) : std::u16string(u"<null>");
    SysFreeString(text);
    return copy;
}

// Delivers a discovery answer from the address during a pump.
ScriptedLink::Event Answer(const std::string& address)
{
    return [address](ScriptedLink& link) {
        vireo::AttributeValueMap reply;
        reply.SetString("IPaddress", address);
        reply.SetString("friendlyName", "Den " + address);
        link.listener->OnDiscovered(reply);
        return 0;
    };
}

class ConnectionTest : public ::testing::Test {
protected:
    void TearDown() override { DeviceList::Clear(); }

    sync_test::ComApartment m_apartment;
    CComPtr<IQVClientConnection> m_connection = NewConnection();
};

} // namespace

TEST(ProcessName, ProgramFileNameAndHostInSmallLetters)
{
    struct Case {
        const char* program;
        const char* host;
        const char* name;
    };
    const Case cases[] {
        { "C:\\Program Files\\Music Box.exe", "Den-PC", "music_box-den-pc" },
        { "Z:\\usr\\bin\\tunesteward", "host", "tunesteward-host" },
        { "/opt/tune steward/Tune Steward", "Box", "tune_steward-box" },
        { "C:Player.exe", "H", "player-h" },
        { "plain", "", "plain-" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(QVSyncConnection::BuildProcessName(c.program, c.host), c.name) << c.program;
}

TEST_F(ConnectionTest, TextsStartEmptyAndRefuseNull)
{
    using Getter = HRESULT (IQVClientConnection::*)(BSTR*);
    using Setter = HRESULT (IQVClientConnection::*)(BSTR);
    const std::pair<Getter, Setter> properties[] {
        { &IQVClientConnection::get_NetworkProtocolInfo, &IQVClientConnection::put_NetworkProtocolInfo },
        { &IQVClientConnection::get_TuneStewardDBConnectionString, &IQVClientConnection::put_TuneStewardDBConnectionString },
        { &IQVClientConnection::get_SecurityCredentials, &IQVClientConnection::put_SecurityCredentials },
        { &IQVClientConnection::get_NetworkConnectionString, &IQVClientConnection::put_NetworkConnectionString },
        { &IQVClientConnection::get_BroadcastMask, &IQVClientConnection::put_BroadcastMask },
    };
    for (const auto& [get, put] : properties) {
        IQVClientConnection& connection = *m_connection;
        // An [out] text is overwritten, not freed: the caller keeps what it put there.
        BSTR stale = SysAllocString(u"stale");
        BSTR text = stale;
        EXPECT_EQ((connection.*get)(&text), S_OK);
        SysFreeString(stale);
        EXPECT_EQ(Text(text), u"<null>");
        EXPECT_EQ((connection.*get)(nullptr), E_POINTER);
        CComBSTR value(u"10.0.0.1,10.0.0.255");
        EXPECT_EQ((connection.*put)(value), S_OK);
        EXPECT_EQ((connection.*put)(nullptr), E_INVALIDARG);
        (connection.*get)(&text);
        EXPECT_EQ(Text(text), u"10.0.0.1,10.0.0.255");
    }
}

TEST_F(ConnectionTest, ListingBroadcastsOncePerMaskAddressAndCountsDistinctAddresses)
{
    std::vector<std::string> broadcasts;
    ScriptedClients clients([&broadcasts](ScriptedLink& link) {
        link.events.push_back(ScriptedLink::Busy());
        link.events.push_back(Answer("10.0.0.5:1500"));
        link.events.push_back(Answer("10.0.0.6"));
        link.events.push_back([](ScriptedLink&) { return -1; });
        link.events.push_back(Answer("10.0.0.5"));
        link.events.push_back([&broadcasts](ScriptedLink& done) {
            broadcasts = done.broadcasts;
            return -1;
        });
    });
    m_connection->put_BroadcastMask(CComBSTR(u"10.0.0.255,10.0.1.255"));
    VARIANT collection;
    VARIANT count;
    ASSERT_EQ(m_connection->ListDevices(nullptr, &collection, &count), S_OK);
    EXPECT_EQ(broadcasts, (std::vector<std::string> { "10.0.0.255", "10.0.1.255" }));
    ASSERT_EQ(clients.arguments.size(), 1u);
    EXPECT_EQ(clients.arguments[0][0], QVSyncConnection::ProcessName());
    EXPECT_EQ(std::vector<std::string>(clients.arguments[0].begin() + 1, clients.arguments[0].end()),
        (std::vector<std::string> { "Debug.level=ERROR", "router.name=System", "router.port=1500", "Socket.SO_BROADCAST=1",
            "udn=localhost" }));
    ASSERT_EQ(count.vt, VT_I4);
    EXPECT_EQ(count.lVal, 2);
    ASSERT_EQ(collection.vt, VT_UNKNOWN);
    CComQIPtr<IQVClientCollection> devices(collection.punkVal);
    VariantClear(&collection);
    ASSERT_TRUE(devices);
    VARIANT item;
    VariantInit(&item);
    ASSERT_EQ(devices->Item(1, &item), S_OK);
    CComQIPtr<IQVClient> second(item.punkVal);
    VariantClear(&item);
    BSTR text = nullptr;
    second->get_IPAddress(&text);
    EXPECT_EQ(Text(text), u"10.0.0.6");
}

TEST_F(ConnectionTest, AListingWithoutDevicesSucceedsAndOneThatCannotStartFails)
{
    {
        ScriptedClients quiet([](ScriptedLink& link) { link.events.push_back(ScriptedLink::Busy()); });
        VARIANT collection;
        VARIANT count;
        ASSERT_EQ(m_connection->ListDevices(nullptr, &collection, &count), S_OK);
        EXPECT_EQ(count.lVal, 0);
        CComQIPtr<IQVClientCollection> devices(collection.punkVal);
        VariantClear(&collection);
        VARIANT item;
        VariantInit(&item);
        EXPECT_EQ(devices->Item(0, &item), E_INVALIDARG);
    }
    ScriptedClients dead([](ScriptedLink& link) { link.initResult = -1; });
    VARIANT collection;
    VARIANT count;
    EXPECT_EQ(m_connection->ListDevices(nullptr, &collection, &count), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(collection.vt, VT_EMPTY);
    EXPECT_EQ(count.vt, VT_I4);
    EXPECT_EQ(count.lVal, 0);
}

TEST_F(ConnectionTest, OpeningChecksItsArgumentsBeforeAnyTraffic)
{
    ScriptedClients clients(ScriptedClients::ReadyDevice);
    const CComBSTR address(u"10.0.0.5");
    const CComBSTR library(u"Provider=x;Data Source=lib.mdb");
    VARIANT device;
    EXPECT_EQ(m_connection->OpenDevice(address, nullptr, library, 0, nullptr, &device), E_INVALIDARG);
    EXPECT_EQ(device.vt, VT_EMPTY);
    m_connection->put_NetworkConnectionString(CComBSTR(u"10.0.0.9"));
    // An empty address replaces the one set before.
    EXPECT_EQ(m_connection->OpenDevice(CComBSTR(u""), nullptr, library, 7, nullptr, &device), E_INVALIDARG);
    BSTR text = nullptr;
    m_connection->get_NetworkConnectionString(&text);
    EXPECT_EQ(Text(text), u"<null>");
    EXPECT_EQ(m_connection->OpenDevice(address, nullptr, CComBSTR(u""), 7, nullptr, &device), E_INVALIDARG);
    EXPECT_TRUE(clients.arguments.empty());
}

TEST_F(ConnectionTest, OpeningAReadyDeviceHandsOutTheDeviceObject)
{
    ScriptedClients clients([](ScriptedLink& link) {
        ScriptedClients::ReadyDevice(link);
        link.properties["udn"] = "den-box";
    });
    VARIANT device;
    ASSERT_EQ(m_connection->OpenDevice(CComBSTR(u"10.0.0.5"), CComBSTR(u"udp"), CComBSTR(u"Provider=x;Data Source=lib.mdb"),
                  42, nullptr, &device),
        S_OK);
    ASSERT_EQ(device.vt, VT_UNKNOWN);
    CComQIPtr<IQVClientDevice> opened(device.punkVal);
    VariantClear(&device);
    ASSERT_TRUE(opened);
    ASSERT_EQ(clients.arguments.size(), 1u);
    EXPECT_EQ(std::vector<std::string>(clients.arguments[0].begin() + 1, clients.arguments[0].end()),
        (std::vector<std::string> { "router.name=System", "router.port=1500", "router.host=10.0.0.5", "Debug.level=ERROR",
            "udn=localhost" }));
    EXPECT_EQ(SyncRunState::UniqueDeviceName(), "den-box");
    LONG customer = 0;
    opened->get_CustomerID(&customer);
    EXPECT_EQ(customer, 42);
    BSTR text = nullptr;
    opened->get_TuneStewardDBConnectionString(&text);
    EXPECT_EQ(Text(text), u"Provider=x;Data Source=lib.mdb");
}

TEST_F(ConnectionTest, OpeningADeviceThatDoesNotAnswerFails)
{
    ScriptedClients clients([](ScriptedLink& link) { link.events.push_back(ScriptedLink::Busy()); });
    VARIANT device;
    EXPECT_EQ(m_connection->OpenDevice(CComBSTR(u"10.0.0.5"), nullptr, CComBSTR(u"Provider=x;Data Source=lib.mdb"), 42,
                  nullptr, &device),
        CONNECT_E_NOCONNECTION);
    EXPECT_EQ(device.vt, VT_EMPTY);
}
