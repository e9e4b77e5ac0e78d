// The device object: its settings, the runs' steps and events, "SFCount", cancelling and single files.
// The runs' time goes by on a clock the tests move; the steps are the tests' own.

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/base/Clock.h"
#include "platform/base/FileApi.h"
#include "platform/base/Thread.h"
#include "sync/DeviceClient.h"
#include "sync/DeviceClientState.h"
#include "sync/ComponentUtilities.h"
#include "sync/QVSyncConnection.h"
#include "sync/QVSyncDevice.h"
#include "sync/SyncRunState.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/ScriptedClients.h"

using namespace std::chrono_literals;
using sync_test::ScriptedClients;
using sync_test::ScriptedLink;

namespace {

// A sink of the device's events that records them.
class EventSink final : public IDispatch {
public:
    struct Fired {
        DISPID id;
        std::vector<LONG> args;
        bool operator==(const Fired&) const = default;
    };

    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == platform::IidOf<IDispatch>() || riid == platform::IidOf<IQVClientDeviceEvents>()) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override { return --m_refs; }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        Fired fired { id, {} };
        // Arguments come last to first.
        for (UINT i = params->cArgs; i > 0; --i)
            fired.args.push_back(params->rgvarg[i - 1].lVal);
        IUnknown* releaseOnDone = nullptr;
        {
            std::lock_guard guard(m_lock);
            m_fired.push_back(fired);
            if (id == DISPID_QVSYNC_SYNCDONE)
                releaseOnDone = std::exchange(m_releaseOnDone, nullptr);
            m_changed.notify_all();
        }
        // As a caller that drops the device when its run is done, from inside the event.
        if (releaseOnDone)
            releaseOnDone->Release();
        return S_OK;
    }

    // The sink takes over this reference and releases it when SyncDone arrives.
    void ReleaseOnDone(IUnknown* object)
    {
        std::lock_guard guard(m_lock);
        m_releaseOnDone = object;
    }

    std::vector<Fired> Events()
    {
        std::lock_guard guard(m_lock);
        return m_fired;
    }
    void Clear()
    {
        std::lock_guard guard(m_lock);
        m_fired.clear();
    }
    bool Has(DISPID id)
    {
        std::lock_guard guard(m_lock);
        return std::any_of(m_fired.begin(), m_fired.end(), [id](const Fired& f) { return f.id == id; });
    }
    // Waits a moment of real time for another event.
    void WaitBriefly()
    {
        std::unique_lock guard(m_lock);
        m_changed.wait_for(guard, 5ms);
    }

private:
    std::atomic<ULONG> m_refs { 1 };
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<Fired> m_fired;
    IUnknown* m_releaseOnDone { nullptr };
};

// Opens a device through a new connection, as the program does.
HRESULT OpenThroughAConnection(const char16_t* address, CComPtr<IQVClientDevice>& device)
{
    CComObject<QVSyncConnection>* connection = nullptr;
    CComObject<QVSyncConnection>::CreateInstance(&connection);
    CComPtr<IQVClientConnection> holder(connection);
    VARIANT opened;
    const HRESULT hr = holder->OpenDevice(
        CComBSTR(address), nullptr, CComBSTR(u"Provider=x;Data Source=lib.mdb"), 1, nullptr, &opened);
    if (SUCCEEDED(hr)) {
        device = CComQIPtr<IQVClientDevice>(opened.punkVal);
        VariantClear(&opened);
    }
    return hr;
}

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SyncRunState::Reset();
        // The device has a ready client.
        ASSERT_EQ(OpenThroughAConnection(u"10.0.0.5", m_device), S_OK);
        m_object = static_cast<QVSyncDevice*>(m_device.p);
        m_object->SetStepRunner([this](QVSyncDevice&, QVSyncDevice::Step step, bool toDevice) {
            {
                std::lock_guard guard(m_stepLock);
                m_steps.push_back(step);
                m_toDevice = toDevice;
            }
            if (m_onStep)
                m_onStep(step);
        });
        m_device->put_OEMName(CComBSTR(u"Brightwell"));
        m_device->put_DeviceName(CComBSTR(u"Den"));
        CComQIPtr<IConnectionPointContainer> container(m_device.p);
        container->FindConnectionPoint(platform::IidOf<IQVClientDeviceEvents>(), &m_point.p);
        m_point->Advise(&m_sink, &m_cookie);
    }
    void TearDown() override { ReleaseTheDevice(); }

    // Disconnects the sink and releases the object; the object gives threads that are still ending
    // their pause on the test's clock.
    void ReleaseTheDevice()
    {
        if (m_point)
            m_point->Unadvise(m_cookie);
        m_point.Release();
        WhileTheClockMoves([this] { m_device.Release(); });
    }

    // Starts a run to the device with flags 0 and waits until its step runs.
    void StartRunUntilItsStep()
    {
        LONG result = 0;
        ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
        while (Steps().empty())
            std::this_thread::sleep_for(1ms);
    }

    // Runs what must let time pass (the cancel's pauses) while another thread moves the clock by the
    // step about every real millisecond.
    void WhileTheClockMoves(const std::function<void()>& action, std::chrono::milliseconds step = 250ms)
    {
        std::atomic<bool> done { false };
        std::thread mover([&] {
            while (!done) {
                m_clock->Advance(step);
                std::this_thread::sleep_for(1ms);
            }
        });
        action();
        done = true;
        mover.join();
    }

    // Moves the clock on until the sink has the event (or a generous number of periods has passed).
    bool AdvanceUntil(DISPID id)
    {
        for (int i = 0; i < 400 && !m_sink.Has(id); ++i) {
            m_clock->Advance(500ms);
            m_sink.WaitBriefly();
        }
        return m_sink.Has(id);
    }

    // Cancels with the clock moving, as the cancel's pauses need.
    void CancelWhileTheClockMoves()
    {
        WhileTheClockMoves([this] { EXPECT_EQ(m_device->CancelSync(), S_OK); });
    }

    // The "SFCount" the worker writes at its very end, once it is there.
    static std::string StoredCount(const std::string& expected)
    {
        std::string stored;
        for (int i = 0; i < 2000 && (stored = ReadSyncRegistryValue("SFCount", "Brightwell\\Den")) != expected; ++i)
            std::this_thread::sleep_for(1ms);
        return stored;
    }

    std::vector<QVSyncDevice::Step> Steps()
    {
        std::lock_guard guard(m_stepLock);
        return m_steps;
    }

    sync_test::ComApartment m_apartment;
    ScriptedClients m_clients { ScriptedClients::ReadyDevice };
    std::shared_ptr<platform::ManualClock> m_clock = std::make_shared<platform::ManualClock>();
    platform::ScopedClock m_scopedClock { m_clock };
    CComPtr<IQVClientDevice> m_device;
    QVSyncDevice* m_object { nullptr };
    CComPtr<IConnectionPoint> m_point;
    DWORD m_cookie { 0 };
    EventSink m_sink;
    std::mutex m_stepLock;
    std::vector<QVSyncDevice::Step> m_steps;
    bool m_toDevice { false };
    std::function<void(QVSyncDevice::Step)> m_onStep;
};

using Step = QVSyncDevice::Step;

} // namespace

TEST(DeviceSettings, MakersNameSelectsTheOemMode)
{
    const std::pair<const char*, SHORT> cases[] {
        { "aldercrest", 1 }, { "BrightWell", 2 }, { "CINDERVALE", 3 }, { "Corvane", 9 }, { "Other", 0 }, { "", 0 },
    };
    for (const auto& [name, mode] : cases)
        EXPECT_EQ(QVSyncDevice::OemModeOf(name), mode) << name;
}

TEST(DeviceSettings, TextsNumbersAndReservedMembers)
{
    sync_test::ComApartment apartment;
    CComObject<QVSyncDevice>* object = nullptr;
    ASSERT_EQ(CComObject<QVSyncDevice>::CreateInstance(&object), S_OK);
    CComPtr<IQVClientDevice> device(object);

    BSTR text = SysAllocString(u"kept");
    EXPECT_EQ(device->get_ReservedText9(&text), S_OK);
    EXPECT_EQ(std::u16string(text), u"kept");
    EXPECT_EQ(device->get_MusicFolder(&text), S_OK);
    EXPECT_EQ(std::u16string(text), u"kept");
    SysFreeString(text);

    EXPECT_EQ(device->put_OEMName(CComBSTR(u"cInDeRvAlE")), S_OK);
    EXPECT_EQ(SyncRunState::OemMode(), 3);
    EXPECT_EQ(device->get_OEMName(nullptr), E_POINTER);
    EXPECT_EQ(device->get_DeviceName(&text), S_OK);
    EXPECT_EQ(text, nullptr);

    LONG customer = -1;
    EXPECT_EQ(device->put_CustomerID(5), S_OK);
    EXPECT_EQ(device->put_CustomerID(-1), E_INVALIDARG);
    device->get_CustomerID(&customer);
    EXPECT_EQ(customer, 5);
    EXPECT_EQ(device->get_CustomerID(nullptr), E_POINTER);
    EXPECT_EQ(device->put_TuneStewardDBConnectionString(nullptr), E_INVALIDARG);
}

TEST(DeviceSettings, AnObjectThatWasNotOpenedRunsNothing)
{
    sync_test::ComApartment apartment;
    CComObject<QVSyncDevice>* object = nullptr;
    ASSERT_EQ(CComObject<QVSyncDevice>::CreateInstance(&object), S_OK);
    CComPtr<IQVClientDevice> device(object);
    LONG result = 9;
    EXPECT_EQ(device->SyncClientDeviceFromTuneSteward(0xF, &result), E_FAIL);
    EXPECT_EQ(result, 0);
    result = 9;
    EXPECT_EQ(device->SyncTuneStewardFromClientDevice(0xF, &result), E_FAIL);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(device->GetDeviceFile(CComBSTR(u"vqp://box/a.jpg"), CComBSTR(u"a.jpg")), CONNECT_E_NOCONNECTION);
}

TEST_F(DeviceTest, FlagsChooseTheStepsAndARunEndsWithOneLastProgressAndSyncDone)
{
    LONG result = 9;
    ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(QVSYNC_ALBUMS_FILES | QVSYNC_PLAYLISTS | QVSYNC_RADIO, &result), S_OK);
    EXPECT_EQ(result, 0);
    ASSERT_TRUE(AdvanceUntil(DISPID_QVSYNC_SYNCDONE));
    EXPECT_EQ(Steps(), (std::vector<Step> { Step::Groups, Step::Albums, Step::Radio, Step::Playlists }));
    EXPECT_TRUE(m_toDevice);
    using Fired = EventSink::Fired;
    EXPECT_EQ(m_sink.Events(),
        (std::vector<Fired> { { DISPID_QVSYNC_PROGRESS, { 100, 0, 0 } }, { DISPID_QVSYNC_PROGRESS, { 100, 100, 0 } },
            { DISPID_QVSYNC_SYNCDONE, {} } }));
}

TEST_F(DeviceTest, FlagsZeroStillRunsTheGroupStep)
{
    LONG result = 0;
    ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
    ASSERT_TRUE(AdvanceUntil(DISPID_QVSYNC_SYNCDONE));
    EXPECT_EQ(Steps(), (std::vector<Step> { Step::Groups }));
}

TEST_F(DeviceTest, FromTheDevicePlaylistsRunOnlyWhenTheAlbumsNamedAny)
{
    LONG result = 0;
    ASSERT_EQ(m_device->SyncTuneStewardFromClientDevice(QVSYNC_ALBUMS_CD | QVSYNC_PLAYLISTS, &result), S_OK);
    ASSERT_TRUE(AdvanceUntil(DISPID_QVSYNC_SYNCDONE));
    EXPECT_EQ(Steps(), (std::vector<Step> { Step::Groups, Step::Albums }));
    EXPECT_FALSE(m_toDevice);

    m_steps.clear();
    m_sink.Clear();
    m_onStep = [](Step step) {
        if (step == Step::Albums)
            SyncRunState::CountPlaylistItem();
    };
    ASSERT_EQ(m_device->SyncTuneStewardFromClientDevice(QVSYNC_ALBUMS_CD | QVSYNC_PLAYLISTS, &result), S_OK);
    ASSERT_TRUE(AdvanceUntil(DISPID_QVSYNC_SYNCDONE));
    EXPECT_EQ(Steps(), (std::vector<Step> { Step::Groups, Step::Albums, Step::Playlists }));
}

TEST_F(DeviceTest, TheStepCountOfARunFromTheDeviceIsTheNextRunsTotal)
{
    SHORT total = 0;
    m_onStep = [&total](Step) {
        total = SyncRunState::GetStepTotal();
        SyncRunState::Step(7);
    };
    const auto run = [&] {
        m_sink.Clear();
        LONG result = 0;
        ASSERT_EQ(m_device->SyncTuneStewardFromClientDevice(0, &result), S_OK);
        ASSERT_TRUE(AdvanceUntil(DISPID_QVSYNC_SYNCDONE));
    };
    run();
    EXPECT_EQ(total, 100); // nothing stored yet
    EXPECT_EQ(StoredCount("7"), "7");
    run();
    EXPECT_EQ(total, 7);

    // A stored count of 0 gives the default total.
    EXPECT_EQ(StoredCount("7"), "7");
    ASSERT_TRUE(WriteSyncRegistryValue("0", "SFCount", "Brightwell\\Den"));
    run();
    EXPECT_EQ(total, 100);
}

TEST_F(DeviceTest, ANonZeroStatusWordIsReportedAtEveryWakeUp)
{
    std::atomic<bool> release { false };
    m_onStep = [&release](Step) {
        *SyncRunState::StatusWord() = 0x10;
        while (!release && !SyncRunState::IsCancelled())
            std::this_thread::sleep_for(1ms);
        *SyncRunState::StatusWord() = 0;
    };
    LONG result = 0;
    ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
    std::size_t fired = 0;
    for (int i = 0; i < 400 && fired < 3; ++i) {
        m_clock->Advance(500ms);
        m_sink.WaitBriefly();
        fired = m_sink.Events().size();
    }
    release = true;
    ASSERT_GE(fired, 3u);
    for (const EventSink::Fired& event : m_sink.Events())
        EXPECT_EQ(event.args, (std::vector<LONG> { 0, 0, 0x10 }));
    ASSERT_TRUE(AdvanceUntil(DISPID_QVSYNC_SYNCDONE));
}

TEST_F(DeviceTest, CancelSkipsTheRemainingStepsFiresNothingAndStillWritesTheCount)
{
    m_onStep = [](Step step) {
        SyncRunState::Step(3);
        if (step != Step::Groups)
            return;
        // A step that learns of the cancel at its next check.
        while (!SyncRunState::IsCancelled())
            std::this_thread::sleep_for(1ms);
    };
    LONG result = 0;
    ASSERT_EQ(m_device->SyncTuneStewardFromClientDevice(0xF, &result), S_OK);
    while (Steps().empty())
        std::this_thread::sleep_for(1ms);

    CancelWhileTheClockMoves();

    EXPECT_EQ(Steps(), (std::vector<Step> { Step::Groups }));
    EXPECT_FALSE(m_sink.Has(DISPID_QVSYNC_SYNCDONE));
    EXPECT_EQ(StoredCount("3"), "3");
}

TEST_F(DeviceTest, ReleasingTheObjectDuringARunStopsIt)
{
    std::atomic<bool> ended { false };
    m_onStep = [&ended](Step) {
        while (!SyncRunState::IsCancelled())
            std::this_thread::sleep_for(1ms);
        ended = true;
    };
    StartRunUntilItsStep();
    ReleaseTheDevice();
    // The object waited for its worker's real end before it went.
    EXPECT_TRUE(ended);
    EXPECT_FALSE(m_sink.Has(DISPID_QVSYNC_SYNCDONE));
}

TEST_F(DeviceTest, ASinkMayReleaseTheObjectFromInsideSyncDone)
{
    LONG result = 0;
    ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
    m_point.Release();
    m_sink.ReleaseOnDone(m_device.Detach());
    ASSERT_TRUE(AdvanceUntil(DISPID_QVSYNC_SYNCDONE));
    // The object went on the event thread, which did not wait for itself; nothing of it is left to
    // release here, and the process goes on.
    EXPECT_EQ(Steps(), (std::vector<Step> { Step::Groups }));
}

TEST_F(DeviceTest, AFileTheDeviceRefusesLeavesNoLocalFile)
{
    FILE* partial = std::fopen("cover.jpg", "wb");
    ASSERT_NE(partial, nullptr);
    std::fputs("partial", partial);
    std::fclose(partial);
    m_clients.lastLink->nextTransferId = 0; // the device refuses: the transfer cannot start
    EXPECT_EQ(m_device->GetDeviceFile(CComBSTR(u"vqp://den-box/7.0.5/Music/Covers/a.jpg"), CComBSTR(u"cover.jpg")), S_FALSE);
    EXPECT_EQ(std::fopen("cover.jpg", "rb"), nullptr);
    ASSERT_EQ(m_clients.lastLink->transfers.size(), 1u);
    EXPECT_EQ(m_clients.lastLink->transfers[0].peer, "System");
    EXPECT_EQ(m_clients.lastLink->transfers[0].source, "7.0.5/Music/Covers/a.jpg");

    m_clients.lastLink->nextTransferId = 7;
    m_clients.lastLink->events.push_back([](ScriptedLink& link) {
        link.listener->OnTransferComplete(7, 0);
        return 0;
    });
    EXPECT_EQ(m_device->GetDeviceFile(CComBSTR(u"vqp://den-box/7.0.5/Music/Covers/b.jpg"), CComBSTR(u"b.jpg")), S_OK);
}

// A late binder reaches CancelSync through the device's dispatch table. The worker asleep in the event
// loop, in a wait with no end of its own, is woken by the cancel and ends on it: nothing has to ask
// it to stop.
TEST_F(DeviceTest, CancelSyncByLateBindingWakesAWorkerAsleepInTheEventLoop)
{
    ScriptedLink& link = *m_clients.lastLink;
    std::atomic<bool> ended { false };
    std::atomic<bool> askedToStop { false };
    m_onStep = [&](Step) {
        link.events.push_back(ScriptedLink::UntilWoken());
        m_object->Client()->WaitForReply("Never.results", 0);
        askedToStop = platform::ThreadStopRequested();
        ended = true;
    };
    LONG result = 0;
    ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
    while (!link.asleep)
        std::this_thread::sleep_for(1ms);

    CComQIPtr<IDispatch> dispatch(m_device.p);
    LPOLESTR names[] { const_cast<LPOLESTR>(u"CancelSync") };
    DISPID id = DISPID_UNKNOWN;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    DISPPARAMS none {};
    // The clock moves slowly here: a woken worker has the cancel's whole pause and wait to end in.
    WhileTheClockMoves(
        [&] { EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK); },
        10ms);

    EXPECT_TRUE(ended);
    EXPECT_FALSE(askedToStop);
    EXPECT_FALSE(m_sink.Has(DISPID_QVSYNC_SYNCDONE));
}

// A worker that does not stop: CancelSync gives it its time and returns to the window thread all the
// same; no new run starts beside it, and releasing the object waits for its end.
TEST_F(DeviceTest, CancelSyncReturnsWhileAWorkerThatDoesNotStopStillRuns)
{
    std::atomic<bool> release { false };
    std::atomic<bool> ended { false };
    m_onStep = [&](Step) {
        while (!release)
            std::this_thread::sleep_for(1ms);
        ended = true;
    };
    StartRunUntilItsStep();

    CancelWhileTheClockMoves();

    EXPECT_FALSE(ended);
    LONG result = 0;
    EXPECT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), E_FAIL);
    release = true;
    ReleaseTheDevice();
    EXPECT_TRUE(ended);
}

// The record tables and the run state belong to the process: a listing's client, a device object
// that could not be opened and one whose run came before, all gone while a run's step works, leave
// what that step holds alone.
TEST_F(DeviceTest, ClientsAndDevicesThatGoDuringARunLeaveItsStateAlone)
{
    CComPtr<IQVClientDevice> earlier;
    {
        ASSERT_EQ(OpenThroughAConnection(u"10.0.0.6", earlier), S_OK);
        static_cast<QVSyncDevice*>(earlier.p)->SetStepRunner([](QVSyncDevice&, Step, bool) { });
        CComQIPtr<IConnectionPointContainer> container(earlier.p);
        CComPtr<IConnectionPoint> point;
        container->FindConnectionPoint(platform::IidOf<IQVClientDeviceEvents>(), &point.p);
        DWORD cookie = 0;
        point->Advise(&m_sink, &cookie);
        LONG result = 0;
        ASSERT_EQ(earlier->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
        ASSERT_TRUE(AdvanceUntil(DISPID_QVSYNC_SYNCDONE));
        point->Unadvise(cookie);
        m_sink.Clear();
    }

    std::mutex lock;
    std::condition_variable changed;
    bool holding = false;
    bool othersGone = false;
    bool cancelled = true;
    LONG groupKey = 0;
    std::size_t groupRecords = 0;
    LONG retiredCount = -1;
    m_onStep = [&](Step) {
        SyncRunState::AddMusicGroup("Rock", 4);
        DeviceClient::MusicGroups()[u"vqp://den-box/g/rock.xml"] = std::make_unique<GroupRecord>();
        // A record that left its table while the step still points at it.
        auto retired = std::make_unique<GroupRecord>();
        const GroupRecord* held = retired.get();
        DeviceClientState::Retire(std::move(retired));
        std::unique_lock guard(lock);
        holding = true;
        changed.notify_all();
        changed.wait(guard, [&] { return othersGone; });
        cancelled = SyncRunState::IsCancelled();
        groupKey = SyncRunState::FindMusicGroupId("Rock");
        groupRecords = DeviceClient::MusicGroups().size();
        retiredCount = held->Count();
    };
    LONG result = 0;
    ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
    {
        std::unique_lock guard(lock);
        changed.wait(guard, [&] { return holding; });
    }

    CComObject<QVSyncConnection>* connection = nullptr;
    CComObject<QVSyncConnection>::CreateInstance(&connection);
    CComPtr<IQVClientConnection> holder(connection);
    VARIANT collection;
    VARIANT count;
    EXPECT_EQ(holder->ListDevices(nullptr, &collection, &count), S_OK);
    VariantClear(&collection);
    {
        ScriptedClients silent([](ScriptedLink&) { });
        CComPtr<IQVClientDevice> unopened;
        EXPECT_EQ(OpenThroughAConnection(u"10.0.0.7", unopened), CONNECT_E_NOCONNECTION);
    }
    earlier.Release();
    {
        std::lock_guard guard(lock);
        othersGone = true;
    }
    changed.notify_all();
    ASSERT_TRUE(AdvanceUntil(DISPID_QVSYNC_SYNCDONE));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(groupKey, 4);
    EXPECT_EQ(groupRecords, 1u);
    EXPECT_EQ(retiredCount, 0);
}
