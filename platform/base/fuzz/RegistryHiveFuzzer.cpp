// Parses arbitrary text as a hive file: no text may crash the parser, and a tree that was read must
// write out as text that reads back to the same tree (otherwise the next write-through would lose it).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/base/RegistryHive.h"
#include "platform/base/RegistryKey.h"
#include "platform/base/WinError.h"

namespace {

constexpr const char* kRoot = "HKEY_CURRENT_USER";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    platform::RegistryKey root { std::string() };
    std::string problem;
    if (platform::RegistryHive::parse(text, kRoot, root, 1, problem) != ERROR_SUCCESS)
        return 0;
    const std::string written = platform::RegistryHive::serialize(root, kRoot);
    platform::RegistryKey again { std::string() };
    if (platform::RegistryHive::parse(written, kRoot, again, 1, problem) != ERROR_SUCCESS)
        std::abort();
    if (platform::RegistryHive::serialize(again, kRoot) != written)
        std::abort();
    return 0;
}
