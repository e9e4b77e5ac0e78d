#pragma once
// The frame every step's pass between the device and the library shares: the device client ready
// for the process, the library's database open for the pass and closed after it.

#include <string>

#include "sync/DeviceClient.h"
#include "sync/SyncDatabase.h"

// Runs pass(database, client) once the client is ready and the database of the connection string
// is open; false without a client, a ready device or an open database, else what the pass returns.
template <class Pass>
bool RunDevicePass(DeviceClient* client, const std::string& process, const _bstr_t& connectionString, Pass pass)
{
    if (!client || !client->WaitUntilReady(process, false))
        return false;
    SyncDatabase database(connectionString);
    if (FAILED(database.OpenSyncDatabase()))
        return false;
    const bool result = pass(database, *client);
    database.CloseSyncDatabase();
    return result;
}
