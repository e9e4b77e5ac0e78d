#pragma once
// Writes the C++ source that carries a module's resources: one read-only array per resource, the
// module's table of entries, and the registrar that hands the table to the platform on load.

#include <string>
#include <vector>

#include "tools/rc/ResourceSet.h"

namespace rc {

class CodeWriter {
public:
    // The whole generated source; `scriptName` only goes into its opening comment.
    static std::string Write(const std::vector<Resource>& resources, const std::string& scriptName);
};

} // namespace rc
