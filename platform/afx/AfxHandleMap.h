#pragma once
// The tables that tie system handles (windows, device contexts, drawing objects, menus) to the class
// library's objects, one set per thread as the handles' users are. A permanent entry belongs to an
// object that owns or wraps its handle for its whole life; a temporary one is made by FromHandle for a
// handle nobody wrapped, and lives until the thread is idle (AfxUnlockTempMaps) - so a pointer from
// FromHandle is only good until then. Temporary objects never destroy the handle they wrap.

#include <functional>
#include <memory>
#include <unordered_map>

#include "platform/base/WinTypes.h"

namespace afx {

template<typename Object, typename Handle> class HandleMap {
public:
    // Makes the temporary object for a handle; it must not own the handle.
    using Factory = std::function<std::unique_ptr<Object>(Handle)>;
    // Lets go of a temporary object's handle before the object is deleted.
    using Detacher = std::function<void(Object&)>;

    HandleMap(Factory factory, Detacher detacher)
        : m_factory(std::move(factory))
        , m_detacher(std::move(detacher))
    {
    }
    ~HandleMap() { DeleteTemp(); }
    HandleMap(const HandleMap&) = delete;
    HandleMap& operator=(const HandleMap&) = delete;

    // The permanent or temporary object of the handle, a new temporary one when there is neither.
    Object* FromHandle(Handle handle)
    {
        if (!handle)
            return nullptr;
        if (Object* object = LookupPermanent(handle))
            return object;
        if (Object* object = LookupTemporary(handle))
            return object;
        auto made = m_factory(handle);
        Object* object = made.get();
        m_temporary.emplace(handle, std::move(made));
        return object;
    }
    Object* LookupPermanent(Handle handle) const
    {
        auto found = m_permanent.find(handle);
        return found == m_permanent.end() ? nullptr : found->second;
    }
    Object* LookupTemporary(Handle handle) const
    {
        auto found = m_temporary.find(handle);
        return found == m_temporary.end() ? nullptr : found->second.get();
    }
    void SetPermanent(Handle handle, Object* object) { m_permanent[handle] = object; }
    // Forgets the handle's permanent entry, if it is object's (another object may have taken it since).
    void RemoveHandle(Handle handle, const Object* object)
    {
        auto found = m_permanent.find(handle);
        if (found != m_permanent.end() && found->second == object)
            m_permanent.erase(found);
    }
    // Deletes every temporary object, letting go of its handle first.
    void DeleteTemp()
    {
        auto temporary = std::move(m_temporary);
        m_temporary.clear();
        for (auto& [handle, object] : temporary)
            m_detacher(*object);
    }

private:
    Factory m_factory;
    Detacher m_detacher;
    std::unordered_map<Handle, Object*> m_permanent;
    std::unordered_map<Handle, std::unique_ptr<Object>> m_temporary;
};

} // namespace afx

// Keeps temporary objects alive across idle time until the matching AfxUnlockTempMaps (for code that
// holds FromHandle pointers through a nested message loop).
void AfxLockTempMaps();
// Undoes one AfxLockTempMaps; when no lock is left and bDeleteTemps is set, the calling thread's
// temporary objects are deleted. TRUE when they were.
BOOL AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
