#pragma once
// The setting of a step test: a real library file in the current folder, a fresh run state, and a
// device object whose device client talks to an AnsweringDevice.

#include "platform/xml/MsXml.h"
#include "sync/DeviceClient.h"
#include "sync/SyncRunState.h"
#include "sync/SyncTask.h"
#include "sync/SyncTaskDevice.h"
#include "sync/tests/AnsweringDevice.h"
#include "sync/tests/TestLibrary.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class StepTest : public ::testing::Test, public SyncTaskDevice {
public:
    // Runs statements on the library, one at a time.
    void Execute(std::initializer_list<const char*> statements)
    {
        for (const char* statement : statements)
            synctest::Execute(m_connection, statement);
    }
    // The rows a query of the library selects, each value as text ("<null>" for Null).
    std::vector<std::vector<std::string>> Rows(const std::string& sql) { return synctest::Rows(m_connection, sql); }

    // SyncTaskDevice.
    _bstr_t ConnectionString() const override { return _bstr_t(m_connection.c_str()); }
    _bstr_t MusicFolder() const override { return m_musicFolder; }
    DeviceClient* Client() const override { return m_client.get(); }

protected:
    void SetUp() override
    {
        m_connection = synctest::MakeLibrary();
        ASSERT_EQ(platform::EnsureXmlRegistered(), S_OK);
        SyncRunState::Reset();
        SyncRunState::SetDeviceRevision(0);
        SyncRunState::SetUniqueDeviceName("u");
        DeviceClient::ResetState();
        auto link = std::make_unique<AnsweringDevice>();
        m_device = link.get();
        m_client = std::make_unique<DeviceClient>(std::move(link));
    }
    void TearDown() override
    {
        m_client.reset();
        DeviceClient::ResetState();
        SyncRunState::Reset();
    }

    AnsweringDevice& Device() { return *m_device; }

    std::string m_connection;
    _bstr_t m_musicFolder { "Music" };

private:
    AnsweringDevice* m_device { nullptr };
    std::unique_ptr<DeviceClient> m_client;
};
