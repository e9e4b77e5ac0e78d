// Object creation through the class registry: HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32 names the
// library, which is loaded once and kept until CoFreeUnusedLibraries finds it unused.

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/CodePage.h"
#include "platform/base/Modules.h"
#include "platform/base/Registry.h"
#include "platform/com/ObjBase.h"

namespace {

using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, LPVOID*);
using CanUnloadNowFn = HRESULT (*)();

// The libraries loaded for classes; each holds one use of its module until it is unloaded.
class ServerCache {
public:
    static ServerCache& Instance()
    {
        static ServerCache cache;
        return cache;
    }

    HRESULT ClassObject(const std::string& path, REFCLSID rclsid, REFIID riid, LPVOID* ppv)
    {
        // Held across the library's own code: a server may create other classes while it starts.
        std::lock_guard lock(m_mutex);
        // A server stays loaded while it is cached, so a path met before needs no search of the
        // disk: finding the library costs more than many an object it makes.
        if (Server* known = FindPath(path))
            return known->getClassObject(rclsid, riid, ppv);
        const HMODULE module = LoadLibrary(path.c_str());
        if (!module)
            return CO_E_DLLNOTFOUND;
        Server* server = Find(module);
        if (server) {
            FreeLibrary(module); // already counted once for the cache
            server->paths.push_back(path);
        } else {
            auto getClassObject = platform::ProcCast<GetClassObjectFn>(GetProcAddress(module, "DllGetClassObject"));
            if (!getClassObject) {
                FreeLibrary(module);
                return CO_E_ERRORINDLL;
            }
            m_servers.push_back({ module, getClassObject,
                platform::ProcCast<CanUnloadNowFn>(GetProcAddress(module, "DllCanUnloadNow")), { path } });
            server = &m_servers.back();
        }
        return server->getClassObject(rclsid, riid, ppv);
    }

    void FreeUnused()
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_servers.begin(); it != m_servers.end();) {
            if (it->canUnloadNow && it->canUnloadNow() == S_OK) {
                FreeLibrary(it->module);
                it = m_servers.erase(it);
            } else {
                ++it;
            }
        }
    }

private:
    struct Server {
        HMODULE module;
        GetClassObjectFn getClassObject;
        CanUnloadNowFn canUnloadNow;
        std::vector<std::string> paths; // the registry's names of the library
    };

    Server* Find(HMODULE module)
    {
        for (Server& s : m_servers)
            if (s.module == module)
                return &s;
        return nullptr;
    }

    Server* FindPath(const std::string& path)
    {
        for (Server& s : m_servers) {
            if (std::find(s.paths.begin(), s.paths.end(), path) != s.paths.end())
                return &s;
        }
        return nullptr;
    }

    std::recursive_mutex m_mutex;
    std::vector<Server> m_servers;
};

// The default (or named) text value of HKCR\path; false when the key or value is missing.
bool ReadClassesText(const std::string& path, std::string& text, const char* valueName = nullptr)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueEx(key, valueName, nullptr, &type, nullptr, &size);
    std::string buffer(size, '\0');
    if (status == ERROR_SUCCESS && size > 0)
        status = RegQueryValueEx(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    buffer.resize(size);
    while (!buffer.empty() && buffer.back() == '\0')
        buffer.pop_back();
    text = buffer;
    return true;
}

std::string Narrow(LPCOLESTR text) { return platform::Utf16ToUtf8(text); }

} // namespace

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, COSERVERINFO*, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!(dwClsContext & CLSCTX_ALL))
        return E_INVALIDARG;
    if (!platform::IsComInitialized())
        return CO_E_NOTINITIALIZED;
    std::string path;
    if (!ReadClassesText("CLSID\\" + platform::GuidToString(rclsid) + "\\InprocServer32", path) || path.empty())
        return REGDB_E_CLASSNOTREG;
    return ServerCache::Instance().ClassObject(path, rclsid, riid, ppv);
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr
        = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, reinterpret_cast<LPVOID*>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(pUnkOuter, riid, ppv);
    factory->Release();
    return hr;
}

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid)
{
    if (!lpszProgID || !lpclsid)
        return E_INVALIDARG;
    std::string progId = Narrow(lpszProgID);
    if (progId.empty() || progId.find('\\') != std::string::npos)
        return CO_E_CLASSSTRING;
    // Follow CurVer to the current version; a bounded walk, so that a loop of CurVer keys ends.
    for (int hop = 0; hop < 8; ++hop) {
        std::string current;
        if (!ReadClassesText(progId + "\\CurVer", current) || current.empty() || current == progId
            || current.find('\\') != std::string::npos)
            break;
        progId = current;
    }
    std::string text;
    if (!ReadClassesText(progId + "\\CLSID", text) || !platform::ParseGuid(std::string_view(text), *lpclsid))
        return CO_E_CLASSSTRING;
    return S_OK;
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID)
{
    if (!lplpszProgID)
        return E_INVALIDARG;
    *lplpszProgID = nullptr;
    std::string text;
    if (!ReadClassesText("CLSID\\" + platform::GuidToString(clsid) + "\\ProgID", text) || text.empty())
        return REGDB_E_CLASSNOTREG;
    const std::u16string wide = platform::Utf8ToUtf16(text);
    auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(OLECHAR)));
    if (!out)
        return E_OUTOFMEMORY;
    std::char_traits<char16_t>::copy(out, wide.c_str(), wide.size() + 1);
    *lplpszProgID = out;
    return S_OK;
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid)
{
    if (!pclsid)
        return E_INVALIDARG;
    if (!lpsz || !*lpsz) {
        *pclsid = CLSID_NULL;
        return S_OK;
    }
    if (lpsz[0] == u'{')
        return platform::ParseGuid(std::u16string_view(lpsz), *pclsid) && std::u16string_view(lpsz).size() == 38
            ? S_OK
            : CO_E_CLASSSTRING;
    return CLSIDFromProgID(lpsz, pclsid);
}

void CoFreeUnusedLibraries() { ServerCache::Instance().FreeUnused(); }
