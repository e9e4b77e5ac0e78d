#pragma once
// The device object as a synchronisation step sees it: the library it reads and writes, the folder
// its music files live in, and the device client it talks to the device through. The device object
// implements it; the step tests put their own in its place.

#include "platform/com/ComDef.h"

class DeviceClient;

class SyncTaskDevice {
public:
    virtual ~SyncTaskDevice() = default;

    // The library database's connection string as the program gave it.
    virtual _bstr_t ConnectionString() const = 0;
    // The library's music folder (its root followed by "Music").
    virtual _bstr_t MusicFolder() const = 0;
    // The device client of the opened device; null when the object opened none.
    virtual DeviceClient* Client() const = 0;
};
