#pragma once
// The modules loaded through LoadLibrary: load base -> loader handle, file and count of uses.

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/base/WinTypes.h"

namespace platform {

class ModuleTable {
public:
    // The process's one table.
    static ModuleTable& Instance();

    // Loads the shared library at a POSIX path, or counts one more use when it is loaded already.
    // NULL when the loader refuses it.
    HMODULE Load(const std::string& nativePath);
    // Ends one use; the module is unloaded after its last. False for a module not loaded through Load.
    bool Release(HMODULE module);
    // The loader handle of a module loaded through Load; null otherwise.
    void* LoaderHandle(HMODULE module) const;
    // The POSIX path of a module loaded through Load.
    std::optional<std::string> PathOf(HMODULE module) const;

private:
    struct Entry {
        void* handle { nullptr };
        std::string path;
        int uses { 0 };
    };

    mutable std::mutex m_mutex;
    std::map<std::uintptr_t, Entry> m_modules;
};

// The load base of the module behind a loader handle.
HMODULE ModuleBaseOf(void* loaderHandle);

} // namespace platform
