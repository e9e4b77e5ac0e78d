#pragma once
// An event-table entry that calls a member function of an object with the message as an Event.

#include "vireo/DispatchMethod.h"
#include "vireo/Event.h"

namespace vireo {

template<typename T>
class EventMethod final : public DispatchMethod {
public:
    using Method = bool (T::*)(Event);

    // Binds the member of the object; the object is not owned and must outlive the entry.
    EventMethod(T* object, Method method)
        : m_object(object)
        , m_method(method)
    {
    }

    // Calls the bound member with an Event made from the message; false when nothing is bound.
    bool Invoke(Message message) override
    {
        if (!m_object || !m_method)
            return false;
        return (m_object->*m_method)(Event(message));
    }

private:
    T* m_object { nullptr };
    Method m_method { nullptr };
};

} // namespace vireo
