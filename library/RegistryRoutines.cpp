#include "library/RegistryRoutines.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/CaseFold.h"
#include "platform/base/WinError.h"

#include <cstring>
#include <vector>

namespace {

// The maker's key the program's settings live under when the application has set none.
constexpr const char* kDefaultRegistryKey = "Corvane";

// An open key, closed when it goes out of scope.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    HKEY* Address() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key { nullptr };
};

// Joins key path parts with single backslashes; empty parts and stray backslashes at the ends go.
void AppendKeyPart(CString& path, LPCTSTR part)
{
    CString text = part != nullptr ? part : "";
    text.Trim('\\');
    if (text.IsEmpty())
        return;
    if (!path.IsEmpty())
        path += '\\';
    path += text;
}

// The root and path of a subkey below the base, or below the program's key when there is no base.
bool ResolveKey(LPCTSTR subkey, LPCTSTR base, HKEY* root, CString& path)
{
    path.Empty();
    if (base != nullptr && *base != '\0') {
        if (!SplitRegistryPath(base, root, path))
            return false;
        path.Trim('\\');
    } else {
        const CWinApp* app = AfxGetApp();
        LPCTSTR registryKey = app != nullptr && app->m_pszRegistryKey != nullptr && *app->m_pszRegistryKey != '\0'
            ? app->m_pszRegistryKey
            : kDefaultRegistryKey;
        *root = HKEY_CURRENT_USER;
        AppendKeyPart(path, "Software");
        AppendKeyPart(path, registryKey);
        AppendKeyPart(path, "Tune Steward");
    }
    AppendKeyPart(path, subkey);
    return true;
}

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

} // namespace

CString ReadRegistryValue(LPCTSTR valueName, LPCTSTR subkey, LPCTSTR base)
{
    HKEY root = nullptr;
    CString path;
    if (!ResolveKey(subkey, base, &root, path))
        return CString();
    RegistryKey key;
    if (RegOpenKeyEx(root, path, 0, KEY_READ, key.Address()) != ERROR_SUCCESS)
        return CString();
    // The value's real size is asked first: a long text must neither fail nor arrive unterminated, and
    // a value that holds no text (a number, binary data) reads as empty.
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueEx(key.Get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || !IsTextType(type))
        return CString();
    std::vector<BYTE> data(size + 1, 0);
    if (RegQueryValueEx(key.Get(), valueName, nullptr, &type, data.data(), &size) != ERROR_SUCCESS || !IsTextType(type))
        return CString();
    const char* text = reinterpret_cast<const char*>(data.data());
    return CString(text, static_cast<int>(strnlen(text, size)));
}

bool WriteRegistryValue(LPCTSTR value, LPCTSTR valueName, LPCTSTR subkey, LPCTSTR base)
{
    HKEY root = nullptr;
    CString path;
    if (!ResolveKey(subkey, base, &root, path))
        return false;
    RegistryKey key;
    DWORD disposition = 0;
    if (RegCreateKeyEx(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.Address(), &disposition)
        != ERROR_SUCCESS)
        return false;
    const char* text = value != nullptr ? value : "";
    return RegSetValueEx(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text)))
        == ERROR_SUCCESS;
}

bool DeleteRegistryValue(LPCTSTR valueName, LPCTSTR subkey, LPCTSTR base)
{
    HKEY root = nullptr;
    CString path;
    if (!ResolveKey(subkey, base, &root, path))
        return false;
    RegistryKey key;
    if (RegOpenKeyEx(root, path, 0, KEY_ALL_ACCESS, key.Address()) != ERROR_SUCCESS)
        return false;
    return RegDeleteValue(key.Get(), valueName) == ERROR_SUCCESS;
}

bool DeleteRegistryKey(LPCTSTR keyName, LPCTSTR parentSubkey, LPCTSTR base)
{
    if (keyName == nullptr || *keyName == '\0')
        return false; // an empty name would delete the parent itself
    HKEY root = nullptr;
    CString path;
    if (!ResolveKey(parentSubkey, base, &root, path))
        return false;
    AppendKeyPart(path, keyName);
    return RegDeleteKey(root, path) == ERROR_SUCCESS;
}

bool SplitRegistryPath(LPCTSTR text, HKEY* rootKey, CString& keyPath)
{
    const CString whole = text != nullptr ? text : "";
    const int backslash = whole.Find('\\');
    if (backslash < 0)
        return false;
    const HKEY root = ParseRootKeyName(whole.Left(backslash));
    if (root == nullptr)
        return false;
    if (rootKey != nullptr)
        *rootKey = root;
    keyPath = whole.Mid(backslash + 1);
    return true;
}

HKEY ParseRootKeyName(LPCTSTR name)
{
    if (name == nullptr)
        return nullptr;
    const struct {
        const char* name;
        HKEY key;
    } roots[] = {
        { "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT },
        { "HKEY_CURRENT_USER", HKEY_CURRENT_USER },
        { "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE },
        { "HKEY_USERS", HKEY_USERS },
        { "HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA },
        { "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG },
        { "HKEY_DYN_DATA", HKEY_DYN_DATA },
    };
    for (const auto& root : roots) {
        if (platform::EqualsNoCase(root.name, name))
            return root.key;
    }
    return nullptr;
}

void ReadConfirmFlag(BOOL* pFlag, LPCTSTR valueName, LPCTSTR subkey)
{
    if (pFlag != nullptr)
        *pFlag = ReadRegistryValue(valueName, subkey) == "F" ? FALSE : TRUE;
}

void WriteConfirmFlag(BOOL newValue, BOOL* pFlag, LPCTSTR valueName, LPCTSTR subkey)
{
    if (pFlag == nullptr || newValue == *pFlag)
        return;
    *pFlag = newValue;
    WriteRegistryValue(newValue ? "T" : "F", valueName, subkey);
}
