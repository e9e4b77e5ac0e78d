#include "sync/DevicePathRecorder.h"

#include "platform/base/Clock.h"

DevicePathRecorder::DevicePathRecorder(const _bstr_t& connectionString)
    : m_database(connectionString)
{
}

DevicePathRecorder::~DevicePathRecorder() { Finish(); }

void DevicePathRecorder::Record(const std::function<void(SyncDatabase& database)>& write)
{
    if (FAILED(m_database.OpenSyncDatabase()))
        return;
    if (!m_open) {
        // Without a transaction each record commits on its own, as it would unbatched.
        m_open = SUCCEEDED(m_database.BeginTransaction());
        m_openedAt = platform::CurrentUptime();
    }
    write(m_database);
    if (platform::CurrentUptime() - m_openedAt >= kCommitInterval)
        Commit();
}

SyncDatabase* DevicePathRecorder::Database() { return SUCCEEDED(m_database.OpenSyncDatabase()) ? &m_database : nullptr; }

void DevicePathRecorder::Commit()
{
    if (!m_open)
        return;
    m_open = false;
    m_database.CommitTransaction();
}

void DevicePathRecorder::Finish()
{
    Commit();
    m_database.CloseSyncDatabase();
}
