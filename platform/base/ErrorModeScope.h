#pragma once
// Sets the process error mode for the length of a scope and restores the caller's mode afterwards.

#include "platform/base/Modules.h"

namespace platform {

class ErrorModeScope {
public:
    // Sets 'mode' (SEM_FAILCRITICALERRORS by default) until the scope ends.
    explicit ErrorModeScope(UINT mode = SEM_FAILCRITICALERRORS)
        : m_previous(SetErrorMode(mode))
    {
    }
    ErrorModeScope(const ErrorModeScope&) = delete;
    ErrorModeScope& operator=(const ErrorModeScope&) = delete;
    ~ErrorModeScope() { SetErrorMode(m_previous); }

private:
    UINT m_previous;
};

} // namespace platform
