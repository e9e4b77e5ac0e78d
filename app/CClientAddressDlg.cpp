#include "app/CClientAddressDlg.h"

#include "app/CMainFrame.h"
#include "app/CPelicanApp.h"
#include "app/DeviceConnection.h"
#include "app/TuneStewardIds.h"
#include "app/WideText.h"
#include "library/CDes.h"
#include "library/FileRoutines.h"
#include "library/LibraryLocations.h"
#include "library/RegistryRoutines.h"
#include "library/_ADODatabaseHelper.h"
#include "platform/afx/AfxDDX.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/CWaitCursor.h"
#include "platform/base/CodePage.h"
#include "platform/base/FileApi.h"
#include "platform/com/CComPtr.h"
#include "platform/com/ObjBase.h"
#include "platform/com/OleAuto.h"
#include "sync/Lumasync.h"

namespace {

constexpr const char* kMaker = "Aldercrest";
constexpr const char* kLocalLibrary = "Local Library";
constexpr const char* kSampleDeviceName = "DivideDuzereDud";
// What the local library and an unnamed library carry as password; the component never examines it.
constexpr const char* kBlankEntry = "BlankEntry";

CString DeviceKey(const CString& maker, const CString& deviceName) { return maker + "\\" + deviceName; }

// Whether the device key keeps a saved password; the password itself, unscrambled, goes to *password.
bool ReadSavedPassword(const CString& key, CString* password)
{
    if (ReadRegistryValue("SaveDevicePassword", key).CompareNoCase("T") != 0)
        return false;
    *password = CDes::Decode(ReadRegistryValue("DeviceToken", key));
    return true;
}

// A text the component gave; a failed call reads as the empty text.
template <typename Getter>
CString ClientText(IQVClient* client, Getter getter)
{
    BSTR text = nullptr;
    CString result;
    if (SUCCEEDED((client->*getter)(&text)) && text)
        result = platform::Utf16ToUtf8(std::u16string_view(text)).c_str();
    ::SysFreeString(text);
    return result;
}

} // namespace

BEGIN_MESSAGE_MAP(CClientAddressDlg, CBaseDialog)
ON_MESSAGE(CClientAddressDlg::WM_SEARCH_DEVICES, OnSearchDevices)
ON_CBN_SELCHANGE(IDC_CLIENT_DEVICES, OnSelchangeDevice)
END_MESSAGE_MAP()

CClientAddressDlg::CClientAddressDlg(CMainFrame* pFrame)
    : CBaseDialog(IDD_CLIENT_ADDRESS, pFrame)
    , m_pFrame(pFrame)
{
    if (CPelicanApp* app = GetPelicanApp())
        app->m_deviceList.RemoveAll();
}

void CClientAddressDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLIENT_DEVICES, m_cbDevices);
    DDX_Check(pDX, IDC_CLIENT_SAVE_PASSWORD, m_bSavePassword);
    DDX_Text(pDX, IDC_CLIENT_PASSWORD, m_strPassword);
    DDX_Control(pDX, IDC_CLIENT_SEARCH_ANIMATION, m_animSearch);
}

BOOL CClientAddressDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    CPelicanApp* app = GetPelicanApp();
    if (app->GetProfileString("Settings", "CustomBroadcastMask", "").CompareNoCase("T") == 0)
        m_strBroadcastMasks = app->GetProfileString("Settings", "CustomBroadcastMaskList", "");
    app->m_bLocalLibrary = FALSE;
    m_animSearch.Open(IDR_SEARCH_ANIMATION);
    SetControlTextFromId(IDC_CLIENT_IDENTIFIER_LABEL);
    // The password controls stay hidden: their values only follow the selected device.
    m_cbDevices.EnableWindow(FALSE);
    for (const int id : { IDC_CLIENT_PASSWORD, IDC_CLIENT_SAVE_PASSWORD, IDC_CLIENT_PASSWORD_LABEL })
        GetDlgItem(id)->ShowWindow(SW_HIDE);
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    // The search runs once the dialog shows, so the user sees it waiting.
    PostMessage(WM_SEARCH_DEVICES);
    return TRUE;
}

int CClientAddressDlg::AddDeviceEntry(LPCTSTR description, LPCTSTR deviceName, LPCTSTR password, LPCTSTR maker,
    LPCTSTR address, LPCTSTR dataSource, LPCTSTR product, LPCTSTR udn, BYTE savePassword)
{
    CDeviceList& list = GetPelicanApp()->m_deviceList;
    const int entry = list.Add(description, deviceName, password, maker, address, dataSource, product, udn, savePassword);
    const int item = m_cbDevices.AddString(list.GetDisplayText(entry));
    return m_cbDevices.SetItemData(item, static_cast<DWORD_PTR>(entry));
}

LRESULT CClientAddressDlg::OnSearchDevices(WPARAM, LPARAM)
{
    // One search is all the dialog runs.
    if (m_bSearched)
        return 0;
    m_bSearched = true;
    CWaitCursor wait;
    SetWindowText(CString(MAKEINTRESOURCE(IDS_CLIENT_SEARCHING)));
    m_animSearch.ShowWindow(SW_SHOW);
    m_animSearch.Play(0, static_cast<UINT>(-1), static_cast<UINT>(-1));

    CPelicanApp* app = GetPelicanApp();
    app->m_strDeviceName = kSampleDeviceName;
    if (GetFileAttributes(GetDatabasePath()) != INVALID_FILE_ATTRIBUTES)
        AddDeviceEntry(kLocalLibrary, kSampleDeviceName, kBlankEntry, kMaker, "127.0.0.1", app->m_strDataSource, "",
            kLocalLibrary, 0);
    app->m_strDeviceName.Empty();

    if (ListNetworkDevices()) {
        SelectLastDevice();
        OnSelchangeDevice();
        SetWindowText(CString(MAKEINTRESOURCE(IDS_CLIENT_CAPTION)));
    }

    m_animSearch.Stop();
    m_animSearch.ShowWindow(SW_HIDE);
    for (const int id : { IDC_CLIENT_DEVICES, IDC_CLIENT_PASSWORD, IDC_CLIENT_SAVE_PASSWORD, IDOK })
        GetDlgItem(id)->EnableWindow(TRUE);
    return 0;
}

bool CClientAddressDlg::ListNetworkDevices()
{
    CComPtr<IQVClientConnection> connection;
    if (FAILED(::CoCreateInstance(CLSID_QVSyncConnection, nullptr, CLSCTX_INPROC_SERVER,
            platform::IidOf<IQVClientConnection>(), reinterpret_cast<void**>(&connection.p)))
        || !connection) {
        AfxMessageBox(IDS_NO_DEVICE_COMPONENT, MB_OK);
        return false;
    }
    if (!m_strBroadcastMasks.IsEmpty())
        connection->put_BroadcastMask(WideText(m_strBroadcastMasks));

    VARIANT found;
    VARIANT count;
    VariantInit(&found);
    VariantInit(&count);
    if (FAILED(connection->ListDevices(WideText(""), &found, &count)) || found.vt == VT_EMPTY) {
        VariantClear(&found);
        VariantClear(&count);
        AfxMessageBox(IDS_NO_DEVICE_COMPONENT, MB_OK);
        return false;
    }
    CComPtr<IQVClientCollection> collection;
    if ((found.vt == VT_UNKNOWN || found.vt == VT_DISPATCH) && found.punkVal)
        found.punkVal->QueryInterface(platform::IidOf<IQVClientCollection>(), reinterpret_cast<void**>(&collection.p));
    VariantClear(&found);
    VARIANT devices;
    VariantInit(&devices);
    const bool counted = SUCCEEDED(VariantChangeType(&devices, &count, 0, VT_I4));
    VariantClear(&count);
    if (!collection)
        return false;

    for (LONG i = 0; counted && i < devices.lVal; ++i) {
        VARIANT item;
        VariantInit(&item);
        CComPtr<IQVClient> client;
        if (SUCCEEDED(collection->Item(i, &item)) && (item.vt == VT_UNKNOWN || item.vt == VT_DISPATCH) && item.punkVal)
            item.punkVal->QueryInterface(platform::IidOf<IQVClient>(), reinterpret_cast<void**>(&client.p));
        VariantClear(&item);
        if (!client)
            continue;
        const CString name = ClientText(client.p, &IQVClient::get_FriendlyName);
        const CString address = ClientText(client.p, &IQVClient::get_IPAddress);
        const CString maker = ClientText(client.p, &IQVClient::get_OEMName);
        if (maker.CompareNoCase(kMaker) != 0)
            continue;
        const CString serial = ClientText(client.p, &IQVClient::get_SerialNumber);
        const CString key = DeviceKey(maker, serial);
        CString password;
        const BYTE saved = ReadSavedPassword(key, &password) ? 1 : 0;
        AddDeviceEntry(name, serial, password, maker, address, ReadRegistryValue("DataSource", key),
            ClientText(client.p, &IQVClient::get_ProductName), ClientText(client.p, &IQVClient::get_UDN), saved);
    }
    return true;
}

void CClientAddressDlg::SelectLastDevice()
{
    const CDeviceList& list = GetPelicanApp()->m_deviceList;
    int chosen = 0;
    const CString last = GetPelicanApp()->GetProfileString("Settings", "LastDevice", "");
    if (!last.IsEmpty()) {
        // The first entry in the order found, not in the box's sorted order.
        for (int entry = 0; entry < list.GetCount(); ++entry) {
            if (list.GetDisplayText(entry).CompareNoCase(last) != 0)
                continue;
            for (int item = 0; item < m_cbDevices.GetCount(); ++item) {
                if (static_cast<int>(m_cbDevices.GetItemData(item)) == entry)
                    chosen = item;
            }
            break;
        }
    }
    m_cbDevices.SetCurSel(chosen);
}

void CClientAddressDlg::OnSelchangeDevice()
{
    const int item = m_cbDevices.GetCurSel();
    if (item == CB_ERR)
        return;
    const DeviceEntry* entry = GetPelicanApp()->m_deviceList.GetAt(static_cast<int>(m_cbDevices.GetItemData(item)));
    if (!entry)
        return;
    m_strPassword.Empty();
    // A device without a saved password starts empty rather than with the previous device's.
    m_bSavePassword = ReadSavedPassword(DeviceKey(entry->m_strMaker, entry->m_strDeviceName), &m_strPassword) ? TRUE : FALSE;
    UpdateData(FALSE);
}

void CClientAddressDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CPelicanApp* app = GetPelicanApp();
    TakeSelection();

    const bool hadDataSource = !app->m_strDataSource.IsEmpty();
    GetDatabasePath();
    if (!hadDataSource)
        WriteRegistryValue(app->m_strDataSource, "DataSource", DeviceKey(app->m_strMaker, app->m_strDeviceName));

    if (app->m_bLocalLibrary)
        OpenLocalLibrary();
    else
        OpenNetworkLibrary();
}

void CClientAddressDlg::TakeSelection()
{
    CPelicanApp* app = GetPelicanApp();
    const int item = m_cbDevices.GetCurSel();
    const DeviceEntry* entry
        = item == CB_ERR ? nullptr : app->m_deviceList.GetAt(static_cast<int>(m_cbDevices.GetItemData(item)));
    if (!entry) {
        m_cbDevices.GetWindowText(app->m_strDescription);
        app->m_bLocalLibrary = app->m_strDescription == kLocalLibrary ? TRUE : FALSE;
        if (app->m_bLocalLibrary)
            app->m_strDeviceName = kSampleDeviceName;
        app->m_strMaker = kMaker;
        app->m_strPassword = kBlankEntry;
        return;
    }
    app->m_bLocalLibrary = entry->m_strDisplay == kLocalLibrary ? TRUE : FALSE;
    app->m_strMaker = entry->m_strMaker;
    app->m_strDeviceName = entry->m_strDeviceName;
    app->m_strPassword = entry->m_strPassword;
    app->m_strDescription = entry->m_strDisplay;
    app->m_strAddress = entry->m_strAddress;
    app->m_strDataSource = entry->m_strDataSource;
    app->m_strProduct = entry->m_strProduct;
    const CString key = DeviceKey(entry->m_strMaker, entry->m_strDeviceName);
    if (m_bSavePassword) {
        WriteRegistryValue("T", "SaveDevicePassword", key);
        WriteRegistryValue(CDes::Encode(m_strPassword), "DeviceToken", key);
    } else {
        WriteRegistryValue("F", "SaveDevicePassword", key);
        DeleteRegistryValue("DeviceToken", key);
    }
}

void CClientAddressDlg::OpenNetworkLibrary()
{
    const CString path = GetDatabasePath();
    if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) {
        // Either failure leaves the dialog open for another try; the creation shows its own message.
        if (!CreateLibraryFolders(GetLibraryRoot()))
            return;
        _ADODatabaseHelper helper;
        if (!helper.CreateLibraryDatabase(path))
            return;
    }
    UINT message = 0;
    switch (m_pFrame->ConnectDevice()) {
    case kDeviceConnected:
        EndDialog(IDOK);
        return;
    case kNoConnectionObject:
        message = IDS_CLIENT_NO_SYNC_OBJECT;
        break;
    case kOpenDeviceFailed:
        message = IDS_CLIENT_OPEN_FAILED;
        break;
    default:
        message = IDS_SYNC_DEVICE_ERROR;
        break;
    }
    AfxMessageBox(message, MB_OK);
    EndDialog(IDCANCEL);
}

void CClientAddressDlg::OpenLocalLibrary()
{
    const CString path = GetDatabasePath();
    const DWORD attributes = GetFileAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    _ADODatabaseHelper helper;
    if (!helper.UpgradeLibraryDatabase(path)) {
        AfxMessageBox(IDS_CLIENT_UPGRADE_FAILED, MB_OK);
        EndDialog(IDCANCEL);
        return;
    }
    EndDialog(IDOK);
}

