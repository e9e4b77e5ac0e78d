#include "platform/base/Profile.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/AtomicFile.h"
#include "platform/base/FolderLock.h"
#include "platform/base/HomeFolder.h"
#include "platform/base/Paths.h"
#include "platform/base/ProfileFile.h"
#include "platform/base/WinError.h"

using platform::ProfileFile;

namespace {

constexpr const char* kSystemProfile = "win.ini";

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The file a profile name stands for; nullopt (last error set) when the name maps to none.
std::optional<std::filesystem::path> profilePath(LPCSTR fileName)
{
    const std::string_view name = fileName ? fileName : kSystemProfile;
    if (name.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    if (name.find_first_of("\\/:") == std::string_view::npos)
        return platform::HomeFolder() / std::string(name);
    std::string native = platform::ToNativePath(name);
    if (native.empty())
        return std::nullopt;
    return std::filesystem::path(std::move(native));
}

// The file's profile; a missing or unreadable file reads as an empty one.
ProfileFile readProfile(LPCSTR fileName)
{
    const auto path = profilePath(fileName);
    if (!path)
        return ProfileFile {};
    std::string text;
    platform::FileStamp stamp;
    if (platform::ReadFileContents(*path, text, stamp) != ERROR_SUCCESS)
        return ProfileFile {};
    return ProfileFile::parse(text);
}

// Read-modify-write of a profile file under the lock of its folder. change reports whether it changed
// anything; an unchanged file is not rewritten (and a missing one not created).
BOOL modifyProfile(LPCSTR fileName, const std::function<bool(ProfileFile&)>& change)
{
    const auto path = profilePath(fileName);
    if (!path)
        return FALSE;
    const platform::FolderLock lock(path->parent_path());
    if (lock.error() != ERROR_SUCCESS) {
        SetLastError(lock.error());
        return FALSE;
    }
    std::string text;
    platform::FileStamp stamp;
    const DWORD readError = platform::ReadFileContents(*path, text, stamp);
    if (readError != ERROR_SUCCESS && readError != ERROR_FILE_NOT_FOUND) {
        SetLastError(readError); // never replace a file we could not read
        return FALSE;
    }
    ProfileFile profile = ProfileFile::parse(text);
    if (!change(profile))
        return TRUE;
    if (const DWORD error = platform::WriteFileAtomically(*path, profile.serialize()); error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

bool validSection(std::string_view s) { return !hasLineBreak(s) && s.find(']') == std::string_view::npos; }

bool validKey(std::string_view k)
{
    k = trim(k);
    return !k.empty() && !hasLineBreak(k) && k.find('=') == std::string_view::npos && k.front() != '['
        && k.front() != ';';
}

BOOL invalidParameter()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

std::string unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// The longest prefix of at most limit bytes that does not end inside a UTF-8 sequence.
std::size_t characterBoundary(std::string_view s, std::size_t limit)
{
    if (limit >= s.size())
        return s.size();
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

DWORD copyValue(std::string_view value, LPSTR buffer, DWORD size)
{
    const std::size_t length = characterBoundary(value, size - 1);
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
}

// Copies names as "a\0b\0\0". A list that does not fit is cut, ends in two zeros, and returns size - 2.
DWORD copyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size)
{
    std::string joined;
    for (const std::string& name : names) {
        joined += name;
        joined += '\0';
    }
    if (joined.size() + 1 <= size) {
        std::memcpy(buffer, joined.data(), joined.size());
        buffer[joined.size()] = '\0';
        if (joined.empty() && size >= 2)
            buffer[1] = '\0';
        return static_cast<DWORD>(joined.size());
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    const std::size_t length = characterBoundary(joined, size - 2);
    std::memcpy(buffer, joined.data(), length);
    std::memset(buffer + length, 0, size - length);
    return size - 2;
}

std::optional<std::string> readValue(LPCSTR section, LPCSTR key, LPCSTR fileName)
{
    if (!section || !key)
        return std::nullopt;
    auto value = readProfile(fileName).value(trim(section), trim(key));
    if (!value)
        return std::nullopt;
    return unquoted(*value);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

DWORD GetPrivateProfileString(
    LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    if (!lpReturnedString || nSize == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!lpAppName)
        return copyList(readProfile(lpFileName).sectionNames(), lpReturnedString, nSize);
    if (!lpKeyName)
        return copyList(readProfile(lpFileName).keyNames(trim(lpAppName)), lpReturnedString, nSize);
    if (auto value = readValue(lpAppName, lpKeyName, lpFileName))
        return copyValue(*value, lpReturnedString, nSize);
    std::string_view fallback = lpDefault ? lpDefault : "";
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);
    return copyValue(fallback, lpReturnedString, nSize);
}

BOOL WritePrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName)
{
    if (!lpAppName) // all three null only asks to flush, and writes are never held back
        return !lpKeyName && !lpString ? TRUE : invalidParameter();
    const std::string_view section = trim(lpAppName);
    if (!validSection(section) || (lpKeyName && !validKey(lpKeyName)) || (lpString && hasLineBreak(lpString)))
        return invalidParameter();
    if (!lpKeyName)
        return modifyProfile(lpFileName, [&](ProfileFile& profile) { return profile.removeSection(section); });
    const std::string_view key = trim(lpKeyName);
    if (!lpString)
        return modifyProfile(lpFileName, [&](ProfileFile& profile) { return profile.removeKey(section, key); });
    return modifyProfile(lpFileName, [&](ProfileFile& profile) {
        profile.setValue(section, key, lpString);
        return true;
    });
}

UINT GetPrivateProfileInt(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName)
{
    const auto value = readValue(lpAppName, lpKeyName, lpFileName);
    if (!value || value->empty())
        return static_cast<UINT>(nDefault);
    std::string_view text = *value;
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    UINT number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        number = number * 10 + static_cast<UINT>(c - '0');
    }
    return negative ? 0u - number : number;
}

DWORD GetPrivateProfileSection(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    if (!lpReturnedString || nSize == 0 || !lpAppName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        if (lpReturnedString && nSize > 0)
            lpReturnedString[0] = '\0';
        return 0;
    }
    return copyList(readProfile(lpFileName).entries(trim(lpAppName)), lpReturnedString, nSize);
}

BOOL WritePrivateProfileSection(LPCSTR lpAppName, LPCSTR lpString, LPCSTR lpFileName)
{
    if (!lpAppName || !validSection(trim(lpAppName)))
        return invalidParameter();
    const std::string_view section = trim(lpAppName);
    if (!lpString)
        return modifyProfile(lpFileName, [&](ProfileFile& profile) { return profile.removeSection(section); });
    std::vector<std::string> lines;
    for (const char* line = lpString; *line; line += std::strlen(line) + 1) {
        // Each line must come back as an entry of this section, never as a header of another.
        const std::string_view text(line);
        const std::size_t equals = text.find('=');
        if (hasLineBreak(text) || trim(text).starts_with('[')
            || (equals != std::string_view::npos && !validKey(text.substr(0, equals))))
            return invalidParameter();
        lines.emplace_back(text);
    }
    return modifyProfile(lpFileName, [&](ProfileFile& profile) {
        profile.replaceEntries(section, lines);
        return true;
    });
}

BOOL GetPrivateProfileStruct(LPCSTR lpszSection, LPCSTR lpszKey, LPVOID lpStruct, UINT uSizeStruct, LPCSTR szFile)
{
    if (!lpszSection || !lpszKey || (!lpStruct && uSizeStruct > 0))
        return invalidParameter();
    const auto value = readValue(lpszSection, lpszKey, szFile);
    if (!value) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (value->size() != 2 * (static_cast<std::size_t>(uSizeStruct) + 1)) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    std::vector<BYTE> bytes(uSizeStruct + 1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = hexDigit((*value)[2 * i]);
        const int low = hexDigit((*value)[2 * i + 1]);
        if (high < 0 || low < 0) {
            SetLastError(ERROR_INVALID_DATA);
            return FALSE;
        }
        bytes[i] = static_cast<BYTE>(high * 16 + low);
    }
    BYTE sum = 0;
    for (UINT i = 0; i < uSizeStruct; ++i)
        sum = static_cast<BYTE>(sum + bytes[i]);
    if (sum != bytes[uSizeStruct]) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (uSizeStruct > 0)
        std::memcpy(lpStruct, bytes.data(), uSizeStruct);
    return TRUE;
}

BOOL WritePrivateProfileStruct(LPCSTR lpszSection, LPCSTR lpszKey, LPCVOID lpStruct, UINT uSizeStruct, LPCSTR szFile)
{
    if (!lpszSection || !lpszKey)
        return invalidParameter();
    if (!lpStruct)
        return WritePrivateProfileString(lpszSection, lpszKey, nullptr, szFile);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const BYTE*>(lpStruct);
    std::string text;
    text.reserve(2 * (static_cast<std::size_t>(uSizeStruct) + 1));
    BYTE sum = 0;
    for (UINT i = 0; i < uSizeStruct; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
        sum = static_cast<BYTE>(sum + bytes[i]);
    }
    text += kDigits[sum >> 4];
    text += kDigits[sum & 0xF];
    return WritePrivateProfileString(lpszSection, lpszKey, text.c_str(), szFile);
}

DWORD GetProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize)
{
    return GetPrivateProfileString(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize, kSystemProfile);
}

BOOL WriteProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString)
{
    return WritePrivateProfileString(lpAppName, lpKeyName, lpString, kSystemProfile);
}

UINT GetProfileInt(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault)
{
    return GetPrivateProfileInt(lpAppName, lpKeyName, nDefault, kSystemProfile);
}
