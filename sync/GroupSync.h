#pragma once
// The first step of every run: groups, genres and the user's setup data. From the device it fills
// the run's genre and group maps that the later steps look keys up in; towards the device it sends
// the desktop's changed, new and removed groups and the user's setup data.

#include "sync/GroupRecord.h"
#include "sync/SyncTask.h"

class GroupSync : public SyncTask {
public:
    using SyncTask::SyncTask;

    // Reads the genres of the desktop database and the device's setup data and groups into the
    // desktop database and the run's maps; false when it ended early.
    virtual bool SyncFromDevice();
    // Sends the desktop's group changes and the user's setup data; false when it ended early.
    virtual bool SyncToDevice();

private:
    // The two directions on an open library; false when they ended early.
    bool ReadFromDevice(SyncDatabase& database, DeviceClient& client);
    bool SendToDevice(SyncDatabase& database, DeviceClient& client);
    // Appends the device's groups of one kind and maps their names to the new keys; false when the
    // run was cancelled.
    bool AppendGroups(SyncDatabase& database, const GroupMap& groups, bool radio);
    // Sends one group document per row of the query; false when the run was cancelled.
    bool SendGroupDocuments(SyncDatabase& database, DeviceClient& client, UINT queryId, bool radio, bool create);
    // Asks the device to remove the group of each row; false when the run was cancelled.
    bool RemoveGroups(SyncDatabase& database, DeviceClient& client, UINT queryId, bool radio);
};
