#include "sync/DeviceClientState.h"

#include <vector>

#include "sync/DeviceClient.h"
#include "sync/DeviceList.h"
#include "sync/SyncRunState.h"

namespace {

// Records that left their tables during a run; a step may still hold one.
struct RetiredRecords {
    std::vector<std::unique_ptr<AlbumRecord>> albums;
    std::vector<std::unique_ptr<PlaylistRecord>> playlists;
    std::vector<std::unique_ptr<GroupRecord>> groups;
};

RetiredRecords& Retired()
{
    static RetiredRecords records;
    return records;
}

} // namespace

DeviceClient::ReplyFlagTable& DeviceClient::ReplyFlags()
{
    static ReplyFlagTable flags;
    return flags;
}

AlbumList& DeviceClient::Albums()
{
    static AlbumList albums;
    return albums;
}

RadioList& DeviceClient::Radios()
{
    static RadioList radios;
    return radios;
}

PlaylistList& DeviceClient::Playlists()
{
    static PlaylistList playlists;
    return playlists;
}

GroupMap& DeviceClient::MusicGroups()
{
    static GroupMap groups;
    return groups;
}

GroupMap& DeviceClient::RadioGroups()
{
    static GroupMap groups;
    return groups;
}

DeviceClient::FileReplyTable& DeviceClient::FileReplies()
{
    static FileReplyTable replies;
    return replies;
}

void DeviceClient::ResetState()
{
    Albums().clear();
    Radios().clear();
    MusicGroups().clear();
    RadioGroups().clear();
    Playlists().clear();
    FileReplies().clear();
    DeviceClientState::FreeRetired();
}

bool DeviceClientState::Cancelled() { return SyncRunState::IsCancelled(); }

void DeviceClientState::CountPlaylistItem() { SyncRunState::CountPlaylistItem(); }

void DeviceClientState::AddDevice(const std::string& address, const std::string& maker,
    const std::string& serialNumber, const std::string& friendlyName, const std::string& productName,
    const std::string& udn)
{
    DeviceInfo::Texts texts;
    texts.friendlyName = friendlyName;
    texts.oemName = maker;
    texts.ipAddress = address;
    texts.serialNumber = serialNumber;
    texts.productName = productName;
    texts.udn = udn;
    DeviceList::Add(texts);
}

void DeviceClientState::Retire(std::unique_ptr<AlbumRecord> record)
{
    if (record)
        Retired().albums.push_back(std::move(record));
}

void DeviceClientState::Retire(std::unique_ptr<PlaylistRecord> record)
{
    if (record)
        Retired().playlists.push_back(std::move(record));
}

void DeviceClientState::Retire(std::unique_ptr<GroupRecord> record)
{
    if (record)
        Retired().groups.push_back(std::move(record));
}

void DeviceClientState::FreeRetired() { Retired() = RetiredRecords(); }
