#include "app/ComponentCheck.h"

#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "library/LibraryStrings.h"
#include "library/ServerRoutines.h"
#include "platform/ado/Ado.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/base/CodePage.h"
#include "platform/base/Modules.h"
#include "platform/com/CComBSTR.h"
#include "platform/com/CComPtr.h"
#include "platform/com/ObjBase.h"
#include "platform/com/OleAuto.h"
#include "sync/Lumasync.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr CLSID CLSID_CDDBControl = platform::MakeGuid("F4BAFF02-F907-11D2-8F8F-00C04F4C3B9F");

// The folder of the program's own file, with its closing separator.
CString ProgramFolder()
{
    char path[MAX_PATH] {};
    GetModuleFileName(nullptr, path, MAX_PATH);
    CString folder(path);
    const int separator = std::max(folder.ReverseFind('\\'), folder.ReverseFind('/'));
    return folder.Left(separator + 1);
}

bool Register(const char* library) { return RegisterServer(ProgramFolder() + library) == 0; }

HRESULT Create(REFCLSID clsid, DWORD context)
{
    CComPtr<IUnknown> object;
    return ::CoCreateInstance(clsid, nullptr, context, IID_IUnknown, reinterpret_cast<void**>(&object.p));
}

bool CheckDataAccess()
{
    CComPtr<_Connection> connection;
    if (FAILED(::CoCreateInstance(CLSID_Connection, nullptr, CLSCTX_ALL, platform::IidOf<_Connection>(),
            reinterpret_cast<void**>(&connection.p))))
        return false;
    CComBSTR version;
    connection->get_Version(&version);
    if (!IsDataAccessVersionSufficient(CString(platform::Utf16ToUtf8(version.m_str ? version.m_str : u"").c_str()))) {
        AfxMessageBox(IDS_ADOX_VERSION_TOO_OLD, MB_OK);
        return false;
    }
    return true;
}

bool CheckXml()
{
    CLSID clsid {};
    HRESULT hr = CLSIDFromProgID(u"Msxml2.DOMDocument.3.0", &clsid);
    if (hr == CO_E_CLASSSTRING) {
        if (Register("msxml3.dll"))
            return true;
    } else if (SUCCEEDED(hr) && SUCCEEDED(Create(clsid, CLSCTX_ALL))) {
        return true;
    }
    AfxMessageBox(IDS_XML_TOO_OLD, MB_OK);
    return false;
}

bool CheckSyncComponent()
{
    const HRESULT hr = Create(CLSID_QVSyncConnection, CLSCTX_INPROC_SERVER);
    if (SUCCEEDED(hr) || (hr == REGDB_E_CLASSNOTREG && Register("Lumaproxy.dll") && Register("Lumasync.dll")))
        return true;
    AfxMessageBox(IDS_NO_DEVICE_COMPONENT, MB_OK);
    return false;
}

void CheckCdDatabaseControl(CPelicanApp& app)
{
    const HRESULT hr = Create(CLSID_CDDBControl, CLSCTX_ALL);
    if (SUCCEEDED(hr) || (hr == REGDB_E_CLASSNOTREG && Register("CDDBControl.dll")))
        app.m_bCDDBControlPresent = TRUE;
    else if (app.m_bUseCDDBControl)
        AfxMessageBox(IDS_CDDB_MISSING, MB_OK);
}

} // namespace

bool IsDataAccessVersionSufficient(const CString& version)
{
    const int dot = version.Find('.');
    const long major = std::atol(dot < 0 ? version.GetString() : version.Left(dot).GetString());
    const long minor = dot < 0 ? 0 : std::atol(version.Mid(dot + 1).GetString());
    return major > 2 || (major == 2 && minor >= 6);
}

bool CheckPrerequisites()
{
    if (!CheckDataAccess() || !CheckXml() || !CheckSyncComponent())
        return false;
    if (CPelicanApp* app = GetPelicanApp())
        CheckCdDatabaseControl(*app);
    return true;
}
