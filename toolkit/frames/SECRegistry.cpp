#include "toolkit/frames/SECRegistry.h"

#include <array>
#include <vector>

#include "platform/base/ComputerName.h"
#include "platform/base/WinError.h"

IMPLEMENT_DYNAMIC(SECRegistry, CObject)

namespace {

struct RootName {
    HKEY hRoot;
    LPCTSTR name;
};

const std::array<RootName, 6> kRootNames { {
    { HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT" },
    { HKEY_CURRENT_USER, "HKEY_CURRENT_USER" },
    { HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE" },
    { HKEY_USERS, "HKEY_USERS" },
    { HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG" },
    { HKEY_DYN_DATA, "HKEY_DYN_DATA" },
} };

bool IsPredefinedRoot(HKEY hKey)
{
    const auto value = reinterpret_cast<ULONG_PTR>(hKey);
    return value >= reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT) && value <= reinterpret_cast<ULONG_PTR>(HKEY_DYN_DATA);
}

// A key deeper than this cannot be made through the registry functions either; the limit only keeps
// a damaged hive from running the deletion out of stack.
constexpr int kMaxKeyDepth = 512;

} // namespace

SECRegistry::SECRegistry() { Empty(); }

SECRegistry::~SECRegistry()
{
    if (m_hKey || m_hRegistry)
        Close();
    Empty();
}

void SECRegistry::Empty()
{
    m_lErrorCode = ERROR_SUCCESS;
    m_hKey = nullptr;
    m_hRegistry = nullptr;
    m_dwLongestSubkeyNameLength = 0;
    m_dwLongestClassNameLength = 0;
    m_dwLongestValueNameLength = 0;
    m_dwLongestValueDataLength = 0;
    m_dwSecurityDescriptorLength = 0;
    m_fileTimeLastWrite = FILETIME {};
    m_strClassName.Empty();
    m_strComputerName.Empty();
    m_strKeyName.Empty();
    m_strRegistryName.Empty();
    m_dwNumberOfSubkeys = 0;
    m_dwNumberOfValues = 0;
    m_LastWriteTime = CTime();
    m_bRemote = FALSE;
    m_bCloseRoot = TRUE;
}

BOOL SECRegistry::Result(LONG lError)
{
    m_lErrorCode = lError;
    return lError == ERROR_SUCCESS;
}

void SECRegistry::CloseCurrentKey()
{
    // The handle is forgotten even when it was the root, so that a failed open leaves no key behind
    // on which later calls would act.
    if (m_hKey && m_hKey != m_hRegistry)
        RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

BOOL SECRegistry::Create(LPCTSTR lpszName, LPCTSTR lpszClass, DWORD dwOptions, REGSAM samDesired,
    LPSECURITY_ATTRIBUTES pSecurityAttributes, LPDWORD pdwDisposition)
{
    if (!lpszName)
        return Result(ERROR_INVALID_PARAMETER);
    const CString strName = NormalizeKeyName(lpszName);
    CloseCurrentKey();
    DWORD dwDisposition = 0;
    HKEY hKey = nullptr;
    if (!Result(RegCreateKeyEx(m_hRegistry, strName, 0, lpszClass ? lpszClass : "", dwOptions, samDesired,
            pSecurityAttributes, &hKey, &dwDisposition)))
        return FALSE;
    m_hKey = hKey;
    if (pdwDisposition)
        *pdwDisposition = dwDisposition;
    m_strKeyName = strName;
    return TRUE;
}

BOOL SECRegistry::Close()
{
    LONG lError = ERROR_SUCCESS;
    if (m_hKey && m_hKey != m_hRegistry)
        lError = RegCloseKey(m_hKey);
    if (m_hRegistry && m_bCloseRoot) {
        const LONG lRootError = RegCloseKey(m_hRegistry);
        if (lError == ERROR_SUCCESS)
            lError = lRootError;
    }
    Empty();
    return Result(lError);
}

BOOL SECRegistry::Connect(HKEY hRoot, LPCTSTR lpszComputerName, BOOL bCloseRoot)
{
    if (m_hKey || m_hRegistry)
        Close();
    const BOOL bOldCloseRoot = m_bCloseRoot;
    m_bCloseRoot = bCloseRoot;
    m_bRemote = lpszComputerName && *lpszComputerName;

    LONG lError = ERROR_SUCCESS;
    if (hRoot != HKEY_CLASSES_ROOT && hRoot != HKEY_CURRENT_USER) {
        HKEY hConnected = nullptr;
        lError = RegConnectRegistry(lpszComputerName, hRoot, &hConnected);
        if (lError == ERROR_SUCCESS)
            m_hRegistry = m_hKey = hConnected;
    } else if (!m_bRemote) {
        m_hRegistry = m_hKey = hRoot;
    } else {
        lError = ERROR_INVALID_HANDLE; // those two roots exist only on this computer
    }
    if (!Result(lError)) {
        m_bCloseRoot = bOldCloseRoot;
        m_bRemote = FALSE;
        return FALSE;
    }

    if (m_bRemote) {
        m_strComputerName = lpszComputerName;
    } else {
        char buffer[MAX_PATH] {};
        DWORD dwSize = MAX_PATH;
        if (::GetComputerName(buffer, &dwSize))
            m_strComputerName = buffer;
    }
    m_strRegistryName = RootNameOf(hRoot);
    return TRUE;
}

LONG SECRegistry::DeleteChildren(const CString& strPath, int nDepth)
{
    if (nDepth > kMaxKeyDepth)
        return ERROR_INVALID_PARAMETER;
    HKEY hKey = nullptr;
    LONG lError = RegOpenKeyEx(m_hRegistry, strPath, 0, KEY_ALL_ACCESS, &hKey);
    if (lError != ERROR_SUCCESS)
        return lError;
    // Always the first subkey: each one is gone before the next enumeration.
    for (;;) {
        char name[kNameBufferSize] {};
        DWORD dwLength = kNameBufferSize;
        lError = RegEnumKeyEx(hKey, 0, name, &dwLength, nullptr, nullptr, nullptr, nullptr);
        if (lError == ERROR_NO_MORE_ITEMS) {
            lError = ERROR_SUCCESS;
            break;
        }
        if (lError != ERROR_SUCCESS)
            break;
        // The child's full path, never its bare name: a bare name would be looked for below the
        // root and could take an unrelated key of the same name with it.
        const CString strChild = ConcatenateKeyNames(strPath, name);
        lError = DeleteChildren(strChild, nDepth + 1);
        if (lError == ERROR_SUCCESS)
            lError = RegDeleteKey(m_hRegistry, strChild);
        if (lError != ERROR_SUCCESS)
            break;
    }
    RegCloseKey(hKey);
    return lError;
}

BOOL SECRegistry::DeleteKey(LPCTSTR lpszName, BOOL bRecursive)
{
    if (!lpszName)
        return Result(ERROR_INVALID_PARAMETER);
    const CString strName = NormalizeKeyName(lpszName);
    // "\" or "" would name the root itself.
    if (bRecursive && NormalizeKeyName(strName, TRUE).IsEmpty() && IsPredefinedRoot(m_hRegistry))
        return Result(ERROR_INVALID_PARAMETER);

    SECRegistry other;
    if (!other.Connect(RootOfName(m_strRegistryName), m_bRemote ? static_cast<LPCTSTR>(m_strComputerName) : nullptr,
            FALSE))
        return Result(other.GetLastError());

    BOOL bRelative = FALSE;
    CString strPath; // the key's path below the root
    if (strName.Find('\\', 1) > 0 && !m_strKeyName.IsEmpty()) {
        const CString strJoined = ConcatenateKeyNames(m_strKeyName, strName);
        if (other.Open(strJoined)) {
            bRelative = TRUE;
            strPath = strJoined;
        }
    }
    if (!bRelative) {
        if (!other.Open(strName))
            return Result(other.GetLastError());
        strPath = NormalizeKeyName(strName, TRUE);
    }
    other.CloseCurrentKey();

    if (bRecursive) {
        if (const LONG lError = other.DeleteChildren(strPath, 0); lError != ERROR_SUCCESS)
            return Result(lError);
    }

    if (bRelative)
        return Result(RegDeleteKey(m_hKey, strName));

    const int nSlash = strPath.ReverseFind('\\');
    const CString strParent = nSlash < 0 ? CString() : strPath.Left(nSlash);
    const CString strLast = nSlash < 0 ? strPath : strPath.Mid(nSlash + 1);
    if (!other.Open(strParent))
        return Result(other.GetLastError());
    const LONG lError = RegDeleteKey(other.GetKey(), strLast);
    // This object's own key may have gone with the deletion: it is opened again when it still exists,
    // and the deletion's result is what the caller learns either way.
    if (!m_strKeyName.IsEmpty()) {
        const CString strOwnKey = m_strKeyName;
        if (!Open(strOwnKey))
            m_strKeyName = strOwnKey;
    }
    return Result(lError);
}

BOOL SECRegistry::DeleteValue(LPCTSTR lpszName)
{
    if (!lpszName)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegDeleteValue(m_hKey, lpszName));
}

LONG SECRegistry::EnumerateKeys(DWORD dwIndex, LPTSTR lpszName, DWORD& dwNameSize, LPTSTR lpszClass, DWORD& dwClassSize)
{
    if (!lpszName) {
        m_lErrorCode = ERROR_INVALID_PARAMETER;
        return m_lErrorCode;
    }
    m_lErrorCode = RegEnumKeyEx(
        m_hKey, dwIndex, lpszName, &dwNameSize, nullptr, lpszClass, lpszClass ? &dwClassSize : nullptr, &m_fileTimeLastWrite);
    return m_lErrorCode;
}

BOOL SECRegistry::EnumerateKeys(DWORD dwIndex, CString& strName, CString& strClass)
{
    char name[kNameBufferSize] {};
    char className[kNameBufferSize] {};
    DWORD dwNameSize = kNameBufferSize;
    DWORD dwClassSize = kNameBufferSize;
    const LONG lError = EnumerateKeys(dwIndex, name, dwNameSize, className, dwClassSize);
    if (lError != ERROR_SUCCESS && lError != ERROR_MORE_DATA)
        return FALSE;
    strName = name;
    strClass = className;
    return TRUE;
}

BOOL SECRegistry::EnumerateKeys(DWORD dwIndex, CString& strName)
{
    CString strClass;
    return EnumerateKeys(dwIndex, strName, strClass);
}

BOOL SECRegistry::EnumerateValues(DWORD dwIndex, CString& strName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize)
{
    return EnumerateValues(dwIndex, strName, &dwType, lpData, &dwSize);
}

BOOL SECRegistry::EnumerateValues(DWORD dwIndex, CString& strName, DWORD& dwType)
{
    return EnumerateValues(dwIndex, strName, &dwType, nullptr, nullptr);
}

BOOL SECRegistry::EnumerateValues(DWORD dwIndex, CString& strName, LPDWORD pdwType, LPBYTE lpData, LPDWORD pdwSize)
{
    char name[kNameBufferSize] {};
    DWORD dwNameSize = kNameBufferSize;
    m_lErrorCode = RegEnumValue(m_hKey, dwIndex, name, &dwNameSize, nullptr, pdwType, lpData, pdwSize);
    if (m_lErrorCode != ERROR_SUCCESS && m_lErrorCode != ERROR_MORE_DATA)
        return FALSE;
    strName = name;
    return TRUE;
}

BOOL SECRegistry::Flush() { return Result(RegFlushKey(m_hKey)); }

BOOL SECRegistry::GetBinaryValue(LPCTSTR lpszName, CByteArray& data)
{
    if (!lpszName)
        return Result(ERROR_INVALID_PARAMETER);
    // The value's own size, not the longest one seen when the key was opened: a value written since
    // would not fit that.
    DWORD dwSize = 0;
    if (!Result(RegQueryValueEx(m_hKey, lpszName, nullptr, nullptr, nullptr, &dwSize)))
        return FALSE;
    std::vector<BYTE> buffer(dwSize);
    if (!Result(RegQueryValueEx(m_hKey, lpszName, nullptr, nullptr, buffer.data(), &dwSize)))
        return FALSE;
    data.SetSize(static_cast<INT_PTR>(dwSize));
    for (DWORD i = 0; i < dwSize; ++i)
        data[static_cast<INT_PTR>(i)] = buffer[i];
    return TRUE;
}

BOOL SECRegistry::GetDoubleWordValue(LPCTSTR lpszName, DWORD& dwValue)
{
    if (!lpszName)
        return Result(ERROR_INVALID_PARAMETER);
    DWORD dwType = REG_DWORD;
    DWORD dwSize = sizeof(DWORD);
    return Result(RegQueryValueEx(m_hKey, lpszName, nullptr, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &dwSize));
}

BOOL SECRegistry::GetSecurity(SECURITY_INFORMATION information, PSECURITY_DESCRIPTOR pDescriptor, DWORD& dwDescriptorSize)
{
    if (!pDescriptor)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegGetKeySecurity(m_hKey, information, pDescriptor, &dwDescriptorSize));
}

BOOL SECRegistry::GetStringValue(LPCTSTR lpszName, CString& strValue)
{
    if (!lpszName)
        return Result(ERROR_INVALID_PARAMETER);
    char buffer[kStringBufferSize] {};
    DWORD dwType = REG_SZ;
    DWORD dwSize = kStringBufferSize;
    if (!Result(RegQueryValueEx(m_hKey, lpszName, nullptr, &dwType, reinterpret_cast<LPBYTE>(buffer), &dwSize))) {
        strValue.Empty();
        return FALSE;
    }
    buffer[kStringBufferSize - 1] = '\0';
    strValue = buffer;
    return TRUE;
}

BOOL SECRegistry::GetStringArrayValue(LPCTSTR lpszName, CStringArray& values)
{
    if (!lpszName)
        return Result(ERROR_INVALID_PARAMETER);
    values.RemoveAll();
    DWORD dwSize = 0;
    if (!Result(RegQueryValueEx(m_hKey, lpszName, nullptr, nullptr, nullptr, &dwSize)))
        return FALSE;
    std::vector<char> buffer(dwSize + 2, '\0'); // two more zeros end the list whatever was stored
    DWORD dwType = REG_MULTI_SZ;
    if (!Result(RegQueryValueEx(m_hKey, lpszName, nullptr, &dwType, reinterpret_cast<LPBYTE>(buffer.data()), &dwSize)))
        return FALSE;
    for (const char* p = buffer.data(); *p; p += CString(p).GetLength() + 1)
        values.Add(CString(p));
    return TRUE;
}

BOOL SECRegistry::GetValue(LPCTSTR lpszName, CString& strValue) { return GetStringValue(lpszName, strValue); }

BOOL SECRegistry::GetValue(LPCTSTR lpszName, CStringArray& values) { return GetStringArrayValue(lpszName, values); }

BOOL SECRegistry::GetValue(LPCTSTR lpszName, DWORD& dwValue) { return GetDoubleWordValue(lpszName, dwValue); }

BOOL SECRegistry::GetValue(LPCTSTR lpszName, CByteArray& data) { return GetBinaryValue(lpszName, data); }

BOOL SECRegistry::Load(LPCTSTR lpszSubkey, LPCTSTR lpszFileName)
{
    if (!lpszSubkey || !lpszFileName)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegLoadKey(m_hRegistry, lpszSubkey, lpszFileName));
}

BOOL SECRegistry::NotifyChange(HANDLE hEvent, DWORD dwFilter, BOOL bWatchSubtree, BOOL bAsynchronous)
{
    return Result(RegNotifyChangeKeyValue(m_hKey, bWatchSubtree, dwFilter, hEvent, bAsynchronous));
}

BOOL SECRegistry::Open(LPCTSTR lpszName, REGSAM samDesired)
{
    if (!lpszName)
        return Result(ERROR_INVALID_PARAMETER);
    if (!m_hRegistry) {
        m_hRegistry = HKEY_CLASSES_ROOT;
        m_strRegistryName = RootNameOf(HKEY_CLASSES_ROOT);
    }
    const CString strName = NormalizeKeyName(lpszName);
    CloseCurrentKey();
    HKEY hKey = nullptr;
    if (!Result(RegOpenKeyEx(m_hRegistry, strName, 0, samDesired, &hKey)))
        return FALSE;
    m_hKey = hKey;
    m_strKeyName = strName;
    QueryInfo();
    m_lErrorCode = ERROR_SUCCESS;
    return TRUE;
}

BOOL SECRegistry::QueryInfo()
{
    char className[kNameBufferSize] {};
    DWORD dwClassLength = kNameBufferSize;
    if (!Result(RegQueryInfoKey(m_hKey, className, &dwClassLength, nullptr, &m_dwNumberOfSubkeys,
            &m_dwLongestSubkeyNameLength, &m_dwLongestClassNameLength, &m_dwNumberOfValues, &m_dwLongestValueNameLength,
            &m_dwLongestValueDataLength, &m_dwSecurityDescriptorLength, &m_fileTimeLastWrite)))
        return FALSE;
    m_strClassName = className;
    m_LastWriteTime = CTime::IsValidFILETIME(m_fileTimeLastWrite) ? CTime(m_fileTimeLastWrite) : CTime();
    return TRUE;
}

BOOL SECRegistry::QueryValue(LPCTSTR lpszName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize)
{
    if (!lpszName || !lpData)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegQueryValueEx(m_hKey, lpszName, nullptr, &dwType, lpData, &dwSize));
}

BOOL SECRegistry::Replace(LPCTSTR lpszSubkey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile)
{
    if (!lpszSubkey || !lpszNewFile || !lpszOldFile)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegReplaceKey(m_hKey, lpszSubkey, lpszNewFile, lpszOldFile));
}

BOOL SECRegistry::Restore(LPCTSTR lpszFileName, DWORD dwFlags)
{
    if (!lpszFileName)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegRestoreKey(m_hKey, lpszFileName, dwFlags));
}

BOOL SECRegistry::Save(LPCTSTR lpszFileName, LPSECURITY_ATTRIBUTES pSecurityAttributes)
{
    if (!lpszFileName)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegSaveKey(m_hKey, lpszFileName, pSecurityAttributes));
}

BOOL SECRegistry::SetBinaryValue(LPCTSTR lpszName, const CByteArray& data)
{
    static const BYTE kNoBytes = 0; // an empty array has no data pointer, but an empty value is valid
    const BYTE* pData = data.GetData() ? data.GetData() : &kNoBytes;
    return SetValue(lpszName, REG_BINARY, pData, static_cast<DWORD>(data.GetSize()));
}

BOOL SECRegistry::SetDoubleWordValue(LPCTSTR lpszName, DWORD dwValue)
{
    return SetValue(lpszName, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(DWORD));
}

BOOL SECRegistry::SetSecurity(SECURITY_INFORMATION information, PSECURITY_DESCRIPTOR pDescriptor)
{
    if (!pDescriptor)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegSetKeySecurity(m_hKey, information, pDescriptor));
}

BOOL SECRegistry::SetStringValue(LPCTSTR lpszName, LPCTSTR lpszValue)
{
    if (!lpszValue)
        return Result(ERROR_INVALID_PARAMETER);
    const CString strValue(lpszValue);
    return SetValue(
        lpszName, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue), static_cast<DWORD>(strValue.GetLength() + 1));
}

BOOL SECRegistry::SetStringArrayValue(LPCTSTR lpszName, const CStringArray& values)
{
    std::vector<char> buffer;
    for (INT_PTR i = 0; i < values.GetSize(); ++i) {
        const CString& strValue = values[i];
        buffer.insert(buffer.end(), strValue.GetString(), strValue.GetString() + strValue.GetLength() + 1);
    }
    buffer.push_back('\0');
    return SetValue(
        lpszName, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(buffer.data()), static_cast<DWORD>(buffer.size()));
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, DWORD dwType, const BYTE* lpData, DWORD dwSize)
{
    if (!lpszName || !lpData)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegSetValueEx(m_hKey, lpszName, 0, dwType, lpData, dwSize));
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, LPCTSTR lpszValue) { return SetStringValue(lpszName, lpszValue); }

BOOL SECRegistry::SetValue(LPCTSTR lpszName, const CStringArray& values) { return SetStringArrayValue(lpszName, values); }

BOOL SECRegistry::SetValue(LPCTSTR lpszName, DWORD dwValue) { return SetDoubleWordValue(lpszName, dwValue); }

BOOL SECRegistry::SetValue(LPCTSTR lpszName, const CByteArray& data) { return SetBinaryValue(lpszName, data); }

BOOL SECRegistry::UnLoad(LPCTSTR lpszSubkey)
{
    if (!lpszSubkey)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(RegUnLoadKey(m_hRegistry, lpszSubkey));
}

CString SECRegistry::RootNameOf(HKEY hRoot)
{
    for (const RootName& root : kRootNames)
        if (root.hRoot == hRoot)
            return root.name;
    return CString();
}

HKEY SECRegistry::RootOfName(LPCTSTR lpszRootName)
{
    if (!lpszRootName)
        return nullptr;
    const CString strName(lpszRootName);
    for (const RootName& root : kRootNames)
        if (strName == root.name)
            return root.hRoot;
    return nullptr;
}

CString SECRegistry::NormalizeKeyName(LPCTSTR lpszName, BOOL bLeading)
{
    CString strName(lpszName ? lpszName : "");
    if (!strName.IsEmpty() && strName[strName.GetLength() - 1] == '\\')
        strName = strName.Left(strName.GetLength() - 1);
    if (bLeading && !strName.IsEmpty() && strName[0] == '\\')
        strName = strName.Mid(1);
    return strName;
}

CString SECRegistry::ConcatenateKeyNames(LPCTSTR lpszParent, LPCTSTR lpszChild)
{
    const CString strParent = NormalizeKeyName(lpszParent);
    const CString strChild = NormalizeKeyName(lpszChild, TRUE);
    if (strParent.IsEmpty())
        return strChild;
    return strParent + "\\" + strChild;
}
