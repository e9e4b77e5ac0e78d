#pragma once
// The internet-radio step, run only when a synchronisation asks for radio. From the device it
// appends the device's stations to the desktop database and links them to their radio groups;
// towards the device it sends the desktop's changed, new and removed stations.

#include "sync/SyncTask.h"

#include <string>

class RadioList;

class RadioSync : public SyncTask {
public:
    using SyncTask::SyncTask;

    // Appends the device's stations and their group links; false when there was no list to handle.
    virtual bool SyncFromDevice();
    // Sends the desktop's station changes; false when it ended early.
    virtual bool SyncToDevice();
    // The radio genre key of the name, or -1 when the run has none of that name.
    virtual LONG FindRadioGenreId(const std::string& name);

private:
    void WriteStations(SyncDatabase& database, DeviceClient& client, const RadioList& stations);
    bool SendStations(SyncDatabase& database, DeviceClient& client);
};
