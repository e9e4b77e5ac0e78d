// Reads arbitrary bytes as an MP3 file and as a frame header: no file may crash the reader or make it
// read past the bytes it holds.

#include <cstddef>
#include <cstdint>
#include <fstream>

#include "library/Mp3Info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream file("fuzz.mp3", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Mp3Info info;
    ReadMp3Info("fuzz.mp3", info);
    if (size > 0) {
        Mp3Info header;
        header.fileSize = static_cast<LONG>(size);
        ParseMp3FrameHeader(data, size, header);
    }
    return 0;
}
