#pragma once
// Where a token came from, and the error that ends a compilation with that place in its message.

#include <memory>
#include <stdexcept>
#include <string>

namespace rc {

struct SourceLocation {
    std::shared_ptr<const std::string> file;
    int line { 0 };

    // "file:line" (or "file" for a fault of the whole file), the prefix of every diagnostic.
    std::string ToString() const
    {
        const std::string name = file ? *file : std::string("<command line>");
        return line > 0 ? name + ":" + std::to_string(line) : name;
    }
};

// A fault in the script or in a file it names; main() prints it as "file:line: error: message".
class ScriptError : public std::runtime_error {
public:
    ScriptError(SourceLocation location, const std::string& message)
        : std::runtime_error(message)
        , m_location(std::move(location))
    {
    }

    const SourceLocation& Location() const { return m_location; }

private:
    SourceLocation m_location;
};

// Reports a warning as "file:line: warning: message" on stderr.
void Warn(const SourceLocation& location, const std::string& message);

} // namespace rc
