// Reads arbitrary bytes as an M3U list: no list may crash the reader or make it hang, and every entry
// it gives is a non-empty path.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "library/PlaylistReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream file("fuzz.m3u", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::FILE* file = std::fopen("fuzz.m3u", "r");
    if (!file)
        return 0;
    PlaylistReader reader(file, "Z:\\lists\\");
    CString path;
    // Each entry takes at least one byte of the list, so there cannot be more entries than bytes.
    std::size_t entries = 0;
    while (reader.Next(path) == PlaylistReader::Result::Entry) {
        if (path.IsEmpty() || ++entries > size)
            std::abort();
    }
    std::fclose(file);
    return 0;
}
