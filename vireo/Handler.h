#pragma once
// A named part of a process that registers its own member functions in the process's command and
// event tables and sends through the process. The process itself is one; others share its tables.

#include <memory>
#include <string>

#include "vireo/Dispatcher.h"
#include "vireo/EventMethod.h"
#include "vireo/MessageMethod.h"

namespace vireo {

class Handler {
public:
    // The name (used in log lines) and the dispatcher whose tables it uses; the dispatcher is not owned.
    Handler(std::string name, Dispatcher* dispatcher);
    Handler(const Handler&) = delete;
    Handler& operator=(const Handler&) = delete;
    virtual ~Handler() = default;

    // Stores a method of the object under the message name; a name registered again is replaced.
    template<typename T>
    void RegisterCommand(const std::string& name, T* object, typename MessageMethod<T>::Method method)
    {
        if (m_dispatcher)
            Dispatcher::MethodSlot(m_dispatcher->CommandTable(), name) = std::make_unique<MessageMethod<T>>(object, method);
    }

    // Stores a method of the object under the event type; a type registered again is replaced.
    template<typename T>
    void RegisterEvent(const std::string& type, T* object, typename EventMethod<T>::Method method)
    {
        if (m_dispatcher)
            Dispatcher::MethodSlot(m_dispatcher->EventTable(), type) = std::make_unique<EventMethod<T>>(object, method);
    }

    // Sends through the dispatcher; false without one.
    bool Send(Message& message);
    // Calls the command method registered under the message's name; false when there is none or it
    // fails.
    bool Dispatch(const Message& message);
    // Calls the event method registered under the event's type; false when there is none or it fails.
    bool DispatchEvent(const Message& message);

    // The name and the dispatcher given at construction.
    const std::string& HandlerName() const { return m_name; }
    Dispatcher* HandlerDispatcher() const { return m_dispatcher; }

private:
    std::string m_name;
    Dispatcher* m_dispatcher { nullptr };
};

} // namespace vireo
