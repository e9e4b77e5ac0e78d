// Playlist tracks resolved through the device's album list, appended to the album and the library
// when the album lacks them.

#include <gtest/gtest.h>

#include "sync/DeviceClient.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/ScriptedLink.h"
#include "sync/tests/TestLibrary.h"

namespace {

constexpr const char16_t* kAlbum = u"vqp://localhost/Music/a.xml";

class AlbumTracks : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeviceClient::ResetState();
        auto album = std::make_unique<AlbumRecord>();
        album->Value(AlbumRecord::QVCDID) = static_cast<LONG>(12);
        album->AddTrack(2, _bstr_t("t2.mp3"), _bstr_t("Two")).Value(TrackRecord::AlbumTrackID) = static_cast<LONG>(40);
        DeviceClient::Albums().emplace(kAlbum, std::move(album));
    }
    void TearDown() override { DeviceClient::ResetState(); }

    sync_test::ComApartment m_apartment;
    DeviceClient m_client { std::make_unique<sync_test::ScriptedLink>() };
};

} // namespace

TEST_F(AlbumTracks, AKnownTrackGivesItsKeyAndUnresolvableOnesGiveMinusOne)
{
    // No library is named: a known track must not need one.
    EXPECT_EQ(m_client.AppendPlaylistTrackToAlbum(kAlbum, 2, u"", u"x", u"y"), 40);
    EXPECT_EQ(m_client.AppendPlaylistTrackToAlbum(u"vqp://localhost/Music/a.xml?track=2", 2, u"", u"x", u"y"), 40);
    EXPECT_EQ(m_client.AppendPlaylistTrackToAlbum(kAlbum, 0, u"", u"x", u"y"), -1);
    EXPECT_EQ(m_client.AppendPlaylistTrackToAlbum(u"", 2, u"", u"x", u"y"), -1);
    EXPECT_EQ(m_client.AppendPlaylistTrackToAlbum(u"vqp://localhost/Music/other.xml", 2, u"", u"x", u"y"), -1);
}

TEST_F(AlbumTracks, AMissingTrackIsAddedToTheAlbumAndAppendedToTheLibrary)
{
    const std::string library = synctest::MakeLibrary("album-tracks\\Tune Steward.mdb");
    const std::u16string connection(library.begin(), library.end());
    const LONG key = m_client.AppendPlaylistTrackToAlbum(kAlbum, 5, connection, u"Music/t5.mp3", u"Five");
    ASSERT_GT(key, 0);
    const AlbumRecord& album = *DeviceClient::Albums().at(kAlbum);
    ASSERT_EQ(album.TrackCount(), 2u);
    EXPECT_EQ(album.Tracks().at(5)->Value(TrackRecord::AlbumTrackID).lVal, key);
    EXPECT_EQ(synctest::Rows(library, "SELECT AlbumTrackID, QVCDID, TrackNumber, TrackTitle, VUDUradUzaz FROM tMusicTracks"),
        (std::vector<std::vector<std::string>> { { std::to_string(key), "12", "5", "Five", "Music/t5.mp3" } }));

    // A library that cannot be opened leaves the new track in the album without a key.
    EXPECT_EQ(m_client.AppendPlaylistTrackToAlbum(kAlbum, 6, u"", u"t6", u"Six"), -1);
    EXPECT_EQ(album.Tracks().at(6)->Value(TrackRecord::AlbumTrackID).lVal, -1);
}
