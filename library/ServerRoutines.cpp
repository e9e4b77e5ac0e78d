#include "library/ServerRoutines.h"
#include "platform/base/ErrorModeScope.h"

#include "library/PathRoutines.h"
#include "library/RegistryRoutines.h"
#include "platform/base/CaseFold.h"
#include "platform/base/Modules.h"

#include <cstring>

namespace {

// A loaded library, freed when it goes out of scope.
class LoadedModule {
public:
    explicit LoadedModule(HMODULE module)
        : m_module(module)
    {
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    ~LoadedModule()
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }
    HMODULE Get() const { return m_module; }

private:
    HMODULE m_module;
};

using RegisterServerProc = HRESULT (*)();
using HtmlHelpProc = HWND (*)(HWND, LPCSTR, UINT, DWORD_PTR);

constexpr const char* kHelpControlClassKey = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr const char* kHelpControlName = "hhctrl.ocx";
constexpr WORD kHtmlHelpOrdinal = 14;

// The help loader's state, kept from the first call to the end of the process; a first call that
// found no entry point leaves it null for good.
struct HelpControl {
    bool attempted { false };
    HMODULE module { nullptr };
    HtmlHelpProc entry { nullptr };
};

HelpControl& TheHelpControl()
{
    static HelpControl control;
    return control;
}

} // namespace

int RegisterServer(LPCTSTR path)
{
    if (path == nullptr || *path == '\0')
        return 1;
    platform::ErrorModeScope errorMode(SEM_FAILCRITICALERRORS);
    LoadedModule module(LoadLibraryEx(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (module.Get() == nullptr)
        return 1;
    const auto registerServer = platform::ProcCast<RegisterServerProc>(GetProcAddress(module.Get(), "DllRegisterServer"));
    if (registerServer == nullptr) {
        const CString extension = ExtensionOfPath(path);
        return platform::EqualsNoCase(extension.GetString(), ".dll") || platform::EqualsNoCase(extension.GetString(), ".ocx") ? 2 : 4;
    }
    return FAILED(registerServer()) ? 3 : 0;
}

bool GetHtmlHelpControlPath(char* buffer)
{
    if (buffer == nullptr)
        return false;
    buffer[0] = '\0';
    const CString path = ReadRegistryValue(nullptr, kHelpControlClassKey, "HKEY_CLASSES_ROOT\\");
    if (path.IsEmpty() || path.GetLength() >= MAX_PATH)
        return false;
    std::memcpy(buffer, path.GetString(), static_cast<std::size_t>(path.GetLength()) + 1);
    return true;
}

HWND ShowHtmlHelp(HWND window, LPCTSTR helpFile, UINT command, DWORD_PTR data)
{
    HelpControl& control = TheHelpControl();
    if (!control.attempted) {
        control.attempted = true;
        char path[MAX_PATH] {};
        if (GetHtmlHelpControlPath(path))
            control.module = LoadLibrary(path);
        if (control.module == nullptr)
            control.module = LoadLibrary(kHelpControlName);
        if (control.module != nullptr)
            control.entry = platform::ProcCast<HtmlHelpProc>(GetProcAddress(control.module, MAKEINTRESOURCE(kHtmlHelpOrdinal)));
    }
    if (control.entry == nullptr)
        return nullptr;
    return control.entry(window, helpFile, command, data);
}
