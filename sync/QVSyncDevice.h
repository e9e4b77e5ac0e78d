#pragma once
// One opened device: the library's folders, database and names for its runs, the two synchronisation
// runs (each on a worker thread that runs the steps and an event thread that reports progress to the
// connected sinks), cancelling, and fetching single files. The object owns the device client through
// which every step talks to the device; the run threads share it while they run.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/AtlBase.h"
#include "sync/Lumasync.h"
#include "sync/SyncTaskDevice.h"

class DeviceClient;

class QVSyncDevice : public CComObjectRootEx<CComSingleThreadModel>,
                     public CComCoClass<QVSyncDevice, &CLSID_QVSyncDevice>,
                     public IConnectionPointContainerImpl<QVSyncDevice>,
                     public IConnectionPointImpl<QVSyncDevice, &platform::IidOf<IQVClientDeviceEvents>()>,
                     public IDispatchImpl<IQVClientDevice>,
                     public SyncTaskDevice {
public:
    // The steps of a run, in the order the worker runs them.
    enum class Step { Groups, Albums, Radio, Playlists };
    // Runs one step towards the device or from it; the worker calls it on its own thread.
    using StepRunner = std::function<void(QVSyncDevice& device, Step step, bool toDevice)>;

    // How long the event thread sleeps between readings, and while a file moves.
    static constexpr DWORD kProgressInterval = 2000;
    static constexpr DWORD kFileProgressInterval = 500;
    // Cancelling: the pause after signalling, and how long the threads are then given together.
    static constexpr DWORD kCancelPause = 1000;
    static constexpr DWORD kJoinTimeout = 10000;

    DECLARE_REGISTRY_RESOURCEID(102)

    BEGIN_COM_MAP(QVSyncDevice)
    COM_INTERFACE_ENTRY(IQVClientDevice)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IConnectionPointContainer)
    END_COM_MAP()

    BEGIN_CONNECTION_POINT_MAP(QVSyncDevice)
    CONNECTION_POINT_ENTRY(platform::IidOf<IQVClientDeviceEvents>())
    END_CONNECTION_POINT_MAP()

    QVSyncDevice();
    ~QVSyncDevice();
    HRESULT FinalConstruct();
    // Stops any run (its threads end before this returns), then lets the client go.
    void FinalRelease();

    // What the connection's OpenDevice gives the object: the device's address and the library's
    // connection string (E_INVALIDARG for a null text), and the client with its process arguments.
    HRESULT SetNetworkConnectionString(BSTR text);
    HRESULT SetConnectionString(BSTR text);
    void SetClient(std::shared_ptr<DeviceClient> client, std::vector<std::string> processArguments);

    // What the steps read while a run lasts.
    DeviceClient* Client() const override { return m_client.get(); }
    _bstr_t ConnectionString() const override { return m_connectionString; }
    _bstr_t MusicFolder() const override { return m_musicFolder; }
    _bstr_t NetworkConnectionString() const { return m_networkAddress; }
    _bstr_t RadioFolder() const { return m_radioFolder; }
    _bstr_t OEMName() const { return m_oemName; }
    _bstr_t DeviceName() const { return m_deviceName; }
    LONG RunFlags() const { return m_runFlags; }
    const std::vector<std::string>& ProcessArguments() const { return m_processArguments; }

    // Replaces the steps that runs execute (tests run their own).
    void SetStepRunner(StepRunner runner) { m_stepRunner = std::move(runner); }

    // The OEM mode of a maker's name (any case): aldercrest 1, brightwell 2, cindervale 3, corvane 9, else 0.
    static SHORT OemModeOf(const std::string& makerName);

    HRESULT SyncTuneStewardFromClientDevice(LONG flags, LONG* result) override;
    HRESULT SyncClientDeviceFromTuneSteward(LONG flags, LONG* result) override;
    HRESULT get_ReservedText9(BSTR*) override { return S_OK; }
    HRESULT get_ReservedText10(BSTR*) override { return S_OK; }
    HRESULT put_ReservedText10(BSTR) override { return S_OK; }
    HRESULT get_ReservedText12(BSTR*) override { return S_OK; }
    HRESULT get_ReservedText13(BSTR*) override { return S_OK; }
    HRESULT put_ReservedText13(BSTR) override { return S_OK; }
    HRESULT get_ReservedNumber15(LONG*) override { return S_OK; }
    HRESULT get_ReservedNumber16(LONG*) override { return S_OK; }
    HRESULT get_ReservedText17(BSTR*) override { return S_OK; }
    HRESULT put_ReservedText17(BSTR) override { return S_OK; }
    HRESULT get_ReservedFlag19(VARIANT_BOOL*) override { return S_OK; }
    HRESULT get_ReservedFlag20(VARIANT_BOOL*) override { return S_OK; }
    HRESULT get_MusicFolder(BSTR*) override { return S_OK; }
    HRESULT put_MusicFolder(BSTR newVal) override;
    HRESULT get_ReservedText23(BSTR*) override { return S_OK; }
    HRESULT put_ReservedText23(BSTR) override { return S_OK; }
    HRESULT get_ReservedText25(BSTR*) override { return S_OK; }
    HRESULT put_ReservedText25(BSTR) override { return S_OK; }
    HRESULT get_ReservedText27(BSTR*) override { return S_OK; }
    HRESULT put_ReservedText27(BSTR) override { return S_OK; }
    HRESULT get_ReservedText29(BSTR*) override { return S_OK; }
    HRESULT put_ReservedText29(BSTR) override { return S_OK; }
    HRESULT get_RadioFolder(BSTR*) override { return S_OK; }
    HRESULT put_RadioFolder(BSTR newVal) override;
    HRESULT get_ReservedText33(BSTR*) override { return S_OK; }
    HRESULT put_ReservedText33(BSTR) override { return S_OK; }
    HRESULT get_ReservedText35(BSTR*) override { return S_OK; }
    HRESULT put_ReservedText35(BSTR) override { return S_OK; }
    HRESULT get_OEMName(BSTR* pVal) override;
    HRESULT put_OEMName(BSTR newVal) override;
    HRESULT get_CustomerID(LONG* pVal) override;
    HRESULT put_CustomerID(LONG newVal) override;
    HRESULT CancelSync() override;
    HRESULT get_TuneStewardDBConnectionString(BSTR* pVal) override;
    HRESULT put_TuneStewardDBConnectionString(BSTR newVal) override;
    HRESULT GetDeviceFile(BSTR bstrDeviceURI, BSTR bstrLocalPath) override;
    HRESULT get_DeviceName(BSTR* pVal) override;
    HRESULT put_DeviceName(BSTR newVal) override;

private:
    struct RunControl;
    struct ThreadStart;

    // Both calls share everything but the direction and the "SFCount" read.
    HRESULT StartRun(LONG flags, LONG* result, bool toDevice);
    void StartThreads(bool toDevice);
    // How long stopping the threads waits: a cancel gives them their time, an object that goes waits
    // for their real end.
    enum class JoinMode { Bounded, UntilEnded };
    // Sets the cancel bit, wakes the worker and the event thread.
    void SignalCancel();
    // Signals, gives the threads their time, asks stragglers to stop and, by the mode, waits for their end.
    void StopThreads(JoinMode mode);
    void RunSteps(bool toDevice);
    void ReportProgress(RunControl& control);
    // The key below the program's settings key that holds this device's "SFCount".
    std::string DeviceKey() const;

    static DWORD WorkerToDevice(void* start);
    static DWORD WorkerFromDevice(void* start);
    static DWORD EventThread(void* start);

    std::shared_ptr<DeviceClient> m_client;
    _bstr_t m_connectionString;
    _bstr_t m_networkAddress;
    _bstr_t m_musicFolder;
    _bstr_t m_radioFolder;
    _bstr_t m_oemName;
    _bstr_t m_deviceName;
    DWORD m_eventThreadId { 0 };
    HANDLE m_eventThread { nullptr };
    DWORD m_workerThreadId { 0 };
    HANDLE m_workerThread { nullptr };
    std::vector<std::string> m_processArguments;
    LONG m_runFlags { 0 };
    CComVariant m_customerId;
    HANDLE m_runEvent { nullptr };
    // Shared with the event thread, which may outlive the object when a sink releases it from an event.
    std::shared_ptr<RunControl> m_control;
    StepRunner m_stepRunner;
};
