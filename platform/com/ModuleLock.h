#pragma once
// Every shared library that serves components counts the objects and locks that keep it loaded.
// The count belongs to that library's own module object: the pointer below and every inline
// function that reaches it are hidden, so each library sees its own and none interposes another's.

#include "platform/base/WinTypes.h"

#define TS_COM_LOCAL __attribute__((visibility("hidden")))

namespace platform {

// What the objects of a library count against.
class ModuleLockCount {
public:
    virtual LONG Lock() = 0;
    virtual LONG Unlock() = 0;

protected:
    ~ModuleLockCount() = default;
};

// The module object of the library this code is compiled into (null in a library without one).
TS_COM_LOCAL inline ModuleLockCount* g_thisLibraryModule = nullptr;

TS_COM_LOCAL inline void LockThisModule()
{
    if (g_thisLibraryModule)
        g_thisLibraryModule->Lock();
}

TS_COM_LOCAL inline void UnlockThisModule()
{
    if (g_thisLibraryModule)
        g_thisLibraryModule->Unlock();
}

} // namespace platform
