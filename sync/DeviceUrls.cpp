// Reading the device references that the library keeps.

#include "platform/base/CodePage.h"
#include "sync/ComponentUtilities.h"
#include "sync/SyncRunState.h"

namespace {

// Removes the first occurrence of prefix; false when there is none.
bool EraseFirst(std::string& text, std::string_view prefix)
{
    const std::size_t at = text.find(prefix);
    if (at == std::string::npos)
        return false;
    text.erase(at, prefix.size());
    return true;
}

} // namespace

std::string ToLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string StripLocalPrefix(std::string_view text)
{
    std::string stripped(text);
    if (!EraseFirst(stripped, "file://localhost/"))
        EraseFirst(stripped, "vqp://localhost/");
    return stripped;
}

std::string StripLocalPrefix(std::u16string_view text) { return StripLocalPrefix(platform::Utf16ToUtf8(text)); }

bool IsThisDeviceUrl(std::string_view url)
{
    std::string host = ToLower(url);
    EraseFirst(host, "file://");
    EraseFirst(host, "vqp://");
    host = host.substr(0, host.find('/'));
    return host == "localhost" || host == ToLower(SyncRunState::UniqueDeviceName());
}

bool IsThisDeviceUrl(std::u16string_view url) { return IsThisDeviceUrl(platform::Utf16ToUtf8(url)); }
