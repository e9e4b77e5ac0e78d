#include "sync/QVSyncDevice.h"

#include <atomic>
#include <cstdlib>

#include "platform/base/CodePage.h"
#include "platform/base/Event.h"
#include "platform/base/FileApi.h"
#include "platform/base/Thread.h"
#include "platform/base/Wait.h"
#include "platform/com/ComErrors.h"
#include "sync/ComponentUtilities.h"
#include "sync/DeviceClient.h"
#include "sync/SyncRunState.h"
#include "sync/SyncSteps.h"
#include "vireo/VireoURI.h"

namespace {

// The label the readiness check is given; the check does not use it.
constexpr char kMediaProcess[] = "media_sys";
// Exit codes of an event thread that met an error while firing.
constexpr DWORD kComErrorExit = static_cast<DWORD>(-3);
constexpr DWORD kOtherErrorExit = static_cast<DWORD>(-4);

std::string Utf8(BSTR text) { return text ? platform::Utf16ToUtf8(text) : std::string(); }

// A new copy of the text for a getter (null when it is empty).
HRESULT CopyOut(const _bstr_t& text, BSTR* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = text.length() == 0 ? nullptr : text.copy();
    return S_OK;
}

// Stores the text as given; a null text stores an empty one.
_bstr_t Stored(BSTR text) { return text ? _bstr_t(static_cast<const OLECHAR*>(text)) : _bstr_t(""); }

// The object whose run started last: the run state and the record tables are its until it goes.
std::atomic<const QVSyncDevice*> g_lastRunOwner { nullptr };

bool StillRunning(HANDLE thread)
{
    DWORD code = 0;
    return thread && GetExitCodeThread(thread, &code) && code == STILL_ACTIVE;
}

bool WorkerPastItsSteps()
{
    SHORT percent = 0;
    SHORT filePercent = 0;
    DWORD status = 0;
    SyncRunState::GetProgress(percent, filePercent, status);
    return percent >= 100;
}

} // namespace

// What a run's threads share with the object beyond its lifetime.
struct QVSyncDevice::RunControl {
    // Set when a sink released the object's last reference from inside an event: the event thread
    // then ends without touching the object again.
    std::atomic<bool> objectGone { false };
    std::atomic<DWORD> eventThreadId { 0 };
};

// The argument of a run thread: the object, and shared ownership of what the thread uses.
struct QVSyncDevice::ThreadStart {
    QVSyncDevice* device { nullptr };
    std::shared_ptr<RunControl> control;
    std::shared_ptr<DeviceClient> client;
    HANDLE runEvent { nullptr };
};

QVSyncDevice::QVSyncDevice()
    : m_control(std::make_shared<RunControl>())
    , m_stepRunner(RunSyncStep)
{
    // The run state's locks exist for the life of the process; make sure they do before any run.
    SyncRunState::DetailDocumentLock();
}

QVSyncDevice::~QVSyncDevice()
{
    if (m_runEvent)
        CloseHandle(m_runEvent);
}

HRESULT QVSyncDevice::FinalConstruct()
{
    m_runEvent = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    return m_runEvent ? S_OK : E_OUTOFMEMORY;
}

void QVSyncDevice::FinalRelease()
{
    m_processArguments.clear();
    // The record tables and the run state are the process's: only the object whose run started last
    // stops and clears them. A device that never ran (a failed open), or one whose run another
    // device's has followed, must not touch that run; its own threads still end before it goes.
    const QVSyncDevice* self = this;
    const bool lastRun = g_lastRunOwner.compare_exchange_strong(self, nullptr);
    if (lastRun || StillRunning(m_workerThread) || StillRunning(m_eventThread))
        StopThreads(JoinMode::UntilEnded);
    if (lastRun) {
        DeviceClient::ResetState();
        SyncRunState::Reset();
    }
    m_client.reset();
    m_customerId.Clear();
}

HRESULT QVSyncDevice::SetNetworkConnectionString(BSTR text)
{
    if (!text)
        return E_INVALIDARG;
    m_networkAddress = static_cast<const OLECHAR*>(text);
    return S_OK;
}

HRESULT QVSyncDevice::SetConnectionString(BSTR text)
{
    if (!text)
        return E_INVALIDARG;
    m_connectionString = static_cast<const OLECHAR*>(text);
    return S_OK;
}

void QVSyncDevice::SetClient(std::shared_ptr<DeviceClient> client, std::vector<std::string> processArguments)
{
    m_client = std::move(client);
    m_processArguments = std::move(processArguments);
}

SHORT QVSyncDevice::OemModeOf(const std::string& makerName)
{
    const std::string name = ToLower(makerName);
    if (name == "aldercrest")
        return 1;
    if (name == "brightwell")
        return 2;
    if (name == "cindervale")
        return 3;
    if (name == "corvane")
        return 9;
    return 0;
}

std::string QVSyncDevice::DeviceKey() const { return Utf8(m_oemName) + "\\" + Utf8(m_deviceName); }

HRESULT QVSyncDevice::put_MusicFolder(BSTR newVal)
{
    m_musicFolder = Stored(newVal);
    return S_OK;
}

HRESULT QVSyncDevice::put_RadioFolder(BSTR newVal)
{
    m_radioFolder = Stored(newVal);
    return S_OK;
}

HRESULT QVSyncDevice::get_OEMName(BSTR* pVal) { return CopyOut(m_oemName, pVal); }

HRESULT QVSyncDevice::put_OEMName(BSTR newVal)
{
    m_oemName = Stored(newVal);
    SyncRunState::SetOemMode(OemModeOf(Utf8(newVal)));
    return S_OK;
}

HRESULT QVSyncDevice::get_CustomerID(LONG* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = m_customerId.vt == VT_I4 ? m_customerId.lVal : 0;
    return S_OK;
}

HRESULT QVSyncDevice::put_CustomerID(LONG newVal)
{
    if (newVal < 0)
        return E_INVALIDARG;
    m_customerId = CComVariant(static_cast<int>(newVal));
    return S_OK;
}

HRESULT QVSyncDevice::get_TuneStewardDBConnectionString(BSTR* pVal) { return CopyOut(m_connectionString, pVal); }

HRESULT QVSyncDevice::put_TuneStewardDBConnectionString(BSTR newVal) { return SetConnectionString(newVal); }

HRESULT QVSyncDevice::get_DeviceName(BSTR* pVal) { return CopyOut(m_deviceName, pVal); }

HRESULT QVSyncDevice::put_DeviceName(BSTR newVal)
{
    m_deviceName = Stored(newVal);
    return S_OK;
}

HRESULT QVSyncDevice::SyncTuneStewardFromClientDevice(LONG flags, LONG* result)
{
    return StartRun(flags, result, false);
}

HRESULT QVSyncDevice::SyncClientDeviceFromTuneSteward(LONG flags, LONG* result) { return StartRun(flags, result, true); }

HRESULT QVSyncDevice::StartRun(LONG flags, LONG* result, bool toDevice)
{
    if (result)
        *result = 0;
    // One run at a time per object: a second worker would share the client with the first. A worker
    // past its steps (100 %) only writes its count and leaves, and a run started from the last one's
    // SyncDone may still find it there: that one is waited for; one still in a step is refused.
    if (StillRunning(m_workerThread)) {
        if (!WorkerPastItsSteps())
            return E_FAIL;
        WaitForSingleObject(m_workerThread, INFINITE);
    }
    // The last run's event thread is ending (its worker has); a run started from its SyncDone runs
    // on that very thread, which cannot wait for itself.
    if (StillRunning(m_eventThread) && GetCurrentThreadId() != m_eventThreadId)
        WaitForSingleObject(m_eventThread, INFINITE);
    if (!m_client || (toDevice && m_processArguments.empty()))
        return E_FAIL;
    if (toDevice && (!m_runEvent || !ResetEvent(m_runEvent)))
        return E_FAIL;
    DeviceClient::ResetState();
    const auto setRevision = [this] {
        const bool revised = SyncRunState::OemMode() == 3 || m_client->HasProperty("revNum");
        SyncRunState::SetDeviceRevision(revised ? 2 : 0);
    };
    if (toDevice) {
        m_runFlags = flags;
        SyncRunState::Reset();
        setRevision();
        if (!m_client->WaitUntilReady(kMediaProcess, true))
            return E_FAIL;
    } else {
        if (!m_client->WaitUntilReady(kMediaProcess, true))
            return E_FAIL;
        if (!m_runEvent || !ResetEvent(m_runEvent))
            return E_FAIL;
        m_runFlags = flags;
        SyncRunState::Reset();
        setRevision();
        const std::string stored = ReadSyncRegistryValue("SFCount", DeviceKey());
        SyncRunState::SetStepTotal(std::atol(stored.c_str()));
    }
    StartThreads(toDevice);
    return S_OK;
}

void QVSyncDevice::StartThreads(bool toDevice)
{
    // Handles of an earlier run that has ended.
    for (HANDLE* thread : { &m_workerThread, &m_eventThread }) {
        if (*thread)
            CloseHandle(*thread);
        *thread = nullptr;
    }
    m_control = std::make_shared<RunControl>();
    g_lastRunOwner = this;
    const auto start = [this](LPTHREAD_START_ROUTINE routine, DWORD& id) -> HANDLE {
        auto argument = std::make_unique<ThreadStart>(ThreadStart { this, m_control, m_client, m_runEvent });
        HANDLE thread = CreateThread(nullptr, 0, routine, argument.get(), 0, &id);
        if (thread)
            argument.release(); // the thread owns it now
        return thread;
    };
    m_workerThread = start(toDevice ? WorkerToDevice : WorkerFromDevice, m_workerThreadId);
    // Without a worker nothing would ever reach 100 %, and the caller would wait for an end that never
    // comes: the run ends at once instead.
    if (!m_workerThread)
        SyncRunState::SetPercent(100);
    m_eventThread = start(EventThread, m_eventThreadId);
    m_control->eventThreadId = m_eventThreadId;
}

void QVSyncDevice::SignalCancel()
{
    SyncRunState::Cancel();
    if (m_runEvent)
        SetEvent(m_runEvent);
    // A worker asleep in the event loop looks at the cancel bit only when the loop wakes.
    if (m_client)
        m_client->Wake();
}

void QVSyncDevice::StopThreads(JoinMode mode)
{
    SignalCancel();
    std::vector<HANDLE> collected;
    for (HANDLE thread : { m_workerThread, m_eventThread }) {
        if (StillRunning(thread))
            collected.push_back(thread);
    }
    // A sink that cancels or releases the object from inside an event runs on the event thread, which
    // cannot wait for itself: when the object goes, that thread is told so.
    if (m_eventThread && GetCurrentThreadId() == m_eventThreadId) {
        if (mode == JoinMode::UntilEnded)
            m_control->objectGone = true;
        std::erase(collected, m_eventThread);
    }
    if (!collected.empty()) {
        Sleep(kCancelPause);
        WaitForMultipleObjects(static_cast<DWORD>(collected.size()), collected.data(), TRUE, kJoinTimeout);
        // No thread is killed: a straggler is asked to stop (its waits then fail at once) and woken.
        bool straggling = false;
        for (HANDLE thread : collected) {
            if (StillRunning(thread)) {
                TerminateThread(thread, 0);
                straggling = true;
            }
        }
        if (straggling && m_client)
            m_client->Wake();
        // Only an object that goes must see the real end, since the threads use its client and texts;
        // a cancel returns to its caller, and the next run refuses to start until they have ended.
        if (mode == JoinMode::UntilEnded)
            WaitForMultipleObjects(static_cast<DWORD>(collected.size()), collected.data(), TRUE, INFINITE);
    }
    for (HANDLE* thread : { &m_workerThread, &m_eventThread }) {
        if (*thread && !StillRunning(*thread)) {
            CloseHandle(*thread);
            *thread = nullptr;
        }
    }
}

HRESULT QVSyncDevice::CancelSync()
{
    SignalCancel();
    Sleep(kCancelPause);
    StopThreads(JoinMode::Bounded);
    return S_OK;
}

DWORD QVSyncDevice::WorkerToDevice(void* start)
{
    std::unique_ptr<ThreadStart> argument(static_cast<ThreadStart*>(start));
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr)) {
        SyncRunState::SetPercent(100);
        return static_cast<DWORD>(hr);
    }
    SyncRunState::SetPercent(0);
    argument->device->RunSteps(true);
    SyncRunState::SetPercent(100);
    CoUninitialize();
    return 0;
}

DWORD QVSyncDevice::WorkerFromDevice(void* start)
{
    std::unique_ptr<ThreadStart> argument(static_cast<ThreadStart*>(start));
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr)) {
        SyncRunState::SetPercent(100);
        return static_cast<DWORD>(hr);
    }
    SyncRunState::SetPercent(0);
    QVSyncDevice& device = *argument->device;
    device.RunSteps(false);
    SyncRunState::SetPercent(100);
    // Kept also after a cancellation: the next run's total is what this one counted.
    WriteSyncRegistryValue(std::to_string(SyncRunState::GetStepCount()), "SFCount", device.DeviceKey());
    CoUninitialize();
    return 0;
}

void QVSyncDevice::RunSteps(bool toDevice)
{
    bool cancelled = false;
    const auto run = [&](bool wanted, Step step) {
        if (!wanted || cancelled)
            return;
        if (SyncRunState::IsCancelled()) {
            cancelled = true;
            return;
        }
        // A step that fails ends; the run goes on with the next one.
        try {
            m_stepRunner(*this, step, toDevice);
        } catch (const _com_error& error) {
            SetComErrorInfo(error);
        } catch (const std::exception&) {
        }
    };
    run(true, Step::Groups);
    run((m_runFlags & (QVSYNC_ALBUMS_CD | QVSYNC_ALBUMS_FILES)) != 0, Step::Albums);
    run((m_runFlags & QVSYNC_RADIO) != 0, Step::Radio);
    // From the device, playlists run only when the device's album list named any.
    run((m_runFlags & QVSYNC_PLAYLISTS) != 0 && (toDevice || SyncRunState::ItemCount() != 0), Step::Playlists);
}

DWORD QVSyncDevice::EventThread(void* start)
{
    std::unique_ptr<ThreadStart> argument(static_cast<ThreadStart*>(start));
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr))
        return static_cast<DWORD>(hr);
    DWORD exitCode = 0;
    try {
        argument->device->ReportProgress(*argument->control);
    } catch (const _com_error& error) {
        SetComError(error);
        exitCode = kComErrorExit;
    } catch (...) {
        exitCode = kOtherErrorExit;
    }
    CoUninitialize();
    return exitCode;
}

void QVSyncDevice::ReportProgress(RunControl& control)
{
    // The object's members are read only while the object is known to live: after a sink has released
    // it (control.objectGone), nothing of it is touched again.
    const HANDLE runEvent = m_runEvent;
    SHORT percent = 0;
    SHORT filePercent = 0;
    DWORD status = 0;
    SHORT shownPercent = 0;
    SHORT shownFilePercent = 0;
    DWORD wait = kProgressInterval;
    for (;;) {
        if (WaitForSingleObject(runEvent, wait) != WAIT_TIMEOUT)
            return;
        if (percent >= 100)
            break;
        SyncRunState::GetProgress(percent, filePercent, status);
        if (status != 0 || percent != shownPercent || filePercent != shownFilePercent) {
            FireDispatchEvent(DISPID_QVSYNC_PROGRESS, { CComVariant(static_cast<int>(percent)),
                                                          CComVariant(static_cast<int>(filePercent)),
                                                          CComVariant(static_cast<int>(status)) });
            if (control.objectGone)
                return;
        }
        shownPercent = percent;
        shownFilePercent = filePercent;
        wait = filePercent != 0 ? kFileProgressInterval : kProgressInterval;
    }
    // A cancel that came while the last period passed ends the run without its completion.
    if (SyncRunState::IsCancelled())
        return;
    SetEvent(runEvent);
    FireDispatchEvent(DISPID_QVSYNC_PROGRESS,
        { CComVariant(100), CComVariant(100), CComVariant(static_cast<int>(status)) });
    if (control.objectGone)
        return;
    FireDispatchEvent(DISPID_QVSYNC_SYNCDONE);
}

HRESULT QVSyncDevice::GetDeviceFile(BSTR bstrDeviceURI, BSTR bstrLocalPath)
{
    if (!m_client || !m_client->WaitUntilReady(kMediaProcess, false))
        return CONNECT_E_NOCONNECTION;
    const std::string localPath = Utf8(bstrLocalPath);
    const vireo::VireoURI uri(Utf8(bstrDeviceURI));
    const HRESULT hr = m_client->OpenFileTransfer(uri.PathValue(), localPath, true);
    // The client reports every end of a transfer, a refusal and a transfer that could not start
    // included; a thread told to stop gives up waiting. A run's cancel is not this fetch's.
    if (m_client->WaitForTransfer(false) != 1) {
        DeleteFile(localPath.c_str());
        return S_FALSE;
    }
    return hr;
}
