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

template <class Record>
void Keep(std::vector<std::unique_ptr<Record>>& retired, std::unique_ptr<Record> record)
{
    if (record)
        retired.push_back(std::move(record));
}

// The client's tables: every client object of the process shares them.
enum class Shared { ReplyFlags, Albums, Radios, Playlists, MusicGroups, RadioGroups, FileReplies };

// A shared table, made on first use; named apart, since two tables may have one type.
template <Shared Which, class Table>
Table& ProcessTable()
{
    static Table table;
    return table;
}

} // namespace

DeviceClient::ReplyFlagTable& DeviceClient::ReplyFlags() { return ProcessTable<Shared::ReplyFlags, ReplyFlagTable>(); }

AlbumList& DeviceClient::Albums() { return ProcessTable<Shared::Albums, AlbumList>(); }

RadioList& DeviceClient::Radios() { return ProcessTable<Shared::Radios, RadioList>(); }

PlaylistList& DeviceClient::Playlists() { return ProcessTable<Shared::Playlists, PlaylistList>(); }

GroupMap& DeviceClient::MusicGroups() { return ProcessTable<Shared::MusicGroups, GroupMap>(); }

GroupMap& DeviceClient::RadioGroups() { return ProcessTable<Shared::RadioGroups, GroupMap>(); }

DeviceClient::FileReplyTable& DeviceClient::FileReplies() { return ProcessTable<Shared::FileReplies, FileReplyTable>(); }

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

void DeviceClientState::Retire(std::unique_ptr<AlbumRecord> record) { Keep(Retired().albums, std::move(record)); }

void DeviceClientState::Retire(std::unique_ptr<PlaylistRecord> record) { Keep(Retired().playlists, std::move(record)); }

void DeviceClientState::Retire(std::unique_ptr<GroupRecord> record) { Keep(Retired().groups, std::move(record)); }

void DeviceClientState::FreeRetired() { Retired() = RetiredRecords(); }
