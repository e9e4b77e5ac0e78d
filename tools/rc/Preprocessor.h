#pragma once
// The preprocessor of resource scripts: #include, #define/#undef (object-like macros),
// #if/#ifdef/#ifndef/#elif/#else/#endif, #error and #pragma once. Headers (.h, .c and the like)
// contribute only their directives, so a C++ header that defines the ids can be shared with the code;
// a header's <...> include that is not in the include folders (the standard library) is passed over.

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tools/rc/Token.h"

namespace rc {

class Preprocessor {
public:
    explicit Preprocessor(std::vector<std::filesystem::path> includeDirs);

    // Defines an object-like macro (the compiler's own names and -D options).
    void Define(const std::string& name, const std::string& body);

    // Reads the script and what it includes; returns the script's tokens with macros expanded.
    // Throws ScriptError at the first fault.
    std::vector<Token> Run(const std::filesystem::path& script);

    // The file a statement names: as given when absolute, else beside the file holding the
    // statement, then in the include folders. Throws ScriptError when there is none.
    std::filesystem::path ResolveFile(const std::string& name, const SourceLocation& from);

    // Every file read so far (script, headers, named files), for the build's dependency list.
    const std::vector<std::filesystem::path>& Dependencies() const { return m_dependencies; }

private:
    struct Macro {
        std::string body;
        bool functionLike { false };
        SourceLocation definedAt;
    };

    struct Conditional {
        bool parentActive { true };
        bool active { true };
        bool taken { false }; // some branch of this #if has been active
        bool sawElse { false };
        SourceLocation opened;
    };

    struct FileState {
        std::filesystem::path path;
        bool directivesOnly { false };
        std::vector<Conditional> conditionals;
    };

    void ProcessFile(const std::filesystem::path& file, const SourceLocation& includedFrom);
    void Directive(std::string_view text, const SourceLocation& location, FileState& state);
    void Include(std::string_view operand, const SourceLocation& location, const FileState& state);
    void DefineFrom(std::string_view operand, const SourceLocation& location);
    bool Condition(std::string_view expression, const SourceLocation& location);
    void Expand(const std::vector<Token>& in, std::vector<Token>& out, std::set<std::string>& hidden, int depth);
    std::shared_ptr<const std::string> FileName(const std::filesystem::path& path);
    void AddDependency(const std::filesystem::path& path);
    static bool IsActive(const FileState& state);

    std::vector<std::filesystem::path> m_includeDirs;
    std::map<std::string, Macro> m_macros;
    std::vector<std::filesystem::path> m_dependencies;
    std::set<std::filesystem::path> m_onceFiles;
    std::map<std::filesystem::path, std::shared_ptr<const std::string>> m_fileNames;
    int m_includeDepth { 0 };
    std::vector<Token> m_output;
};

} // namespace rc
