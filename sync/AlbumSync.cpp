#include "sync/AlbumSync.h"

#include <set>
#include <string>

#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"
#include "sync/DeviceClient.h"
#include "sync/DevicePass.h"
#include "sync/StepRows.h"
#include "sync/SyncDatabase.h"
#include "sync/SyncRunState.h"
#include "sync/SyncStrings.h"

namespace {

constexpr UINT kAlbumContainerStylesheet = 1;
constexpr UINT kCdInfoStylesheet = 4;
constexpr UINT kMp3InfoStylesheet = 5;
// From this revision on the desktop keeps device paths as full device URLs.
constexpr SHORT kDeviceUrlRevision = 2;
// The folder the device keeps its database files (covers among them) in.
constexpr std::string_view kDatabaseFolder = "7.0.5/";
// The genre an album gets when its genre group is not in the library's genre table.
constexpr LONG kDefaultGenre = 16;
constexpr LONG kCustomerId = 1;
// The resource of a CD played from the device's own drive.
constexpr std::u16string_view kFrontPanelDrive = u"-FrontPanelDrive";

bool StepOn()
{
    return SyncRunState::Step(1);
}

// A text of the device's album list against one of the library's, without case. The list keeps wide
// texts and is searched once for each new album: they are compared as they are, not converted.
bool SameText(const _variant_t& value, const std::u16string& wide, const std::string& text)
{
    if (value.vt == VT_BSTR && value.bstrVal)
        return platform::EqualsNoCase(std::u16string_view(value.bstrVal, SysStringLen(value.bstrVal)), wide);
    return platform::EqualsNoCase(TextOf(value), text);
}

// The parameter list that names one album.
QueryParameterList AlbumKey(LONG key) { return { QueryParameter("[qpQVCDID]", _variant_t(key), adInteger, adParamInput) }; }

// Calls send(row, albumKey) for each row of a stored album query until it returns false (the run
// was cancelled or failed); false then, true otherwise, also when the query finds no rows.
template <class Send>
bool ForEachAlbum(SyncDatabase& database, UINT query, Send send)
{
    StepRows albums;
    if (database.OpenStoredQuery(query, albums.Recordset(), NoQueryParameters) != S_OK)
        return true;
    for (; !albums.AtEnd(); albums.Next()) {
        LONG key = 0;
        KeyOf(albums.Value("QVCDID"), key);
        if (!send(albums, key))
            return false;
    }
    return true;
}

} // namespace

std::string AlbumSync::StoredCoverPath(const std::string& devicePath, SHORT revision, const std::string& udn)
{
    if (devicePath.find(kDatabaseFolder) == std::string::npos)
        return devicePath;
    const std::string rest = devicePath.size() > kDatabaseFolder.size() ? devicePath.substr(kDatabaseFolder.size()) : std::string();
    if (revision == kDeviceUrlRevision)
        return "vqp://" + udn + "/" + std::string(kDatabaseFolder) + rest;
    return "file://localhost/" + rest;
}

std::string AlbumSync::StoredFilePath(const std::string& devicePath, SHORT revision, const std::string& udn)
{
    if (revision == kDeviceUrlRevision)
        return "vqp://" + udn + "/" + devicePath;
    return devicePath;
}

void AlbumSync::SyncToDevice()
{
    RunDevicePass(Client(), "AlbumSync", ConnectionString(), [this](SyncDatabase& database, DeviceClient& client) {
        SendToDevice(database, client);
        return true;
    });
    m_paths.reset();
}

DevicePathRecorder& AlbumSync::Paths()
{
    if (!m_paths)
        m_paths = std::make_unique<DevicePathRecorder>(ConnectionString());
    return *m_paths;
}

bool AlbumSync::SendToDevice(SyncDatabase& database, DeviceClient& client)
{
    return RemoveAlbums(client, IDS_qDeletedMP3s) && RemoveAlbums(client, IDS_qDeletedCDs)
        && SendChangedFileAlbums(database, client) && SendChangedCdAlbums(database, client) && SendNewFileAlbums(database, client);
}

bool AlbumSync::RemoveAlbums(DeviceClient& client, UINT queryId)
{
    std::string rows;
    std::string container;
    if (FAILED(LoadDetailDocument(queryId, rows, NoQueryParameters))
        || FAILED(TransformDocument(rows, {}, kAlbumContainerStylesheet, container)))
        return true;
    client.RemoveAlbums(container);
    return StepOn();
}

bool AlbumSync::MakeAlbumDocument(const QueryParameterList& album, UINT stylesheet, std::string& document)
{
    // Read through the connection that recorded the paths: it sees them without a commit.
    std::string rows;
    return SUCCEEDED(LoadDetailDocument(IDS_qAlbumDetail, rows, album, m_paths ? m_paths->Database() : nullptr))
        && SUCCEEDED(TransformDocument(rows, {}, stylesheet, document));
}

bool AlbumSync::SendChangedFileAlbums(SyncDatabase& database, DeviceClient& client)
{
    return ForEachAlbum(database, IDS_qUpdatedMP3s, [&](StepRows&, LONG key) {
        const QueryParameterList album = AlbumKey(key);
        std::string rows;
        if (FAILED(LoadDetailDocument(IDS_qAlbumDetail, rows, album)))
            return true;
        // The document goes with every upload of the album, whether its transform worked or not.
        std::string document;
        TransformDocument(rows, {}, kMp3InfoStylesheet, document);
        bool failed = false;
        if (!WalkAlbumFiles(database, client, album, key, document, Walk::ChangedFiles, failed))
            return false;
        if (failed)
            return true;
        // Made again, so that it carries the device paths of what was just uploaded.
        if (!MakeAlbumDocument(album, kMp3InfoStylesheet, document))
            return true;
        client.ChangeAlbum(document);
        return StepOn();
    });
}

bool AlbumSync::SendChangedCdAlbums(SyncDatabase& database, DeviceClient& client)
{
    return ForEachAlbum(database, IDS_qUpdatedCDs, [&](StepRows& albums, LONG key) {
        const _variant_t coverArt = albums.Value("CoverArt");
        if (IsEmptyValue(albums.Value("ZUVUdureDaz")) && !IsEmptyValue(coverArt)) {
            // A CD's cover is sent when it can be; the album's change goes out either way.
            bool failed = false;
            if (!UploadCover(client, {}, coverArt, key, failed))
                return false;
        }
        std::string document;
        if (!MakeAlbumDocument(AlbumKey(key), kCdInfoStylesheet, document))
            return true;
        client.ChangeAlbum(document);
        return StepOn();
    });
}

bool AlbumSync::SendNewFileAlbums(SyncDatabase& database, DeviceClient& client)
{
    return ForEachAlbum(database, IDS_qNewMP3s, [&](StepRows& albums, LONG key) {
        const QueryParameterList album = AlbumKey(key);
        std::string rows;
        if (FAILED(LoadDetailDocument(IDS_qAlbumDetail, rows, album)))
            return true;
        std::string document;
        const bool described = SUCCEEDED(TransformDocument(rows, {}, kMp3InfoStylesheet, document));
        bool failed = false;
        if (!WalkAlbumFiles(database, client, album, key, document, Walk::NewFiles, failed))
            return false;
        if (failed || !described || !MakeAlbumDocument(album, kMp3InfoStylesheet, document))
            return true;
        client.CreateAlbum(document);
        if (!StepOn())
            return false;
        RecordDeviceHref(client, TextOf(albums.Value("Title")), TextOf(albums.Value("Artist")), key);
        return true;
    });
}

bool AlbumSync::WalkAlbumFiles(SyncDatabase& database, DeviceClient& client, const QueryParameterList& album, LONG albumKey,
    const std::string& document, Walk walk, bool& failed)
{
    StepRows rows;
    if (database.OpenStoredQuery(IDS_qAlbumDetail, rows.Recordset(), album) != S_OK)
        return true;
    // The detail repeats each track on the row of every group the album is in: a track's file goes
    // once, as the item of its place among the album's tracks, which is what the device numbers.
    std::set<std::string> tracksSeen;
    LONG trackItem = 0;
    for (; !rows.AtEnd() && !failed; rows.Next()) {
        const _variant_t trackKey = rows.Value("AlbumTrackID");
        const bool firstRowOfTrack = IsEmptyValue(trackKey) || tracksSeen.insert(TextOf(trackKey)).second;
        if (firstRowOfTrack)
            ++trackItem;
        // The detail repeats the album on every track and group row: a cover that is still missing
        // on the device is offered again on each row until a transfer stores its path.
        const _variant_t coverArt = rows.Value("CoverArt");
        const bool coverWanted = (walk == Walk::NewFiles || IsTrueFlag(rows.Value("ModifyFlag")))
            && IsEmptyValue(rows.Value("ZUVUdureDaz")) && !IsEmptyValue(coverArt);
        if (coverWanted) {
            if (!UploadCover(client, document, coverArt, albumKey, failed))
                return false;
        }
        const _variant_t devicePath = rows.Value("VUDUradUzaz");
        if (walk == Walk::ChangedFiles && IsTrueFlag(rows.Value("DeleteTrack")) && !IsEmptyValue(devicePath))
            client.DeleteFile(TextOf(devicePath));
        const _variant_t filePath = rows.Value("FilePath");
        const bool fileWanted = firstRowOfTrack && !IsEmptyValue(filePath) && IsEmptyValue(devicePath)
            && (walk == Walk::NewFiles || IsTrueFlag(rows.Value("UpdatedTrack")));
        if (fileWanted && !UploadTrack(client, document, filePath, trackItem, trackKey, failed))
            return false;
    }
    return true;
}

bool AlbumSync::UploadCover(DeviceClient& client, const std::string& document, const _variant_t& coverArt, LONG albumKey, bool& failed)
{
    std::string devicePath;
    if (!Upload(client, document, coverArt, 0, devicePath)) {
        failed = true;
        return true;
    }
    if (SyncRunState::IsCancelled())
        return false;
    if (client.TransferStatus() != 1)
        return true;
    const std::string stored = StoredCoverPath(devicePath, SyncRunState::DeviceRevision(), SyncRunState::UniqueDeviceName());
    Paths().Record([&](SyncDatabase& paths) { paths.UpdateDARAlbumCoverArt(_variant_t(stored.c_str()), _variant_t(albumKey)); });
    return true;
}

bool AlbumSync::UploadTrack(DeviceClient& client, const std::string& document, const _variant_t& filePath, LONG item,
    const _variant_t& trackKey, bool& failed)
{
    std::string devicePath;
    if (!Upload(client, document, filePath, item, devicePath)) {
        failed = true;
        return true;
    }
    if (!StepOn())
        return false;
    if (client.TransferStatus() != 1)
        return true;
    const std::string stored = StoredFilePath(devicePath, SyncRunState::DeviceRevision(), SyncRunState::UniqueDeviceName());
    Paths().Record([&](SyncDatabase& paths) { paths.UpdateDARTrackFilePath(_variant_t(stored.c_str()), trackKey); });
    return true;
}

bool AlbumSync::Upload(DeviceClient& client, const std::string& document, const _variant_t& localPath, LONG item, std::string& devicePath)
{
    const HRESULT hr = client.UploadFile(document, TextOf(localPath), WideTextOf(MusicFolder()), devicePath,
        SyncRunState::CurrentFilePercentWord(), SyncRunState::StatusWord(), item, true);
    if (FAILED(hr))
        return false;
    // The transfer ends when the client records its final state; a cancelled run stops waiting at
    // the next slice (the progress callback closes the transfer on its next packet).
    client.WaitForTransfer(true);
    // A device that stopped answering will not take the rest either: the run ends unfinished, so that
    // nobody takes it for complete.
    if (client.TransferUnanswered()) {
        SyncRunState::Cancel();
        return false;
    }
    return true;
}

void AlbumSync::RecordDeviceHref(DeviceClient& client, const std::string& title, const std::string& artist, LONG albumKey)
{
    HRESULT hr = S_OK;
    AlbumList& albums = client.QueryAlbums(hr);
    const std::u16string wideTitle = platform::Utf8ToUtf16(title);
    const std::u16string wideArtist = platform::Utf8ToUtf16(artist);
    for (const auto& [href, album] : albums) {
        if (!SameText(album->Value(AlbumRecord::Title), wideTitle, title)
            || !SameText(album->Value(AlbumRecord::Artist), wideArtist, artist))
            continue;
        Paths().Record([&](SyncDatabase& paths) { paths.UpdateAlbumXmlPath(album->Value(AlbumRecord::Href), _variant_t(albumKey)); });
        return;
    }
}

std::u16string AlbumSync::TrackDevicePath(const AlbumRecord& album, const TrackRecord& track)
{
    if (!album.IsCdPath())
        return WideTextOf(track.Value(TrackRecord::Href));
    const std::u16string resource = WideTextOf(album.Value(AlbumRecord::ResourceHref));
    const std::string number = std::to_string(track.Number());
    const std::u16string wideNumber(number.begin(), number.end());
    if (resource == kFrontPanelDrive)
        return u"vqp://localhost/" + resource + u"?track=" + wideNumber;
    return resource + u";track=" + wideNumber;
}

void AlbumSync::SyncFromDevice()
{
    DeviceClient* client = Client();
    if (!client || !client->WaitUntilReady("radio", false))
        return;
    HRESULT hr = S_OK;
    AlbumList& albums = client->QueryAlbums(hr);
    if (FAILED(hr) && albums.empty())
        return;
    if (!StepOn())
        return;
    SyncDatabase database(ConnectionString());
    if (FAILED(database.OpenSyncDatabase()))
        return;
    if (!albums.empty() && StepOn())
        ReadFromDevice(database, *client, albums);
    database.CloseSyncDatabase();
}

void AlbumSync::ReadFromDevice(SyncDatabase& database, DeviceClient& client, AlbumList& albums)
{
    for (auto& [href, album] : albums) {
        if (!album->DetailsRead()) {
            HRESULT hr = S_OK;
            client.RetrieveAlbum(hr, href);
        }
        if (album->DetailsRead() && !StepOn())
            return;
    }
    for (auto& [href, album] : albums) {
        if (album->DetailsRead() && !WriteAlbum(database, *album))
            return;
    }
    if (!StepOn())
        return;
    for (auto& [href, album] : albums) {
        // An album whose row could not be appended has no key to link its groups to.
        LONG albumKey = 0;
        if (!album->DetailsRead() || !KeyOf(album->Value(AlbumRecord::QVCDID), albumKey) || albumKey == 0)
            continue;
        for (const std::string& name : album->GroupNames()) {
            const LONG group = SyncRunState::FindMusicGroupId(name);
            if (group == -1)
                continue;
            database.AppendMusicGroupList(_variant_t(group), _variant_t(LONG { 0 }), _variant_t(albumKey), _variant_t(LONG { 0 }));
            if (!StepOn())
                return;
        }
    }
}

bool AlbumSync::WriteAlbum(SyncDatabase& database, AlbumRecord& album)
{
    const std::string genreName = TextOf(album.Value(AlbumRecord::Genre));
    const LONG found = genreName.empty() ? -1 : SyncRunState::FindGenreId(genreName);
    album.Value(AlbumRecord::QVGenreID) = _variant_t(found == -1 ? kDefaultGenre : found);
    _variant_t key;
    const HRESULT hr = database.AppendMusicMain(album.Value(AlbumRecord::Artist), album.Value(AlbumRecord::Href),
        album.Value(AlbumRecord::Location), album.Value(AlbumRecord::Cd), album.Value(AlbumRecord::Toc),
        album.Value(AlbumRecord::Title), album.Value(AlbumRecord::TitleSort), album.Value(AlbumRecord::Label),
        album.Value(AlbumRecord::Year), album.Value(AlbumRecord::CoverArt), _variant_t(kCustomerId),
        album.Value(AlbumRecord::QVGenreID), _variant_t(static_cast<LONG>(album.TrackCount())),
        album.Value(AlbumRecord::ResourceHref), _variant_t(album.IsCdPath()), _variant_t(album.IsHidden()), key);
    if (!StepOn())
        return false;
    LONG albumKey = 0;
    if (FAILED(hr) || !KeyOf(key, albumKey))
        return true;
    album.Value(AlbumRecord::QVCDID) = _variant_t(albumKey);
    for (auto& [number, track] : album.Tracks()) {
        const std::u16string path = TrackDevicePath(album, *track);
        const _variant_t devicePath(_bstr_t(path.c_str()));
        _variant_t trackKey;
        if (FAILED(database.AppendMusicTrack(_variant_t(albumKey), track->Value(TrackRecord::TrackTitle),
                track->Value(TrackRecord::TrackNumber), track->Value(TrackRecord::TrackLength), track->Value(TrackRecord::Bitrate),
                devicePath, trackKey)))
            continue;
        if (!StepOn())
            return false;
        LONG stored = 0;
        if (KeyOf(trackKey, stored))
            track->Value(TrackRecord::AlbumTrackID) = _variant_t(stored);
    }
    return true;
}
