#include "toolkit/frames/SECPTNStrategyProfile.h"

#include <cstring>
#include <vector>

#include "platform/base/Profile.h"

namespace {

// A value cut to fit its buffer comes back a few bytes short of the end when the cut would have split
// a character: a read within this distance of the end may have been cut.
constexpr DWORD kCharacterSlack = 4;
constexpr DWORD kInitialValueSize = 256;
// Beyond this a profile line is not something this store wrote; reading stops growing there.
constexpr DWORD kMaxReadSize = 64u * 1024 * 1024;

} // namespace

SECPTNStrategyProfile::SECPTNStrategyProfile(LPCTSTR lpszFileName)
    : m_strFileName(lpszFileName ? lpszFileName : "")
{
}

CString SECPTNStrategyProfile::GetSectionName(const CStringList& path) const
{
    CString strSection;
    for (POSITION position = path.GetHeadPosition(); position;) {
        if (!strSection.IsEmpty())
            strSection += kSectionSeparator;
        strSection += path.GetNext(position);
    }
    return strSection;
}

BOOL SECPTNStrategyProfile::RemoveNode(const CStringList& path)
{
    const CString strSection = GetSectionName(path);
    if (strSection.IsEmpty())
        return FALSE;
    return WritePrivateProfileString(strSection, nullptr, nullptr, m_strFileName);
}

BOOL SECPTNStrategyProfile::WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    const CString strSection = GetSectionName(path);
    if (strSection.IsEmpty())
        return FALSE;
    return WritePrivateProfileString(strSection, lpszKey, lpszValue, m_strFileName);
}

BOOL SECPTNStrategyProfile::WriteChildNames(const CStringList& path, const CStringList& childNames)
{
    const CString strSection = GetSectionName(path);
    if (strSection.IsEmpty())
        return FALSE;
    BOOL bResult = TRUE;
    int nChild = 1;
    for (POSITION position = childNames.GetHeadPosition(); position; ++nChild) {
        CString strKey;
        strKey.Format("%s%d", kChildKeyPrefix, nChild);
        bResult = WritePrivateProfileString(strSection, strKey, childNames.GetNext(position), m_strFileName) && bResult;
    }
    return bResult;
}

CString SECPTNStrategyProfile::ReadValue(LPCTSTR lpszSection, LPCTSTR lpszKey) const
{
    for (DWORD dwSize = kInitialValueSize;; dwSize *= 2) {
        std::vector<char> buffer(dwSize, '\0');
        const DWORD dwLength
            = GetPrivateProfileString(lpszSection, lpszKey, "", buffer.data(), dwSize, m_strFileName);
        if (dwLength + kCharacterSlack < dwSize || dwSize >= kMaxReadSize)
            return CString(buffer.data(), static_cast<int>(dwLength));
    }
}

BOOL SECPTNStrategyProfile::ReadKeyNames(LPCTSTR lpszSection, CStringList& keyNames)
{
    keyNames.RemoveAll();
    if (!lpszSection || !*lpszSection)
        return FALSE;
    std::vector<char> buffer;
    DWORD dwLength = 0;
    for (DWORD dwSize = kInitialKeyListSize;; dwSize *= 2) {
        buffer.assign(dwSize, '\0');
        dwLength = GetPrivateProfileString(lpszSection, nullptr, "", buffer.data(), dwSize, m_strFileName);
        if (dwLength == 0)
            return FALSE;
        // A list that did not fit is cut to nSize - 2; it is read again whole rather than losing keys.
        if (dwLength != dwSize - 2 || dwSize >= kMaxReadSize)
            break;
    }
    for (const char* p = buffer.data(); p < buffer.data() + dwLength && *p; p += std::strlen(p) + 1)
        keyNames.AddTail(CString(p));
    return TRUE;
}

BOOL SECPTNStrategyProfile::ReadNode(
    const CStringList& path, CStringList& childNames, CStringList& keys, CStringList& values)
{
    const CString strSection = GetSectionName(path);
    if (strSection.IsEmpty())
        return FALSE;
    childNames.RemoveAll();
    keys.RemoveAll();
    values.RemoveAll();
    CStringList keyNames;
    if (!ReadKeyNames(strSection, keyNames))
        return FALSE;
    const auto nPrefixLength = std::strlen(kChildKeyPrefix);
    for (POSITION position = keyNames.GetHeadPosition(); position;) {
        const CString& strKey = keyNames.GetNext(position);
        const CString strValue = ReadValue(strSection, strKey);
        if (std::strncmp(strKey, kChildKeyPrefix, nPrefixLength) == 0) {
            childNames.AddTail(strValue);
        } else {
            keys.AddTail(strKey);
            values.AddTail(strValue);
        }
    }
    return TRUE;
}
