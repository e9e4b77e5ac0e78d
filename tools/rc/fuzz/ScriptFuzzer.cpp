// Compiles arbitrary resource scripts: the compiler may reject a script only with an error naming the
// place, never crash, leak or hang on it.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <stdexcept>

#include "tools/rc/CodeWriter.h"
#include "tools/rc/Preprocessor.h"
#include "tools/rc/ResourceSet.h"
#include "tools/rc/ScriptParser.h"
#include "tools/rc/StandardNames.h"
#include "tools/rc/TokenStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream script("fuzz.rc", std::ios::binary | std::ios::trunc);
        script.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        rc::Preprocessor preprocessor({});
        preprocessor.Define("RC_INVOKED", "1");
        for (const auto& [name, body] : rc::StandardNames())
            preprocessor.Define(name, body);
        rc::TokenStream tokens(preprocessor.Run("fuzz.rc"));
        rc::ResourceSet resources;
        rc::ScriptParser(tokens, preprocessor, resources).Run();
        (void)rc::CodeWriter::Write(resources.Build(), "fuzz.rc");
    } catch (const std::exception&) {
        // A rejected script: what main() reports as an error.
    }
    return 0;
}
