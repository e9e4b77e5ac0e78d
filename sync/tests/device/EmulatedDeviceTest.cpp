// The component end to end against an emulated device on this machine, as the program drives it:
// open the device by its address, run a synchronisation to the device, fetch a file. The component
// talks to the device's router on its fixed port, so these tests hold that port's lock.

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "platform/base/CodePage.h"
#include "platform/com/ComErrors.h"
#include "sync/QVSyncConnection.h"
#include "sync/QVSyncDevice.h"
#include "sync/SyncRunState.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/TestLibrary.h"
#include "tools/device-emulator/DeviceEmulator.h"
#include "tools/device-emulator/DeviceLibrary.h"

using namespace std::chrono_literals;

namespace {

// Counts the device's events.
class DoneSink final : public IDispatch {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == platform::IidOf<IDispatch>() || riid == platform::IidOf<IQVClientDeviceEvents>()) {
            *ppv = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        std::lock_guard guard(m_lock);
        if (id == DISPID_QVSYNC_SYNCDONE)
            m_done = true;
        m_changed.notify_all();
        return S_OK;
    }
    // Waits for SyncDone; a generous limit only keeps a broken run from hanging the test.
    bool WaitDone()
    {
        std::unique_lock guard(m_lock);
        return m_changed.wait_for(guard, 120s, [this] { return m_done; });
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_done { false };
};

class EmulatedDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_library = synctest::MakeLibrary();
        // Another test's process may hold the router's port for a moment; the device starts once it is free.
        std::string error;
        bool started = false;
        for (int attempt = 0; attempt < 100 && !(started = m_emulator.Start(error)); ++attempt)
            std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(started) << error;
        CComObject<QVSyncConnection>* connection = nullptr;
        CComObject<QVSyncConnection>::CreateInstance(&connection);
        m_connection = connection;
    }
    void TearDown() override
    {
        m_device.Release();
        m_connection.Release();
        m_emulator.Stop();
    }

    HRESULT Open()
    {
        VARIANT opened;
        const HRESULT hr = m_connection->OpenDevice(
            CComBSTR(u"127.0.0.1"), nullptr, CComBSTR(platform::Utf8ToUtf16(m_library).c_str()), 1, nullptr, &opened);
        if (SUCCEEDED(hr)) {
            m_device = CComQIPtr<IQVClientDevice>(opened.punkVal);
            VariantClear(&opened);
        }
        return hr;
    }

    sync_test::ComApartment m_apartment;
    // Outlives the device, whose event thread may still hold it for a moment after the last event.
    DoneSink m_sink;
    std::string m_library;
    emulator::DeviceEmulator m_emulator { emulator::EmulatorOptions {} };
    CComPtr<IQVClientConnection> m_connection;
    CComPtr<IQVClientDevice> m_device;
};

} // namespace

TEST_F(EmulatedDevice, ARunToTheDeviceSendsTheLibrarysNewGroupsAndEndsWithSyncDone)
{
    synctest::Execute(m_library, "INSERT INTO tGroup (GroupName, ModifyFlag) VALUES ('Late Night Jazz', True)");
    ASSERT_EQ(Open(), S_OK);
    EXPECT_EQ(SyncRunState::UniqueDeviceName(), emulator::EmulatorOptions {}.udn);
    m_device->put_OEMName(CComBSTR(u"Aldercrest"));
    m_device->put_DeviceName(CComBSTR(u"Den"));

    DoneSink& sink = m_sink;
    CComQIPtr<IConnectionPointContainer> container(m_device.p);
    CComPtr<IConnectionPoint> point;
    container->FindConnectionPoint(platform::IidOf<IQVClientDeviceEvents>(), &point.p);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    // The emulated device lives on the same clock as the component, so the run takes its real time:
    // the steps, then two of the event thread's periods.
    LONG result = 0;
    ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
    const bool done = sink.WaitDone();
    point->Unadvise(cookie);
    ASSERT_TRUE(done);
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::MusicGroup), 1u);
}

TEST_F(EmulatedDevice, AFileTheDeviceDoesNotHaveLeavesNoLocalFile)
{
    ASSERT_EQ(Open(), S_OK);
    EXPECT_EQ(m_device->GetDeviceFile(CComBSTR(u"vqp://localhost/7.0.5/Music/Covers/none.jpg"), CComBSTR(u"none.jpg")),
        S_FALSE);
    EXPECT_EQ(std::fopen("none.jpg", "rb"), nullptr);
}

TEST_F(EmulatedDevice, OpeningAnAddressWhereNoDeviceAnswersFails)
{
    m_emulator.Stop();
    VARIANT opened;
    EXPECT_EQ(m_connection->OpenDevice(CComBSTR(u"127.0.0.1"), nullptr, CComBSTR(u"Provider=x;Data Source=lib.mdb"), 1,
                  nullptr, &opened),
        CONNECT_E_NOCONNECTION);
    EXPECT_EQ(opened.vt, VT_EMPTY);
}
