#include "sync/QVSyncConnection.h"

#include <unistd.h>

#include <mutex>

#include "platform/base/CodePage.h"
#include "platform/base/Modules.h"
#include "platform/com/ComErrors.h"
#include "sync/DeviceClient.h"
#include "sync/DeviceList.h"
#include "sync/QVSyncColl.h"
#include "sync/QVSyncDevice.h"
#include "sync/SyncRunState.h"

namespace {

// The program path and the host name are read into buffers of these sizes.
constexpr DWORD kProgramPathBuffer = 512;
constexpr std::size_t kHostNameBuffer = 255;
// The label the readiness check is given; the check does not use it.
constexpr char kMediaProcess[] = "media_sys";

struct ProcessWide {
    std::mutex lock;
    std::string processName;
    QVSyncConnection::ClientFactory factory;
};

ProcessWide& Shared()
{
    static ProcessWide shared;
    return shared;
}

HRESULT CopyOut(const CComBSTR& text, BSTR* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = nullptr;
    return text.Length() == 0 ? S_OK : text.CopyTo(pVal);
}

// Stores a copy of the text, read up to its zero; a null text is refused and the old one kept.
HRESULT CopyIn(CComBSTR& text, BSTR newVal)
{
    if (!newVal)
        return E_INVALIDARG;
    text = static_cast<LPCOLESTR>(newVal);
    return S_OK;
}

std::string Utf8(const CComBSTR& text) { return text.m_str ? platform::Utf16ToUtf8(text.m_str) : std::string(); }

} // namespace

std::string QVSyncConnection::BuildProcessName(const std::string& programPath, const std::string& hostName)
{
    std::string name = programPath;
    // The program's file name: after its last folder separator, or its drive when it has no folder.
    std::size_t cut = name.find_last_of("\\/");
    if (cut == std::string::npos)
        cut = name.rfind(':');
    if (cut != std::string::npos)
        name.erase(0, cut + 1);
    if (const std::size_t exe = name.rfind(".exe"); exe != std::string::npos)
        name.erase(exe);
    name += "-" + hostName;
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else if (c == ' ')
            c = '_';
    }
    return name;
}

std::string QVSyncConnection::BuildOwnProcessName()
{
    char program[kProgramPathBuffer] {};
    GetModuleFileName(nullptr, program, kProgramPathBuffer);
    char host[kHostNameBuffer + 1] {};
    if (gethostname(host, kHostNameBuffer) != 0)
        host[0] = '\0';
    return BuildProcessName(program, host);
}

std::string QVSyncConnection::ProcessName()
{
    std::lock_guard guard(Shared().lock);
    return Shared().processName;
}

std::vector<std::string> QVSyncConnection::ListingArguments(const std::string& processName)
{
    return { processName, "Debug.level=ERROR", "router.name=System", "router.port=1500", "Socket.SO_BROADCAST=1",
        "udn=localhost" };
}

std::vector<std::string> QVSyncConnection::OpeningArguments(const std::string& processName, const std::string& address)
{
    return { processName, "router.name=System", "router.port=1500", "router.host=" + address, "Debug.level=ERROR",
        "udn=localhost" };
}

void QVSyncConnection::SetClientFactory(ClientFactory factory)
{
    std::lock_guard guard(Shared().lock);
    Shared().factory = std::move(factory);
}

std::shared_ptr<DeviceClient> QVSyncConnection::MakeClient(const std::vector<std::string>& arguments)
{
    ClientFactory factory;
    {
        std::lock_guard guard(Shared().lock);
        factory = Shared().factory;
    }
    if (factory)
        return factory(arguments);
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    return std::make_shared<DeviceClient>(static_cast<int>(argv.size()), argv.data());
}

HRESULT QVSyncConnection::ListDevices(BSTR, VARIANT* DeviceCollectionObj, VARIANT* lNumDevices)
{
    if (!DeviceCollectionObj || !lNumDevices)
        return E_POINTER;
    VariantInit(DeviceCollectionObj);
    VariantInit(lNumDevices);
    lNumDevices->vt = VT_I4;
    lNumDevices->lVal = 0;

    m_collection.Release();
    CComObject<QVSyncColl>* created = nullptr;
    HRESULT hr = CComObject<QVSyncColl>::CreateInstance(&created);
    if (FAILED(hr))
        return hr;
    m_collection = created;

    const std::string name = BuildOwnProcessName();
    {
        std::lock_guard guard(Shared().lock);
        Shared().processName = name;
    }
    std::shared_ptr<DeviceClient> client = MakeClient(ListingArguments(name));
    if (!client || !client->DiscoverDevices(Utf8(m_broadcastMask))) {
        m_collection.Release();
        return CONNECT_E_NOCONNECTION;
    }
    client.reset();

    lNumDevices->lVal = static_cast<LONG>(DeviceList::Count());
    IUnknown* unknown = nullptr;
    hr = m_collection->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (SUCCEEDED(hr)) {
        DeviceCollectionObj->vt = VT_UNKNOWN;
        DeviceCollectionObj->punkVal = unknown;
    }
    return hr;
}

HRESULT QVSyncConnection::OpenDevice(BSTR bstrNetworkConnectionString, BSTR bstrNetworkProtocolInfo,
    BSTR bstrTuneStewardDBConnectionString, LONG iCustomerID, BSTR, VARIANT* vDeviceObj)
{
    if (!vDeviceObj)
        return E_POINTER;
    VariantInit(vDeviceObj);
    if (bstrNetworkConnectionString)
        m_networkConnectionString = static_cast<LPCOLESTR>(bstrNetworkConnectionString);
    if (bstrNetworkProtocolInfo)
        m_networkProtocolInfo = static_cast<LPCOLESTR>(bstrNetworkProtocolInfo);
    if (bstrTuneStewardDBConnectionString)
        m_connectionString = static_cast<LPCOLESTR>(bstrTuneStewardDBConnectionString);
    if (iCustomerID <= 0 || m_networkConnectionString.Length() == 0 || m_connectionString.Length() == 0)
        return E_INVALIDARG;

    CComObject<QVSyncDevice>* created = nullptr;
    HRESULT hr = CComObject<QVSyncDevice>::CreateInstance(&created);
    if (FAILED(hr))
        return hr;
    // Held until handed out: an object that fails on the way is released, and with it its client.
    CComPtr<IQVClientDevice> device(created);
    if (FAILED(hr = created->SetNetworkConnectionString(m_networkConnectionString)))
        return hr;

    std::string name;
    {
        std::lock_guard guard(Shared().lock);
        if (Shared().processName.empty())
            Shared().processName = BuildOwnProcessName();
        name = Shared().processName;
    }
    std::vector<std::string> arguments = OpeningArguments(name, Utf8(m_networkConnectionString));
    std::shared_ptr<DeviceClient> client = MakeClient(arguments);
    if (!client)
        return E_OUTOFMEMORY;
    created->SetClient(client, std::move(arguments));
    if (!client->WaitUntilReady(kMediaProcess, false))
        return CONNECT_E_NOCONNECTION;
    SyncRunState::SetUniqueDeviceName(client->GetProperty("udn"));

    IUnknown* unknown = nullptr;
    hr = device->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (FAILED(hr))
        return hr;
    vDeviceObj->vt = VT_UNKNOWN;
    vDeviceObj->punkVal = unknown;
    created->SetNetworkConnectionString(m_networkConnectionString);
    created->SetConnectionString(m_connectionString);
    created->put_CustomerID(iCustomerID);
    return hr;
}

HRESULT QVSyncConnection::get_NetworkProtocolInfo(BSTR* pVal) { return CopyOut(m_networkProtocolInfo, pVal); }
HRESULT QVSyncConnection::put_NetworkProtocolInfo(BSTR newVal) { return CopyIn(m_networkProtocolInfo, newVal); }
HRESULT QVSyncConnection::get_TuneStewardDBConnectionString(BSTR* pVal) { return CopyOut(m_connectionString, pVal); }
HRESULT QVSyncConnection::put_TuneStewardDBConnectionString(BSTR newVal) { return CopyIn(m_connectionString, newVal); }
HRESULT QVSyncConnection::get_SecurityCredentials(BSTR* pVal) { return CopyOut(m_securityCredentials, pVal); }
HRESULT QVSyncConnection::put_SecurityCredentials(BSTR newVal) { return CopyIn(m_securityCredentials, newVal); }
HRESULT QVSyncConnection::get_NetworkConnectionString(BSTR* pVal) { return CopyOut(m_networkConnectionString, pVal); }
HRESULT QVSyncConnection::put_NetworkConnectionString(BSTR newVal) { return CopyIn(m_networkConnectionString, newVal); }
HRESULT QVSyncConnection::get_BroadcastMask(BSTR* pVal) { return CopyOut(m_broadcastMask, pVal); }
HRESULT QVSyncConnection::put_BroadcastMask(BSTR newVal) { return CopyIn(m_broadcastMask, newVal); }
