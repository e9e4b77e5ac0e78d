// The records read from the device's documents: container items, album, playlist, group and
// station documents, and the album list's lookup of URL variants.

#include <gtest/gtest.h>

#include "platform/base/CodePage.h"
#include "platform/xml/MsXml.h"
#include "sync/AlbumList.h"
#include "sync/GroupRecord.h"
#include "sync/PlaylistList.h"
#include "sync/RadioList.h"
#include "sync/RecordReader.h"
#include "sync/SyncRunState.h"
#include "sync/tests/ComApartment.h"

using record_reader::Utf8;
using record_reader::Wide;

namespace {

class Records : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_apartment.registered, S_OK); }

    // The document parsed from the text.
    static IXMLDOMDocument2Ptr Parse(const std::string& text)
    {
        IXMLDOMDocument2Ptr document;
        EXPECT_EQ(document.CreateInstance(CLSID_DOMDocument30), S_OK);
        VARIANT_BOOL loaded = VARIANT_FALSE;
        EXPECT_EQ(document->loadXML(_bstr_t(text.c_str()), &loaded), S_OK);
        EXPECT_EQ(loaded, VARIANT_TRUE);
        return document;
    }
    // The root element of the document parsed from the text.
    IXMLDOMNodePtr Root(const std::string& text)
    {
        IXMLDOMElementPtr root;
        m_documents.push_back(Parse(text));
        m_documents.back()->get_documentElement(&root);
        return root;
    }

private:
    sync_test::ComApartment m_apartment;
    std::vector<IXMLDOMDocument2Ptr> m_documents;
};

std::string Text(const _variant_t& value) { return Utf8(value); }

LONG Number(const _variant_t& value) { return value.vt == VT_I4 ? value.lVal : -12345; }

} // namespace

TEST_F(Records, ContainerItemsBecomeAlbumsOncePerUrlAndPlaylistsAreLeftOut)
{
    SyncRunState::Reset();
    AlbumList albums;
    ASSERT_TRUE(albums.ParseItems(Parse(R"(<container>
        <item label="L1"><ref href="h1" primarykey="Artist" secondarykey="Album"/></item>
        <item label="L2"><ref href="h1" primarykey="Other" secondarykey="Other"/></item>
        <item label="P1"><ref href="p1" primarykey="Playlist" secondarykey="x"/></item>
        <item label="P2"><ref href="p2" primarykey="y" secondarykey="Playlist"/></item>
        <item label="P3"><ref href="p3" primarykey="playlist"/></item>
        <item label="E"/>
        <item><ref href="nolabel"/></item>
        </container>)")));
    ASSERT_EQ(albums.size(), 3u);
    const AlbumRecord& first = *albums.at(u"h1");
    EXPECT_EQ(Text(first.Value(AlbumRecord::ItemLabel)), "L1");
    EXPECT_EQ(Text(first.Value(AlbumRecord::Artist)), "Artist");
    EXPECT_EQ(Text(first.Value(AlbumRecord::Title)), "Album");
    EXPECT_EQ(albums.count(u"p3"), 1u); // only the exact word names a playlist
    EXPECT_EQ(SyncRunState::ItemCount(), 2u);
    EXPECT_EQ(Text(albums.at(u"")->Value(AlbumRecord::ItemLabel)), "E");
    EXPECT_FALSE(albums.ParseItems(Parse("<container/>")));
}

TEST_F(Records, AnAlbumDocumentFillsTheRecordItsGroupsAndItsTracks)
{
    AlbumRecord album;
    ASSERT_TRUE(album.ParseCdInfo(Root(R"(<cdinfo href="vqp://localhost/CDs/a.xml">
        <rsrc href="-FrontPanelDrive"/><location>shelf</location><cd>1</cd><toc>0 150</toc>
        <title>Blue</title><titlesort>Blue, The</titlesort><label>Label</label><year>1999</year>
        <coverart>covers/a.jpg</coverart>
        <group>All</group><group>Rock</group><group>MP3s</group><group></group><group>Jazz</group>
        <track number="3" length="100" bitrate="64" href="t1">First</track>
        <track number="3" length="200" href="t2" meta="m">Second</track>
        <track number="4" length="" bitrate="128k">Four</track>
        </cdinfo>)")));
    EXPECT_TRUE(album.DetailsRead());
    EXPECT_FALSE(album.IsHidden());
    EXPECT_EQ(Text(album.Value(AlbumRecord::Href)), "vqp://localhost/CDs/a.xml");
    EXPECT_EQ(Text(album.Value(AlbumRecord::ResourceHref)), "-FrontPanelDrive");
    EXPECT_EQ(Text(album.Value(AlbumRecord::Title)), "Blue");
    EXPECT_EQ(Text(album.Value(AlbumRecord::Year)), "1999");
    EXPECT_EQ(Text(album.Value(AlbumRecord::CoverArt)), "covers/a.jpg");
    EXPECT_EQ(Text(album.Value(AlbumRecord::Genre)), "Jazz");
    EXPECT_EQ(album.GroupNames(), (std::vector<std::string> { "All", "Rock", "MP3s", "Jazz" }));

    ASSERT_EQ(album.TrackCount(), 2u);
    const TrackRecord& three = *album.Tracks().at(3);
    EXPECT_EQ(Text(three.Value(TrackRecord::TrackTitle)), "Second");
    EXPECT_EQ(Number(three.Value(TrackRecord::TrackLength)), 200);
    EXPECT_EQ(Number(three.Value(TrackRecord::Bitrate)), 0);
    EXPECT_EQ(Text(three.Value(TrackRecord::Href)), "t2");
    EXPECT_EQ(Text(three.Value(TrackRecord::Meta)), "m");
    EXPECT_EQ(Number(three.Value(TrackRecord::AlbumTrackID)), -1);
    const TrackRecord& four = *album.Tracks().at(4);
    EXPECT_EQ(Number(four.Value(TrackRecord::TrackLength)), 0);
    EXPECT_EQ(Number(four.Value(TrackRecord::Bitrate)), 128);
    EXPECT_EQ(four.Value(TrackRecord::Href).vt, VT_BSTR);
    EXPECT_TRUE(album.IsCdPath());
}

TEST_F(Records, AnAlbumDocumentWithoutTitleIsNotRead)
{
    AlbumRecord album;
    EXPECT_FALSE(album.ParseCdInfo(Root(R"(<mp3info href="h"><year>1999</year></mp3info>)")));
    EXPECT_FALSE(album.DetailsRead());
    EXPECT_EQ(Text(album.Value(AlbumRecord::Href)), "h");

    AlbumRecord collections;
    ASSERT_TRUE(collections.ParseCdInfo(
        Root(R"(<mp3info href="h"><title>T</title><group>All</group><group>CDs</group><group>MP3s</group></mp3info>)")));
    EXPECT_EQ(Text(collections.Value(AlbumRecord::Genre)), "");
}

TEST_F(Records, LongTextsAreCutToTheirColumnsWithoutSplittingACharacter)
{
    std::string title;
    for (int i = 0; i < 150; ++i)
        title += "\xC3\xA9"; // é
    title += std::string(150, 'a');
    AlbumRecord album;
    ASSERT_TRUE(album.ParseCdInfo(Root("<cdinfo href=\"h\"><title>" + title + "</title></cdinfo>")));
    const std::u16string cut = Wide(album.Value(AlbumRecord::Title));
    EXPECT_EQ(cut.size(), 255u);
    EXPECT_EQ(cut, platform::Utf8ToUtf16(title).substr(0, 255));
}

TEST_F(Records, TheAlbumListFindsUrlVariants)
{
    const struct {
        std::u16string stored;
        std::u16string asked;
        bool found;
    } cases[] = {
        { u"x?type=cd", u"x?type=cd;y", true },
        { u"x", u"x?a=1", true },
        { u"a/b.xml?type=cd", u"a/b.xml?x=1;type=cd;y=2", true },
        { u"a/b.xml?type=cd", u"a/b.xml?x=1", false },
        { u"x", u"y", false },
        { u"X", u"x", false },
    };
    for (const auto& c : cases) {
        AlbumList albums;
        albums.emplace(c.stored, std::make_unique<AlbumRecord>());
        const auto entry = albums.Find(c.asked);
        EXPECT_EQ(entry != albums.end(), c.found) << platform::Utf16ToUtf8(c.asked);
        if (c.found && entry != albums.end()) {
            EXPECT_EQ(entry->first, c.stored);
        }
    }
}

TEST_F(Records, CdPathsAreTheCaseSensitiveCdsFolder)
{
    const std::pair<const char16_t*, bool> cases[] = { { u"vqp://localhost/CDs/a.xml", true },
        { u"vqp://localhost/cds/a.xml", false }, { u"vqp://localhost/MyCDs", false } };
    for (const auto& [href, expected] : cases) {
        AlbumRecord album;
        album.Value(AlbumRecord::Href) = _variant_t(href);
        EXPECT_EQ(album.IsCdPath(), expected);
    }
}

TEST_F(Records, PlaylistsKeepTheirFirstItemAndTheLaterOfTwoTracksWithOneNumber)
{
    PlaylistList playlists;
    ASSERT_TRUE(playlists.ParseItems(Parse(R"(<container>
        <item label="A"><ref href="p1" primarykey="Playlist" secondarykey="Road"/></item>
        <item label="B"><ref href="p1" secondarykey="Other"/></item>
        <item><ref href="p2"/></item>
        <item label="C"><ref primarykey="Playlist"/></item>
        </container>)")));
    ASSERT_EQ(playlists.size(), 1u);
    PlaylistRecord& playlist = *playlists.at(u"p1");
    EXPECT_EQ(Text(playlist.Value(PlaylistRecord::Title)), "Road");
    EXPECT_EQ(Text(playlist.Value(PlaylistRecord::ItemLabel)), "A");
    EXPECT_EQ(Text(playlist.Value(PlaylistRecord::PrimaryKey)), "Playlist");

    ASSERT_TRUE(playlist.ParseSongListInfo(Root(R"(<songlistinfo href="p1" version="2"><title>Road</title>
        <coverart>c.jpg</coverart><group>Mix</group>
        <track number="1" href="a" meta="album#7">One</track><track number="1" href="b">Again</track>
        </songlistinfo>)")));
    EXPECT_TRUE(playlist.DetailsRead());
    EXPECT_EQ(Text(playlist.Value(PlaylistRecord::Version)), "2");
    EXPECT_EQ(Text(playlist.Value(PlaylistRecord::CoverArt)), "c.jpg");
    ASSERT_EQ(playlist.Tracks().size(), 1u);
    EXPECT_EQ(Text(playlist.Tracks().at(1)->Value(TrackRecord::TrackTitle)), "Again");
    EXPECT_EQ(playlist.GroupNames(), std::vector<std::string> { "Mix" });

    PlaylistRecord bare;
    EXPECT_TRUE(bare.ParseSongListInfo(Root(R"(<songlistinfo href="p9"/>)")));
    EXPECT_TRUE(bare.DetailsRead());
    PlaylistRecord nameless;
    EXPECT_FALSE(nameless.ParseSongListInfo(Root(R"(<songlistinfo><title>x</title></songlistinfo>)")));
    EXPECT_FALSE(nameless.DetailsRead());
}

TEST_F(Records, StationsReadTheirStreamWithDefaultsForEmptyNumbers)
{
    RadioList stations;
    ASSERT_TRUE(stations.ParseItems(Parse(R"(<container>
        <item label="A"><ref href="r1" primarykey="Jazz FM" secondarykey="k"/></item>
        <item label="B"><ref href="r1" primarykey="Other"/></item>
        </container>)")));
    ASSERT_EQ(stations.size(), 1u);
    RadioRecord& station = *stations.at(u"r1");
    EXPECT_EQ(Text(station.name), "Jazz FM");

    ASSERT_TRUE(station.ParseRadioInfo(Root(R"(<radioinfo href="r1"><identifier>id1</identifier><name>Jazz</name>
        <call>JZ</call><group>Talk</group><group>All</group><icon href="i.png"/>
        <internet><href>http://stream</href><urlno></urlno><bandwidth>64</bandwidth><status>up</status>
        <streamtype>2</streamtype><stereo>yes</stereo><strength></strength></internet></radioinfo>)")));
    EXPECT_TRUE(station.filled);
    EXPECT_EQ(Text(station.StreamUrl()), "http://stream");
    EXPECT_EQ(station.UrlNumber(), 1);
    EXPECT_EQ(Number(station.strength), 0);
    EXPECT_EQ(Number(station.bandwidth), 64);
    EXPECT_EQ(station.StreamType(), 2);
    EXPECT_EQ(Text(station.iconHref), "i.png");
    EXPECT_EQ(station.genreName, "Talk");
    EXPECT_EQ(station.groupNames, (std::vector<std::string> { "Talk", "All" }));

    RadioRecord quiet;
    ASSERT_TRUE(quiet.ParseRadioInfo(Root(R"(<radioinfo href="r2"><name>Quiet</name></radioinfo>)")));
    EXPECT_EQ(quiet.UrlNumber(), 1);
    EXPECT_EQ(Number(quiet.bandwidth), 0);
    EXPECT_EQ(Text(quiet.streamUrl), "");

    // A copy of the list shares its records.
    RadioList copy = stations;
    EXPECT_EQ(copy.at(u"r1").get(), stations.at(u"r1").get());
}

TEST_F(Records, GroupsReadTheirItemAndTheirDocument)
{
    GroupRecord group;
    ASSERT_TRUE(ParseGroupContainer(
        group, Root(R"(<item label="L"><ref href="g1" primarykey="Rock" secondarykey="s"/></item>)")));
    EXPECT_EQ(Text(group.Href()), "g1");
    EXPECT_EQ(Text(group.Name()), "Rock");
    EXPECT_EQ(Text(group.SecondaryKey()), "s");
    EXPECT_EQ(Text(group.Label()), "L");

    ASSERT_TRUE(group.ParseGroupInfo(Root(R"(<groupinfo href="g1" version="1.0"><name>Rock</name><count>7</count>
        <resource>vqp://localhost/Library?index=Rock#Music.query</resource><coverart>c</coverart></groupinfo>)")));
    EXPECT_EQ(group.Count(), 7);
    EXPECT_EQ(Text(group.Resource()), "vqp://localhost/Library?index=Rock#Music.query");
    GroupRecord empty;
    ASSERT_TRUE(empty.ParseGroupInfo(Root(R"(<groupinfo href="g2"><name>N</name><count></count></groupinfo>)")));
    EXPECT_EQ(empty.Count(), 0);
}
