#pragma once
// The resources of one module (or of one script compiled into it), looked up by type, name and language.

#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/ResourceEntry.h"
#include "platform/base/WinTypes.h"

namespace platform {

// A type or name as the resource functions take it: a MAKEINTRESOURCE id, "#123", or a text.
struct ResourceKey {
    WORD id { 0 };
    std::string_view name; // empty for a numbered key

    // The key a type or name argument stands for; nothing for a null pointer or an empty text.
    static std::optional<ResourceKey> From(LPCSTR typeOrName);
    // True when the entry's type or name (`text`, or `number` when `text` is null) is this key.
    bool Matches(const char* text, WORD number) const;
};

class ResourceTable {
public:
    struct FindResult {
        const ResourceEntry* entry { nullptr };
        DWORD error { 0 }; // ERROR_RESOURCE_TYPE/NAME/LANG_NOT_FOUND when entry is null
    };

    explicit ResourceTable(std::span<const ResourceEntry> entries);

    // The entry of that type and name. Without a language, a neutral one is preferred, else the first
    // listed; with one, the exact language, any sublanguage when its sublanguage is neutral, and the
    // default choice for LANG_NEUTRAL itself.
    FindResult Find(const ResourceKey& type, const ResourceKey& name, std::optional<LANGID> language) const;
    // True when `entry` is one of this table's entries.
    bool Contains(const void* entry) const;
    const ResourceEntry* First() const { return m_entries.data(); }

    // The UTF-8 text of string `id`; nothing when the string is missing or empty. The text is
    // converted once and stays valid, zero-terminated, as long as the table exists.
    std::optional<std::string_view> String(UINT id) const;

private:
    std::span<const ResourceEntry> m_entries;
    mutable std::mutex m_stringsLock;
    mutable std::map<UINT, std::string> m_strings;
};

} // namespace platform
