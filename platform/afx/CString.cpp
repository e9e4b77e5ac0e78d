#include "platform/afx/CString.h"

#include <algorithm>
#include <cstring>

#include "platform/afx/AfxState.h"
#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"
#include "platform/base/Format.h"
#include "platform/base/FormatMessage.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Resources.h"
#include "platform/com/OleAuto.h"

namespace {

constexpr const char* kWhiteSpace = " \t\r\n\v\f";

std::string_view View(LPCTSTR psz) { return psz ? std::string_view(psz) : std::string_view(); }

// Byte length of the UTF-8 character that starts with lead (1 for a stray or invalid byte).
std::size_t CharLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// The characters of a text, each a whole UTF-8 sequence (a cut sequence at the end stays as it is).
template<typename Visit> void ForEachCharacter(std::string_view text, Visit visit)
{
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t n = std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                n = k;
                break;
            }
        }
        if (!visit(i, text.substr(i, n)))
            return;
        i += n;
    }
}

bool SetContains(std::string_view set, std::string_view character)
{
    bool found = false;
    ForEachCharacter(set, [&](std::size_t, std::string_view c) {
        found = (c == character);
        return !found;
    });
    return found;
}

} // namespace

CString::CString(LPCTSTR psz)
{
    if (psz && IS_INTRESOURCE(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(psz)));
    else if (psz)
        m_str = psz;
}

CString::CString(LPCTSTR pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.assign(pch, static_cast<std::size_t>(nLength));
}

CString::CString(LPCWSTR psz)
{
    if (psz)
        m_str = platform::Utf16ToUtf8(psz);
}

CString::CString(LPCWSTR pch, int nLength)
{
    if (pch && nLength > 0)
        m_str = platform::Utf16ToUtf8(std::u16string_view(pch, static_cast<std::size_t>(nLength)));
}

CString::CString(TCHAR ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<std::size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCTSTR psz)
{
    *this = CString(psz);
    return *this;
}

CString& CString::operator=(LPCWSTR psz)
{
    *this = CString(psz);
    return *this;
}

CString& CString::operator=(TCHAR ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& s)
{
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(LPCTSTR psz)
{
    m_str += View(psz);
    return *this;
}

CString& CString::operator+=(TCHAR ch)
{
    m_str.push_back(ch);
    return *this;
}

TCHAR CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength())
        return '\0';
    return m_str[static_cast<std::size_t>(nIndex)];
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    if (nIndex >= 0 && nIndex < GetLength())
        m_str[static_cast<std::size_t>(nIndex)] = ch;
}

void CString::SetString(LPCTSTR psz, int nLength) { *this = CString(psz, nLength); }

int CString::Compare(LPCTSTR psz) const
{
    const int result = std::string_view(m_str).compare(View(psz));
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCTSTR psz) const
{
    const int result = platform::CompareNoCase(m_str, View(psz));
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const
{
    const int length = GetLength();
    nFirst = std::clamp(nFirst, 0, length);
    nCount = std::clamp(nCount, 0, length - nFirst);
    return CString(m_str.data() + nFirst, nCount);
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    const std::size_t n = m_str.find_first_not_of(View(lpszCharSet));
    return Left(n == std::string::npos ? GetLength() : static_cast<int>(n));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    const std::size_t n = m_str.find_first_of(View(lpszCharSet));
    return Left(n == std::string::npos ? GetLength() : static_cast<int>(n));
}

CString& CString::MakeUpper()
{
    for (char& c : m_str)
        c = platform::UpperCase(c);
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_str)
        c = platform::FoldCase(c);
    return *this;
}

CString& CString::MakeReverse()
{
    std::string reversed;
    reversed.reserve(m_str.size());
    ForEachCharacter(m_str, [&](std::size_t, std::string_view c) {
        reversed.insert(0, c);
        return true;
    });
    m_str = std::move(reversed);
    return *this;
}

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    int count = 0;
    for (char& c : m_str) {
        if (c == chOld) {
            c = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    const std::string_view from = View(lpszOld);
    const std::string_view to = View(lpszNew);
    if (from.empty())
        return 0;
    std::string result;
    int count = 0;
    std::size_t start = 0;
    for (std::size_t at = m_str.find(from); at != std::string::npos; at = m_str.find(from, start)) {
        result.append(m_str, start, at - start);
        result += to;
        start = at + from.size();
        ++count;
    }
    if (count > 0) {
        result.append(m_str, start);
        m_str = std::move(result);
    }
    return count;
}

int CString::Remove(TCHAR ch)
{
    const auto removed = std::erase(m_str, ch);
    return static_cast<int>(removed);
}

int CString::Insert(int nIndex, TCHAR ch)
{
    m_str.insert(static_cast<std::size_t>(std::clamp(nIndex, 0, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCTSTR psz)
{
    m_str.insert(static_cast<std::size_t>(std::clamp(nIndex, 0, GetLength())), View(psz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    const int length = GetLength();
    nIndex = std::clamp(nIndex, 0, length);
    nCount = std::clamp(nCount, 0, length - nIndex);
    m_str.erase(static_cast<std::size_t>(nIndex), static_cast<std::size_t>(nCount));
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::Trim(TCHAR chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }

CString& CString::Trim(LPCTSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }

CString& CString::TrimLeft(TCHAR chTarget)
{
    const std::size_t n = m_str.find_first_not_of(chTarget);
    m_str.erase(0, n == std::string::npos ? m_str.size() : n);
    return *this;
}

CString& CString::TrimLeft(LPCTSTR pszTargets)
{
    const std::string_view targets = View(pszTargets);
    std::size_t keepFrom = m_str.size();
    ForEachCharacter(m_str, [&](std::size_t at, std::string_view c) {
        if (SetContains(targets, c))
            return true;
        keepFrom = at;
        return false;
    });
    m_str.erase(0, keepFrom);
    return *this;
}

CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }

CString& CString::TrimRight(TCHAR chTarget)
{
    const std::size_t n = m_str.find_last_not_of(chTarget);
    m_str.erase(n == std::string::npos ? 0 : n + 1);
    return *this;
}

CString& CString::TrimRight(LPCTSTR pszTargets)
{
    const std::string_view targets = View(pszTargets);
    std::size_t keepTo = 0;
    ForEachCharacter(m_str, [&](std::size_t at, std::string_view c) {
        if (!SetContains(targets, c))
            keepTo = at + c.size();
        return true;
    });
    m_str.erase(keepTo);
    return *this;
}

int CString::Find(TCHAR ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const std::size_t at = m_str.find(ch, static_cast<std::size_t>(nStart));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCTSTR pszSub, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    const std::size_t at = m_str.find(View(pszSub), static_cast<std::size_t>(nStart));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(TCHAR ch) const
{
    const std::size_t at = m_str.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    const std::string_view set = View(lpszCharSet);
    int found = -1;
    ForEachCharacter(m_str, [&](std::size_t at, std::string_view c) {
        if (SetContains(set, c))
            found = static_cast<int>(at);
        return found < 0;
    });
    return found;
}

CString CString::Tokenize(LPCTSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart > GetLength()) {
        iStart = -1;
        return CString();
    }
    const std::string_view tokens = View(pszTokens);
    std::size_t begin = tokens.empty() ? static_cast<std::size_t>(iStart)
                                       : m_str.find_first_not_of(tokens, static_cast<std::size_t>(iStart));
    if (begin == std::string::npos || begin >= m_str.size()) {
        iStart = -1;
        return CString();
    }
    std::size_t end = tokens.empty() ? m_str.size() : m_str.find_first_of(tokens, begin);
    if (end == std::string::npos)
        end = m_str.size();
    iStart = static_cast<int>(std::min(end + 1, m_str.size() + 1));
    return CString(m_str.data() + begin, static_cast<int>(end - begin));
}

void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
    m_str = lpszFormat ? platform::VFormat(lpszFormat, argList) : std::string();
}

void CString::FormatArgs(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::FormatMessageV(LPCTSTR lpszFormat, va_list* pArgList)
{
    LPSTR buffer = nullptr;
    const DWORD length = ::FormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, lpszFormat, 0, 0,
        reinterpret_cast<LPSTR>(&buffer), 0, pArgList);
    m_str.assign(buffer ? buffer : "", length);
    if (buffer)
        LocalFree(buffer);
}

void CString::FormatMessageArgs(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatMessageV(lpszFormat, &args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    if (LoadString(AfxGetResourceHandle(), nID))
        return TRUE;
    return LoadString(AfxGetInstanceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    const char* text = nullptr;
    const int length = ::LoadString(hInstance, nID, reinterpret_cast<LPSTR>(&text), 0);
    if (!text) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(text, static_cast<std::size_t>(length));
    return TRUE;
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<std::size_t>(nMinBufLength));
    return m_str.data();
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<std::size_t>(std::max(nNewLength, 0)));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(::strnlen(m_str.c_str(), m_str.size()));
    m_str.resize(static_cast<std::size_t>(std::min(nNewLength, GetLength())));
}

BSTR CString::AllocSysString() const
{
    const std::u16string wide = platform::Utf8ToUtf16(m_str);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    const std::u16string wide = platform::Utf8ToUtf16(m_str);
    SysReAllocStringLen(pbstr, wide.data(), static_cast<UINT>(wide.size()));
    return *pbstr;
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, LPCTSTR b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(LPCTSTR a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, TCHAR b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(TCHAR a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }
