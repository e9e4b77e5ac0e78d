#pragma once
// A new library file for a test that works on one (the tests of creation itself call the library's
// creation code directly). Making a library runs a few hundred statements, each written through to
// the disk: seconds on a busy machine, in every test that needs a library. Under CTest the folder named
// by TS_LIBRARY_TEMPLATE (emptied as the run starts and when it ends) keeps the first test's new file,
// and every later test gets a byte-for-byte copy of it, the same file the same code would make. A test
// binary run by hand, without that variable, makes each file anew.

#include "library/_ADODatabaseHelper.h"

#include "platform/base/Paths.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <sys/file.h>

namespace testing_support {

// Makes a new library file at programPath as CreateLibraryDatabase does; false when that fails.
inline bool MakeNewLibrary(const std::string& programPath)
{
    namespace fs = std::filesystem;
    const char* templateFolder = std::getenv("TS_LIBRARY_TEMPLATE");
    if (templateFolder == nullptr || *templateFolder == '\0')
        return _ADODatabaseHelper().CreateLibraryDatabase(programPath.c_str());

    std::error_code ec;
    const fs::path folder(templateFolder);
    fs::create_directories(folder, ec);
    // Held while the first test makes the file, so that the tests started with it wait and copy
    // rather than each making its own.
    const auto close = [](std::FILE* file) { std::fclose(file); };
    const std::unique_ptr<std::FILE, decltype(close)> lock(std::fopen((folder / "lock").c_str(), "ae"), close);
    if (!lock || ::flock(::fileno(lock.get()), LOCK_EX) != 0)
        return _ADODatabaseHelper().CreateLibraryDatabase(programPath.c_str());

    const fs::path made = folder / "library.mdb";
    const fs::path target = platform::ToNativePath(programPath);
    if (fs::exists(made, ec)) {
        // As creation does: the folders are made, an existing file is not overwritten.
        fs::create_directories(target.parent_path(), ec);
        return fs::copy_file(made, target, ec) && !ec;
    }
    if (!_ADODatabaseHelper().CreateLibraryDatabase(programPath.c_str()))
        return false;
    // Renamed into place once whole, so no test copies a part.
    const fs::path partial = folder / "library.mdb.partial";
    if (fs::copy_file(target, partial, fs::copy_options::overwrite_existing, ec))
        fs::rename(partial, made, ec);
    return true;
}

} // namespace testing_support
