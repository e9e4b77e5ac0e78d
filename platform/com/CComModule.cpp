#include "platform/com/CComModule.h"

#include <map>
#include <string>

#include "platform/base/CodePage.h"
#include "platform/base/Modules.h"
#include "platform/base/Resources.h"
#include "platform/com/CComCoClass.h"
#include "platform/com/ObjBase.h"
#include "platform/com/RegistryScript.h"
#include "platform/com/TypeLib.h"

namespace {

// The text of a resource of the module; false when it has none of that type and id.
bool ResourceText(HINSTANCE module, UINT id, LPCSTR type, std::string& text)
{
    HRSRC found = FindResource(module, MAKEINTRESOURCE(id), type);
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const char*>(LockResource(loaded));
    if (!data)
        return false;
    text.assign(data, SizeofResource(module, found));
    // A script compiled as raw data may carry a terminating zero.
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return true;
}

std::string ModulePath(HINSTANCE module)
{
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileName(module, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

bool Selected(const _ATL_OBJMAP_ENTRY& entry, const CLSID* pCLSID) { return !pCLSID || *entry.pclsid == *pCLSID; }

} // namespace

CComModule::~CComModule()
{
    if (platform::g_thisLibraryModule == this)
        platform::g_thisLibraryModule = nullptr;
}

HRESULT CComModule::Init(_ATL_OBJMAP_ENTRY* pObjMap, HINSTANCE hInst, const GUID*)
{
    m_pObjMap = pObjMap;
    m_hInst = hInst ? hInst : platform::ModuleFromAddress(this);
    return S_OK;
}

void CComModule::Term() { m_pObjMap = nullptr; }

LONG CComModule::Lock() { return ++m_nLockCnt; }
LONG CComModule::Unlock() { return --m_nLockCnt; }

HINSTANCE CComModule::Instance()
{
    if (!m_hInst)
        m_hInst = platform::ModuleFromAddress(this);
    return m_hInst;
}

HRESULT CComModule::GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    for (_ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry && entry->pclsid; ++entry)
        if (*entry->pclsid == rclsid)
            return entry->pfnGetClassObject(entry->pfnCreateInstance, riid, ppv);
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CComModule::RegisterServer(BOOL bRegTypeLib, const CLSID* pCLSID)
{
    for (_ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry && entry->pclsid; ++entry) {
        if (!Selected(*entry, pCLSID))
            continue;
        const HRESULT hr = entry->pfnUpdateRegistry(TRUE);
        if (FAILED(hr))
            return hr;
    }
    return bRegTypeLib ? RegisterTypeLib() : S_OK;
}

HRESULT CComModule::UnregisterServer(BOOL bUnRegTypeLib, const CLSID* pCLSID)
{
    for (_ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry && entry->pclsid; ++entry) {
        if (!Selected(*entry, pCLSID))
            continue;
        const HRESULT hr = entry->pfnUpdateRegistry(FALSE);
        if (FAILED(hr))
            return hr;
    }
    return bUnRegTypeLib ? UnRegisterTypeLib() : S_OK;
}

HRESULT CComModule::UpdateRegistryFromResource(UINT nResID, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries)
{
    std::string text;
    if (!ResourceText(Instance(), nResID, "REGISTRY", text))
        return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
    std::map<std::string, std::string> replacements { { "MODULE", ModulePath(Instance()) } };
    for (_ATL_REGMAP_ENTRY* entry = pMapEntries; entry && entry->szKey; ++entry)
        replacements[platform::Utf16ToUtf8(entry->szKey)]
            = entry->szData ? platform::Utf16ToUtf8(entry->szData) : std::string();
    platform::RegistryScript script;
    if (!script.Parse(text, replacements))
        return DISP_E_EXCEPTION;
    return script.Apply(bRegister != FALSE);
}

HRESULT CComModule::RegisterTypeLib()
{
    std::string text;
    platform::TypeLibInfo info;
    if (!ResourceText(Instance(), 1, "TYPELIB", text) || !platform::ParseTypeLibText(text, info))
        return TYPE_E_CANTLOADLIBRARY;
    const std::string path = ModulePath(Instance());
    const std::string folder
        = path.substr(0, path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\'));
    return ::RegisterTypeLib(info, platform::Utf8ToUtf16(path).c_str(), platform::Utf8ToUtf16(folder).c_str());
}

HRESULT CComModule::UnRegisterTypeLib()
{
    std::string text;
    platform::TypeLibInfo info;
    if (!ResourceText(Instance(), 1, "TYPELIB", text) || !platform::ParseTypeLibText(text, info))
        return TYPE_E_CANTLOADLIBRARY;
    return ::UnRegisterTypeLib(info.libid, info.majorVersion, info.minorVersion, 0, SYS_WIN32);
}

namespace platform {

HRESULT ReportError(REFCLSID clsid, LPCOLESTR lpszDesc, REFIID iid, HRESULT hRes)
{
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)))
        return E_FAIL;
    create->SetGUID(iid);
    LPOLESTR progId = nullptr;
    if (SUCCEEDED(ProgIDFromCLSID(clsid, &progId))) {
        create->SetSource(progId);
        CoTaskMemFree(progId);
    }
    create->SetDescription(const_cast<LPOLESTR>(lpszDesc));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return hRes == 0 ? E_FAIL : hRes;
}

} // namespace platform
