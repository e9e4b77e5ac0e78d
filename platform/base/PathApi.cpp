#include "platform/base/PathApi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/FileInfo.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"

namespace {

// Copies text with its terminating zero when it fits; otherwise returns the size needed.
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size)
{
    if (!buffer || size <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

// Copies text into a buffer of `size` bytes with its terminating zero, cut before a character that does
// not fit.
void CopyCut(std::string_view text, char* buffer, std::size_t size)
{
    if (!buffer || size == 0)
        return;
    std::size_t length = std::min(text.size(), size - 1);
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    if (length > 0)
        std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

std::string CurrentDirectory()
{
    std::string native(256, '\0');
    while (!getcwd(native.data(), native.size())) {
        if (errno != ERANGE)
            return "Z:\\";
        native.resize(native.size() * 2);
    }
    native.resize(std::strlen(native.c_str()));
    return platform::ToProgramPath(native);
}

} // namespace

DWORD GetCurrentDirectory(DWORD nBufferLength, LPSTR lpBuffer)
{
    return CopyOut(CurrentDirectory(), lpBuffer, nBufferLength);
}

BOOL SetCurrentDirectory(LPCSTR lpPathName)
{
    if (!lpPathName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> native = platform::MapToNative(lpPathName, error);
    if (!native) {
        SetLastError(error);
        return FALSE;
    }
    struct stat st;
    if (stat(native->c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    if (chdir(native->c_str()) != 0) {
        platform::SetLastFileError(errno, *native);
        return FALSE;
    }
    return TRUE;
}

DWORD GetFullPathName(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart)
{
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string full = platform::FullProgramPath(lpFileName);
    if (full.empty()) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    const DWORD result = CopyOut(full, lpBuffer, nBufferLength);
    if (lpFilePart) {
        const std::size_t last = full.find_last_of('\\');
        const bool hasName = result == full.size() && last != std::string::npos && last + 1 < full.size();
        *lpFilePart = hasName ? lpBuffer + last + 1 : nullptr;
    }
    return result;
}

DWORD GetTempPath(DWORD nBufferLength, LPSTR lpBuffer)
{
    const char* tmpdir = std::getenv("TMPDIR");
    std::string path = platform::ToProgramPath(tmpdir && *tmpdir ? tmpdir : "/tmp");
    if (path.back() != '\\')
        path += '\\';
    return CopyOut(path, lpBuffer, nBufferLength);
}

UINT GetTempFileName(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName)
{
    if (!lpPathName || !lpTempFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string folder = lpPathName;
    if (!folder.empty() && !platform::IsPathSeparator(folder.back()))
        folder += '\\';
    std::string prefix = lpPrefixString ? lpPrefixString : "";
    std::size_t prefixLength = std::min<std::size_t>(prefix.size(), 3);
    while (prefixLength > 0 && prefixLength < prefix.size()
        && (static_cast<unsigned char>(prefix[prefixLength]) & 0xC0) == 0x80)
        --prefixLength;
    prefix.resize(prefixLength);

    const auto nameFor = [&](UINT number) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", number & 0xFFFFu);
        return folder + prefix + hex + ".TMP";
    };
    if (nameFor(0).size() >= MAX_PATH) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }

    if (uUnique != 0) {
        const std::string name = nameFor(uUnique);
        std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
        return uUnique & 0xFFFFu;
    }

    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> nativeFolder = platform::MapToNative(folder.empty() ? "." : folder, error);
    struct stat st;
    if (!nativeFolder || stat(nativeFolder->c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return 0;
    }
    // Start from a number that differs between processes and calls, then take the next free one.
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const UINT start = static_cast<UINT>((now ^ (static_cast<long long>(getpid()) << 8)) & 0xFFFF);
    for (UINT step = 0; step < 0xFFFF; ++step) {
        const UINT number = (start + step) % 0xFFFF + 1;
        const std::string name = nameFor(number);
        const std::string native = platform::ToNativePath(name);
        const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
            return number;
        }
        if (errno != EEXIST) {
            platform::SetLastFileError(errno, native);
            return 0;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext)
{
    std::string_view text = path ? path : "";
    std::string_view drivePart;
    if (text.size() >= 2 && text[1] == ':') {
        drivePart = text.substr(0, 2);
        text.remove_prefix(2);
    }
    const std::size_t separator = text.find_last_of("\\/");
    const std::string_view dirPart
        = separator == std::string_view::npos ? std::string_view() : text.substr(0, separator + 1);
    const std::string_view name = separator == std::string_view::npos ? text : text.substr(separator + 1);
    const std::size_t dot = name.find_last_of('.');
    const std::string_view fnamePart = dot == std::string_view::npos ? name : name.substr(0, dot);
    const std::string_view extPart = dot == std::string_view::npos ? std::string_view() : name.substr(dot);

    CopyCut(drivePart, drive, _MAX_DRIVE);
    CopyCut(dirPart, dir, _MAX_DIR);
    CopyCut(fnamePart, fname, _MAX_FNAME);
    CopyCut(extPart, ext, _MAX_EXT);
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext)
{
    if (!path)
        return;
    std::string result;
    if (drive && *drive) {
        result += drive[0];
        result += ':';
    }
    if (dir && *dir) {
        result += dir;
        if (!platform::IsPathSeparator(result.back()))
            result += '\\';
    }
    if (fname)
        result += fname;
    if (ext && *ext) {
        if (*ext != '.')
            result += '.';
        result += ext;
    }
    CopyCut(result, path, _MAX_PATH);
}
