// Decodes arbitrary tokens as saved passwords (a damaged registry value must not crash the reader) and
// encodes arbitrary passwords. The token format is fixed by the tokens users already have: a byte that
// its shift turns into zero ends the password early, so a round trip is not required of every text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "library/CDes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const CString password = CDes::Decode(text.c_str());
    (void)CDes::Encode(password);
    (void)CDes::Decode(CDes::Encode(text.c_str()));
    return 0;
}
