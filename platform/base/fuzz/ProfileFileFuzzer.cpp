// Parses arbitrary text as a profile file and works with what it read: no text may crash the parser,
// what is written reads back to the same entries, and changes land where they are read from again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/base/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    platform::ProfileFile file = platform::ProfileFile::parse(text);
    const platform::ProfileFile again = platform::ProfileFile::parse(file.serialize());
    if (again.sectionNames() != file.sectionNames())
        std::abort();
    for (const std::string& section : file.sectionNames()) {
        if (again.entries(section) != file.entries(section))
            std::abort();
        for (const std::string& key : file.keyNames(section))
            if (again.value(section, key) != file.value(section, key))
                std::abort();
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
