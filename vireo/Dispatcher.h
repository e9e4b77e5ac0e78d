#pragma once
// The message interface of a process, with its two tables: message name -> command method, and
// event type -> event method. The tables own their method objects.

#include <map>
#include <memory>
#include <string>

#include "vireo/DispatchMethod.h"
#include "vireo/Event.h"
#include "vireo/Message.h"
#include "vireo/VireoTime.h"

namespace vireo {

class Dispatcher {
public:
    using MethodTable = std::map<std::string, std::unique_ptr<DispatchMethod>>;

    Dispatcher() = default;
    Dispatcher(const Dispatcher&) = delete;
    Dispatcher& operator=(const Dispatcher&) = delete;
    virtual ~Dispatcher() = default;

    // Sends the message; true when it went out.
    virtual bool Send(Message& message) = 0;
    // Asks the router to forward the source's events of the type to this process.
    virtual void RegisterForEvents(const std::string& source, const std::string& type) = 0;
    // Withdraws such a request.
    virtual void UnregisterForEvents(const std::string& source, const std::string& type) = 0;
    // An event of the type raised by this process.
    virtual Event MakeEvent(const std::string& type) = 0;
    // A message to target with one string argument.
    virtual Message MakeMessage(const std::string& target, const std::string& name, const std::string& key,
        const std::string& value)
        = 0;
    // A message to target.
    virtual Message MakeMessage(const std::string& target, const std::string& name) = 0;
    // A timer request that raises the type at the time.
    virtual Message MakeTimerRequestAt(const std::string& type, const VireoTime& time, const std::string& id) = 0;
    // A timer request that raises the type after the delay.
    virtual Message MakeTimerRequest(const std::string& type, int seconds, int milliseconds, const std::string& id) = 0;
    // A request that cancels the timer with the identifier.
    virtual Message MakeTimerCancel(const std::string& id) = 0;

    // The table's entry for the name, created empty when absent; storing a method object in it
    // replaces (and frees) the previous one.
    static std::unique_ptr<DispatchMethod>& MethodSlot(MethodTable& table, const std::string& name);
    // The command table's entry for the message name.
    std::unique_ptr<DispatchMethod>& MethodSlot(const std::string& name) { return MethodSlot(m_commands, name); }

    // The command table (by message name) and the event table (by event type).
    MethodTable& CommandTable() { return m_commands; }
    const MethodTable& CommandTable() const { return m_commands; }
    MethodTable& EventTable() { return m_events; }
    const MethodTable& EventTable() const { return m_events; }

    // The method stored under the name, or null.
    static DispatchMethod* FindMethod(const MethodTable& table, const std::string& name);

private:
    MethodTable m_commands;
    MethodTable m_events;
};

} // namespace vireo
