#include "library/AppRoutines.h"

#include "app/CPelicanApp.h"
#include "platform/base/CodePage.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

void SetBusy(bool busy)
{
    if (CPelicanApp* app = GetPelicanApp())
        app->m_bBusy = busy ? TRUE : FALSE;
}

void SetLibraryModified(bool modified)
{
    if (CPelicanApp* app = GetPelicanApp())
        app->m_bLibraryModified = modified ? TRUE : FALSE;
}

bool IsLibraryModified()
{
    const CPelicanApp* app = GetPelicanApp();
    return app != nullptr && app->m_bLibraryModified != FALSE;
}

long GenreIdForName(LPCTSTR genreName)
{
    const CPelicanApp* app = GetPelicanApp();
    if (app == nullptr || genreName == nullptr)
        return -1;
    for (INT_PTR i = 0; i < app->m_genres.GetSize(); ++i) {
        if (app->m_genres[i].m_strGenre.CompareNoCase(genreName) == 0)
            return app->m_genres[i].m_nGenreId;
    }
    return -1;
}

bool HasFlag(DWORD a, DWORD b) { return (a & b) != 0; }

void CopyToWideBuffer(WCHAR* buffer, LPCTSTR text, int n)
{
    if (buffer == nullptr || n < 1)
        return;
    const std::u16string wide = platform::Utf8ToUtf16(text != nullptr ? text : "");
    std::size_t length = std::min<std::size_t>(wide.size(), static_cast<std::size_t>(n - 1));
    // A cut never leaves half of a surrogate pair behind.
    if (length < wide.size() && length > 0 && wide[length - 1] >= 0xD800 && wide[length - 1] <= 0xDBFF)
        --length;
    wide.copy(buffer, length);
    buffer[length] = u'\0';
}

CString FormatIpAddress(BYTE b0, BYTE b1, BYTE b2, BYTE b3)
{
    CString text;
    text.Format("%d.%d.%d.%d", b0, b1, b2, b3);
    return text;
}

bool ParseIpAddress(LPCTSTR text, BYTE& b0, BYTE& b1, BYTE& b2, BYTE& b3)
{
    const std::string whole = text != nullptr ? text : "";
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (parts.size() < 4) {
        const std::size_t dot = whole.find('.', start);
        parts.push_back(whole.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    if (parts.size() < 4)
        return false;
    BYTE* bytes[] = { &b0, &b1, &b2, &b3 };
    for (std::size_t i = 0; i < 4; ++i)
        *bytes[i] = static_cast<BYTE>(std::atoi(parts[i].c_str()) & 0xFF);
    return true;
}
