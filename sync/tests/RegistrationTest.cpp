// The component library as the program meets it: registered through its exports, created by class
// identifier, and gone from the machine's classes after unregistration.

#include <gtest/gtest.h>

#include "platform/base/Modules.h"
#include "platform/base/Registry.h"
#include "platform/com/CComBSTR.h"
#include "platform/com/CComPtr.h"
#include "platform/com/ComError.h"
#include "platform/com/ObjBase.h"
#include "platform/com/OleAuto.h"
#include "sync/ComponentUtilities.h"
#include "sync/Lumasync.h"

namespace {

HRESULT CallExport(const char* name)
{
    const HMODULE module = LoadLibrary("Lumasync.dll");
    if (!module)
        return E_FAIL;
    auto entry = platform::ProcCast<HRESULT (*)()>(GetProcAddress(module, name));
    const HRESULT hr = entry ? entry() : E_NOTIMPL;
    FreeLibrary(module);
    return hr;
}

std::string ClassesValue(const std::string& path, const char* value = "")
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    char buffer[512] {};
    DWORD size = sizeof buffer;
    const LONG read = RegQueryValueEx(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? std::string(buffer) : "<none>";
}

} // namespace

TEST(Registration, TheProgramRegistersCreatesAndUnregistersTheComponent)
{
    // Tests that made a library before this one, in the same process, left the thread's apartment open.
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    CComPtr<IQVClientConnection> connection;
    EXPECT_EQ(CoCreateInstance(CLSID_QVSyncConnection, nullptr, CLSCTX_INPROC_SERVER,
                  platform::IidOf<IQVClientConnection>(), reinterpret_cast<void**>(&connection.p)),
        REGDB_E_CLASSNOTREG);

    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
    const std::string clsid = "CLSID\\" + platform::GuidToString(CLSID_QVSyncConnection);
    EXPECT_EQ(ClassesValue(clsid), "QVSyncConnection Class");
    EXPECT_EQ(ClassesValue(clsid + "\\ProgID"), "QVSync.Connection.1");
    EXPECT_EQ(ClassesValue(clsid + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(ClassesValue(clsid + "\\TypeLib"), "{ECD97CAC-762B-4EF3-9F11-9A550481F665}");
    EXPECT_EQ(ClassesValue("QVSync.Device\\CurVer"), "QVSync.Device.1");
    EXPECT_EQ(ClassesValue("QVSync.Coll.1\\CLSID"), platform::GuidToString(CLSID_QVSyncColl));

    ASSERT_EQ(CoCreateInstance(CLSID_QVSyncConnection, nullptr, CLSCTX_INPROC_SERVER,
                  platform::IidOf<IQVClientConnection>(), reinterpret_cast<void**>(&connection.p)),
        S_OK);
    EXPECT_EQ(connection->put_BroadcastMask(CComBSTR(u"127.0.0.1")), S_OK);
    EXPECT_EQ(CallExport("DllCanUnloadNow"), S_FALSE);
    connection.Release();
    EXPECT_EQ(CallExport("DllCanUnloadNow"), S_OK);

    // Errors without information of their own name the registered connection class as their source.
    SetComError(_com_error(E_FAIL));
    CComPtr<IErrorInfo> info;
    GetErrorInfo(0, &info.p);
    ASSERT_TRUE(info);
    BSTR source = nullptr;
    info->GetSource(&source);
    EXPECT_EQ(std::u16string(source ? source : u""), u"QVSync.Connection.1");
    SysFreeString(source);

    ASSERT_EQ(CallExport("DllUnregisterServer"), S_OK);
    EXPECT_EQ(ClassesValue(clsid), "<missing>");
    EXPECT_EQ(CoCreateInstance(CLSID_QVSyncConnection, nullptr, CLSCTX_INPROC_SERVER,
                  platform::IidOf<IQVClientConnection>(), reinterpret_cast<void**>(&connection.p)),
        REGDB_E_CLASSNOTREG);
    CoFreeUnusedLibraries();
    CoUninitialize();
}
