#include "platform/base/HandleTable.h"

#include "platform/base/Thread.h"
#include "platform/base/WinError.h"

namespace platform {

HandleTable& HandleTable::Instance()
{
    // Never destroyed: detached threads may still use handles while the process exits.
    static HandleTable* table = new HandleTable;
    return *table;
}

HANDLE HandleTable::Add(std::shared_ptr<KernelObject> object)
{
    std::lock_guard lock(m_mutex);
    const UINT_PTR value = m_next;
    // Steps of four keep the low bits clear, as callers that tag handles expect.
    m_next += 4;
    m_objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> HandleTable::Find(HANDLE handle) const
{
    if (handle == GetCurrentThread())
        return Thread::Current();
    std::lock_guard lock(m_mutex);
    auto it = m_objects.find(reinterpret_cast<UINT_PTR>(handle));
    return it == m_objects.end() ? nullptr : it->second;
}

bool HandleTable::Close(HANDLE handle)
{
    std::shared_ptr<KernelObject> released;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_objects.find(reinterpret_cast<UINT_PTR>(handle));
        if (it == m_objects.end())
            return false;
        released = std::move(it->second);
        m_objects.erase(it);
    }
    // The object may go away here, outside the table's lock.
    return true;
}

} // namespace platform

BOOL CloseHandle(HANDLE hObject)
{
    if (hObject == GetCurrentThread())
        return TRUE;
    if (!platform::HandleTable::Instance().Close(hObject)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
