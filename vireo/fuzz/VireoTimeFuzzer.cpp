// Feeds arbitrary texts to the time parser and works with whatever it read: normalising, converting
// and adding must not crash or overflow, whatever the fields hold.

#include <cstddef>
#include <cstdint>
#include <string>

#include "vireo/VireoTime.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    vireo::VireoTime time;
    time.Parse(text);
    (void)time.RawText();
    (void)time.ToTimeT();
    (void)time.ToLocalTime().Text();
    (void)time.ToGMT().Text();
    vireo::VireoTime other(text.c_str());
    (void)vireo::VireoTime::Sum(time, other).Text();
    vireo::VireoTime copy = time;
    copy.Add(other);
    copy.Subtract(time);
    (void)copy.Normalize().Text();
    return 0;
}
