#include "platform/base/Paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "platform/base/CaseFold.h"
#include "platform/base/WinError.h"

namespace platform {

namespace {

constexpr char DriveLetter = 'Z';

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string CurrentNativeDirectory()
{
    std::vector<char> buffer(256);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return "/";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

// Splits the text after a root into its names, folding "." and "..". A ".." never climbs above the root.
std::vector<std::string_view> FoldComponents(std::string_view text)
{
    std::vector<std::string_view> names;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !IsPathSeparator(text[end]))
            ++end;
        const std::string_view name = text.substr(pos, end - pos);
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        pos = end + 1;
    }
    return names;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// The spelling under which `name` exists in the folder `parent`: the exact one when it exists, otherwise
// the first entry matching without regard to case; nothing when there is no such entry.
std::optional<std::string> ExistingSpelling(const std::string& parent, std::string_view name)
{
    std::string candidate = parent;
    if (candidate.back() != '/')
        candidate += '/';
    candidate += name;
    struct stat st;
    if (lstat(candidate.c_str(), &st) == 0)
        return std::string(name);

    std::unique_ptr<DIR, DirCloser> dir(opendir(parent.c_str()));
    if (!dir)
        return std::nullopt;
    while (const dirent* entry = readdir(dir.get())) {
        if (EqualsNoCase(entry->d_name, name))
            return std::string(entry->d_name);
    }
    return std::nullopt;
}

} // namespace

std::string FullProgramPath(std::string_view path)
{
    if (path.empty())
        return {};

    std::string root;
    std::string_view rest;
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
        // "\\server\share\...": the server and share names form the root.
        std::size_t pos = 2;
        root = "\\\\";
        for (int part = 0; part < 2 && pos < path.size(); ++part) {
            std::size_t end = pos;
            while (end < path.size() && !IsPathSeparator(path[end]))
                ++end;
            if (part == 1)
                root += '\\';
            root.append(path.substr(pos, end - pos));
            pos = end + (end < path.size() ? 1 : 0);
        }
        rest = path.substr(pos);
        root += '\\';
    } else if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') {
        const bool relative = path.size() == 2 || !IsPathSeparator(path[2]);
        if (relative && UpperCase(path[0]) == DriveLetter) {
            // "Z:name" is relative to the current directory, which is always on Z:.
            return FullProgramPath(ToProgramPath(CurrentNativeDirectory()) + "\\" + std::string(path.substr(2)));
        }
        root = std::string(path.substr(0, 2)) + "\\";
        rest = path.substr(2);
    } else if (IsPathSeparator(path[0])) {
        root = std::string(1, DriveLetter) + ":\\";
        rest = path;
    } else {
        return FullProgramPath(ToProgramPath(CurrentNativeDirectory()) + "\\" + std::string(path));
    }

    std::string result = root;
    const std::vector<std::string_view> names = FoldComponents(rest);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            result += '\\';
        result.append(names[i]);
    }
    if (!names.empty() && IsPathSeparator(path.back()))
        result += '\\';
    return result;
}

std::optional<std::string> MapToNative(std::string_view programPath, DWORD& error)
{
    const std::string full = FullProgramPath(programPath);
    if (full.size() < 3 || UpperCase(full[0]) != DriveLetter || full[1] != ':') {
        error = ERROR_PATH_NOT_FOUND;
        return std::nullopt;
    }

    const std::vector<std::string_view> names = FoldComponents(std::string_view(full).substr(3));
    std::string native = "/";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            native += '/';
        native.append(names[i]);
    }
    // A path that exists as written needs no search for the spelling of each of its names: one look
    // at the whole instead of one per folder, for every file the program opens.
    struct stat st;
    if (lstat(native.c_str(), &st) == 0) {
        error = ERROR_SUCCESS;
        return native;
    }

    native = "/";
    bool resolving = true;
    for (std::string_view name : names) {
        std::optional<std::string> spelling;
        if (resolving)
            spelling = ExistingSpelling(native, name);
        // Once a name does not exist, nothing below it can: keep the rest as given.
        resolving = spelling.has_value();
        if (native.back() != '/')
            native += '/';
        native += spelling ? *spelling : std::string(name);
    }
    error = ERROR_SUCCESS;
    return native;
}

std::string ToNativePath(std::string_view programPath)
{
    DWORD error = ERROR_SUCCESS;
    std::optional<std::string> native = MapToNative(programPath, error);
    if (!native) {
        SetLastError(error);
        return {};
    }
    return *native;
}

std::string ToProgramPath(std::string_view nativePath)
{
    std::string absolute;
    if (nativePath.empty() || nativePath[0] != '/') {
        absolute = CurrentNativeDirectory();
        absolute += '/';
    }
    absolute.append(nativePath);

    std::string result = std::string(1, DriveLetter) + ":\\";
    const std::vector<std::string_view> names = FoldComponents(absolute);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            result += '\\';
        result.append(names[i]);
    }
    return result;
}

} // namespace platform
