#include "vireo/Event.h"

namespace vireo {

Event::Event(const std::string& target, const std::string& sender, const std::string& type)
    : Message(target, kEventNotify, kEventSender, sender)
{
    SetArg(kEventType, type);
}

Event::Event(const Message& message)
    : Message(message)
{
}

std::string Event::Sender() const { return GetString(kEventSender); }

std::string Event::Type() const { return GetString(kEventType); }

bool IsEvent(const Message& message) { return message.Name() == kEventNotify; }

} // namespace vireo
