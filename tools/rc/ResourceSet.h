#pragma once
// The resources a script defines, in the binary formats the platform's resource functions read.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "tools/rc/ScriptError.h"

namespace rc {

// Standard numbered resource types.
constexpr std::uint16_t kTypeCursor = 1;
constexpr std::uint16_t kTypeBitmap = 2;
constexpr std::uint16_t kTypeIcon = 3;
constexpr std::uint16_t kTypeString = 6;
constexpr std::uint16_t kTypeRcData = 10;
constexpr std::uint16_t kTypeGroupCursor = 12;
constexpr std::uint16_t kTypeGroupIcon = 14;

// A numbered or named type or resource. Names are kept in upper case, as resource names compare
// without regard to case.
struct ResourceId {
    std::uint16_t number { 0 };
    std::string name; // empty for a numbered id

    bool IsNamed() const { return !name.empty(); }
    std::string ToString() const { return IsNamed() ? name : std::to_string(number); }
    auto operator<=>(const ResourceId&) const = default;
};

struct Resource {
    ResourceId type;
    ResourceId name;
    std::uint16_t language { 0 };
    std::vector<std::uint8_t> data;
};

class ResourceSet {
public:
    // Adds a resource; throws ScriptError when the same type, name and language already exist.
    void Add(Resource resource, const SourceLocation& location);
    // Adds one string-table entry; throws ScriptError when the id is already defined for that language.
    void AddString(std::uint16_t language, std::uint16_t id, std::u16string text, const SourceLocation& location);
    // An id for the next image of an icon or cursor file: one that no RT_ICON or RT_CURSOR resource of
    // any language uses yet, counting up through the module. Throws ScriptError when the ids run out.
    std::uint16_t AllocateImageId(const SourceLocation& location);

    // Every resource, with the string tables packed into blocks of 16 strings: block n (numbered
    // n + 1) holds the ids 16n to 16n+15, each a 16-bit length and that many UTF-16 units, little-endian.
    std::vector<Resource> Build() const;

private:
    using Key = std::tuple<ResourceId, ResourceId, std::uint16_t>;

    std::vector<Resource> m_resources;
    std::map<Key, SourceLocation> m_defined;
    std::uint32_t m_nextImageId { 1 };
    std::map<std::pair<std::uint16_t, std::uint16_t>, std::pair<std::u16string, SourceLocation>> m_strings;
};

} // namespace rc
