#include "platform/base/Registry.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "platform/base/CaseFold.h"
#include "platform/base/ComputerName.h"
#include "platform/base/HomeFolder.h"
#include "platform/base/RegistryHive.h"
#include "platform/base/WinError.h"

using platform::RegistryHive;
using platform::RegistryKey;
using platform::RegistryValue;

namespace {

enum class Root { ClassesRoot, CurrentUser, LocalMachine, Users, PerformanceData, CurrentConfig, DynData };

constexpr REGSAM kMaximumAllowed = 0x02000000;
constexpr REGSAM kGenericRead = 0x80000000u;
constexpr REGSAM kGenericWrite = 0x40000000u;
constexpr REGSAM kGenericAll = 0x10000000u;
constexpr UINT_PTR kFirstHandle = 0x1000;

std::optional<Root> predefinedRoot(HKEY hKey)
{
    static const std::pair<HKEY, Root> roots[] = {
        { HKEY_CLASSES_ROOT, Root::ClassesRoot },
        { HKEY_CURRENT_USER, Root::CurrentUser },
        { HKEY_LOCAL_MACHINE, Root::LocalMachine },
        { HKEY_USERS, Root::Users },
        { HKEY_PERFORMANCE_DATA, Root::PerformanceData },
        { HKEY_CURRENT_CONFIG, Root::CurrentConfig },
        { HKEY_DYN_DATA, Root::DynData },
    };
    for (const auto& [handle, root] : roots) {
        if (handle == hKey)
            return root;
    }
    return std::nullopt;
}

// One side of a key: the key object and the hive that holds it.
struct Side {
    std::shared_ptr<RegistryHive> hive;
    std::shared_ptr<RegistryKey> key;

    bool alive() const { return key && !key->isDeleted(); }
};

// What a handle refers to. Outside the classes root only primary is used. For the classes root primary
// is the machine's side and overlay the user's; either may be missing, and classesPath (the path below
// Software\Classes) lets a write create the machine's side.
struct KeyView {
    Root root { Root::CurrentUser };
    bool predefined { false };
    REGSAM access { KEY_ALL_ACCESS };
    Side primary;
    Side overlay;
    std::vector<std::string> classesPath;

    bool alive() const { return primary.alive() || overlay.alive(); }
    bool writable() const
    {
        return root != Root::PerformanceData && root != Root::CurrentConfig && root != Root::DynData;
    }
};

class RegistryState {
public:
    std::mutex mutex;

    std::shared_ptr<RegistryHive> hive(Root root)
    {
        const char* file = nullptr;
        const char* rootName = nullptr;
        switch (root) {
        case Root::CurrentUser:
            file = "user.reg";
            rootName = "HKEY_CURRENT_USER";
            break;
        case Root::LocalMachine:
            file = "machine.reg";
            rootName = "HKEY_LOCAL_MACHINE";
            break;
        case Root::Users:
            file = "users.reg";
            rootName = "HKEY_USERS";
            break;
        default:
            return nullptr;
        }
        // Hives are looked up by path on every call, so a process that points TUNESTEWARD_HOME elsewhere
        // gets the hives there; handles keep the hive they were opened in.
        const std::filesystem::path path = platform::HomeFolder() / file;
        auto& slot = m_hives[path];
        if (!slot)
            slot = std::make_shared<RegistryHive>(path, rootName);
        return slot;
    }

    HKEY add(KeyView view)
    {
        const UINT_PTR id = m_nextHandle;
        m_nextHandle += 4;
        m_handles.emplace(id, std::move(view));
        return reinterpret_cast<HKEY>(id);
    }

    const KeyView* find(HKEY hKey) const
    {
        const auto it = m_handles.find(reinterpret_cast<UINT_PTR>(hKey));
        return it == m_handles.end() ? nullptr : &it->second;
    }

    bool remove(HKEY hKey) { return m_handles.erase(reinterpret_cast<UINT_PTR>(hKey)) == 1; }

private:
    std::map<std::filesystem::path, std::shared_ptr<RegistryHive>> m_hives;
    std::map<UINT_PTR, KeyView> m_handles;
    UINT_PTR m_nextHandle { kFirstHandle };
};

// Never destroyed: libraries may close keys from their own static destructors.
RegistryState& state()
{
    static RegistryState* instance = new RegistryState;
    return *instance;
}

std::shared_ptr<RegistryKey> findPath(std::shared_ptr<RegistryKey> key, const std::vector<std::string>& path)
{
    for (const std::string& name : path) {
        if (!key || key->isDeleted())
            return nullptr;
        key = key->findSubkey(name);
    }
    return key && !key->isDeleted() ? key : nullptr;
}

const std::vector<std::string>& classesKeyPath()
{
    static const std::vector<std::string> path { "Software", "Classes" };
    return path;
}

REGSAM effectiveAccess(REGSAM sam)
{
    REGSAM access = sam & KEY_ALL_ACCESS;
    if (sam & (kMaximumAllowed | kGenericAll))
        access |= KEY_ALL_ACCESS;
    if (sam & kGenericRead)
        access |= KEY_READ;
    if (sam & kGenericWrite)
        access |= KEY_WRITE;
    return access;
}

// Splits a subkey path at its backslashes. One trailing backslash is ignored; a leading one or an empty
// name inside the path is ERROR_BAD_PATHNAME.
LONG splitPath(LPCSTR subKey, std::vector<std::string>& parts)
{
    parts.clear();
    if (!subKey)
        return ERROR_SUCCESS;
    std::string_view path(subKey);
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    if (path.empty())
        return ERROR_SUCCESS;
    for (;;) {
        const std::size_t slash = path.find('\\');
        const std::string_view name = path.substr(0, slash);
        if (name.empty())
            return ERROR_BAD_PATHNAME;
        parts.emplace_back(name);
        if (slash == std::string_view::npos)
            return ERROR_SUCCESS;
        path.remove_prefix(slash + 1);
    }
}

// Names the hive file can hold: no line breaks (and, for keys, no backslash, already split off).
bool storableName(std::string_view name) { return name.find_first_of("\r\n") == std::string_view::npos; }

// Re-reads a hive's file when another process changed it; a side without a hive has nothing to read.
LONG refreshHive(RegistryHive* hive) { return hive ? static_cast<LONG>(hive->refresh()) : ERROR_SUCCESS; }

// The view of a predefined root, built on the hives as they are now.
LONG rootView(RegistryState& registry, Root root, KeyView& view)
{
    view = KeyView {};
    view.root = root;
    view.predefined = true;
    view.access = KEY_ALL_ACCESS;
    if (root == Root::ClassesRoot) {
        auto machine = registry.hive(Root::LocalMachine);
        auto user = registry.hive(Root::CurrentUser);
        if (const LONG error = refreshHive(machine.get()); error != ERROR_SUCCESS)
            return error;
        if (const LONG error = refreshHive(user.get()); error != ERROR_SUCCESS)
            return error;
        view.primary = Side { machine, findPath(machine->root(), classesKeyPath()) };
        view.overlay = Side { user, findPath(user->root(), classesKeyPath()) };
        return ERROR_SUCCESS;
    }
    if (auto hive = registry.hive(root)) {
        if (const LONG error = refreshHive(hive.get()); error != ERROR_SUCCESS)
            return error;
        view.primary = Side { hive, hive->root() };
        return ERROR_SUCCESS;
    }
    // The empty roots: one key without anything in it.
    static const auto empty = std::make_shared<RegistryKey>(std::string());
    view.primary = Side { nullptr, empty };
    return ERROR_SUCCESS;
}

// The view behind a handle, with its hives brought up to date. ERROR_INVALID_HANDLE for unknown handles,
// ERROR_KEY_DELETED when the key no longer exists.
LONG viewOf(RegistryState& registry, HKEY hKey, KeyView& view)
{
    if (const auto root = predefinedRoot(hKey))
        return rootView(registry, *root, view);
    const KeyView* open = hKey ? registry.find(hKey) : nullptr;
    if (!open)
        return ERROR_INVALID_HANDLE;
    view = *open;
    if (const LONG error = refreshHive(view.primary.hive.get()); error != ERROR_SUCCESS)
        return error;
    if (const LONG error = refreshHive(view.overlay.hive.get()); error != ERROR_SUCCESS)
        return error;
    return view.alive() ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// The view of a subkey below from; ERROR_FILE_NOT_FOUND when it exists on no side.
LONG descend(const KeyView& from, const std::vector<std::string>& path, KeyView& to)
{
    to = from;
    to.predefined = from.predefined && path.empty();
    to.primary.key = from.primary.alive() ? findPath(from.primary.key, path) : nullptr;
    to.overlay.key = from.overlay.alive() ? findPath(from.overlay.key, path) : nullptr;
    to.classesPath.insert(to.classesPath.end(), path.begin(), path.end());
    return to.alive() ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

// Values as the view shows them: the overlay's first, then the primary's that the overlay lacks.
std::vector<const RegistryValue*> mergedValues(const KeyView& view)
{
    std::vector<const RegistryValue*> values;
    if (view.overlay.alive()) {
        for (const RegistryValue& value : view.overlay.key->values())
            values.push_back(&value);
    }
    if (view.primary.alive()) {
        for (const RegistryValue& value : view.primary.key->values()) {
            if (!view.overlay.alive() || !view.overlay.key->findValue(value.name))
                values.push_back(&value);
        }
    }
    return values;
}

std::vector<const RegistryKey*> mergedSubkeys(const KeyView& view)
{
    std::vector<const RegistryKey*> keys;
    if (view.overlay.alive()) {
        for (const auto& key : view.overlay.key->subkeys())
            keys.push_back(key.get());
    }
    if (view.primary.alive()) {
        for (const auto& key : view.primary.key->subkeys()) {
            if (!view.overlay.alive() || !view.overlay.key->findSubkey(key->name()))
                keys.push_back(key.get());
        }
    }
    return keys;
}

const RegistryValue* findMergedValue(const KeyView& view, std::string_view name)
{
    if (view.overlay.alive()) {
        if (const RegistryValue* value = view.overlay.key->findValue(name))
            return value;
    }
    return view.primary.alive() ? view.primary.key->findValue(name) : nullptr;
}

std::uint64_t lastWrite(const KeyView& view)
{
    std::uint64_t time = 0;
    if (view.primary.alive())
        time = view.primary.key->lastWriteTime();
    if (view.overlay.alive())
        time = std::max(time, view.overlay.key->lastWriteTime());
    return time;
}

void storeFileTime(PFILETIME target, std::uint64_t time)
{
    if (!target)
        return;
    target->dwLowDateTime = static_cast<DWORD>(time);
    target->dwHighDateTime = static_cast<DWORD>(time >> 32);
}

// Copies name with its zero into a buffer of *count characters; *count becomes its length.
LONG copyName(const std::string& name, LPSTR buffer, LPDWORD count)
{
    if (name.size() + 1 > *count)
        return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *count = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// The data protocol shared by the value readers.
LONG copyData(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (type)
        *type = value.type;
    if (!size)
        return ERROR_SUCCESS;
    const auto needed = static_cast<DWORD>(value.data.size());
    if (data) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (needed > 0)
            std::memcpy(data, value.data.data(), needed);
    }
    *size = needed;
    return ERROR_SUCCESS;
}

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Text values always end in their zero (a list in two), whether or not the caller counted it.
std::vector<BYTE> storedData(DWORD type, const BYTE* data, DWORD size)
{
    std::vector<BYTE> bytes(data, data + size);
    if (!isText(type))
        return bytes;
    if (bytes.empty() || bytes.back() != 0)
        bytes.push_back(0);
    if (type == REG_MULTI_SZ && bytes.size() >= 2 && bytes[bytes.size() - 2] != 0)
        bytes.push_back(0);
    return bytes;
}

void touch(RegistryKey& key, std::uint64_t now) { key.setLastWriteTime(now); }

// Runs change on the side a write goes to, in its hive's read-modify-write cycle.
LONG writeThrough(const KeyView& view, const std::function<LONG(RegistryKey& key)>& change)
{
    if (!view.writable())
        return ERROR_ACCESS_DENIED;
    // The classes root's own key may not exist yet on the machine's side.
    const bool makeClasses = view.root == Root::ClassesRoot && view.predefined && !view.alive();
    Side side = view.primary.alive() || makeClasses ? view.primary : view.overlay;
    if (!side.hive)
        return ERROR_ACCESS_DENIED;
    return static_cast<LONG>(side.hive->modify([&](RegistryKey& hiveRoot) -> DWORD {
        std::shared_ptr<RegistryKey> key = side.key;
        if (makeClasses) {
            key = hiveRoot.obtainSubkey("Software")->obtainSubkey("Classes");
        } else if (!key || key->isDeleted()) {
            return ERROR_KEY_DELETED;
        }
        return static_cast<DWORD>(change(*key));
    }));
}

LONG openResult(RegistryState& registry, const KeyView& view, REGSAM sam, PHKEY result)
{
    KeyView opened = view;
    opened.predefined = false;
    opened.access = effectiveAccess(sam);
    *result = registry.add(std::move(opened));
    return ERROR_SUCCESS;
}

LONG requireAccess(const KeyView& view, REGSAM needed)
{
    return (view.access & needed) == needed ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

// The view behind a handle, for a caller that needs the given rights on it.
LONG viewWithAccess(RegistryState& registry, HKEY hKey, REGSAM needed, KeyView& view)
{
    if (const LONG error = viewOf(registry, hKey, view); error != ERROR_SUCCESS)
        return error;
    return requireAccess(view, needed);
}

// The view behind a handle and the subkey path below it; a bad handle is reported before a bad path.
LONG viewAndPath(RegistryState& registry, HKEY hKey, LPCSTR subKey, KeyView& from, std::vector<std::string>& path)
{
    if (const LONG error = viewOf(registry, hKey, from); error != ERROR_SUCCESS)
        return error;
    return splitPath(subKey, path);
}

// Keys have no class: an asked-for class comes back empty, which needs room for its zero.
LONG storeNoClass(LPSTR lpClass, LPDWORD lpcchClass)
{
    if (lpClass) {
        if (*lpcchClass < 1)
            return ERROR_MORE_DATA;
        lpClass[0] = '\0';
    }
    if (lpcchClass)
        *lpcchClass = 0;
    return ERROR_SUCCESS;
}

// Creates path below the classes root: the machine's side unless the key exists only under the user's.
LONG createClassesKey(RegistryState& registry, const KeyView& from, const std::vector<std::string>& path,
    KeyView& created, DWORD& disposition)
{
    auto machine = registry.hive(Root::LocalMachine);
    auto user = registry.hive(Root::CurrentUser);
    std::vector<std::string> full = from.classesPath;
    full.insert(full.end(), path.begin(), path.end());
    std::vector<std::string> machinePath = classesKeyPath();
    machinePath.insert(machinePath.end(), full.begin(), full.end());

    created = from;
    created.predefined = false;
    created.classesPath = full;
    created.primary = Side { machine, findPath(machine->root(), machinePath) };
    created.overlay = Side { user, findPath(user->root(), machinePath) };
    if (created.alive()) {
        disposition = REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    }
    const LONG error = static_cast<LONG>(machine->modify([&](RegistryKey& hiveRoot) -> DWORD {
        std::shared_ptr<RegistryKey> key = hiveRoot.obtainSubkey("Software")->obtainSubkey("Classes");
        const std::uint64_t now = platform::FileTimeNow();
        for (const std::string& name : full) {
            if (!key->findSubkey(name))
                touch(*key, now);
            key = key->obtainSubkey(name);
        }
        created.primary.key = key;
        return ERROR_SUCCESS;
    }));
    disposition = REG_CREATED_NEW_KEY;
    return error;
}

LONG createKey(RegistryState& registry, const KeyView& from, const std::vector<std::string>& path, KeyView& created,
    DWORD& disposition)
{
    if (descend(from, path, created) == ERROR_SUCCESS) {
        disposition = REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    }
    if (!from.writable())
        return ERROR_ACCESS_DENIED;
    if (from.root == Root::ClassesRoot)
        return createClassesKey(registry, from, path, created, disposition);

    created = from;
    created.predefined = false;
    bool made = false;
    const LONG error = writeThrough(from, [&](RegistryKey& parent) -> LONG {
        RegistryKey* key = &parent;
        std::shared_ptr<RegistryKey> last;
        const std::uint64_t now = platform::FileTimeNow();
        for (const std::string& name : path) {
            if (!key->findSubkey(name)) {
                touch(*key, now);
                made = true;
            }
            last = key->obtainSubkey(name);
            key = last.get();
        }
        created.primary.key = last;
        return ERROR_SUCCESS;
    });
    if (error != ERROR_SUCCESS)
        return error;
    disposition = made ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

// Deletes the key of view (which must have no subkeys) on every side where it exists.
LONG deleteKey(const KeyView& target)
{
    if (!target.writable())
        return ERROR_ACCESS_DENIED;
    if (!mergedSubkeys(target).empty())
        return ERROR_ACCESS_DENIED;
    for (const Side* side : { &target.overlay, &target.primary }) {
        if (!side->alive())
            continue;
        if (!side->key->parent())
            return ERROR_ACCESS_DENIED; // a root is never deleted
        const LONG error = static_cast<LONG>(side->hive->modify([&](RegistryKey&) -> DWORD {
            RegistryKey* parent = side->key->parent();
            if (side->key->isDeleted() || !parent)
                return ERROR_SUCCESS; // someone else was quicker
            if (!side->key->subkeys().empty())
                return ERROR_ACCESS_DENIED;
            parent->removeSubkey(*side->key);
            touch(*parent, platform::FileTimeNow());
            return ERROR_SUCCESS;
        }));
        if (error != ERROR_SUCCESS)
            return error;
    }
    return ERROR_SUCCESS;
}

bool isLocalComputer(LPCSTR machine)
{
    if (!machine)
        return true;
    std::string_view name(machine);
    while (!name.empty() && name.front() == '\\')
        name.remove_prefix(1);
    if (name.empty() || name == "." || platform::EqualsNoCase(name, "localhost"))
        return true;
    if (platform::EqualsNoCase(name, platform::LocalComputerName()))
        return true;
    char host[256] = {};
    return ::gethostname(host, sizeof host - 1) == 0 && platform::EqualsNoCase(name, host);
}

} // namespace

LONG RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    (void)ulOptions;
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView from;
    std::vector<std::string> path;
    if (const LONG error = viewAndPath(registry, hKey, lpSubKey, from, path); error != ERROR_SUCCESS)
        return error;
    if (path.empty() && from.predefined) {
        *phkResult = hKey; // a root is always there, even while its hive holds nothing
        return ERROR_SUCCESS;
    }
    KeyView target;
    if (const LONG error = descend(from, path, target); error != ERROR_SUCCESS)
        return error;
    return openResult(registry, target, samDesired, phkResult);
}

LONG RegOpenKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    if (lpSubKey && *lpSubKey)
        return RegOpenKeyEx(hKey, lpSubKey, 0, kMaximumAllowed, phkResult);
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView view;
    if (const LONG error = viewOf(registry, hKey, view); error != ERROR_SUCCESS)
        return error;
    *phkResult = hKey;
    return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPCSTR lpClass, DWORD dwOptions, REGSAM samDesired,
    const SECURITY_ATTRIBUTES* lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    (void)Reserved;
    (void)lpClass;
    (void)dwOptions;
    (void)lpSecurityAttributes;
    if (!phkResult || !lpSubKey)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::vector<std::string> path;
    if (const LONG error = splitPath(lpSubKey, path); error != ERROR_SUCCESS)
        return error;
    if (!std::all_of(path.begin(), path.end(), [](const std::string& name) { return storableName(name); }))
        return ERROR_INVALID_PARAMETER;

    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView from;
    if (const LONG error = viewOf(registry, hKey, from); error != ERROR_SUCCESS)
        return error;
    if (path.empty() && from.predefined) {
        if (lpdwDisposition)
            *lpdwDisposition = REG_OPENED_EXISTING_KEY;
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    KeyView created;
    DWORD disposition = 0;
    if (const LONG error = createKey(registry, from, path, created, disposition); error != ERROR_SUCCESS)
        return error;
    if (lpdwDisposition)
        *lpdwDisposition = disposition;
    return openResult(registry, created, samDesired, phkResult);
}

LONG RegCreateKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    if (lpSubKey && *lpSubKey)
        return RegCreateKeyEx(
            hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, phkResult, nullptr);
    return RegOpenKey(hKey, nullptr, phkResult);
}

LONG RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpReserved || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView view;
    if (const LONG error = viewWithAccess(registry, hKey, KEY_QUERY_VALUE, view); error != ERROR_SUCCESS)
        return error;
    const RegistryValue* value = findMergedValue(view, lpValueName ? lpValueName : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    return copyData(*value, lpType, lpData, lpcbData);
}

LONG RegQueryValue(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData)
{
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView from;
    std::vector<std::string> path;
    if (const LONG error = viewAndPath(registry, hKey, lpSubKey, from, path); error != ERROR_SUCCESS)
        return error;
    KeyView view;
    if (const LONG error = descend(from, path, view); error != ERROR_SUCCESS)
        return error;
    RegistryValue text { std::string(), REG_SZ, { 0 } };
    if (const RegistryValue* value = findMergedValue(view, "")) {
        if (!isText(value->type))
            return ERROR_INVALID_DATA;
        text.data = value->data;
    }
    DWORD size = lpcbData ? static_cast<DWORD>(std::max<LONG>(*lpcbData, 0)) : 0;
    const LONG error = copyData(text, nullptr, reinterpret_cast<LPBYTE>(lpData), lpcbData ? &size : nullptr);
    if (lpcbData)
        *lpcbData = static_cast<LONG>(size);
    return error;
}

LONG RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    (void)Reserved;
    if ((!lpData && cbData > 0) || (lpValueName && !storableName(lpValueName)))
        return ERROR_INVALID_PARAMETER;
    const std::string name = lpValueName ? lpValueName : "";
    std::vector<BYTE> data = storedData(dwType, lpData, lpData ? cbData : 0);

    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView view;
    if (const LONG error = viewWithAccess(registry, hKey, KEY_SET_VALUE, view); error != ERROR_SUCCESS)
        return error;
    return writeThrough(view, [&](RegistryKey& key) -> LONG {
        key.setValue(name, dwType, data);
        touch(key, platform::FileTimeNow());
        return ERROR_SUCCESS;
    });
}

LONG RegSetValue(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD cbData)
{
    (void)cbData; // the text's own length counts, as the original does
    if (dwType != REG_SZ || !lpData)
        return ERROR_INVALID_PARAMETER;
    HKEY key = nullptr;
    const bool sub = lpSubKey && *lpSubKey;
    if (sub) {
        if (const LONG error = RegCreateKeyEx(
                hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr);
            error != ERROR_SUCCESS)
            return error;
    }
    const LONG error = RegSetValueEx(sub ? key : hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpData),
        static_cast<DWORD>(std::strlen(lpData) + 1));
    if (sub)
        RegCloseKey(key);
    return error;
}

LONG RegDeleteValue(HKEY hKey, LPCSTR lpValueName)
{
    const std::string name = lpValueName ? lpValueName : "";
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView view;
    if (const LONG error = viewWithAccess(registry, hKey, KEY_SET_VALUE, view); error != ERROR_SUCCESS)
        return error;
    if (!findMergedValue(view, name))
        return ERROR_FILE_NOT_FOUND;
    for (const Side* side : { &view.overlay, &view.primary }) {
        if (!side->alive() || !side->key->findValue(name))
            continue;
        const LONG error = static_cast<LONG>(side->hive->modify([&](RegistryKey&) -> DWORD {
            if (side->key->isDeleted())
                return ERROR_KEY_DELETED;
            if (side->key->removeValue(name))
                touch(*side->key, platform::FileTimeNow());
            return ERROR_SUCCESS;
        }));
        if (error != ERROR_SUCCESS)
            return error;
    }
    return ERROR_SUCCESS;
}

LONG RegDeleteKey(HKEY hKey, LPCSTR lpSubKey)
{
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView from;
    std::vector<std::string> path;
    if (const LONG error = viewAndPath(registry, hKey, lpSubKey, from, path); error != ERROR_SUCCESS)
        return error;
    if (path.empty() && from.predefined)
        return ERROR_ACCESS_DENIED;
    KeyView target;
    if (const LONG error = descend(from, path, target); error != ERROR_SUCCESS)
        return error;
    return deleteKey(target);
}

LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass,
    LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    if (!lpName || !lpcchName || lpReserved || (lpClass && !lpcchClass))
        return ERROR_INVALID_PARAMETER;
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView view;
    if (const LONG error = viewWithAccess(registry, hKey, KEY_ENUMERATE_SUB_KEYS, view); error != ERROR_SUCCESS)
        return error;
    const auto keys = mergedSubkeys(view);
    if (dwIndex >= keys.size())
        return ERROR_NO_MORE_ITEMS;
    const RegistryKey& key = *keys[dwIndex];
    if (const LONG error = copyName(key.name(), lpName, lpcchName); error != ERROR_SUCCESS)
        return error;
    if (const LONG error = storeNoClass(lpClass, lpcchClass); error != ERROR_SUCCESS)
        return error;
    storeFileTime(lpftLastWriteTime, key.lastWriteTime());
    return ERROR_SUCCESS;
}

LONG RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName)
{
    DWORD count = cchName;
    return RegEnumKeyEx(hKey, dwIndex, lpName, &count, nullptr, nullptr, nullptr, nullptr);
}

LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
    LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView view;
    if (const LONG error = viewWithAccess(registry, hKey, KEY_QUERY_VALUE, view); error != ERROR_SUCCESS)
        return error;
    const auto values = mergedValues(view);
    if (dwIndex >= values.size())
        return ERROR_NO_MORE_ITEMS;
    const RegistryValue& value = *values[dwIndex];
    if (const LONG error = copyName(value.name, lpValueName, lpcchValueName); error != ERROR_SUCCESS)
        return error;
    return copyData(value, lpType, lpData, lpcbData);
}

LONG RegQueryInfoKey(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
    LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen,
    LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime)
{
    if (lpReserved || (lpClass && !lpcchClass))
        return ERROR_INVALID_PARAMETER;
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView view;
    if (const LONG error = viewWithAccess(registry, hKey, KEY_QUERY_VALUE, view); error != ERROR_SUCCESS)
        return error;
    if (const LONG error = storeNoClass(lpClass, lpcchClass); error != ERROR_SUCCESS)
        return error;

    const auto keys = mergedSubkeys(view);
    const auto values = mergedValues(view);
    std::size_t longestKey = 0;
    for (const RegistryKey* key : keys)
        longestKey = std::max(longestKey, key->name().size());
    std::size_t longestName = 0;
    std::size_t longestData = 0;
    for (const RegistryValue* value : values) {
        longestName = std::max(longestName, value->name.size());
        longestData = std::max(longestData, value->data.size());
    }
    if (lpcSubKeys)
        *lpcSubKeys = static_cast<DWORD>(keys.size());
    if (lpcbMaxSubKeyLen)
        *lpcbMaxSubKeyLen = static_cast<DWORD>(longestKey);
    if (lpcbMaxClassLen)
        *lpcbMaxClassLen = 0;
    if (lpcValues)
        *lpcValues = static_cast<DWORD>(values.size());
    if (lpcbMaxValueNameLen)
        *lpcbMaxValueNameLen = static_cast<DWORD>(longestName);
    if (lpcbMaxValueLen)
        *lpcbMaxValueLen = static_cast<DWORD>(longestData);
    if (lpcbSecurityDescriptor)
        *lpcbSecurityDescriptor = 0;
    storeFileTime(lpftLastWriteTime, lastWrite(view));
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey)
{
    if (predefinedRoot(hKey))
        return ERROR_SUCCESS;
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    return registry.remove(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegFlushKey(HKEY hKey)
{
    RegistryState& registry = state();
    const std::lock_guard guard(registry.mutex);
    KeyView view;
    return viewOf(registry, hKey, view);
}

LONG RegConnectRegistry(LPCSTR lpMachineName, HKEY hKey, PHKEY phkResult)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    const auto root = predefinedRoot(hKey);
    if (!root || *root == Root::ClassesRoot || *root == Root::CurrentUser)
        return ERROR_INVALID_HANDLE;
    if (!isLocalComputer(lpMachineName))
        return ERROR_BAD_NETPATH;
    *phkResult = hKey;
    return ERROR_SUCCESS;
}

LONG RegLoadKey(HKEY, LPCSTR, LPCSTR) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG RegUnLoadKey(HKEY, LPCSTR) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG RegSaveKey(HKEY, LPCSTR, const SECURITY_ATTRIBUTES*) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG RegRestoreKey(HKEY, LPCSTR, DWORD) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG RegReplaceKey(HKEY, LPCSTR, LPCSTR, LPCSTR) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG RegNotifyChangeKeyValue(HKEY, BOOL, DWORD, HANDLE, BOOL) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG RegGetKeySecurity(HKEY, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, LPDWORD) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG RegSetKeySecurity(HKEY, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR) { return ERROR_CALL_NOT_IMPLEMENTED; }
