#pragma once
// A message named "Event.notify" that carries the raising process ("sender") and the event type
// ("type"); events reach the processes that registered for their type.

#include <string>

#include "vireo/Message.h"

namespace vireo {

inline constexpr const char* kEventSender = "sender";
inline constexpr const char* kEventSource = "source";
inline constexpr const char* kEventType = "type";
inline constexpr const char* kEventRegister = "Event.register";
inline constexpr const char* kEventUnregister = "Event.unregister";
inline constexpr const char* kEventNotify = "Event.notify";

class Event : public Message {
public:
    Event() = default;
    // An "Event.notify" message to target with the sender and type arguments.
    Event(const std::string& target, const std::string& sender, const std::string& type);
    // The message's parts and arguments; the name is not checked.
    explicit Event(const Message& message);

    // The "sender" argument, empty when absent.
    std::string Sender() const;
    // The "type" argument, empty when absent.
    std::string Type() const;
};

// True when the message's name is exactly "Event.notify".
bool IsEvent(const Message& message);

} // namespace vireo
