#include "platform/base/ResourceTable.h"

#include <charconv>
#include <cstdint>

#include "platform/base/CaseFold.h"
#include "platform/base/WinError.h"

namespace platform {

namespace {

constexpr WORD kStringType = 6;
constexpr LANGID kNeutral = 0;

LANGID PrimaryLanguage(LANGID language) { return static_cast<LANGID>(language & 0x3FF); }
LANGID SubLanguage(LANGID language) { return static_cast<LANGID>(language >> 10); }

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// UTF-16 units stored little-endian, as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(const BYTE* units, std::size_t count)
{
    auto unit = [units](std::size_t i) { return static_cast<std::uint32_t>(units[2 * i] | (units[2 * i + 1] << 8)); };
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

} // namespace

std::optional<ResourceKey> ResourceKey::From(LPCSTR typeOrName)
{
    if (!typeOrName)
        return std::nullopt;
    if (IS_INTRESOURCE(typeOrName))
        return ResourceKey { static_cast<WORD>(reinterpret_cast<UINT_PTR>(typeOrName)), {} };
    const std::string_view text(typeOrName);
    if (text.empty())
        return std::nullopt;
    // "#101" is the text form of id 101.
    if (text.size() > 1 && text[0] == '#') {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + text.size(), value);
        if (ec == std::errc() && end == text.data() + text.size() && value <= 0xFFFF)
            return ResourceKey { static_cast<WORD>(value), {} };
    }
    return ResourceKey { 0, text };
}

bool ResourceKey::Matches(const char* text, WORD number) const
{
    if (name.empty())
        return !text && number == id;
    return text && EqualsNoCase(name, text);
}

ResourceTable::ResourceTable(std::span<const ResourceEntry> entries)
    : m_entries(entries)
{
}

ResourceTable::FindResult ResourceTable::Find(
    const ResourceKey& type, const ResourceKey& name, std::optional<LANGID> language) const
{
    bool typeSeen = false;
    const ResourceEntry* first = nullptr;
    const ResourceEntry* neutral = nullptr;
    const ResourceEntry* samePrimary = nullptr;
    for (const ResourceEntry& e : m_entries) {
        if (!type.Matches(e.typeName, e.typeId))
            continue;
        typeSeen = true;
        if (!name.Matches(e.name, e.nameId))
            continue;
        if (language && e.language == *language)
            return { &e, 0 };
        if (!first)
            first = &e;
        if (!neutral && e.language == kNeutral)
            neutral = &e;
        if (!samePrimary && language && PrimaryLanguage(e.language) == PrimaryLanguage(*language))
            samePrimary = &e;
    }
    if (!first)
        return { nullptr, typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND };
    if (!language || *language == kNeutral)
        return { neutral ? neutral : first, 0 };
    if (SubLanguage(*language) == 0 && samePrimary)
        return { samePrimary, 0 };
    return { nullptr, ERROR_RESOURCE_LANG_NOT_FOUND };
}

bool ResourceTable::Contains(const void* entry) const
{
    const auto p = reinterpret_cast<std::uintptr_t>(entry);
    const auto begin = reinterpret_cast<std::uintptr_t>(m_entries.data());
    const auto end = begin + m_entries.size_bytes();
    return p >= begin && p < end && (p - begin) % sizeof(ResourceEntry) == 0;
}

std::optional<std::string_view> ResourceTable::String(UINT id) const
{
    if (id > 0xFFFF)
        return std::nullopt;
    std::lock_guard lock(m_stringsLock);
    if (const auto cached = m_strings.find(id); cached != m_strings.end())
        return std::string_view(cached->second);

    const FindResult block
        = Find(ResourceKey { kStringType, {} }, ResourceKey { static_cast<WORD>(id / 16 + 1), {} }, std::nullopt);
    if (!block.entry || !block.entry->data)
        return std::nullopt;
    // Sixteen strings, each a 16-bit length and that many UTF-16 units; a block cut short ends the walk.
    const BYTE* p = block.entry->data;
    std::size_t left = block.entry->size;
    for (UINT index = 0;; ++index) {
        if (left < 2)
            return std::nullopt;
        const std::size_t length = p[0] | (p[1] << 8);
        p += 2;
        left -= 2;
        if (length * 2 > left)
            return std::nullopt;
        if (index == id % 16) {
            if (length == 0)
                return std::nullopt;
            const auto& text = m_strings.emplace(id, Utf16LeToUtf8(p, length)).first->second;
            return std::string_view(text);
        }
        p += length * 2;
        left -= length * 2;
    }
}

} // namespace platform
