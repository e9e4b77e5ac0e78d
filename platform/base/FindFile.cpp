#include "platform/base/FindFile.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "platform/base/CaseFold.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"

namespace platform {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// The length of the UTF-8 character starting with byte c (1 for stray continuation bytes).
std::size_t CharLength(unsigned char c)
{
    if (c >= 0xF0)
        return 4;
    if (c >= 0xE0)
        return 3;
    if (c >= 0xC0)
        return 2;
    return 1;
}

bool MatchesPlain(std::string_view pattern, std::string_view name)
{
    // Greedy matching with one backtrack point: the position after the last '*'.
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += std::min(CharLength(static_cast<unsigned char>(name[n])), name.size() - n);
        } else if (p < pattern.size() && FoldCase(pattern[p]) == FoldCase(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP;
            starN += CharLength(static_cast<unsigned char>(name[starN]));
            n = std::min(starN, name.size());
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool HasWildcards(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

// Copies text into a fixed buffer with its terminating zero, cut before a character that does not fit.
void CopyName(std::string_view text, char* buffer, std::size_t size)
{
    std::size_t length = std::min(text.size(), size - 1);
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

// The live searches, so that a stale or foreign handle is refused rather than followed.
class SearchTable {
public:
    HANDLE Add(std::unique_ptr<FindFile> search)
    {
        std::lock_guard lock(m_mutex);
        HANDLE handle = search.get();
        m_searches.emplace(handle, std::move(search));
        return handle;
    }
    // Runs f on the search of a handle under the table's lock; false when the handle is unknown.
    template<typename F> bool With(HANDLE handle, F&& f)
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_searches.find(handle);
        if (it == m_searches.end())
            return false;
        f(*it->second);
        return true;
    }
    bool Remove(HANDLE handle)
    {
        std::lock_guard lock(m_mutex);
        return m_searches.erase(handle) > 0;
    }

private:
    std::mutex m_mutex;
    std::unordered_map<HANDLE, std::unique_ptr<FindFile>> m_searches;
};

SearchTable& Searches()
{
    static SearchTable table;
    return table;
}

// The names of a folder matching a pattern: "." and ".." first (not in the root), then the entries in
// order without regard to case. A pattern without wildcards names one entry, found as paths are.
std::vector<std::string> MatchingNames(const std::string& folder, std::string_view pattern)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return names;
    std::vector<std::string> entries;
    std::optional<std::string> exact;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (HasWildcards(pattern)) {
            if (MatchesWildcard(pattern, name))
                entries.emplace_back(name);
        } else if (name == pattern) {
            exact = std::string(name);
        } else if (!exact && EqualsNoCase(name, pattern) && entries.empty()) {
            entries.emplace_back(name);
        }
    }
    if (exact)
        entries = { *exact };
    std::sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
        const int order = CompareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });

    if (folder != "/") {
        for (const char* dots : { ".", ".." }) {
            if (HasWildcards(pattern) ? MatchesWildcard(pattern, dots) : pattern == dots)
                names.emplace_back(dots);
        }
    }
    names.insert(names.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    return names;
}

} // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name)
{
    if (MatchesPlain(pattern, name))
        return true;
    // "name.*" stands for "name" with any extension or none.
    return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" && name.find('.') == std::string_view::npos
        && MatchesPlain(pattern.substr(0, pattern.size() - 2), name);
}

FindFile::FindFile(std::string folder, std::vector<std::string> names)
    : m_folder(std::move(folder))
    , m_names(std::move(names))
{
}

bool FindFile::Next(WIN32_FIND_DATA& data)
{
    while (m_next < m_names.size()) {
        const std::string& name = m_names[m_next++];
        std::string path = m_folder;
        if (name == "..") {
            path = path.substr(0, std::max<std::size_t>(path.find_last_of('/'), 1));
        } else if (name != ".") {
            path += (path == "/" ? "" : "/") + name;
        }
        DWORD error = ERROR_SUCCESS;
        const std::optional<FileInfo> info = QueryFileInfo(path, error);
        if (!info)
            continue; // removed since the search started
        data = WIN32_FIND_DATA {};
        // The folder's own entries are never hidden, whatever the folder is called.
        data.dwFileAttributes
            = name == "." || name == ".." ? (info->attributes & ~FILE_ATTRIBUTE_HIDDEN) : info->attributes;
        data.ftCreationTime = info->creationTime;
        data.ftLastAccessTime = info->lastAccessTime;
        data.ftLastWriteTime = info->lastWriteTime;
        data.nFileSizeHigh = static_cast<DWORD>(info->size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(info->size & 0xFFFFFFFFu);
        CopyName(name, data.cFileName, sizeof data.cFileName);
        return true;
    }
    return false;
}

} // namespace platform

HANDLE FindFirstFile(LPCSTR lpFileName, LPWIN32_FIND_DATA lpFindFileData)
{
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string_view text(lpFileName);
    std::size_t split = text.find_last_of("\\/");
    if (split == std::string_view::npos && text.size() >= 2 && text[1] == ':')
        split = 1; // "Z:*.mp3": the current folder of the drive
    const std::string folderText = split == std::string_view::npos ? "." : std::string(text.substr(0, split + 1));
    const std::string_view pattern = split == std::string_view::npos ? text : text.substr(split + 1);

    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> folder = platform::MapToNative(folderText, error);
    struct stat st;
    if (!folder || stat(folder->c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }

    auto search = std::make_unique<platform::FindFile>(*folder, platform::MatchingNames(*folder, pattern));
    if (pattern.empty() || !search->Next(*lpFindFileData)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return platform::Searches().Add(std::move(search));
}

BOOL FindNextFile(HANDLE hFindFile, LPWIN32_FIND_DATA lpFindFileData)
{
    if (!lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool found = false;
    if (!platform::Searches().With(
            hFindFile, [&](platform::FindFile& search) { found = search.Next(*lpFindFileData); })) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!found) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile)
{
    if (!platform::Searches().Remove(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
