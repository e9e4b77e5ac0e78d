// Feeds arbitrary bytes to the fragment header parser, and cuts them into pieces and joins them
// again: no input may crash or read out of bounds, and the pieces must rebuild the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "vireo/Fragment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const vireo::Fragment parsed(text);
    (void)parsed.Index();
    (void)parsed.Count();
    (void)parsed.MessageID();
    (void)parsed.Dump();

    const std::uint32_t limit = size > 0 ? 65 + data[0] % 200 : 100;
    std::string remaining = text;
    std::string joined;
    vireo::Fragment cutter;
    while (!remaining.empty()) {
        cutter.Next(remaining, "Fuzz-1", limit);
        const vireo::Fragment received(cutter.Text());
        if (received.Index() != cutter.Index() || received.Count() != cutter.Count())
            std::abort();
        joined += received.Body();
    }
    if (joined != text)
        std::abort();
    return 0;
}
