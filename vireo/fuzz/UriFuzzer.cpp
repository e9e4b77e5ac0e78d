// Feeds arbitrary bytes to the URI parser and everything that reads its parts: none of it may crash,
// read out of bounds or hang, and the written text of a parsed URI must parse to the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "vireo/Message.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const vireo::Message message { vireo::VireoURI(text) };
    (void)message.Name();
    (void)message.PayloadRef();
    (void)message.HasPayloadFile();
    (void)message.Describe();
    (void)message.TargetName("fuzzhost");
    (void)message.SameTarget(text);

    const std::string written = message.Text();
    vireo::VireoURI again(written);
    // Host, path and anchor are written unquoted, so only the arguments are required to survive.
    if (again.Args().Text(";") != message.Args().Text(";") && message.AnchorValue().find('#') == std::string::npos
        && message.PathValue().find_first_of("#?:/") == std::string::npos
        && message.HostValue().find_first_of("#?:/") == std::string::npos
        && message.Access().Value().find_first_of("#?:/") == std::string::npos)
        std::abort();

    vireo::AttributeValueMap map;
    map.Parse(text);
    (void)map.Dump();
    return 0;
}
