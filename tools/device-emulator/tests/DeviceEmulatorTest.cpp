// The device seen from the wire: a plain framework process finds it, asks it, and moves files.

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "tools/device-emulator/DevicePaths.h"
#include "tools/device-emulator/tests/EmulatorHarness.h"

#include <gtest/gtest.h>

using namespace emulator;
using namespace emulator::test;
namespace fs = std::filesystem;

namespace {

std::string Bytes(std::size_t size)
{
    std::mt19937 random(11);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

void WriteFile(const fs::path& path, const std::string& bytes)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

AlbumContent Album(const std::string& artist, const std::string& title)
{
    AlbumContent album;
    album.artist = artist;
    album.title = title;
    album.groups = { "All", "Jazz" };
    album.tracks = { { 1, "One", 180, 128, "Music/one.mp3", {} }, { 2, "Two", 200, 128, "Music/two.mp3", {} } };
    return album;
}

class DeviceEmulatorTest : public EmulatorTestBase, public ::testing::Test { };

TEST_F(DeviceEmulatorTest, AnswersDiscoveryAndTellsItsRevisionOnRegistration)
{
    StartDevice({ "udn=den-1", "name=Den Server", "serial=SN42", "product=Music Server" });

    peer->Discover();
    ASSERT_TRUE(PumpUntil([&] { return !peer->discovered.empty(); }));
    const vireo::AttributeValueMap& found = peer->discovered.front();
    EXPECT_EQ(found.GetString("friendlyName"), "Den Server");
    EXPECT_EQ(found.GetString("serialNumber"), "SN42");
    EXPECT_EQ(found.GetString("udn"), "den-1");
    EXPECT_EQ(found.GetString("oemName"), "Aldercrest");
    EXPECT_EQ(found.GetString("productName"), "Music Server");
    EXPECT_EQ(found.GetString("IPaddress"), "127.0.0.1");

    // The peer registered at Init; the router's answers carry the udn and the revision.
    ASSERT_TRUE(PumpUntil([&] { return peer->HasProperty("revNum") && peer->GetProperty("udn") == "den-1"; }));
    EXPECT_EQ(peer->GetProperty("revNum"), "2");
}

TEST_F(DeviceEmulatorTest, QueriesListAlbumsPlaylistsGroupsAndStations)
{
    std::string jazzHref;
    seed = [&](DeviceEmulator& d) {
        jazzHref = d.Library().AddAlbum(Album("Ann & Co", "Blue"));
        AlbumContent rock = Album("Bo", "Loud");
        rock.groups = { "All", "Rock" };
        d.Library().AddAlbum(rock);
        d.Library().AddPlaylist({ "Evening", "", {}, {} });
        d.Library().AddGroup({ false, "Jazz", 1, "" });
        d.Library().AddStation({ "st1", "Radio One", "", "", "", { "All", "News" }, "", "http://radio", 1, 64, "", 0,
            "", 0 });
    };
    StartDevice();

    struct Case {
        const char* request;
        const char* index;
        const char* reply;
        std::vector<std::string> keys;
    };
    const Case cases[] = {
        { "Music.query", "All", "Music.albums.list.all.query.results",
            { "primarykey=\"Ann &amp; Co\" secondarykey=\"Blue\"", "secondarykey=\"Loud\"",
                "primarykey=\"Playlist\" secondarykey=\"Evening\"" } },
        { "Music.query", "Playlists", "Playlist.list.all.query.results", { "secondarykey=\"Evening\"" } },
        { "Music.query", "Jazz", "Jazz.results", { "secondarykey=\"Blue\"" } },
        { "Music.metaquery", "group", "Groups.query.results", { "primarykey=\"Jazz\"" } },
        { "Radio.query", "All", "Radio.list.all.query.results", { "primarykey=\"Radio One\"" } },
        { "Radio.query", "Rock", "Rock.results", {} },
    };
    for (const Case& c : cases) {
        vireo::Message request = peer->MakeMessage("Library", c.request, "index", c.index);
        request.SetArg("query", "getAll");
        ASSERT_TRUE(Ask(request, c.reply));
        ASSERT_TRUE(PumpUntil([&] { return !peer->Received(c.reply).empty(); })) << c.request << " " << c.index;
        const std::string document = peer->payloads.back();
        EXPECT_TRUE(document.starts_with("<?xml version=\"1.0\"")) << document;
        std::size_t items = 0;
        for (std::size_t at = document.find("<item "); at != std::string::npos; at = document.find("<item ", at + 1))
            ++items;
        EXPECT_EQ(items, c.keys.size()) << c.request << " " << c.index << "\n" << document;
        for (const std::string& key : c.keys)
            EXPECT_NE(document.find(key), std::string::npos) << key << "\n" << document;
    }
    EXPECT_NE(peer->payloads.front().find("<ref href=\"" + jazzHref + "\""), std::string::npos);
}

TEST_F(DeviceEmulatorTest, RetrieveHandsOutTheItemDocumentAndNothingForAnUnknownOne)
{
    std::string href;
    seed = [&](DeviceEmulator& d) { href = d.Library().AddAlbum(Album("Ann", "Blue")); };
    StartDevice();

    ASSERT_TRUE(Ask(peer->MakeMessage("Library", "Music.retrieve", "href", href), "Music.file.query.results", true,
        { { "href", href }, { "mtype", "music" } }));
    ASSERT_TRUE(PumpUntil([&] { return peer->received.size() == 1; }));
    EXPECT_EQ(peer->received[0].GetString("href"), href) << "the reply keeps the arguments the client gave it";
    EXPECT_EQ(peer->payloads[0], AlbumDocument(Album("Ann", "Blue"), href));

    ASSERT_TRUE(Ask(peer->MakeMessage("Library", "Music.retrieve", "href", "file://localhost/Database/none.xml"),
        "Music.file.query.results", true));
    ASSERT_TRUE(PumpUntil([&] { return peer->received.size() == 2; }));
    EXPECT_EQ(peer->payloads[1], "");
}

TEST_F(DeviceEmulatorTest, FilesMoveByteForByteInBothDirections)
{
    const std::string cover = Bytes(9000);
    seed = [&](DeviceEmulator&) { WriteFile("device/Database/Music/Covers/a.jpg", cover); };
    StartDevice();

    // Out of the device, under the firmware's name for its root.
    const int fetch = peer->GetFile("System", "vqp://aldercrest-emulator/7.0.5/Database/Music/Covers/a.jpg", "a.jpg", true);
    ASSERT_NE(fetch, 0);
    ASSERT_TRUE(PumpUntil([&] { return !peer->completed.empty(); }));
    EXPECT_EQ(peer->completed[0], std::make_pair(fetch, 0));
    EXPECT_EQ(ReadFile("a.jpg"), cover);

    // Into the device: the check reserves a place, the transfer fills it, the release ends the reservation.
    const std::string song = Bytes(25000);
    WriteFile("song.mp3", song);
    vireo::Message check = peer->MakeMessage("System", "File.check", "id", "7");
    check.SetArg("sender", peer->Name());
    check.SetArg("filesize", static_cast<int>(song.size()));
    check.SetArg("item", 1);
    check.SetPayload("<?xml version=\"1.0\" encoding=\"UTF-8\"?><mp3info href=\"\"><title>T</title></mp3info>");
    ASSERT_TRUE(Ask(check, "File.reply", true));
    ASSERT_TRUE(PumpUntil([&] { return !peer->Received("File.reply").empty(); }));
    const vireo::Message reply = peer->Received("File.reply").front();
    EXPECT_EQ(reply.GetString("id"), "7");
    const std::string fileName = reply.GetString("filename");
    const std::string spaceID = reply.GetString("spaceID");
    ASSERT_FALSE(fileName.empty());
    ASSERT_EQ(device->Space().Reservations().size(), 1u);
    EXPECT_EQ(device->Space().Reservations()[0].size, static_cast<long long>(song.size()));

    const int send = peer->PutFile("System", "song.mp3", fileName, true);
    ASSERT_NE(send, 0);
    ASSERT_TRUE(PumpUntil([&] { return peer->completed.size() == 2; }));
    EXPECT_EQ(peer->completed[1], std::make_pair(send, 0));
    EXPECT_EQ(ReadFile(fs::path("device") / fileName), song);

    vireo::Message release = peer->MakeMessage("System", "File.unreserve", "spaceID", spaceID);
    ASSERT_TRUE(peer->Send(release));
    ASSERT_TRUE(PumpUntil([&] { return device->Space().Reservations().empty(); }));
}

TEST_F(DeviceEmulatorTest, TransfersStayInsideTheLibraryFolder)
{
    WriteFile("secret.txt", "not the device's");
    StartDevice();
    peer->Record("File.open.nack");
    const char* outside[] = { "../secret.txt", "7.0.5/../secret.txt", "vqp://x/../secret.txt", "/etc/hostname" };
    for (const char* reference : outside) {
        const std::size_t before = peer->Received("File.open.nack").size();
        ASSERT_NE(peer->GetFile("System", reference, "copy.txt", true), 0);
        ASSERT_TRUE(PumpUntil([&] { return peer->Received("File.open.nack").size() == before + 1; })) << reference;
    }
    EXPECT_EQ(ReadFile("secret.txt"), "not the device's");
}

TEST_F(DeviceEmulatorTest, RefusedRequestsGetAFailureAnswer)
{
    WriteFile("device/Database/Music/Covers/a.jpg", "cover");
    StartDevice({ "refuse=File.check,File.open,Music.retrieve" });
    std::string href = device->Library().AddAlbum(Album("Ann", "Blue"));

    vireo::Message check = peer->MakeMessage("System", "File.check", "id", "3");
    check.SetArg("filesize", 10);
    ASSERT_TRUE(Ask(check, "File.reply", true));
    ASSERT_TRUE(PumpUntil([&] { return !peer->Received("File.reply").empty(); }));
    EXPECT_EQ(peer->Received("File.reply")[0].GetString("id"), "3");
    EXPECT_FALSE(peer->Received("File.reply")[0].Has("filename"));
    EXPECT_TRUE(device->Space().Reservations().empty());

    peer->Record("File.open.nack");
    ASSERT_NE(peer->GetFile("System", "Database/Music/Covers/a.jpg", "a.jpg", true), 0);
    ASSERT_TRUE(PumpUntil([&] { return !peer->Received("File.open.nack").empty(); }));

    ASSERT_TRUE(Ask(peer->MakeMessage("Library", "Music.retrieve", "href", href), "Music.file.query.results", true));
    ASSERT_TRUE(PumpUntil([&] { return !peer->Received("Music.file.query.results").empty(); }));
    EXPECT_EQ(peer->payloads.back(), "");
    EXPECT_EQ(device->Rules().AppliedCount("Music.retrieve"), 1);
}

TEST_F(DeviceEmulatorTest, ARefusedRegistrationLeavesThePeerUnregistered)
{
    StartDevice({ "refuse=Process.identity" });
    ASSERT_TRUE(PumpUntil([&] { return device->Rules().AppliedCount("Process.identity") == 1; }));
    // The router answers in order: a registration's answers would come before the discovery answer.
    peer->Discover();
    ASSERT_TRUE(PumpUntil([&] { return !peer->discovered.empty(); }));
    EXPECT_FALSE(peer->HasProperty("udn"));
    EXPECT_FALSE(peer->HasProperty("revNum"));
}

TEST_F(DeviceEmulatorTest, DroppedRequestsGoUnansweredAndDelayedOnesAreAnsweredLater)
{
    StartDevice({ "drop=Music.query", "delay=Radio.query:30,File.check:10,File.open:10" });

    vireo::Message query = peer->MakeMessage("Library", "Music.query", "index", "All");
    ASSERT_TRUE(Ask(query, "Music.albums.list.all.query.results"));
    ASSERT_TRUE(PumpUntil([&] { return device->Rules().AppliedCount("Music.query") == 1; }));

    // The device handles its requests in order: once a later request is answered, an answer to the
    // dropped one would have come before it.
    ASSERT_TRUE(Ask(peer->MakeMessage("Library", "Music.metaquery", "index", "group"), "Groups.query.results"));
    ASSERT_TRUE(PumpUntil([&] { return !peer->Received("Groups.query.results").empty(); }));
    EXPECT_TRUE(peer->Received("Music.albums.list.all.query.results").empty());

    ASSERT_TRUE(Ask(peer->MakeMessage("Library", "Radio.query", "index", "All"), "Radio.list.all.query.results"));
    ASSERT_TRUE(PumpUntil([&] { return !peer->Received("Radio.list.all.query.results").empty(); }));
    EXPECT_EQ(device->Rules().AppliedCount("Radio.query"), 1);
    vireo::Message check = peer->MakeMessage("System", "File.check", "id", "4");
    check.SetArg("filesize", 10);
    ASSERT_TRUE(Ask(check, "File.reply", true));
    ASSERT_TRUE(PumpUntil([&] { return !peer->Received("File.reply").empty(); }));
    EXPECT_FALSE(peer->Received("File.reply")[0].GetString("filename").empty());
    EXPECT_EQ(device->Rules().AppliedCount("File.check"), 1);

    // A transfer's packets go back to where its open came from, which only the datagram tells: it is
    // handled at once.
    WriteFile("device/Music/a.mp3", "music");
    ASSERT_NE(peer->GetFile("System", "Music/a.mp3", "a.mp3", true), 0);
    ASSERT_TRUE(PumpUntil([&] { return !peer->completed.empty(); }));
    EXPECT_EQ(ReadFile("a.mp3"), "music");
    EXPECT_EQ(device->Rules().AppliedCount("File.open"), 0);

    // Rules can be lifted while the device runs.
    device->Rules().Clear("Music.query");
    ASSERT_TRUE(Ask(query, "Music.albums.list.all.query.results"));
    ASSERT_TRUE(PumpUntil([&] { return !peer->Received("Music.albums.list.all.query.results").empty(); }));
}

TEST_F(DeviceEmulatorTest, OwnerDetailsAreSetReadAndKeptButNoOtherProperty)
{
    StartDevice();
    vireo::Message set = peer->MakeMessage("System", "Properties.set", "Setup.firstName", "Ann");
    set.SetArg("Setup.homeCity", "Ely; Cambs");
    set.SetArg("port", "9");
    ASSERT_TRUE(peer->Send(set));
    ASSERT_TRUE(PumpUntil([&] { return device->Setup().Get("Setup.homeCity") == "Ely; Cambs"; }));

    vireo::Message get = peer->MakeMessage(
        "System", "Properties.get", "attributes", "Setup.lastName,Setup.firstName,Setup.homeCity,port");
    get.SetArg("sender", peer->Name());
    ASSERT_TRUE(Ask(get, "Properties.get.results"));
    ASSERT_TRUE(PumpUntil([&] { return !peer->received.empty(); }));
    const vireo::Message reply = peer->received[0];
    EXPECT_EQ(reply.GetString("Setup.firstName"), "Ann");
    EXPECT_EQ(reply.GetString("Setup.homeCity"), "Ely; Cambs");
    EXPECT_TRUE(reply.Has("Setup.lastName"));
    EXPECT_EQ(reply.GetString("Setup.lastName"), "");
    EXPECT_EQ(reply.GetString("port"), std::to_string(port)) << "the router's port stays what it was";

    SetupValues saved("device");
    ASSERT_TRUE(saved.Load());
    EXPECT_EQ(saved.Get("Setup.homeCity"), "Ely; Cambs");
}

TEST_F(DeviceEmulatorTest, RemovalsTakeItemsAndTheirDocumentsAway)
{
    std::string first;
    std::string second;
    std::string playlist;
    seed = [&](DeviceEmulator& d) {
        first = d.Library().AddAlbum(Album("Ann", "Blue"));
        second = d.Library().AddAlbum(Album("Bo", "Loud"));
        playlist = d.Library().AddPlaylist({ "Evening", "", {}, {} });
        d.Library().AddStation({ "st1", "Radio One", "", "", "", {}, "", "", 1, 0, "", 0, "", 0 });
    };
    StartDevice();
    ASSERT_TRUE(fs::exists(fs::path("device") / DevicePath(first)));

    vireo::Message albums = peer->MakeMessage("System", "Music.remove", "1.href", first);
    albums.SetArg("2.href", second);
    ASSERT_TRUE(peer->Send(albums));
    vireo::Message list = peer->MakeMessage("Library", "Music.remove", "href", playlist);
    ASSERT_TRUE(peer->Send(list));
    vireo::Message station = peer->MakeMessage("Library", "Radio.remove", "identifier", "st1");
    ASSERT_TRUE(peer->Send(station));
    ASSERT_TRUE(PumpUntil([&] { return device->Library().Items().empty(); }));
    EXPECT_FALSE(fs::exists(fs::path("device") / DevicePath(first)));
}

TEST_F(DeviceEmulatorTest, CreatedAndChangedItemsAreListedUnderTheDevicesOwnReference)
{
    StartDevice();
    // The desktop's album has no device reference yet, and its document names a type on the web.
    AlbumContent album = Album("Ann", "Blue");
    vireo::Message create = peer->MakeMessage("Library", "Music.create", "name", "AlbumCreate");
    create.SetPayload(AlbumDocument(album, ""));
    ASSERT_TRUE(peer->Send(create));
    GroupContent group { true, "News", 0, "" };
    vireo::Message radio = peer->MakeMessage("Library", "Radio.create");
    radio.SetPayload(GroupDocument(group, ""));
    ASSERT_TRUE(peer->Send(radio));
    ASSERT_TRUE(PumpUntil([&] { return device->Library().Items().size() == 2; }));

    const std::vector<LibraryItem> items = device->Library().Items();
    const auto created = std::find_if(
        items.begin(), items.end(), [](const LibraryItem& item) { return item.kind == ItemKind::Mp3Album; });
    ASSERT_NE(created, items.end());
    const std::string href = DeviceLibrary::ReferenceOf(created->path);
    EXPECT_EQ(device->Library().Count(ItemKind::RadioGroup), 1u);
    ASSERT_TRUE(Ask(peer->MakeMessage("Library", "Music.retrieve", "href", href), "Music.file.query.results", true));
    ASSERT_TRUE(PumpUntil([&] { return !peer->payloads.empty(); }));
    EXPECT_EQ(peer->payloads[0], AlbumDocument(album, href)) << "stored as sent, under its new reference";

    // A change names the album in the desktop's form; the listing follows the new title.
    album.title = "Blue (remastered)";
    vireo::Message change = peer->MakeMessage("Library", "Music.change", "href", "vqp://localhost/" + DevicePath(href));
    change.SetPayload(AlbumDocument(album, "vqp://localhost/" + DevicePath(href)));
    ASSERT_TRUE(peer->Send(change));
    ASSERT_TRUE(PumpUntil([&] { return device->Library().Find(href)->secondaryKey == "Blue (remastered)"; }));
    EXPECT_EQ(device->Library().Find(href)->document, AlbumDocument(album, href));

    // What cannot be read changes nothing.
    vireo::Message broken = peer->MakeMessage("Library", "Music.change", "href", href);
    broken.SetPayload("<mp3info href=\"x\"><title>cut off");
    ASSERT_TRUE(peer->Send(broken));
    ASSERT_TRUE(Ask(peer->MakeMessage("Library", "Music.query", "index", "All"), "Music.albums.list.all.query.results"));
    ASSERT_TRUE(PumpUntil([&] { return peer->payloads.size() == 2; }));
    EXPECT_EQ(device->Library().Find(href)->document, AlbumDocument(album, href));
}

TEST_F(DeviceEmulatorTest, ALibraryFolderIsReadBackAtStart)
{
    std::string href;
    {
        DeviceEmulator first([] {
            EmulatorOptions options;
            options.folder = "device";
            return options;
        }());
        href = first.Library().AddAlbum(Album("Ann", "Blue"));
        first.Library().AddStation({ "st9", "Radio Nine", "", "", "", { "All", "News" }, "", "", 1, 0, "", 0, "", 0 });
        first.Setup().Set("Setup.firstName", "Ann");
    }
    // A document copied in by hand under a wrong reference is listed under its place.
    WriteFile("device/Database/Playlists/P77.xml", PlaylistDocument({ "Evening", "", {}, {} }, "somewhere/else.xml"));
    StartDevice();

    EXPECT_EQ(device->Library().Find(href)->secondaryKey, "Blue");
    EXPECT_EQ(device->Setup().Get("Setup.firstName"), "Ann");
    const std::optional<LibraryItem> playlist = device->Library().Find("Database/Playlists/P77.xml");
    ASSERT_TRUE(playlist);
    EXPECT_NE(playlist->document.find("href=\"file://localhost/Database/Playlists/P77.xml\""), std::string::npos);
    ASSERT_TRUE(Ask(peer->MakeMessage("Library", "Radio.query", "index", "News"), "Radio.list.all.query.results"));
    ASSERT_TRUE(PumpUntil([&] { return !peer->payloads.empty(); }));
    EXPECT_NE(peer->payloads[0].find("primarykey=\"Radio Nine\""), std::string::npos);
    // New items do not take the place of those read back.
    EXPECT_NE(device->Library().AddAlbum(Album("Bo", "Loud")), href);
    EXPECT_EQ(device->Library().Count(ItemKind::Mp3Album), 2u);
}

TEST_F(DeviceEmulatorTest, AStartThatCannotWorkSaysWhyAndRunsNothing)
{
    StartDevice();
    WriteFile("broken/Database/Music/MP3s/A1.xml", "<mp3info><title>no end");
    struct Case {
        std::string folder;
        int port;
        std::string reason;
    };
    const Case cases[] = {
        { "broken", FreeUdpPort(), "Database/Music/MP3s/A1.xml" },
        { "other", port, "port " + std::to_string(port) },
        { fs::temp_directory_path().string(), FreeUdpPort(), "current directory" },
    };
    for (const Case& c : cases) {
        EmulatorOptions options;
        options.folder = c.folder;
        options.port = c.port;
        DeviceEmulator second(options);
        std::string error;
        EXPECT_FALSE(second.Start(error)) << c.folder;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_FALSE(second.IsRunning());
    }
}

TEST_F(DeviceEmulatorTest, FileDeletionsStayInsideTheLibraryFolderWhateverAPeerSets)
{
    WriteFile("device/Music/T1.mp3", "music");
    WriteFile("secret.txt", "not the device's");
    StartDevice();
    peer->Record("File.delete.ack");

    // A peer cannot widen the folders the device's processes serve.
    vireo::Message widen = peer->MakeMessage("Library", "Properties.set", "VFTP.folders", ".");
    ASSERT_TRUE(peer->Send(widen));

    const std::pair<const char*, int> cases[] = { { "../secret.txt", EACCES }, { "vqp://u/Music/T1.mp3", 0 } };
    for (const auto& [file, status] : cases) {
        const std::size_t before = peer->Received("File.delete.ack").size();
        vireo::Message remove = peer->MakeMessage("Library", "File.delete", "file", file);
        remove.SetArg("sender", peer->Name());
        ASSERT_TRUE(peer->Send(remove));
        ASSERT_TRUE(PumpUntil([&] { return peer->Received("File.delete.ack").size() == before + 1; })) << file;
        EXPECT_EQ(peer->Received("File.delete.ack").back().GetInt("status", -1), status) << file;
    }
    EXPECT_FALSE(fs::exists("device/Music/T1.mp3"));
    EXPECT_EQ(ReadFile("secret.txt"), "not the device's");
    EXPECT_FALSE(fs::exists("Library.prp")) << "the device's processes keep their properties to themselves";
}

} // namespace
