#pragma once
// One key of a registry hive in memory: its values and subkeys, each in the order they were created.
// Names compare without regard to case and keep the spelling they were first given.
//
// Open handles refer to RegistryKey objects, so a key keeps its identity for as long as it exists:
// when the hive is re-read from disk the surviving keys take the new contents in place, and keys that
// are gone are marked deleted, which makes every later use of a handle to them fail.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

// A named, typed value of a key; data holds exactly the bytes stored.
struct RegistryValue {
    std::string name;
    DWORD type { 0 };
    std::vector<BYTE> data;
};

class RegistryKey {
public:
    explicit RegistryKey(std::string name)
        : m_name(std::move(name))
    {
    }

    // The key's name (its first spelling); empty for the root of a hive.
    const std::string& name() const { return m_name; }
    // True once the key was deleted (by this process or, seen on re-reading, by another).
    bool isDeleted() const { return m_deleted; }
    // When the key or one of its values last changed, in 100 ns units since 1601 (FILETIME).
    std::uint64_t lastWriteTime() const { return m_lastWrite; }
    void setLastWriteTime(std::uint64_t time) { m_lastWrite = time; }
    // The key above this one; null for the root of a hive and for a deleted key.
    RegistryKey* parent() const { return m_parent; }

    const std::vector<RegistryValue>& values() const { return m_values; }
    // The value of that name, or null; the empty name is the key's default value.
    const RegistryValue* findValue(std::string_view name) const;
    // Stores a value, replacing the data and type of an existing one of the same name.
    void setValue(std::string_view name, DWORD type, std::vector<BYTE> data);
    // Removes the value; false when there is none of that name.
    bool removeValue(std::string_view name);

    const std::vector<std::shared_ptr<RegistryKey>>& subkeys() const { return m_subkeys; }
    // The live subkey of that name, or null.
    std::shared_ptr<RegistryKey> findSubkey(std::string_view name) const;
    // The subkey of that name, created at the end of the list when missing.
    std::shared_ptr<RegistryKey> obtainSubkey(std::string_view name);
    // Unlinks the subkey and marks it and everything below it deleted; false when it is not a child.
    bool removeSubkey(const RegistryKey& key);

    // Takes the values and subkeys of fresh (a re-read of the same key) while keeping the identity of
    // every subkey that still exists; subkeys that fresh lacks are marked deleted.
    void adopt(RegistryKey& fresh);

private:
    void markDeleted();

    std::string m_name;
    // Not owning: a parent outlives its linked children, and unlinking a child clears this.
    RegistryKey* m_parent { nullptr };
    bool m_deleted { false };
    std::uint64_t m_lastWrite { 0 };
    std::vector<RegistryValue> m_values;
    std::vector<std::shared_ptr<RegistryKey>> m_subkeys;
};

} // namespace platform
