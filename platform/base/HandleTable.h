#pragma once
// The process's kernel handles: threads, events and mutexes share one table. A handle holds a share of
// its object, so an object lives while any handle (or, for a thread, the running thread itself) holds it.

#include <map>
#include <memory>
#include <mutex>

#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"

// Closes a kernel handle; FALSE with ERROR_INVALID_HANDLE when it is not an open kernel handle.
BOOL CloseHandle(HANDLE hObject);

namespace platform {

class HandleTable {
public:
    // The process's table.
    static HandleTable& Instance();

    // Gives the object a new handle; handle values are never reused, so a stale handle fails cleanly.
    HANDLE Add(std::shared_ptr<KernelObject> object);
    // The object behind a handle (the current thread's pseudo-handle included), or null.
    std::shared_ptr<KernelObject> Find(HANDLE handle) const;
    // The object behind a handle if it has type T, or null.
    template<typename T>
    std::shared_ptr<T> FindAs(HANDLE handle) const
    {
        return std::dynamic_pointer_cast<T>(Find(handle));
    }
    // Drops a handle; false when it was not open.
    bool Close(HANDLE handle);

private:
    HandleTable() = default;

    mutable std::mutex m_mutex;
    std::map<UINT_PTR, std::shared_ptr<KernelObject>> m_objects;
    UINT_PTR m_next { 0x10000 };
};

} // namespace platform
