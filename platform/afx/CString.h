#pragma once
// The class library's string: a value type holding UTF-8 text (TCHAR is char), with the search,
// trim, case and formatting operations of the original. Lengths and indexes count bytes. Formatting
// goes through the platform's formatter, which reads "l" as 32 bits; CString arguments of Format and
// FormatMessage are passed as their text.

#include <cstdarg>
#include <string>
#include <type_traits>

#include "platform/base/WinTypes.h"
#include "platform/com/OaIdl.h"

class CString;

namespace afx {

// What a Format argument becomes on its way through a C argument list: strings their text, everything
// else itself. Class types other than CString cannot travel through it.
inline LPCTSTR PassFormatArg(const CString& s);
template<typename T> const T& PassFormatArg(const T& value)
{
    static_assert(
        std::is_arithmetic_v<
            T> || std::is_pointer_v<T> || std::is_enum_v<T> || std::is_array_v<T> || std::is_null_pointer_v<T>,
        "only numbers, pointers and CString can be formatted");
    return value;
}

} // namespace afx

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    // A copy of a zero-terminated text; null gives an empty string, and an id made with
    // MAKEINTRESOURCE loads that string from the resources.
    CString(LPCTSTR psz);
    // The first nLength bytes of pch (fewer when it is null or nLength is negative).
    CString(LPCTSTR pch, int nLength);
    // A UTF-16 text converted to UTF-8 (each invalid sequence becomes U+FFFD); null gives "".
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    // ch repeated nRepeat times.
    explicit CString(TCHAR ch, int nRepeat = 1);
    ~CString() = default;

    // Assignment and appending; a null LPCTSTR counts as "", a UTF-16 text is converted to UTF-8.
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCTSTR psz);
    CString& operator=(LPCWSTR psz);
    CString& operator=(TCHAR ch);
    CString& operator+=(const CString& s);
    CString& operator+=(LPCTSTR psz);
    CString& operator+=(TCHAR ch);

    // Length in bytes.
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    // The byte at nIndex; 0 for an index outside the string.
    TCHAR GetAt(int nIndex) const;
    TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    // Replaces the byte at nIndex; an index outside the string changes nothing.
    void SetAt(int nIndex, TCHAR ch);

    // The text, zero-terminated, valid until the string changes; never null.
    operator LPCTSTR() const { return m_str.c_str(); }
    LPCTSTR GetString() const { return m_str.c_str(); }
    // Replaces the text with the first nLength bytes of psz.
    void SetString(LPCTSTR psz, int nLength);
    void Append(LPCTSTR psz) { *this += psz; }
    void AppendChar(TCHAR ch) { m_str.push_back(ch); }

    // strcmp order: <0, 0, >0 (bytes unsigned). A null psz compares as "".
    int Compare(LPCTSTR psz) const;
    // The same without regard to case (ASCII letters fold; other bytes compare as they are).
    int CompareNoCase(LPCTSTR psz) const;
    int Collate(LPCTSTR psz) const { return Compare(psz); }
    int CollateNoCase(LPCTSTR psz) const { return CompareNoCase(psz); }

    // Sub-strings; positions and counts are clamped to the string, so any values give a defined result.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    // The leading bytes that are in (SpanIncluding) or not in (SpanExcluding) the set.
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    // ASCII letters to upper or lower case (the system's one case rule); other bytes stay.
    CString& MakeUpper();
    CString& MakeLower();
    // Reverses the characters (UTF-8 sequences stay whole).
    CString& MakeReverse();

    // Replaces every occurrence; returns how many were replaced (0 for an empty or null old text).
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    // Removes every occurrence of ch; returns how many.
    int Remove(TCHAR ch);
    // Inserts at nIndex (clamped to 0..length); returns the new length.
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR psz);
    // Deletes nCount bytes from nIndex (both clamped); returns the new length.
    int Delete(int nIndex, int nCount = 1);

    // Removes white space (space, tab, CR, LF, VT, FF), one character, or any of a set of characters.
    CString& Trim();
    CString& Trim(TCHAR chTarget);
    CString& Trim(LPCTSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(TCHAR chTarget);
    CString& TrimLeft(LPCTSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(TCHAR chTarget);
    CString& TrimRight(LPCTSTR pszTargets);

    // Index of the first occurrence at or after nStart, -1 when none (or nStart is outside the string).
    int Find(TCHAR ch, int nStart = 0) const;
    int Find(LPCTSTR pszSub, int nStart = 0) const;
    // Index of the last occurrence of ch, -1 when none.
    int ReverseFind(TCHAR ch) const;
    // Index of the first character that is one of the characters of the set (whole UTF-8 characters
    // are compared), -1 when none.
    int FindOneOf(LPCTSTR lpszCharSet) const;
    // The next token at or after iStart delimited by any of pszTokens; iStart moves past it, and becomes
    // -1 (with an empty result) when no token is left.
    CString Tokenize(LPCTSTR pszTokens, int& iStart) const;

    // Replaces the text with fmt formatted with the arguments (sprintf conversions, "l" is 32 bits).
    template<typename... Args> void Format(LPCTSTR lpszFormat, const Args&... args)
    {
        FormatArgs(lpszFormat, afx::PassFormatArg(args)...);
    }
    // The same with the format taken from string resource nFormatID.
    template<typename... Args> void Format(UINT nFormatID, const Args&... args)
    {
        CString format;
        format.LoadString(nFormatID);
        FormatArgs(format.GetString(), afx::PassFormatArg(args)...);
    }
    void FormatV(LPCTSTR lpszFormat, va_list argList);
    // Appends fmt formatted with the arguments.
    template<typename... Args> void AppendFormat(LPCTSTR lpszFormat, const Args&... args)
    {
        CString text;
        text.FormatArgs(lpszFormat, afx::PassFormatArg(args)...);
        *this += text;
    }
    // Replaces the text with a message with numbered inserts ("%1", "%2!d!"), "l" read as 32 bits.
    template<typename... Args> void FormatMessage(LPCTSTR lpszFormat, const Args&... args)
    {
        FormatMessageArgs(lpszFormat, afx::PassFormatArg(args)...);
    }
    template<typename... Args> void FormatMessage(UINT nFormatID, const Args&... args)
    {
        CString format;
        format.LoadString(nFormatID);
        FormatMessageArgs(format.GetString(), afx::PassFormatArg(args)...);
    }
    void FormatMessageV(LPCTSTR lpszFormat, va_list* pArgList);

    // Loads string-table entry nID from the resource module (AfxGetResourceHandle), then from the
    // executable; FALSE (and an empty string) when neither has it.
    BOOL LoadString(UINT nID);
    // Loads string-table entry nID of the given module; FALSE (and an empty string) when it has none.
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // A writable buffer of at least nMinBufLength bytes (plus a zero) holding the text; end the writing
    // with ReleaseBuffer before any other use of the string.
    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBuffer() { return GetBuffer(0); }
    // GetBuffer, and the length becomes nNewLength.
    LPTSTR GetBufferSetLength(int nNewLength);
    // Ends buffer writing: the length becomes nNewLength, or (for -1) the length up to the first zero.
    void ReleaseBuffer(int nNewLength = -1);
    void FreeExtra() { m_str.shrink_to_fit(); }
    LPTSTR LockBuffer() { return GetBuffer(0); }
    void UnlockBuffer() { }

    // A new BSTR holding the text as UTF-16 (free it with SysFreeString); null when memory runs out.
    BSTR AllocSysString() const;
    // Replaces *pbstr with the text as UTF-16; returns the new BSTR.
    BSTR SetSysString(BSTR* pbstr) const;

    // Concatenation.
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCTSTR b);
    friend CString operator+(LPCTSTR a, const CString& b);
    friend CString operator+(const CString& a, TCHAR b);
    friend CString operator+(TCHAR a, const CString& b);

private:
    // Format and FormatMessage once their arguments are plain C values.
    void FormatArgs(LPCTSTR lpszFormat, ...);
    void FormatMessageArgs(LPCTSTR lpszFormat, ...);

    std::string m_str;
};

namespace afx {
// A CString goes to the formatter as its text.
inline LPCTSTR PassFormatArg(const CString& s) { return s.GetString(); }
} // namespace afx

// Comparisons in Compare order (bytes unsigned, case significant); a null LPCTSTR counts as "".
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCTSTR b);
bool operator<(LPCTSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCTSTR b);
bool operator>(LPCTSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCTSTR b);
bool operator<=(LPCTSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCTSTR b);
bool operator>=(LPCTSTR a, const CString& b);
