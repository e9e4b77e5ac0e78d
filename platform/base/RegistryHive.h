#pragma once
// One registry hive: a tree of keys kept in a text file in the REGEDIT4 format.
//
// The file is shared between processes (the program and the components it loads, or two programs).
// Before serving a call the hive re-reads its file when it changed on disk; every change runs under an
// advisory lock on the hive's folder, on the newest contents, and is written through at once by
// replacing the file. A file that cannot be parsed is reported as ERROR_REGISTRY_CORRUPT and never
// overwritten: every call fails until the file is repaired or removed.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/AtomicFile.h"
#include "platform/base/RegistryKey.h"
#include "platform/base/WinTypes.h"

namespace platform {

class RegistryHive {
public:
    // A hive kept in file whose key headers start with rootName (such as "HKEY_CURRENT_USER").
    RegistryHive(std::filesystem::path file, std::string rootName);

    const std::filesystem::path& file() const { return m_file; }
    const std::string& rootName() const { return m_rootName; }
    // The root key; it keeps its identity for the hive's lifetime.
    const std::shared_ptr<RegistryKey>& root() const { return m_root; }

    // Brings the tree up to date with the file. ERROR_SUCCESS (a missing file is an empty hive),
    // ERROR_REGISTRY_CORRUPT, or the error that kept the file from being read.
    DWORD refresh();

    // Applies change to the newest tree under the folder lock and writes the result through. change
    // returns ERROR_SUCCESS or an error, and must leave the tree as it was when it fails. When the file
    // cannot be written the tree is re-read from the old file and the write error returned.
    DWORD modify(const std::function<DWORD(RegistryKey& root)>& change);

    // Parses REGEDIT4 text into root (which must be empty); keys get the time given. On failure returns
    // ERROR_REGISTRY_CORRUPT and describes the fault in problem.
    static DWORD parse(
        std::string_view text, std::string_view rootName, RegistryKey& root, std::uint64_t time, std::string& problem);
    // The REGEDIT4 text of the tree below root.
    static std::string serialize(const RegistryKey& root, std::string_view rootName);

private:
    std::filesystem::path m_file;
    std::string m_rootName;
    std::shared_ptr<RegistryKey> m_root { std::make_shared<RegistryKey>(std::string()) };
    bool m_loaded { false };
    FileStamp m_stamp; // of the file version the tree (or m_error) reflects
    std::string m_text; // that version's contents
    DWORD m_error { 0 };
};

// The current time in FILETIME units (100 ns since 1601-01-01 UTC).
std::uint64_t FileTimeNow();

} // namespace platform
