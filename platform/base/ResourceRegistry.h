#pragma once
// The process-wide map from module load bases to the resource tables registered for them.

#include <map>
#include <memory>
#include <optional>
#include <shared_mutex>
#include <span>
#include <string_view>
#include <vector>

#include "platform/base/ResourceTable.h"

namespace platform {

class ResourceRegistry {
public:
    // The one registry; it lives until the process ends, so registrars may run in any order at exit.
    static ResourceRegistry& Instance();

    // Adds a table for `module`; a module may hold several (one per script compiled into it).
    void Add(HMODULE module, std::span<const ResourceEntry> entries);
    // Drops the table whose first entry is `first`.
    void Remove(const ResourceEntry* first);

    // Looks through the module's tables in the order they were added; the error says what was missing
    // (ERROR_RESOURCE_DATA_NOT_FOUND for a module without resources).
    ResourceTable::FindResult Find(
        HMODULE module, const ResourceKey& type, const ResourceKey& name, std::optional<LANGID> language) const;
    // The entry a resource handle stands for, from any module; null when it is none.
    const ResourceEntry* EntryOf(const void* handle) const;
    // The text of string `id` of the module (see ResourceTable::String).
    std::optional<std::string_view> String(HMODULE module, UINT id) const;

private:
    mutable std::shared_mutex m_lock;
    std::map<HMODULE, std::vector<std::unique_ptr<ResourceTable>>> m_tables;
};

} // namespace platform
