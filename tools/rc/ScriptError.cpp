#include "tools/rc/ScriptError.h"

#include <iostream>

namespace rc {

void Warn(const SourceLocation& location, const std::string& message)
{
    std::cerr << location.ToString() << ": warning: " << message << '\n';
}

} // namespace rc
