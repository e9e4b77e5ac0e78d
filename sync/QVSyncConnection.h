#pragma once
// The component's front door, the only class the program creates: it lists the devices that answer a
// discovery broadcast and opens one of them as a device object.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/AtlBase.h"
#include "sync/Lumasync.h"

class DeviceClient;

class QVSyncConnection : public CComObjectRootEx<CComSingleThreadModel>,
                         public CComCoClass<QVSyncConnection, &CLSID_QVSyncConnection>,
                         public IDispatchImpl<IQVClientConnection> {
public:
    // Makes a device client from its process arguments (the process name, then key=value items).
    using ClientFactory = std::function<std::shared_ptr<DeviceClient>(const std::vector<std::string>& arguments)>;

    DECLARE_REGISTRY_RESOURCEID(103)

    BEGIN_COM_MAP(QVSyncConnection)
    COM_INTERFACE_ENTRY(IQVClientConnection)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    HRESULT ListDevices(BSTR bstrNetworkInfo, VARIANT* DeviceCollectionObj, VARIANT* lNumDevices) override;
    HRESULT OpenDevice(BSTR bstrNetworkConnectionString, BSTR bstrNetworkProtocolInfo,
        BSTR bstrTuneStewardDBConnectionString, LONG iCustomerID, BSTR bstrPassword, VARIANT* vDeviceObj) override;
    HRESULT get_NetworkProtocolInfo(BSTR* pVal) override;
    HRESULT put_NetworkProtocolInfo(BSTR newVal) override;
    HRESULT get_TuneStewardDBConnectionString(BSTR* pVal) override;
    HRESULT put_TuneStewardDBConnectionString(BSTR newVal) override;
    HRESULT get_SecurityCredentials(BSTR* pVal) override;
    HRESULT put_SecurityCredentials(BSTR newVal) override;
    HRESULT get_NetworkConnectionString(BSTR* pVal) override;
    HRESULT put_NetworkConnectionString(BSTR newVal) override;
    HRESULT get_BroadcastMask(BSTR* pVal) override;
    HRESULT put_BroadcastMask(BSTR newVal) override;

    // The name under which the component's device clients register: the host program's file name
    // without its folder and ".exe", "-", the host name; in small letters, blanks as "_".
    static std::string BuildProcessName(const std::string& programPath, const std::string& hostName);
    // The process-wide name, as the last listing (or the first opening) built it.
    static std::string ProcessName();
    // The client arguments of a listing and of an opening.
    static std::vector<std::string> ListingArguments(const std::string& processName);
    static std::vector<std::string> OpeningArguments(const std::string& processName, const std::string& address);
    // Replaces how clients are made (null restores the framework's); tests put their own links in.
    static void SetClientFactory(ClientFactory factory);

private:
    static std::string BuildOwnProcessName();
    static std::shared_ptr<DeviceClient> MakeClient(const std::vector<std::string>& arguments);

    CComBSTR m_networkProtocolInfo;
    CComBSTR m_connectionString;
    CComBSTR m_securityCredentials;
    CComBSTR m_networkConnectionString;
    CComBSTR m_broadcastMask;
    CComPtr<IQVClientCollection> m_collection;
};
