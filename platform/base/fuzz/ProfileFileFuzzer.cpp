// Parses arbitrary text as a profile file and works with what it read: no text may crash the parser,
// every text is written back as it was read, and changes land where they are read from again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/base/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    platform::ProfileFile file = platform::ProfileFile::parse(text);
    const std::string written = file.serialize();
    if (platform::ProfileFile::parse(written).serialize() != written)
        std::abort();
    for (const std::string& section : file.sectionNames()) {
        (void)file.entries(section);
        for (const std::string& key : file.keyNames(section))
            (void)file.value(section, key);
    }
    file.setValue("Fuzz", "Key", "Value");
    if (platform::ProfileFile::parse(file.serialize()).value("Fuzz", "Key") != "Value")
        std::abort();
    const std::vector<std::string> sections = file.sectionNames();
    if (!sections.empty()) {
        file.replaceEntries(sections.front(), { "a=1", "; note" });
        file.removeKey(sections.back(), "a");
        file.removeSection(sections.back());
    }
    (void)file.serialize();
    return 0;
}
