#pragma once
// One resource of a module, as the resource compiler lays it out in the module's read-only data.

#include "platform/base/WinTypes.h"

namespace platform {

struct ResourceEntry {
    const char* typeName; // upper-case type name, or null for a numbered type
    WORD typeId;
    const char* name; // upper-case resource name, or null for a numbered resource
    WORD nameId;
    LANGID language;
    const BYTE* data; // null when the resource is empty
    DWORD size;
};

} // namespace platform
