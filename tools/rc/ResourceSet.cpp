#include "tools/rc/ResourceSet.h"

namespace rc {

void ResourceSet::Add(Resource resource, const SourceLocation& location)
{
    const Key key { resource.type, resource.name, resource.language };
    const auto [it, inserted] = m_defined.emplace(key, location);
    if (!inserted) {
        throw ScriptError(location,
            "resource " + resource.name.ToString() + " of type " + resource.type.ToString() + " is already defined at "
                + it->second.ToString());
    }
    m_resources.push_back(std::move(resource));
}

void ResourceSet::AddString(
    std::uint16_t language, std::uint16_t id, std::u16string text, const SourceLocation& location)
{
    if (text.size() > 0xFFFF)
        throw ScriptError(location, "string " + std::to_string(id) + " is longer than 65535 characters");
    const auto [it, inserted]
        = m_strings.emplace(std::make_pair(language, id), std::make_pair(std::move(text), location));
    if (!inserted)
        throw ScriptError(
            location, "string " + std::to_string(id) + " is already defined at " + it->second.second.ToString());
}

std::uint16_t ResourceSet::AllocateImageId(const SourceLocation& location)
{
    // Icons and cursors share the counter, so a group's ids name its images whichever type is asked for.
    auto used = [this](std::uint16_t type, std::uint32_t id) {
        const ResourceId typeId { type, {} };
        const ResourceId nameId { static_cast<std::uint16_t>(id), {} };
        const auto it = m_defined.lower_bound(Key { typeId, nameId, 0 });
        return it != m_defined.end() && std::get<0>(it->first) == typeId && std::get<1>(it->first) == nameId;
    };
    while (m_nextImageId <= 0xFFFF && (used(kTypeIcon, m_nextImageId) || used(kTypeCursor, m_nextImageId)))
        ++m_nextImageId;
    if (m_nextImageId > 0xFFFF)
        throw ScriptError(location, "no resource ids are left for the images of icons and cursors");
    return static_cast<std::uint16_t>(m_nextImageId++);
}

std::vector<Resource> ResourceSet::Build() const
{
    std::vector<Resource> out = m_resources;
    // Group the strings by language and block; the map is ordered so each block's ids come together.
    std::map<std::pair<std::uint16_t, std::uint16_t>, std::array<const std::u16string*, 16>> blocks;
    for (const auto& [key, entry] : m_strings) {
        const auto [language, id] = key;
        auto& block = blocks[{ language, static_cast<std::uint16_t>(id / 16) }];
        block[id % 16] = &entry.first;
    }
    for (const auto& [key, strings] : blocks) {
        Resource block;
        block.type.number = kTypeString;
        block.name.number = static_cast<std::uint16_t>(key.second + 1);
        block.language = key.first;
        for (const std::u16string* s : strings) {
            const std::size_t length = s ? s->size() : 0;
            block.data.push_back(static_cast<std::uint8_t>(length & 0xFF));
            block.data.push_back(static_cast<std::uint8_t>(length >> 8));
            if (!s)
                continue;
            for (char16_t unit : *s) {
                block.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
                block.data.push_back(static_cast<std::uint8_t>(unit >> 8));
            }
        }
        out.push_back(std::move(block));
    }
    return out;
}

} // namespace rc
