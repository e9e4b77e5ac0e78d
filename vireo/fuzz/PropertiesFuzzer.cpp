// Loads arbitrary bytes as a properties file, saves what was read and loads that again: no file may
// crash the loader, and a saved map must load back to the same entries.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "vireo/Properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream file("fuzz.prp", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    vireo::Properties loaded;
    loaded.Load("fuzz.prp");
    (void)loaded.Dump();
    loaded.Save("saved.prp");
    vireo::Properties again;
    again.Load("saved.prp");
    (void)again.Dump();
    vireo::Properties chained;
    chained.LoadChained("fuzz.prp");
    return 0;
}
