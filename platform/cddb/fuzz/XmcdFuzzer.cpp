// Reads arbitrary bytes as an xmcd disc file: no file in the disc folder may crash the reader.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/cddb/XmcdDisc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto disc = platform::cddb::XmcdDisc::Parse(text, "rock");
    if (disc)
        (void)disc->HasId("7a0b2c09");
    return 0;
}
