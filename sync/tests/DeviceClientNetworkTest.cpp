// The device client against a device on loopback: registration, a query answered through the
// payload's reply address, an upload with its file check and transfer, and discovery.

#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/xml/MsXml.h"
#include "sync/DeviceClient.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/FakeDevice.h"

using sync_test::FakeDevice;

namespace {

class DiscoveringClient final : public DeviceClient {
public:
    using DeviceClient::DeviceClient;

    void OnDiscovered(vireo::AttributeValueMap& attributes) override
    {
        discovered.push_back(attributes);
        DeviceClient::OnDiscovered(attributes);
    }

    std::vector<vireo::AttributeValueMap> discovered;
};

class DeviceClientNetwork : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_apartment.registered, S_OK);
        DeviceClient::ResetState();
        DeviceClient::ReplyFlags().clear();
    }
    void TearDown() override { DeviceClient::ResetState(); }

    sync_test::ComApartment m_apartment;

    // The requests of the name that reached the device.
    static std::vector<FakeDevice::Request> Named(const FakeDevice& device, const std::string& name)
    {
        std::vector<FakeDevice::Request> named;
        for (const FakeDevice::Request& request : device.requests) {
            if (request.message.Name() == name)
                named.push_back(request);
        }
        return named;
    }
};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST_F(DeviceClientNetwork, TheFirstReadinessCheckRegistersAgainAndConnects)
{
    FakeDevice device;
    device.Start();
    DeviceClient client(device.MakeClientLink("den-pc"));
    ASSERT_TRUE(client.Initialize());
    // The router's answer to the registration of the initialisation came before the client's own
    // handlers were in place.
    EXPECT_FALSE(client.IsConnected());
    EXPECT_TRUE(client.WaitUntilReady("media_sys", false));
    EXPECT_TRUE(client.IsConnected());
    EXPECT_TRUE(client.WaitUntilReady("groups", true));
}

TEST_F(DeviceClientNetwork, AQueryIsAnsweredToTheReplyAddressItCarries)
{
    FakeDevice device;
    device.onRequest = [&](const std::string& process, const vireo::Message& request) {
        if (process != "Library" || request.Name() != "Music.query")
            return;
        vireo::Message reply { vireo::VireoURI(request.Payload()) };
        reply.SetPayload("<?xml version=\"1.0\"?><!DOCTYPE container SYSTEM \"http://example.invalid/vireo/container.dtd\">"
                         "<container><item label=\"A\"><ref href=\"vqp://localhost/Music/a.xml\" primarykey=\"Artist\""
                         " secondarykey=\"Album\"/></item></container>");
        device.SendFromLibrary(reply);
    };
    device.Start();
    DeviceClient client(device.MakeClientLink("den-pc"));
    HRESULT hr = E_UNEXPECTED;
    AlbumList& albums = client.QueryAlbums(hr);
    EXPECT_EQ(hr, S_OK);
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums.begin()->first, u"vqp://localhost/Music/a.xml");

    const auto queries = Named(device, "Music.query");
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_EQ(queries[0].message.GetString("index"), "All");
    EXPECT_EQ(queries[0].message.GetString("query"), "getAll");
    const vireo::Message replyAddress { vireo::VireoURI(queries[0].payload) };
    EXPECT_EQ(replyAddress.PathValue(), "den-pc");
    EXPECT_EQ(replyAddress.Name(), "Music.albums.list.all.query.results");
    EXPECT_EQ(replyAddress.GetString("mtype"), "music");
}

TEST_F(DeviceClientNetwork, AnUploadIsCheckedTransferredAndItsReservationGivenBack)
{
    std::filesystem::create_directories("7.0.5/Database/Music");
    std::filesystem::create_directories("Music/Rock");
    const std::string content(20000, 'm');
    std::ofstream("Music/Rock/song.mp3", std::ios::binary) << content;

    FakeDevice device({ "VFTP.folders=7.0.5" });
    device.onRequest = [&](const std::string& process, const vireo::Message& request) {
        if (process != "System" || request.Name() != "File.check")
            return;
        vireo::Message reply { request.GetURI("return") };
        reply.SetArg("id", request.GetString("id"));
        reply.SetArg("filename", "7.0.5/Database/Music/song.mp3");
        reply.SetArg("spaceID", "space-1");
        device.SendFromSystem(reply);
    };
    device.Start();
    DeviceClient client(device.MakeClientLink("den-pc"));
    ASSERT_TRUE(client.WaitUntilReady("AlbumSync", true));

    WORD percent = 99;
    DWORD status = 0;
    std::string deviceName;
    ASSERT_EQ(client.UploadFile("<?xml version=\"1.0\"?><mp3info href=\"x\"/>", "Music\\Rock\\song.mp3", u"", deviceName,
                  &percent, &status, 3, true),
        S_OK);
    EXPECT_EQ(deviceName, "7.0.5/Database/Music/song.mp3");
    for (int i = 0; i < 50 && client.TransferStatus() == 0; ++i)
        client.HandleEvents(300);
    EXPECT_EQ(client.TransferStatus(), 1);
    EXPECT_EQ(ReadFile("7.0.5/Database/Music/song.mp3"), content);
    EXPECT_EQ(percent, 100);

    const auto checks = Named(device, "File.check");
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(checks[0].message.GetString("sender"), "den-pc");
    EXPECT_EQ(checks[0].message.GetString("filesize"), "20000");
    EXPECT_EQ(checks[0].message.GetString("item"), "3");
    EXPECT_EQ(checks[0].payload, "<?xml version=\"1.0\" encoding=\"UTF-8\"?><mp3info href=\"x\"/>");
    device.PumpQuiet();
    const auto unreserve = Named(device, "File.unreserve");
    ASSERT_EQ(unreserve.size(), 1u);
    EXPECT_EQ(unreserve[0].message.GetString("spaceID"), "space-1");
}

TEST_F(DeviceClientNetwork, DiscoveryBroadcastsToEachAddressOfTheMask)
{
    FakeDevice device({ "discovery.oemName=Aldercrest", "discovery.serialNumber=S-1", "discovery.friendlyName=Den",
        "discovery.productName=Songbox" });
    device.Start();
    DiscoveringClient client(device.MakeClientLink("den-pc"));
    ASSERT_TRUE(client.DiscoverDevices("127.0.0.1,127.0.0.1"));
    ASSERT_EQ(client.discovered.size(), 2u);
    EXPECT_EQ(client.discovered[0].GetString("IPaddress"), "127.0.0.1");
    EXPECT_EQ(client.discovered[0].GetString("oemName"), "Aldercrest");
    EXPECT_EQ(client.discovered[0].GetString("udn"), "fake-device");
}

TEST_F(DeviceClientNetwork, AnotherThreadCanEndTheSliceAWaitIsIn) { EXPECT_TRUE(sync_test::WakeEndsALongWait()); }
