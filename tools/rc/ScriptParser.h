#pragma once
// The statements of a resource script. Each resource type keyword has a handler; a type name
// without one is a custom type whose data come from a file or a raw data block.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/rc/Preprocessor.h"
#include "tools/rc/ResourceSet.h"
#include "tools/rc/TokenStream.h"

namespace rc {

class ScriptParser {
public:
    ScriptParser(TokenStream& tokens, Preprocessor& files, ResourceSet& resources);

    // Reads every statement into the resource set; throws ScriptError at the first fault.
    void Run();

private:
    // A handler reads what follows "name KEYWORD" up to the end of its statement.
    using Handler = std::function<void(const ResourceId& name, const SourceLocation& where)>;

    void Statement();
    void StringTable(const SourceLocation& where);
    void RawData(const ResourceId& type, const ResourceId& name, const SourceLocation& where);
    void Bitmap(const ResourceId& name, const SourceLocation& where);
    void IconGroup(const ResourceId& name, const SourceLocation& where, bool cursor);
    // A statement whose body `compile` turns into the data of a resource of the given type.
    void CompiledBlock(std::uint16_t type, const ResourceId& name, const SourceLocation& where,
        const std::function<std::vector<std::uint8_t>()>& compile);
    void SkipFileStatement(const std::string& keyword, const ResourceId& name, const SourceLocation& where);

    ResourceId Name(std::string_view what);
    std::uint16_t Number16(std::string_view what);
    std::int64_t Evaluate(bool* isLong = nullptr);
    std::uint16_t LanguagePair();
    void MemoryFlags();
    void OptionalStatements(std::uint16_t& language);
    std::vector<std::uint8_t> ReadDataFile(const Token& fileName);
    const Token& FileName(const ResourceId& name);

    TokenStream& m_tokens;
    Preprocessor& m_files;
    ResourceSet& m_resources;
    std::map<std::string, Handler> m_handlers; // keyed by the upper-case keyword
    std::uint16_t m_language { 0 }; // neutral until a LANGUAGE statement says otherwise
};

} // namespace rc
