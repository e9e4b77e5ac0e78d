#include "platform/base/ResourceRegistry.h"

#include <algorithm>
#include <mutex>

#include "platform/base/WinError.h"

namespace platform {

ResourceRegistry& ResourceRegistry::Instance()
{
    // Never destroyed: registrars of the executable and of libraries still loaded run their
    // destructors at exit, in an order the registry cannot know.
    static auto* registry = new ResourceRegistry;
    return *registry;
}

void ResourceRegistry::Add(HMODULE module, std::span<const ResourceEntry> entries)
{
    std::unique_lock lock(m_lock);
    m_tables[module].push_back(std::make_unique<ResourceTable>(entries));
}

void ResourceRegistry::Remove(const ResourceEntry* first)
{
    std::unique_lock lock(m_lock);
    for (auto it = m_tables.begin(); it != m_tables.end(); ++it) {
        auto& tables = it->second;
        const auto found
            = std::find_if(tables.begin(), tables.end(), [first](const auto& t) { return t->First() == first; });
        if (found == tables.end())
            continue;
        tables.erase(found);
        if (tables.empty())
            m_tables.erase(it);
        return;
    }
}

ResourceTable::FindResult ResourceRegistry::Find(
    HMODULE module, const ResourceKey& type, const ResourceKey& name, std::optional<LANGID> language) const
{
    std::shared_lock lock(m_lock);
    const auto it = m_tables.find(module);
    if (it == m_tables.end())
        return { nullptr, ERROR_RESOURCE_DATA_NOT_FOUND };
    // Of the tables' failures, report the most specific: a missing language over a missing name over a missing type.
    DWORD error = ERROR_RESOURCE_TYPE_NOT_FOUND;
    for (const auto& table : it->second) {
        const auto result = table->Find(type, name, language);
        if (result.entry)
            return result;
        error = std::max(error, result.error);
    }
    return { nullptr, error };
}

const ResourceEntry* ResourceRegistry::EntryOf(const void* handle) const
{
    std::shared_lock lock(m_lock);
    for (const auto& [module, tables] : m_tables) {
        for (const auto& table : tables) {
            if (table->Contains(handle))
                return static_cast<const ResourceEntry*>(handle);
        }
    }
    return nullptr;
}

std::optional<std::string_view> ResourceRegistry::String(HMODULE module, UINT id) const
{
    std::shared_lock lock(m_lock);
    const auto it = m_tables.find(module);
    if (it == m_tables.end())
        return std::nullopt;
    for (const auto& table : it->second) {
        if (auto text = table->String(id))
            return text;
    }
    return std::nullopt;
}

} // namespace platform
