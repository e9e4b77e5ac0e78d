#pragma once
// The interfaces, classes and identifiers of the synchronisation component, as the component and the
// desktop program both see them. The desktop program binds to every interface by its identifier and
// by its layout (slot order), so the order of the members below is fixed.

#include "platform/com/IDispatchImpl.h"

// Type library named by the registry scripts and by every object's dispatch implementation.
inline constexpr GUID LIBID_LUMASYNCLib = platform::MakeGuid("ECD97CAC-762B-4EF3-9F11-9A550481F665");
// Type library carried by the component as its resource 1.
inline constexpr GUID LIBID_LumasyncResource = platform::MakeGuid("4577144C-1607-45D4-B179-9F0B8BDCEC35");

inline constexpr CLSID CLSID_QVSyncConnection = platform::MakeGuid("494FAE79-06AE-468A-8007-FB344CFE63AE");
inline constexpr CLSID CLSID_QVSyncColl = platform::MakeGuid("9A4FE6B8-7D7A-47BF-BBF4-94DE4F294A15");
inline constexpr CLSID CLSID_QVSyncDevice = platform::MakeGuid("376E5AD4-743C-4F75-87E2-8332B7E9ACA8");

// Dispatch identifiers of the device object's events.
enum : DISPID {
    DISPID_QVSYNC_PROGRESS = 1, // Progress(overall percent, current-file percent, status word)
    DISPID_QVSYNC_SYNCDONE = 2, // SyncDone()
    DISPID_QVSYNC_SYNCABORTED = 3, // SyncAborted(): never fired
    DISPID_QVSYNC_APPEXITING = 4, // AppExiting(): never fired
};

// Run flags of the two synchronisation calls; the group step runs whatever the flags.
enum : LONG {
    QVSYNC_ALBUMS_CD = 0x1,
    QVSYNC_ALBUMS_FILES = 0x4,
    QVSYNC_PLAYLISTS = 0x8,
    QVSYNC_RADIO = 0x1000,
};

// The devices of the last listing.
struct IQVClientCollection : IDispatch {
    // The device at iDeviceNum as an IUnknown answering IQVClient; E_INVALIDARG outside the list.
    virtual HRESULT Item(LONG iDeviceNum, VARIANT* vClientObj) = 0;
    // The number of devices listed.
    virtual HRESULT get_NumDevices(LONG* pVal) = 0;
};
TS_DEFINE_IID(IQVClientCollection, "1E08990C-DFA6-47E6-81F2-0C4889C1A595");

// Declared by the type library; nothing implements it.
struct IQVClientQuery : IDispatch { };
TS_DEFINE_IID(IQVClientQuery, "A40C95E0-F470-48A6-81E6-03A9B7A834A3");

// One device that answered the discovery broadcast; each getter hands out a new copy (null when empty).
struct IQVClient : IDispatch {
    virtual HRESULT get_FriendlyName(BSTR* pVal) = 0;
    virtual HRESULT get_IPAddress(BSTR* pVal) = 0;
    virtual HRESULT get_OEMName(BSTR* pVal) = 0;
    virtual HRESULT get_SerialNumber(BSTR* pVal) = 0;
    virtual HRESULT get_ProductName(BSTR* pVal) = 0;
    virtual HRESULT get_UDN(BSTR* pVal) = 0;
};
TS_DEFINE_IID(IQVClient, "538D3959-E047-4844-B209-C91EC4D49318");

// The component's front door: lists the devices on the network and opens one.
struct IQVClientConnection : IDispatch {
    // Runs discovery over BroadcastMask; the device collection (VT_UNKNOWN) and its count (VT_I4).
    virtual HRESULT ListDevices(BSTR bstrNetworkInfo, VARIANT* DeviceCollectionObj, VARIANT* lNumDevices) = 0;
    // Opens the device at bstrNetworkConnectionString; the device object (VT_UNKNOWN answering IQVClientDevice).
    virtual HRESULT OpenDevice(BSTR bstrNetworkConnectionString, BSTR bstrNetworkProtocolInfo,
        BSTR bstrTuneStewardDBConnectionString, LONG iCustomerID, BSTR bstrPassword, VARIANT* vDeviceObj)
        = 0;
    virtual HRESULT get_NetworkProtocolInfo(BSTR* pVal) = 0;
    virtual HRESULT put_NetworkProtocolInfo(BSTR newVal) = 0;
    virtual HRESULT get_TuneStewardDBConnectionString(BSTR* pVal) = 0;
    virtual HRESULT put_TuneStewardDBConnectionString(BSTR newVal) = 0;
    virtual HRESULT get_SecurityCredentials(BSTR* pVal) = 0;
    virtual HRESULT put_SecurityCredentials(BSTR newVal) = 0;
    virtual HRESULT get_NetworkConnectionString(BSTR* pVal) = 0;
    virtual HRESULT put_NetworkConnectionString(BSTR newVal) = 0;
    virtual HRESULT get_BroadcastMask(BSTR* pVal) = 0;
    virtual HRESULT put_BroadcastMask(BSTR newVal) = 0;
};
TS_DEFINE_IID(IQVClientConnection, "2EDA77B1-0B6F-462C-A61A-718E76AEEF7A");

// One opened device: its settings, the two synchronisation runs, cancelling and single-file fetches.
// The Reserved members keep the layout's slots; they return S_OK and touch nothing.
struct IQVClientDevice : IDispatch {
    // Starts a device-to-desktop run; *result is set to 0, the outcome comes through the events.
    virtual HRESULT SyncTuneStewardFromClientDevice(LONG flags, LONG* result) = 0;
    // Starts a desktop-to-device run; *result is set to 0, the outcome comes through the events.
    virtual HRESULT SyncClientDeviceFromTuneSteward(LONG flags, LONG* result) = 0;
    virtual HRESULT get_ReservedText9(BSTR* pVal) = 0;
    virtual HRESULT get_ReservedText10(BSTR* pVal) = 0;
    virtual HRESULT put_ReservedText10(BSTR newVal) = 0;
    virtual HRESULT get_ReservedText12(BSTR* pVal) = 0;
    virtual HRESULT get_ReservedText13(BSTR* pVal) = 0;
    virtual HRESULT put_ReservedText13(BSTR newVal) = 0;
    virtual HRESULT get_ReservedNumber15(LONG* pVal) = 0;
    virtual HRESULT get_ReservedNumber16(LONG* pVal) = 0;
    virtual HRESULT get_ReservedText17(BSTR* pVal) = 0;
    virtual HRESULT put_ReservedText17(BSTR newVal) = 0;
    virtual HRESULT get_ReservedFlag19(VARIANT_BOOL* pVal) = 0;
    virtual HRESULT get_ReservedFlag20(VARIANT_BOOL* pVal) = 0;
    // Does nothing (the folder is write-only).
    virtual HRESULT get_MusicFolder(BSTR* pVal) = 0;
    // The library's music folder for the run's files.
    virtual HRESULT put_MusicFolder(BSTR newVal) = 0;
    virtual HRESULT get_ReservedText23(BSTR* pVal) = 0;
    virtual HRESULT put_ReservedText23(BSTR newVal) = 0;
    virtual HRESULT get_ReservedText25(BSTR* pVal) = 0;
    virtual HRESULT put_ReservedText25(BSTR newVal) = 0;
    virtual HRESULT get_ReservedText27(BSTR* pVal) = 0;
    virtual HRESULT put_ReservedText27(BSTR newVal) = 0;
    virtual HRESULT get_ReservedText29(BSTR* pVal) = 0;
    virtual HRESULT put_ReservedText29(BSTR newVal) = 0;
    // Does nothing (the folder is write-only).
    virtual HRESULT get_RadioFolder(BSTR* pVal) = 0;
    // The library's radio folder for the run's files.
    virtual HRESULT put_RadioFolder(BSTR newVal) = 0;
    virtual HRESULT get_ReservedText33(BSTR* pVal) = 0;
    virtual HRESULT put_ReservedText33(BSTR newVal) = 0;
    virtual HRESULT get_ReservedText35(BSTR* pVal) = 0;
    virtual HRESULT put_ReservedText35(BSTR newVal) = 0;
    virtual HRESULT get_OEMName(BSTR* pVal) = 0;
    // The maker's name; also selects the run's OEM mode.
    virtual HRESULT put_OEMName(BSTR newVal) = 0;
    virtual HRESULT get_CustomerID(LONG* pVal) = 0;
    // E_INVALIDARG below 0.
    virtual HRESULT put_CustomerID(LONG newVal) = 0;
    // Stops the running synchronisation; no event follows.
    virtual HRESULT CancelSync() = 0;
    virtual HRESULT get_TuneStewardDBConnectionString(BSTR* pVal) = 0;
    // The library database that the next run reads or fills; E_INVALIDARG for a null text.
    virtual HRESULT put_TuneStewardDBConnectionString(BSTR newVal) = 0;
    // Fetches the device's file into bstrLocalPath: S_OK, S_FALSE when the transfer failed (no file is
    // left), 0x80040200 when the device does not answer.
    virtual HRESULT GetDeviceFile(BSTR bstrDeviceURI, BSTR bstrLocalPath) = 0;
    virtual HRESULT get_DeviceName(BSTR* pVal) = 0;
    virtual HRESULT put_DeviceName(BSTR newVal) = 0;
};
TS_DEFINE_IID(IQVClientDevice, "53BD9B7F-1A1F-4C0F-A116-F49C36BC6404");

// The device object's events (dispatch only; see the DISPIDs above).
struct IQVClientDeviceEvents : IDispatch { };
TS_DEFINE_IID(IQVClientDeviceEvents, "FDB39ACD-7752-4123-8025-C890BE3FE394");

template<> struct platform::DispatchTable<IQVClientCollection> {
    static std::span<const platform::DispMember> Members()
    {
        static const platform::DispMember members[] {
            platform::DispMethod<&IQVClientCollection::Item>(1, u"Item"),
            platform::DispPropGet<&IQVClientCollection::get_NumDevices>(2, u"NumDevices"),
        };
        return members;
    }
};

template<> struct platform::DispatchTable<IQVClientConnection> {
    static std::span<const platform::DispMember> Members()
    {
        static const platform::DispMember members[] {
            platform::DispMethod<&IQVClientConnection::ListDevices>(1, u"ListDevices"),
            platform::DispMethod<&IQVClientConnection::OpenDevice>(2, u"OpenDevice"),
            platform::DispPropGet<&IQVClientConnection::get_NetworkProtocolInfo>(3, u"NetworkProtocolInfo"),
            platform::DispPropPut<&IQVClientConnection::put_NetworkProtocolInfo>(3, u"NetworkProtocolInfo"),
            platform::DispPropGet<&IQVClientConnection::get_TuneStewardDBConnectionString>(
                4, u"TuneStewardDBConnectionString"),
            platform::DispPropPut<&IQVClientConnection::put_TuneStewardDBConnectionString>(
                4, u"TuneStewardDBConnectionString"),
            platform::DispPropGet<&IQVClientConnection::get_SecurityCredentials>(5, u"SecurityCredentials"),
            platform::DispPropPut<&IQVClientConnection::put_SecurityCredentials>(5, u"SecurityCredentials"),
            platform::DispPropGet<&IQVClientConnection::get_NetworkConnectionString>(6, u"NetworkConnectionString"),
            platform::DispPropPut<&IQVClientConnection::put_NetworkConnectionString>(6, u"NetworkConnectionString"),
            platform::DispPropGet<&IQVClientConnection::get_BroadcastMask>(7, u"BroadcastMask"),
            platform::DispPropPut<&IQVClientConnection::put_BroadcastMask>(7, u"BroadcastMask"),
        };
        return members;
    }
};

template<> struct platform::DispatchTable<IQVClient> {
    static std::span<const platform::DispMember> Members()
    {
        static const platform::DispMember members[] {
            platform::DispPropGet<&IQVClient::get_FriendlyName>(1, u"FriendlyName"),
            platform::DispPropGet<&IQVClient::get_IPAddress>(2, u"IPAddress"),
            platform::DispPropGet<&IQVClient::get_OEMName>(3, u"OEMName"),
            platform::DispPropGet<&IQVClient::get_SerialNumber>(4, u"SerialNumber"),
            platform::DispPropGet<&IQVClient::get_ProductName>(5, u"ProductName"),
            platform::DispPropGet<&IQVClient::get_UDN>(6, u"UDN"),
        };
        return members;
    }
};

template<> struct platform::DispatchTable<IQVClientDevice> {
    static std::span<const platform::DispMember> Members()
    {
        static const platform::DispMember members[] {
            platform::DispMethod<&IQVClientDevice::SyncTuneStewardFromClientDevice>(
                1, u"SyncTuneStewardFromClientDevice"),
            platform::DispMethod<&IQVClientDevice::SyncClientDeviceFromTuneSteward>(
                2, u"SyncClientDeviceFromTuneSteward"),
            platform::DispPropPut<&IQVClientDevice::put_MusicFolder>(3, u"MusicFolder"),
            platform::DispPropPut<&IQVClientDevice::put_RadioFolder>(4, u"RadioFolder"),
            platform::DispPropGet<&IQVClientDevice::get_OEMName>(5, u"OEMName"),
            platform::DispPropPut<&IQVClientDevice::put_OEMName>(5, u"OEMName"),
            platform::DispPropGet<&IQVClientDevice::get_CustomerID>(6, u"CustomerID"),
            platform::DispPropPut<&IQVClientDevice::put_CustomerID>(6, u"CustomerID"),
            platform::DispMethod<&IQVClientDevice::CancelSync>(7, u"CancelSync"),
            platform::DispPropGet<&IQVClientDevice::get_TuneStewardDBConnectionString>(
                8, u"TuneStewardDBConnectionString"),
            platform::DispPropPut<&IQVClientDevice::put_TuneStewardDBConnectionString>(
                8, u"TuneStewardDBConnectionString"),
            platform::DispMethod<&IQVClientDevice::GetDeviceFile>(9, u"GetDeviceFile"),
            platform::DispPropGet<&IQVClientDevice::get_DeviceName>(10, u"DeviceName"),
            platform::DispPropPut<&IQVClientDevice::put_DeviceName>(10, u"DeviceName"),
        };
        return members;
    }
};
