#pragma once
// The second connection of the album step's pass towards the device, on which the step records the
// device paths of the files it uploaded and the device URLs of the albums it created, while its record
// sets stay open on the first. The records go into transactions, committed at the first record a
// quarter second after the transaction began, on Commit and at Finish: a commit waits for the disk to
// sync the journal and the file, longer than the transfer of a music file takes, so one commit per
// file (or per album) would cost the run most of its time. The step reads the records back through
// this connection (Database), which sees them before they are committed. A crash loses at most the
// records since the last commit; the next run uploads those files again. Opening the connection reads
// the whole schema, so it is opened once for the pass.

#include <chrono>
#include <functional>

#include "sync/SyncDatabase.h"

class DevicePathRecorder {
public:
    static constexpr std::chrono::milliseconds kCommitInterval { 250 };

    explicit DevicePathRecorder(const _bstr_t& connectionString);
    // Finishes.
    ~DevicePathRecorder();
    DevicePathRecorder(const DevicePathRecorder&) = delete;
    DevicePathRecorder& operator=(const DevicePathRecorder&) = delete;

    // Runs the write (an update of the database) inside the open transaction; nothing when the
    // database cannot be opened.
    void Record(const std::function<void(SyncDatabase& database)>& write);
    // Commits what was recorded.
    void Commit();
    // The connection the records go to, opened; null when it cannot be opened.
    SyncDatabase* Database();
    // Commits and closes the connection.
    void Finish();

private:
    SyncDatabase m_database;
    bool m_open { false }; // a transaction is begun
    std::chrono::milliseconds m_openedAt {};
};
