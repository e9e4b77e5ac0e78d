// The device client's requests and the replies that fill its tables: what goes to which device
// process, where the reply address travels, and what each request returns.

#include <gtest/gtest.h>

#include "sync/DeviceClient.h"
#include "sync/RecordReader.h"
#include "sync/SyncRunState.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/ScriptedLink.h"

using record_reader::Utf8;
using sync_test::ScriptedLink;

namespace {

constexpr const char* kTwoAlbums = R"(<container>
    <item label="A"><ref href="vqp://localhost/Music/a.xml" primarykey="Artist" secondarykey="First"/></item>
    <item label="B"><ref href="file://localhost/Music/b.xml" primarykey="Artist" secondarykey="Second"/></item>
    </container>)";

class DeviceClientRequests : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_apartment.registered, S_OK);
        DeviceClient::ResetState();
        DeviceClient::ReplyFlags().clear();
        SyncRunState::Reset();
        auto owned = std::make_unique<ScriptedLink>();
        link = owned.get();
        client = std::make_unique<DeviceClient>(std::move(owned));
        link->events.push_back(ScriptedLink::Busy());
        ASSERT_TRUE(client->Initialize());
    }
    void TearDown() override
    {
        client.reset();
        DeviceClient::ResetState();
    }

    // Answers each request of the name with the reply, once.
    void AnswerOnce(const std::string& request, vireo::Message reply)
    {
        answers[request].push_back(std::move(reply));
        link->onSend = [this](const vireo::Message& sent) {
            auto entry = answers.find(sent.Name());
            if (entry == answers.end() || entry->second.empty())
                return;
            link->events.push_back(ScriptedLink::Deliver(entry->second.front()));
            entry->second.erase(entry->second.begin());
        };
    }
    static vireo::Message Document(const std::string& name, const std::string& payload,
        const std::map<std::string, std::string>& args = {})
    {
        return ScriptedLink::Reply(name, args, payload);
    }

    sync_test::ComApartment m_apartment;
    ScriptedLink* link { nullptr };
    std::unique_ptr<DeviceClient> client;
    std::map<std::string, std::vector<vireo::Message>> answers;
};

} // namespace

TEST_F(DeviceClientRequests, TheAlbumQueryCarriesItsReplyAddressAsPayload)
{
    AnswerOnce("Music.query", Document("Music.albums.list.all.query.results", kTwoAlbums));
    HRESULT hr = E_UNEXPECTED;
    AlbumList& albums = client->QueryAlbums(hr);
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(albums.size(), 2u);
    ASSERT_EQ(link->sent.size(), 1u);
    const vireo::Message& query = link->sent[0];
    EXPECT_EQ(query.PathValue(), "Library");
    EXPECT_EQ(query.AnchorValue(), "Music.query!" + query.Payload());
    EXPECT_EQ(query.GetString("index"), "All");
    EXPECT_EQ(query.GetString("query"), "getAll");
    const vireo::Message replyAddress { vireo::VireoURI(query.Payload()) };
    EXPECT_EQ(replyAddress.PathValue(), "client");
    EXPECT_EQ(replyAddress.Name(), "Music.albums.list.all.query.results");
    EXPECT_EQ(replyAddress.GetString("mtype"), "music");
}

TEST_F(DeviceClientRequests, AlbumQueriesAskAgainAndKeepTheFirstRecordOfEachAlbum)
{
    AnswerOnce("Music.query", Document("Music.albums.list.all.query.results", kTwoAlbums));
    AnswerOnce("Music.query",
        Document("Music.albums.list.all.query.results",
            R"(<container><item label="Z"><ref href="vqp://localhost/Music/a.xml" primarykey="X"/></item>
               <item label="C"><ref href="c" primarykey="X"/></item></container>)"));
    HRESULT hr = E_UNEXPECTED;
    client->QueryAlbums(hr);
    AlbumList& albums = client->QueryAlbums(hr);
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(link->SentNamed("Music.query").size(), 2u);
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(Utf8(albums.at(u"vqp://localhost/Music/a.xml")->Value(AlbumRecord::ItemLabel)), "A");
}

TEST_F(DeviceClientRequests, AnEmptyAlbumListFailsTheQueryButOneThatDoesNotParseDoesNot)
{
    const std::pair<const char*, HRESULT> cases[] = { { "", E_FAIL }, { "<container><item", S_OK } };
    for (const auto& [payload, expected] : cases) {
        AnswerOnce("Music.query", Document("Music.albums.list.all.query.results", payload));
        HRESULT hr = E_UNEXPECTED;
        EXPECT_TRUE(client->QueryAlbums(hr).empty());
        EXPECT_EQ(hr, expected) << payload;
    }
}

TEST_F(DeviceClientRequests, ALateReplyNeverSatisfiesALaterRequest)
{
    HRESULT hr = S_OK;
    client->QueryAlbums(hr);
    EXPECT_EQ(hr, E_FAIL);
    link->Dispatch(Document("Music.albums.list.all.query.results", "<container/>"));
    client->QueryAlbums(hr);
    EXPECT_EQ(hr, E_FAIL);
}

TEST_F(DeviceClientRequests, ACancelledRunStopsTheWaitWithinOneSlice)
{
    link->events.push_back([](ScriptedLink&) {
        SyncRunState::Cancel();
        return 0;
    });
    for (int i = 0; i < 5; ++i)
        link->events.push_back(ScriptedLink::Busy());
    const std::size_t before = link->waits.size();
    EXPECT_FALSE(client->WaitForReply("Music.file.query.results", 0));
    EXPECT_EQ(link->waits.size() - before, 1u);
    SyncRunState::Reset();
}

TEST_F(DeviceClientRequests, StationsAndPlaylistsAreAskedForOnceAndASilentDeviceHasNone)
{
    HRESULT hr = E_UNEXPECTED;
    EXPECT_TRUE(client->QueryRadioStations(hr).empty());
    EXPECT_EQ(hr, S_OK);
    EXPECT_TRUE(client->QueryPlaylists(hr).empty());
    EXPECT_EQ(hr, S_OK);
    ASSERT_EQ(link->SentNamed("Radio.query").size(), 1u);
    EXPECT_EQ(link->SentNamed("Music.query")[0].GetString("index"), "Playlists");

    AnswerOnce("Radio.query",
        Document("Radio.list.all.query.results", R"(<container><item label="R"><ref href="r1"/></item></container>)"));
    EXPECT_EQ(client->QueryRadioStations(hr).size(), 1u);
    EXPECT_EQ(client->QueryRadioStations(hr).size(), 1u);
    EXPECT_EQ(link->SentNamed("Radio.query").size(), 2u);
}

TEST_F(DeviceClientRequests, GroupsGoToTheRadioTableOnlyForTheExactWordRadio)
{
    const char* groups = R"(<container><list><item label="g"><ref href="g1" primarykey="Rock"/></item></list>
        <item label="n"/></container>)";
    AnswerOnce("Music.metaquery", Document("Groups.query.results", groups, { { "gtype", "music" } }));
    AnswerOnce("Radio.metaquery", Document("Groups.query.results", groups, { { "gtype", "Radio" } }));
    AnswerOnce("Radio.metaquery", Document("Groups.query.results", groups, { { "gtype", "radio" } }));
    HRESULT hr = E_UNEXPECTED;
    const GroupRecord* held = nullptr;
    EXPECT_EQ(client->QueryGroups(hr, "music").size(), 1u);
    held = DeviceClient::MusicGroups().at(u"g1").get();
    EXPECT_EQ(client->QueryGroups(hr, "Radio").size(), 0u); // filled the music table instead
    EXPECT_EQ(DeviceClient::MusicGroups().size(), 1u);
    EXPECT_EQ(client->QueryGroups(hr, "radio").size(), 1u);
    EXPECT_EQ(hr, S_OK);
    // The record a step held when a reply replaced it is still readable.
    EXPECT_EQ(Utf8(held->Name()), "Rock");
    const auto sent = link->SentNamed("Music.metaquery");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].GetString("index"), "group");
}

TEST_F(DeviceClientRequests, AnAlbumIsFetchedOnlyFromThisDevice)
{
    HRESULT hr = S_OK;
    EXPECT_EQ(client->RetrieveAlbum(hr, u"vqp://localhost/Music/a.xml"), nullptr);
    EXPECT_EQ(hr, E_FAIL);
    EXPECT_TRUE(link->sent.empty());

    AnswerOnce("Music.query", Document("Music.albums.list.all.query.results",
        R"(<container><item label="A"><ref href="vqp://localhost/Music/a.xml"/></item>
           <item label="B"><ref href="vqp://elsewhere/Music/b.xml"/></item></container>)"));
    client->QueryAlbums(hr);
    const std::size_t sent = link->sent.size();
    AlbumRecord* foreign = client->RetrieveAlbum(hr, u"vqp://elsewhere/Music/b.xml");
    EXPECT_EQ(hr, S_OK);
    ASSERT_NE(foreign, nullptr);
    EXPECT_TRUE(foreign->IsHidden());
    EXPECT_TRUE(foreign->DetailsRead());
    EXPECT_EQ(client->RetrieveAlbum(hr, u"vqp://elsewhere/none.xml"), nullptr);
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(link->sent.size(), sent);

    AnswerOnce("Music.retrieve",
        Document("Music.file.query.results",
            R"(<!DOCTYPE cdinfo SYSTEM "http://example.invalid/vireo/cdinfo.dtd"><cdinfo href="vqp://localhost/Music/a.xml">
               <title>Blue</title></cdinfo>)",
            { { "href", "vqp://localhost/Music/a.xml" } }));
    AlbumRecord* local = client->RetrieveAlbum(hr, u"vqp://localhost/Music/a.xml");
    EXPECT_EQ(hr, S_OK);
    ASSERT_NE(local, nullptr);
    EXPECT_TRUE(local->DetailsRead());
    EXPECT_FALSE(local->IsHidden());
    EXPECT_EQ(Utf8(local->Value(AlbumRecord::Title)), "Blue");
    const auto retrieve = link->SentNamed("Music.retrieve");
    ASSERT_EQ(retrieve.size(), 1u);
    EXPECT_EQ(retrieve[0].GetString("href"), "vqp://localhost/Music/a.xml");
    const vireo::Message replyAddress { retrieve[0].GetURI("return") };
    EXPECT_EQ(replyAddress.Name(), "Music.file.query.results");
    EXPECT_EQ(replyAddress.GetString("href"), "vqp://localhost/Music/a.xml");
}

TEST_F(DeviceClientRequests, SetupValuesComeAsArgumentsAndOnlyFlaggedOnesAreSent)
{
    AnswerOnce("Properties.get",
        ScriptedLink::Reply("Properties.get.results", { { "Setup.firstName", "Ada" }, { "Setup.homeCity", "Z\xC3\xBCrich" } }));
    EXPECT_TRUE(client->GetSetupProperties());
    CustomerSetup& setup = client->Setup();
    EXPECT_EQ(Utf8(setup.Value(CustomerSetup::firstName)), "Ada");
    EXPECT_EQ(Utf8(setup.Value(CustomerSetup::homeCity)), "Z\xC3\xBCrich");
    EXPECT_EQ(setup.Value(CustomerSetup::phoneNumber).vt, VT_BSTR);
    EXPECT_EQ(Utf8(setup.Value(CustomerSetup::phoneNumber)), "");
    const auto get = link->SentNamed("Properties.get");
    ASSERT_EQ(get.size(), 1u);
    EXPECT_EQ(get[0].PathValue(), "System");
    EXPECT_EQ(get[0].GetString("sender"), "client");

    const std::size_t sent = link->sent.size();
    EXPECT_TRUE(client->SendSetupProperties());
    EXPECT_EQ(link->sent.size(), sent);
    setup.SendFlag(CustomerSetup::lastName) = true;
    setup.Value(CustomerSetup::lastName) = _variant_t(u"Lovelace");
    EXPECT_TRUE(client->SendSetupProperties());
    const auto set = link->SentNamed("Properties.set");
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0].GetString("Setup.lastName"), "Lovelace");
    EXPECT_FALSE(set[0].Has("Setup.firstName"));
}

TEST_F(DeviceClientRequests, RemovingAlbumsSendsOneRemovalPerListedAlbumAndKeepsHeldRecordsAlive)
{
    AnswerOnce("Music.query", Document("Music.albums.list.all.query.results", kTwoAlbums));
    HRESULT hr = E_UNEXPECTED;
    const AlbumRecord* held = client->QueryAlbums(hr).at(u"vqp://localhost/Music/a.xml").get();

    EXPECT_EQ(client->RemoveAlbums("<container><item"), S_FALSE);
    EXPECT_TRUE(link->SentNamed("Music.remove").empty());
    EXPECT_EQ(client->RemoveAlbums(""), E_INVALIDARG);

    EXPECT_EQ(client->RemoveAlbums(kTwoAlbums), S_OK);
    const auto removals = link->SentNamed("Music.remove");
    ASSERT_EQ(removals.size(), 2u);
    EXPECT_EQ(removals[0].PathValue(), "System");
    EXPECT_EQ(removals[0].GetString("1.href"), "Music/b.xml");
    EXPECT_EQ(removals[1].GetString("1.href"), "Music/a.xml");
    EXPECT_EQ(Utf8(held->Value(AlbumRecord::Title)), "First");
}

TEST_F(DeviceClientRequests, ChangesNameTheDocumentsHrefAndCarryTheDocumentInUtf8)
{
    const std::string document = "<?xml version=\"1.0\"?>\n<cdinfo href=\"vqp://localhost/Music/a.xml\"><title>Caf\xC3\xA9</title></cdinfo>";
    EXPECT_EQ(client->ChangeAlbum(document), S_OK);
    const auto changes = link->SentNamed("Music.change");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].PathValue(), "Library");
    EXPECT_EQ(changes[0].GetString("href"), "Music/a.xml");
    EXPECT_EQ(changes[0].Payload(),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cdinfo href=\"vqp://localhost/Music/a.xml\"><title>Caf\xC3\xA9</title></cdinfo>");

    EXPECT_EQ(client->ChangeAlbum("<cdinfo href=\"h\"><year>1</year></cdinfo>"), E_FAIL);
    EXPECT_EQ(client->ChangeAlbum("<cdinfo"), E_FAIL);
    EXPECT_EQ(client->ChangeAlbum(""), E_INVALIDARG);
    EXPECT_EQ(link->SentNamed("Music.change").size(), 1u);
}

TEST_F(DeviceClientRequests, OnlyADeclarationThatOpensTheDocumentIsRewritten)
{
    const std::string document = "<songlistinfo href=\"p\"><!-- <?xml version=\"1.0\" --></songlistinfo>";
    EXPECT_EQ(client->CreatePlaylist(document, "Road"), S_OK);
    const auto creates = link->SentNamed("Music.create");
    ASSERT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates[0].GetString("name"), "Road");
    EXPECT_EQ(creates[0].Payload(), document);
}

TEST_F(DeviceClientRequests, FileDeletionsAndGroupRemovalsNameTheDevicePath)
{
    EXPECT_EQ(client->DeleteFile("file://localhost/Music/x.mp3"), S_OK);
    const auto deletes = link->SentNamed("File.delete");
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_EQ(deletes[0].GetString("file"), "Music/x.mp3");
    EXPECT_EQ(deletes[0].GetString("sender"), "client");

    EXPECT_EQ(client->RemoveRadioGroup(u"vqp://localhost/"), E_INVALIDARG);
    EXPECT_EQ(client->RemoveMusicGroup(u"vqp://localhost/Groups/g1.xml"), S_OK);
    EXPECT_EQ(link->SentNamed("Music.remove")[0].GetString("href"), "Groups/g1.xml");
    link->sendSucceeds = false;
    EXPECT_EQ(client->RemoveMusicGroup(u"g1"), E_FAIL);
}
