#pragma once
// The album step. Towards the device it removes the albums deleted on the desktop, sends the
// changed albums and creates the new ones, uploading the cover pictures and music files the device
// lacks and recording their device paths on the desktop; from the device it writes the device's
// albums, tracks and group links into the desktop database.

#include "sync/DevicePathRecorder.h"
#include "sync/SyncTask.h"

#include <memory>
#include <string>

class AlbumList;
class AlbumRecord;
class TrackRecord;

class AlbumSync : public SyncTask {
public:
    using SyncTask::SyncTask;

    // Writes the device's albums into the desktop database.
    virtual void SyncFromDevice();
    // Sends the desktop's album changes to the device.
    virtual void SyncToDevice();

    // The device path of an uploaded cover or music file in the form the desktop keeps it, for the
    // device revision and unique device name of the run.
    static std::string StoredCoverPath(const std::string& devicePath, SHORT revision, const std::string& udn);
    static std::string StoredFilePath(const std::string& devicePath, SHORT revision, const std::string& udn);
    // The device path of a track of a device album as the desktop keeps it.
    static std::u16string TrackDevicePath(const AlbumRecord& album, const TrackRecord& track);

private:
    // What walking an album's detail rows uploads and deletes.
    enum class Walk { ChangedFiles, NewFiles };

    // Each returns false when the run was cancelled.
    bool SendToDevice(SyncDatabase& database, DeviceClient& client);
    bool RemoveAlbums(DeviceClient& client, UINT queryId);
    bool SendChangedFileAlbums(SyncDatabase& database, DeviceClient& client);
    bool SendChangedCdAlbums(SyncDatabase& database, DeviceClient& client);
    bool SendNewFileAlbums(SyncDatabase& database, DeviceClient& client);
    // Uploads what the album's detail rows call for; failed is set when an upload request failed.
    bool WalkAlbumFiles(SyncDatabase& database, DeviceClient& client, const QueryParameterList& album, LONG albumKey,
        const std::string& document, Walk walk, bool& failed);
    // Uploads a cover and stores its device path; failed is set when the upload request failed.
    bool UploadCover(DeviceClient& client, const std::string& document, const _variant_t& coverArt, LONG albumKey, bool& failed);
    // Uploads a music file and stores its device path; failed is set when the upload request failed.
    bool UploadTrack(DeviceClient& client, const std::string& document, const _variant_t& filePath, LONG item,
        const _variant_t& trackKey, bool& failed);
    // Starts an upload and waits for its transfer to end; false when the upload request failed.
    bool Upload(DeviceClient& client, const std::string& document, const _variant_t& localPath, LONG item, std::string& devicePath);
    // The album document made from the album's detail rows with the stylesheet.
    bool MakeAlbumDocument(const QueryParameterList& album, UINT stylesheet, std::string& document);
    // Finds the device's album of that title and artist and stores its device URL for the album.
    void RecordDeviceHref(DeviceClient& client, const std::string& title, const std::string& artist, LONG albumKey);
    // Where the pass towards the device records device paths and URLs; made at the first record,
    // finished with the pass.
    DevicePathRecorder& Paths();

    // Reads the listed albums' details and appends the albums, their tracks and their group links.
    void ReadFromDevice(SyncDatabase& database, DeviceClient& client, AlbumList& albums);
    // Appends one album and its tracks, keeping the new keys in the records; false when the run was
    // cancelled.
    bool WriteAlbum(SyncDatabase& database, AlbumRecord& album);

    std::unique_ptr<DevicePathRecorder> m_paths;
};
