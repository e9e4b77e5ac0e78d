// Playlist tracks that refer to an album's track: resolved through the device's album list, and
// appended to the album (and the desktop database) when the album lacks them.

#include <optional>

#include "sync/DeviceClient.h"
#include "sync/SyncDatabase.h"

namespace {

// A desktop key as a 32-bit integer; none when the value holds no number.
std::optional<LONG> KeyOf(const _variant_t& value)
{
    _variant_t key;
    if (FAILED(VariantChangeType(&key, &value, 0, VT_I4)))
        return std::nullopt;
    return key.lVal;
}

} // namespace

LONG DeviceClient::AppendPlaylistTrackToAlbum(const std::u16string& albumUrl, LONG trackNumber,
    const std::u16string& connectionString, const std::u16string& trackHref, const std::u16string& trackTitle)
{
    if (albumUrl.empty() || trackNumber < 1)
        return -1;
    AlbumList& albums = Albums();
    const auto entry = albums.Find(albumUrl);
    if (entry == albums.end())
        return -1;
    AlbumRecord& album = *entry->second;
    if (const auto known = album.Tracks().find(trackNumber); known != album.Tracks().end())
        return KeyOf(known->second->Value(TrackRecord::AlbumTrackID)).value_or(-1);

    TrackRecord& track = album.AddTrack(trackNumber, _bstr_t(trackHref.c_str()), _bstr_t(trackTitle.c_str()));
    SyncDatabase database(_bstr_t(connectionString.c_str()));
    _variant_t newKey;
    const HRESULT hr = database.AppendMusicTrack(album.Value(AlbumRecord::QVCDID), track.Value(TrackRecord::TrackTitle),
        track.Value(TrackRecord::TrackNumber), track.Value(TrackRecord::TrackLength), track.Value(TrackRecord::Bitrate),
        track.Value(TrackRecord::Href), newKey);
    database.CloseSyncDatabase();
    const std::optional<LONG> key = SUCCEEDED(hr) ? KeyOf(newKey) : std::nullopt;
    if (!key)
        return -1;
    track.Value(TrackRecord::AlbumTrackID) = *key;
    return *key;
}
