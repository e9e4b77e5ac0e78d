// Feeds arbitrary message texts to a running process, as if each had arrived from the network: the
// parse, the routing decision and whichever command handler the text names. None may crash, leak or
// touch a file outside the process's own folder.

#include <cstddef>
#include <cstdint>
#include <string>

#include "vireo/fuzz/support/FuzzProcess.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // One process per input, so that no input depends on what an earlier one left behind.
    const auto process = vireo::fuzz::MakeFuzzProcess();
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Several messages per input, one a line, so that sequences (register, then notify) are reached.
    std::size_t start = 0;
    while (start <= input.size()) {
        const std::size_t end = input.find('\n', start);
        const std::string text = input.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string named = text;
        // Most texts aimed at this process name it as their path.
        if (!text.empty() && text[0] == '>')
            named = "vireo://localhost/Fuzz?" + text.substr(1);
        process->HandleText(named);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    process->HandleEvents(ACE_Time_Value(0, 0));
    return 0;
}
