#include "platform/gdi/GdiObject.h"

namespace platform::gdi {

HandleTable& HandleTable::instance()
{
    static HandleTable table;
    return table;
}

void* HandleTable::add(std::shared_ptr<GdiObject> object)
{
    if (!object)
        return nullptr;
    std::lock_guard lock(m_mutex);
    // Steps of 4 keep handles looking like aligned pointers; the counter never wraps in practice.
    const std::uintptr_t key = m_next;
    m_next += 4;
    m_objects.emplace(key, std::move(object));
    return reinterpret_cast<void*>(key);
}

std::shared_ptr<GdiObject> HandleTable::find(const void* handle) const
{
    if (!handle)
        return nullptr;
    std::lock_guard lock(m_mutex);
    const auto it = m_objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == m_objects.end() ? nullptr : it->second;
}

bool HandleTable::remove(const void* handle)
{
    std::shared_ptr<GdiObject> doomed;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_objects.find(reinterpret_cast<std::uintptr_t>(handle));
        if (it == m_objects.end())
            return false;
        doomed = std::move(it->second);
        m_objects.erase(it);
    }
    return true;
}

} // namespace platform::gdi
