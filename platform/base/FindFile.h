#pragma once
// Folder searches: FindFirstFile/FindNextFile/FindClose over program paths with wildcards, and the
// FindFile object behind each search handle.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/FileInfo.h"
#include "platform/base/WinTypes.h"

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes { 0 };
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh { 0 };
    DWORD nFileSizeLow { 0 };
    DWORD dwReserved0 { 0 };
    DWORD dwReserved1 { 0 };
    CHAR cFileName[MAX_PATH] {};
    CHAR cAlternateFileName[14] {};
};
using WIN32_FIND_DATAA = WIN32_FIND_DATA;
using LPWIN32_FIND_DATA = WIN32_FIND_DATA*;
using PWIN32_FIND_DATA = WIN32_FIND_DATA*;

// Starts a search for the entries of a folder matching the last part of lpFileName ("*", "?" and "*.*"
// match without regard to case; "." and ".." are listed in folders other than the root) and fills in the
// first. INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches, ERROR_PATH_NOT_FOUND when
// the folder does not exist.
HANDLE FindFirstFile(LPCSTR lpFileName, LPWIN32_FIND_DATA lpFindFileData);
// Fills in the next entry of a search; FALSE with ERROR_NO_MORE_FILES at the end.
BOOL FindNextFile(HANDLE hFindFile, LPWIN32_FIND_DATA lpFindFileData);
// Ends a search; FALSE with ERROR_INVALID_HANDLE for a handle that is not a running search.
BOOL FindClose(HANDLE hFindFile);

namespace platform {

// True when a name matches a wildcard pattern without regard to case: "*" matches any run of characters,
// "?" exactly one, and a pattern ending in ".*" also matches the name without an extension.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// One running search: the matching names of a folder, taken when the search starts, handed out in order.
class FindFile {
public:
    // A search over the given names of the folder at the POSIX path `folder`.
    FindFile(std::string folder, std::vector<std::string> names);

    // Fills in the next entry that still exists; false when there is none.
    bool Next(WIN32_FIND_DATA& data);

private:
    std::string m_folder;
    std::vector<std::string> m_names;
    std::size_t m_next { 0 };
};

} // namespace platform
