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
    // Fetches the stations' documents, appends the stations and links them to their groups; stops
    // when the run is cancelled.
    void WriteStations(SyncDatabase& database, DeviceClient& client, const RadioList& stations);
    // Sends the changed, new and removed stations; false when the run was cancelled.
    bool SendStations(SyncDatabase& database, DeviceClient& client);
};
