#include "platform/base/Locale.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/base/Resources.h"

namespace {

constexpr unsigned kSubLangDefault = 1;
constexpr LCID kEnglish = 0x409;

// ISO 639-1 codes and the primary language ids they stand for.
struct Language {
    const char* code;
    unsigned primary;
};
constexpr Language kLanguages[] = { { "ar", 0x01 }, { "cs", 0x05 }, { "da", 0x06 }, { "de", 0x07 },
    { "el", 0x08 }, { "en", 0x09 }, { "es", 0x0A }, { "fi", 0x0B }, { "fr", 0x0C }, { "he", 0x0D },
    { "hu", 0x0E }, { "it", 0x10 }, { "ja", 0x11 }, { "ko", 0x12 }, { "nl", 0x13 }, { "nb", 0x14 },
    { "no", 0x14 }, { "pl", 0x15 }, { "pt", 0x16 }, { "ru", 0x19 }, { "sv", 0x1D }, { "tr", 0x1F },
    { "zh", 0x04 } };

const char* localeText()
{
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" })
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return nullptr;
}

} // namespace

LCID GetUserDefaultLCID()
{
    const char* text = localeText();
    if (!text)
        return kEnglish;
    const std::string code(text, std::strcspn(text, "_.@"));
    for (const Language& language : kLanguages)
        if (code == language.code)
            return MAKELANGID(language.primary, kSubLangDefault);
    return kEnglish;
}
