#include "sync/PlaylistSync.h"

#include "sync/DeviceClient.h"
#include "sync/DevicePass.h"
#include "sync/StepRows.h"
#include "sync/SyncDatabase.h"
#include "sync/SyncRunState.h"
#include "sync/SyncStrings.h"

namespace {

constexpr UINT kPlaylistContainerStylesheet = 2;
constexpr UINT kSongListHashStylesheet = 7;
constexpr UINT kSongListTrackStylesheet = 10;
// From this revision on the device reads a playlist track's album reference in the ";track=" form.
constexpr SHORT kTrackReferenceRevision = 2;

// The decimal number at the start of the text, as the C library reads it; 0 when there is none.
LONG LeadingNumber(const std::u16string& text, std::size_t from)
{
    std::size_t i = from;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        // A number too long for a track saturates rather than wrapping into another track.
        value = std::min<long long>(value * 10 + (text[i] - u'0'), 0x7FFFFFFF);
    }
    return static_cast<LONG>(negative ? -value : value);
}

// The text made safe inside a double-quoted XML attribute.
std::string AttributeText(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// The detail rows of a playlist without tracks, from the playlist's own columns: the stylesheets make
// of them the playlist's document with no track entries.
std::string OwnRowDetail(const _variant_t& name, const _variant_t& href, const _variant_t& coverArt)
{
    std::string row = "<z:row";
    const std::pair<const char*, const _variant_t*> columns[]
        = { { "PlaylistName", &name }, { "REDUZIDedaDora", &href }, { "ZUVUdureDaz", &coverArt } };
    // A null column has no attribute, as in the rows the library writes.
    for (const auto& [column, value] : columns) {
        if (value->vt != VT_NULL && value->vt != VT_EMPTY)
            row += std::string(" ") + column + "=\"" + AttributeText(TextOf(*value)) + "\"";
    }
    return "<xml xmlns:rs=\"urn:schemas-microsoft-com:rowset\" xmlns:z=\"#RowsetSchema\"><rs:data>" + row
        + "/></rs:data></xml>";
}

} // namespace

bool PlaylistSync::ParseAlbumReference(const std::u16string& meta, AlbumReference& reference)
{
    if (const auto hash = meta.find(u'#'); hash != std::u16string::npos) {
        reference.albumUrl = meta.substr(0, hash);
        reference.trackNumber = LeadingNumber(meta, hash + 1);
        return true;
    }
    if (meta.find(u'?') == std::u16string::npos)
        return false;
    reference.albumUrl = meta;
    const auto track = meta.find(u"track=");
    reference.trackNumber = track == std::u16string::npos ? 0 : LeadingNumber(meta, track + 6);
    return true;
}

bool PlaylistSync::SyncToDevice()
{
    return RunDevicePass(Client(), "playlists", ConnectionString(),
        [this](SyncDatabase& database, DeviceClient& client) { return SendToDevice(database, client); });
}

bool PlaylistSync::SendToDevice(SyncDatabase& database, DeviceClient& client)
{
    const UINT changedStylesheet
        = SyncRunState::DeviceRevision() >= kTrackReferenceRevision ? kSongListTrackStylesheet : kSongListHashStylesheet;
    for (const bool create : { false, true }) {
        StepRows rows;
        if (database.OpenStoredQuery(create ? IDS_qNewPlaylists : IDS_qUpdatedPlaylists, rows.Recordset(), NoQueryParameters)
            != S_OK)
            continue;
        for (; !rows.AtEnd(); rows.Next()) {
            if (!SyncRunState::Step(1))
                return false;
            const QueryParameterList parameters { QueryParameter("[qpPlaylistID]", rows.Value("PlaylistID"), adInteger, adParamInput) };
            std::string detail;
            std::string document;
            HRESULT loaded = LoadDetailDocument(IDS_qPlaylistDetail, detail, parameters);
            // The detail rows are those of the playlist's live tracks: a playlist with none still goes
            // to the device, as an empty list, or the library rebuilt from the device would lose it.
            if (loaded == kNoRows) {
                detail = OwnRowDetail(rows.Value("PlaylistName"), rows.Value("REDUZIDedaDora"), rows.Value("ZUVUdureDaz"));
                loaded = S_OK;
            }
            if (FAILED(loaded)
                || FAILED(TransformDocument(detail, {}, create ? kSongListHashStylesheet : changedStylesheet, document)))
                continue;
            if (create)
                client.CreatePlaylist(document, TextOf(rows.Value("PlaylistName")));
            else
                client.ChangePlaylist(document);
        }
    }

    std::string detail;
    std::string document;
    if (SUCCEEDED(LoadDetailDocument(IDS_qDeletedPlaylists, detail, NoQueryParameters))
        && SUCCEEDED(TransformDocument(detail, {}, kPlaylistContainerStylesheet, document))) {
        client.RemovePlaylist(document);
        if (!SyncRunState::Step(1))
            return false;
    }
    return true;
}

bool PlaylistSync::SyncFromDevice()
{
    DeviceClient* client = Client();
    if (!client || !client->WaitUntilReady("playlists", false))
        return false;
    HRESULT hr = S_OK;
    PlaylistList& playlists = client->QueryPlaylists(hr);
    if (playlists.empty())
        return SUCCEEDED(hr);
    if (!SyncRunState::Step(1))
        return false;
    SyncDatabase database(ConnectionString());
    if (FAILED(database.OpenSyncDatabase()))
        return false;
    const bool result = WritePlaylists(database, *client, playlists);
    database.CloseSyncDatabase();
    return result;
}

bool PlaylistSync::WritePlaylists(SyncDatabase& database, DeviceClient& client, PlaylistList& playlists)
{
    if (!SyncRunState::Step(1))
        return false;
    for (auto& [href, playlist] : playlists) {
        if (!playlist->DetailsRead()) {
            HRESULT hr = S_OK;
            client.RetrievePlaylist(hr, href);
        }
        if (!SyncRunState::Step(1))
            return false;
    }
    for (auto& [href, playlist] : playlists) {
        if (!playlist->DetailsRead())
            continue;
        _variant_t key;
        const HRESULT hr = database.AppendPlaylists(_variant_t(LONG { 1 }), playlist->Value(PlaylistRecord::Title), _variant_t(),
            playlist->Value(PlaylistRecord::CoverArt), playlist->Value(PlaylistRecord::Href), key);
        if (!SyncRunState::Step(1))
            return false;
        if (SUCCEEDED(hr) && key.vt == VT_I4)
            playlist->DesktopKey() = key;
    }
    // A playlist that could not be appended keeps the key 0; its memberships and tracks would be
    // written against no playlist, so they are left out.
    for (auto& [href, playlist] : playlists) {
        if (!playlist->DetailsRead() || playlist->DesktopKey().vt != VT_I4 || playlist->DesktopKey().lVal == 0)
            continue;
        for (const std::string& name : playlist->GroupNames()) {
            const LONG group = SyncRunState::FindMusicGroupId(name);
            if (group == -1)
                continue;
            database.AppendMusicGroupList(_variant_t(group), playlist->DesktopKey(), _variant_t(LONG { 0 }), _variant_t(LONG { 0 }));
            if (!SyncRunState::Step(1))
                return false;
        }
    }
    for (auto& [href, playlist] : playlists) {
        if (!playlist->DetailsRead() || playlist->DesktopKey().vt != VT_I4 || playlist->DesktopKey().lVal == 0)
            continue;
        if (!WriteTracks(database, client, *playlist))
            return false;
    }
    return true;
}

bool PlaylistSync::WriteTracks(SyncDatabase& database, DeviceClient& client, PlaylistRecord& playlist)
{
    LONG playOrder = 0;
    for (auto& [number, track] : playlist.Tracks()) {
        const std::u16string meta = WideTextOf(track->Value(TrackRecord::Meta));
        if (meta.empty())
            continue;
        AlbumReference reference;
        if (!ParseAlbumReference(meta, reference))
            continue;
        // The play order counts every referenced track, so an unresolved one leaves a gap.
        ++playOrder;
        const LONG trackKey = client.AppendPlaylistTrackToAlbum(reference.albumUrl, reference.trackNumber,
            WideTextOf(ConnectionString()), WideTextOf(track->Value(TrackRecord::Href)), WideTextOf(track->Value(TrackRecord::TrackTitle)));
        if (trackKey == -1)
            continue;
        database.AppendPlaylistTracks(playlist.DesktopKey(), _variant_t(trackKey), _variant_t(playOrder));
        if (!SyncRunState::Step(1))
            return false;
    }
    return true;
}
