#include "toolkit/frames/SECPTNStrategyRegistry.h"

#include <vector>

#include "platform/base/WinError.h"
#include "toolkit/frames/SECRegistry.h"

SECPTNStrategyRegistry::SECPTNStrategyRegistry(LPCTSTR lpszBaseKey, HKEY hRoot)
    : m_strBaseKey(lpszBaseKey ? lpszBaseKey : "")
    , m_hRoot(hRoot)
{
    if (!m_strBaseKey.IsEmpty() && m_strBaseKey[m_strBaseKey.GetLength() - 1] != '\\')
        m_strBaseKey += "\\";
}

void SECPTNStrategyRegistry::GetKeyPath(CString& strKeyPath, const CStringList& path)
{
    strKeyPath.Empty();
    for (POSITION position = path.GetHeadPosition(); position;) {
        strKeyPath += path.GetNext(position);
        strKeyPath += "\\";
    }
}

CString SECPTNStrategyRegistry::NodeKey(const CStringList& path)
{
    if (path.IsEmpty())
        return CString(); // never the base key itself: removing it would take every tree below it
    CString strKeyPath;
    GetKeyPath(strKeyPath, path);
    return m_strBaseKey + strKeyPath;
}

BOOL SECPTNStrategyRegistry::RemoveNode(const CStringList& path)
{
    const CString strKey = NodeKey(path);
    if (strKey.IsEmpty())
        return FALSE;
    SECRegistry registry;
    if (!registry.Connect(m_hRoot, nullptr, TRUE))
        return FALSE;
    if (!registry.Open(strKey, KEY_ALL_ACCESS))
        return registry.GetLastError() == static_cast<LONG>(ERROR_FILE_NOT_FOUND); // nothing stored yet
    // From the root again, so the full name cannot be taken as one below the key just opened.
    if (!registry.Connect(m_hRoot, nullptr, TRUE))
        return FALSE;
    return registry.DeleteKey(strKey, TRUE);
}

BOOL SECPTNStrategyRegistry::WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    const CString strKey = NodeKey(path);
    if (strKey.IsEmpty() || !lpszKey)
        return FALSE;
    SECRegistry registry;
    return registry.Connect(m_hRoot, nullptr, TRUE) && registry.Create(strKey) && registry.Open(strKey, KEY_ALL_ACCESS)
        && registry.SetStringValue(lpszKey, lpszValue ? lpszValue : "");
}

BOOL SECPTNStrategyRegistry::WriteChildNames(const CStringList&, const CStringList&) { return TRUE; }

BOOL SECPTNStrategyRegistry::ReadNode(
    const CStringList& path, CStringList& childNames, CStringList& keys, CStringList& values)
{
    childNames.RemoveAll();
    keys.RemoveAll();
    values.RemoveAll();
    const CString strKey = NodeKey(path);
    if (strKey.IsEmpty())
        return FALSE;
    SECRegistry registry;
    if (!registry.Connect(m_hRoot, nullptr, TRUE) || !registry.Open(strKey, KEY_ALL_ACCESS))
        return FALSE;

    CString strName;
    for (DWORD dwIndex = 0; registry.EnumerateKeys(dwIndex, strName); ++dwIndex)
        childNames.AddTail(strName);

    for (DWORD dwIndex = 0;; ++dwIndex) {
        DWORD dwType = 0;
        DWORD dwSize = 0;
        if (!registry.EnumerateValues(dwIndex, strName, &dwType, nullptr, &dwSize))
            break;
        // Read at the value's own size: a long value is kept whole rather than skipped. Two more
        // zeros end the text whatever was stored.
        std::vector<char> buffer(dwSize + 2, '\0');
        if (registry.QueryValue(strName, dwType, reinterpret_cast<LPBYTE>(buffer.data()), dwSize)) {
            keys.AddTail(strName);
            values.AddTail(CString(buffer.data()));
        }
    }
    return TRUE;
}
