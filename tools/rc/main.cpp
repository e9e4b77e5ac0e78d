// tsrc: compiles a resource script into a C++ source for the module it belongs to.
//
//   tsrc [-I dir]... [-D name[=value]]... -o out.cpp [-d out.d] script.rc
//
// Exit status 0 on success, 1 when the script has an error (printed as "file:line: error: ..."),
// 2 on a bad command line. The output is only replaced when the compilation succeeds.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/rc/CodeWriter.h"
#include "tools/rc/Preprocessor.h"
#include "tools/rc/ResourceSet.h"
#include "tools/rc/ScriptParser.h"
#include "tools/rc/StandardNames.h"

namespace {

struct Options {
    std::vector<std::filesystem::path> includeDirs;
    std::vector<std::pair<std::string, std::string>> defines;
    std::filesystem::path output;
    std::filesystem::path depfile;
    std::filesystem::path script;
};

// Names a script may use without including anything: the compiler's own marker and the usual
// language ids for LANGUAGE statements.
constexpr std::pair<const char*, const char*> kBuiltInMacros[] = {
    { "RC_INVOKED", "1" },
    { "LANG_NEUTRAL", "0x00" },
    { "LANG_INVARIANT", "0x7f" },
    { "LANG_ENGLISH", "0x09" },
    { "LANG_GERMAN", "0x07" },
    { "LANG_FRENCH", "0x0c" },
    { "LANG_SPANISH", "0x0a" },
    { "LANG_ITALIAN", "0x10" },
    { "LANG_DUTCH", "0x13" },
    { "LANG_JAPANESE", "0x11" },
    { "SUBLANG_NEUTRAL", "0x00" },
    { "SUBLANG_DEFAULT", "0x01" },
    { "SUBLANG_SYS_DEFAULT", "0x02" },
    { "SUBLANG_ENGLISH_US", "0x01" },
    { "SUBLANG_ENGLISH_UK", "0x02" },
    { "SUBLANG_GERMAN", "0x01" },
    { "SUBLANG_FRENCH", "0x01" },
};

int Usage(const std::string& problem)
{
    std::cerr << "tsrc: " << problem << "\n"
              << "usage: tsrc [-I dir]... [-D name[=value]]... -o out.cpp [-d out.d] script.rc\n";
    return 2;
}

// Writes through a temporary file and a rename, so an interrupted run never leaves half a file.
void WriteFileAtomically(const std::filesystem::path& path, const std::string& content)
{
    const std::filesystem::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << content;
        out.close();
        if (!out)
            throw std::runtime_error("cannot write '" + temporary.string() + "'");
    }
    std::filesystem::rename(temporary, path);
}

std::string EscapeForDepfile(const std::filesystem::path& path)
{
    std::string out;
    for (char c : path.string()) {
        if (c == ' ' || c == '#')
            out.push_back('\\');
        if (c == '$')
            out.push_back('$');
        out.push_back(c);
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* flag) -> std::string {
            if (arg.size() > 2)
                return arg.substr(2);
            if (i + 1 >= argc)
                throw std::invalid_argument(std::string(flag) + " needs a value");
            return argv[++i];
        };
        try {
            if (arg.rfind("-I", 0) == 0) {
                options.includeDirs.emplace_back(value("-I"));
            } else if (arg.rfind("-D", 0) == 0) {
                const std::string define = value("-D");
                const auto eq = define.find('=');
                options.defines.emplace_back(
                    define.substr(0, eq), eq == std::string::npos ? "1" : define.substr(eq + 1));
            } else if (arg.rfind("-o", 0) == 0) {
                options.output = value("-o");
            } else if (arg.rfind("-d", 0) == 0) {
                options.depfile = value("-d");
            } else if (!arg.empty() && arg[0] == '-') {
                return Usage("unknown option '" + arg + "'");
            } else if (options.script.empty()) {
                options.script = arg;
            } else {
                return Usage("more than one script given");
            }
        } catch (const std::invalid_argument& e) {
            return Usage(e.what());
        }
    }
    if (options.script.empty() || options.output.empty())
        return Usage("a script and an output file are needed");

    try {
        rc::Preprocessor preprocessor(options.includeDirs);
        for (const auto& [name, body] : kBuiltInMacros)
            preprocessor.Define(name, body);
        for (const auto& [name, body] : rc::StandardNames())
            preprocessor.Define(name, body);
        for (const auto& [name, body] : options.defines)
            preprocessor.Define(name, body);

        rc::TokenStream tokens(preprocessor.Run(options.script));
        rc::ResourceSet resources;
        rc::ScriptParser(tokens, preprocessor, resources).Run();
        WriteFileAtomically(
            options.output, rc::CodeWriter::Write(resources.Build(), options.script.filename().string()));

        if (!options.depfile.empty()) {
            std::string deps = EscapeForDepfile(std::filesystem::absolute(options.output)) + ":";
            for (const auto& dep : preprocessor.Dependencies())
                deps += " \\\n  " + EscapeForDepfile(dep);
            WriteFileAtomically(options.depfile, deps + "\n");
        }
    } catch (const rc::ScriptError& e) {
        std::cerr << e.Location().ToString() << ": error: " << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "tsrc: error: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
