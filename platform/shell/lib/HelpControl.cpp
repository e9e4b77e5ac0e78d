// The help control library: the entry point that shows help (HtmlHelpA, export number 14) and the
// registration of its class, under which the program looks for the library's path.

#include <string>

#include "platform/base/Modules.h"
#include "platform/base/Registry.h"
#include "platform/com/ComErrors.h"
#include "platform/shell/Help.h"

namespace {

constexpr const char* kClassKey = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}";
constexpr const char* kServerKey = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

} // namespace

#define TS_EXPORT extern "C"

TS_EXPORT HWND HtmlHelpA(HWND, LPCSTR pszFile, UINT uCommand, DWORD_PTR)
{
    // The desktop's viewer shows the help; no window of this program does.
    platform::ShowHelpFile(pszFile, uCommand);
    return nullptr;
}

TS_EXPORT HWND ordinal_14(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    return HtmlHelpA(hwndCaller, pszFile, uCommand, dwData);
}

TS_EXPORT HRESULT DllRegisterServer()
{
    char path[MAX_PATH] {};
    const HMODULE self = platform::ModuleFromAddress(reinterpret_cast<const void*>(&DllRegisterServer));
    const DWORD length = GetModuleFileName(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return SELFREG_E_CLASS;
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CLASSES_ROOT, kServerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    const LONG result = RegSetValueEx(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), length + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

TS_EXPORT HRESULT DllUnregisterServer()
{
    RegDeleteKey(HKEY_CLASSES_ROOT, kServerKey);
    RegDeleteKey(HKEY_CLASSES_ROOT, kClassKey);
    return S_OK;
}

TS_EXPORT HRESULT DllCanUnloadNow()
{
    return S_OK;
}

// The control's class is found by its registration only; it makes no objects.
TS_EXPORT HRESULT DllGetClassObject(const void*, const void*, void** ppv)
{
    if (ppv)
        *ppv = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}
