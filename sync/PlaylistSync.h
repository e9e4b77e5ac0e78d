#pragma once
// The last step of a run: playlists. Towards the device it sends a songlistinfo document for each
// changed and new playlist of the desktop and asks the device to remove the deleted ones; from the
// device it writes the device's playlists, their group memberships and their tracks into the
// desktop database.

#include "sync/SyncTask.h"

#include <string>

class PlaylistList;
class PlaylistRecord;

class PlaylistSync : public SyncTask {
public:
    using SyncTask::SyncTask;

    // An album reference in a track's meta text: the album's device URL and the track number on it.
    struct AlbumReference {
        std::u16string albumUrl;
        LONG trackNumber { 0 };
    };
    // The album named by a meta text, "album#7" or "album?...track=7"; false when it names none.
    static bool ParseAlbumReference(const std::u16string& meta, AlbumReference& reference);

    // Writes the device's playlists into the desktop database; false when it ended early.
    virtual bool SyncFromDevice();
    // Sends the desktop's playlist changes to the device; false when it ended early.
    virtual bool SyncToDevice();

private:
    // Each returns false when the run was cancelled.
    bool SendToDevice(SyncDatabase& database, DeviceClient& client);
    // Reads the details of the listed playlists and appends them with their memberships and tracks.
    bool WritePlaylists(SyncDatabase& database, DeviceClient& client, PlaylistList& playlists);
    // Appends the playlist's tracks that name an album track the library knows, in play order.
    bool WriteTracks(SyncDatabase& database, DeviceClient& client, PlaylistRecord& playlist);
};
