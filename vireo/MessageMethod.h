#pragma once
// A command-table entry that calls a member function of an object with the message.

#include "vireo/DispatchMethod.h"

namespace vireo {

template<typename T>
class MessageMethod final : public DispatchMethod {
public:
    using Method = bool (T::*)(Message);

    // Binds the member of the object; the object is not owned and must outlive the entry.
    MessageMethod(T* object, Method method)
        : m_object(object)
        , m_method(method)
    {
    }

    // Calls the bound member with the message; false when nothing is bound.
    bool Invoke(Message message) override
    {
        if (!m_object || !m_method)
            return false;
        return (m_object->*m_method)(std::move(message));
    }

private:
    T* m_object { nullptr };
    Method m_method { nullptr };
};

} // namespace vireo
