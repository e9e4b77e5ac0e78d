#pragma once
// What the device client shares with the rest of the component: the run's cancel bit and items
// counter, the device list that discovery fills, and the records that replaced or emptied tables
// retire until the next run (a step may still hold them).

#include <memory>
#include <string>

#include "sync/AlbumRecord.h"
#include "sync/GroupRecord.h"
#include "sync/PlaylistRecord.h"

class DeviceClientState {
public:
    // True when the run's cancel bit is set.
    static bool Cancelled();
    // Counts a playlist met among the device's music items.
    static void CountPlaylistItem();
    // Appends a discovered device to the device list unless one with the address is listed already.
    static void AddDevice(const std::string& address, const std::string& maker, const std::string& serialNumber,
        const std::string& friendlyName, const std::string& productName, const std::string& udn);

    // Keeps a record that left its table alive until FreeRetired.
    static void Retire(std::unique_ptr<AlbumRecord> record);
    static void Retire(std::unique_ptr<PlaylistRecord> record);
    static void Retire(std::unique_ptr<GroupRecord> record);
    static void FreeRetired();
};
