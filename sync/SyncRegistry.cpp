// The component's registry values (the per-device step counter) and the parsing of key paths.

#include <array>
#include <cstring>

#include "platform/base/CaseFold.h"
#include "sync/ComponentUtilities.h"

namespace {

// The program's settings key in the user's hive; per-device keys are "<maker>\<device>" below it.
constexpr char kSettingsKey[] = "Software\\Corvane\\Tune Steward\\";
// What a value read holds at most.
constexpr DWORD kValueBufferSize = 256;

struct RootName {
    const char* name;
    HKEY key;
};

const std::array<RootName, 7>& RootNames()
{
    static const std::array<RootName, 7> names { {
        { "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT },
        { "HKEY_CURRENT_USER", HKEY_CURRENT_USER },
        { "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE },
        { "HKEY_USERS", HKEY_USERS },
        { "HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA },
        { "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG },
        { "HKEY_DYN_DATA", HKEY_DYN_DATA },
    } };
    return names;
}

// The root and path of the key that holds a sync value; false when rootPath cannot be split.
bool SyncValueKey(const std::string& subKey, const char* rootPath, HKEY& root, std::string& path)
{
    if (!rootPath) {
        root = HKEY_CURRENT_USER;
        path = std::string(kSettingsKey) + subKey + "\\";
        return true;
    }
    if (!SplitKeyPath(rootPath, root, path))
        return false;
    path += subKey + "\\";
    return true;
}

// Closes a key when it leaves scope.
class KeyHolder {
public:
    ~KeyHolder()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    HKEY* Address() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key { nullptr };
};

} // namespace

HKEY ParseRootKey(std::string_view name)
{
    for (const RootName& root : RootNames()) {
        if (platform::EqualsNoCase(root.name, name))
            return root.key;
    }
    return nullptr;
}

bool SplitKeyPath(std::string_view path, HKEY& root, std::string& subPath)
{
    const std::size_t slash = path.find('\\');
    if (slash == std::string_view::npos)
        return false;
    const HKEY key = ParseRootKey(path.substr(0, slash));
    if (!key)
        return false;
    root = key;
    subPath = std::string(path.substr(slash + 1));
    return true;
}

std::string ReadSyncRegistryValue(const std::string& valueName, const std::string& subKey, const char* rootPath)
{
    HKEY root = nullptr;
    std::string path;
    if (!SyncValueKey(subKey, rootPath, root, path))
        return {};
    KeyHolder key;
    if (RegOpenKeyEx(root, path.c_str(), 0, KEY_READ, key.Address()) != ERROR_SUCCESS)
        return {};
    char buffer[kValueBufferSize] {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueEx(key.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size)
        != ERROR_SUCCESS)
        return {};
    // A stored text carries its zero; a value without one is taken as far as it goes.
    return std::string(buffer, strnlen(buffer, size));
}

bool WriteSyncRegistryValue(const std::string& value, const std::string& valueName, const std::string& subKey, const char* rootPath)
{
    HKEY root = nullptr;
    std::string path;
    if (!SyncValueKey(subKey, rootPath, root, path))
        return false;
    KeyHolder key;
    DWORD disposition = 0;
    if (RegCreateKeyEx(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.Address(),
            &disposition)
        != ERROR_SUCCESS)
        return false;
    RegSetValueEx(key.Get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
        static_cast<DWORD>(value.size() + 1));
    return true;
}
