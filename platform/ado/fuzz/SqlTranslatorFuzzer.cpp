// Translates arbitrary statements from the engine's dialect: no text may crash the translator or make
// it hang, and a translation names no more parameters than it binds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ado/JetSqlTranslator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view jet(reinterpret_cast<const char*>(data), size);
    platform::ado::TranslatedSql out;
    std::string error;
    platform::ado::TranslateJetSql(jet, out, error);
    (void)platform::ado::JetParamTypeFromName(jet);
    (void)platform::ado::QuoteNativeName(jet);
    return 0;
}
