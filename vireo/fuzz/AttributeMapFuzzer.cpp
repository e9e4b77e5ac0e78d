// Feeds arbitrary bytes to the attribute map parser and reads every entry back in each of its forms:
// none may crash, read out of bounds or hang.

#include <cstddef>
#include <cstdint>
#include <string>

#include "vireo/AttributeValueMap.h"
#include "vireo/VireoURI.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    vireo::AttributeValueMap map;
    map.Parse(text);
    (void)map.Dump();
    (void)map.Text(";");
    for (const auto& [key, value] : map.EntryMap()) {
        (void)map.GetInt(key);
        (void)map.GetBool(key);
        (void)map.GetList(key);
        (void)map.GetMap(key).Dump();
        (void)map.GetURI(key).Text();
    }
    vireo::AttributeValueMap lines;
    lines.SetLine(text);
    (void)lines.Dump();
    return 0;
}
