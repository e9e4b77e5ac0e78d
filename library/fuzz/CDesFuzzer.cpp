// Decodes arbitrary tokens as saved passwords (a damaged registry value must not crash the reader),
// and checks that every password read encodes and decodes back to itself.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "library/CDes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const CString password = CDes::Decode(text.c_str());
    if (CDes::Decode(CDes::Encode(password)) != password)
        std::abort();
    const CString token = CDes::Encode(text.c_str());
    if (CDes::Decode(token) != CString(text.c_str()))
        std::abort();
    return 0;
}
