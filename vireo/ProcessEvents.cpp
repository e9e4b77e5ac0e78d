// Event registrations and the passing on of events to the registered processes.

#include "vireo/Process.h"

#include "vireo/vireo_log.h"

namespace vireo {

void Process::AddRegistration(const std::string& source, const std::string& registrant, const std::string& type)
{
    auto& registrations = m_registrations[source];
    if (!registrations)
        registrations = std::make_unique<Registrations>();
    registrations->Register(registrant, type);
    if (LogEnabled(LogLevel::Debug))
        LogPrint("%s registered for %s events from %s.\n", registrant.c_str(), type.c_str(), source.c_str());
}

void Process::RemoveRegistration(const std::string& source, const std::string& registrant, const std::string& type)
{
    const auto it = m_registrations.find(source);
    if (it != m_registrations.end()) {
        it->second->Unregister(registrant, type);
        if (it->second->Empty())
            m_registrations.erase(it);
    }
    if (LogEnabled(LogLevel::Debug))
        LogPrint("%s unregistered for %s events from %s.\n", registrant.c_str(), type.c_str(), source.c_str());
}

bool Process::OnEventRegister(Message message)
{
    AddRegistration(message.GetString(kEventSource), message.GetString(kEventSender), message.GetString(kEventType));
    return true;
}

bool Process::OnEventUnregister(Message message)
{
    RemoveRegistration(message.GetString(kEventSource), message.GetString(kEventSender), message.GetString(kEventType));
    return true;
}

bool Process::OnEventNotify(Message message)
{
    ForwardEvent(message);
    return DispatchEvent(message);
}

int Process::ForwardEvent(Message message)
{
    if (!IsEvent(message))
        return Send(message) ? 1 : 0;
    m_forwardCount = 0;
    const VireoURI sender(message.GetString(kEventSender));
    const std::string type = message.GetString(kEventType);
    const auto it = m_registrations.find(sender.PathValue());
    if (it == m_registrations.end())
        return 0;

    const std::string local = VireoURI::LocalHostName();
    const StringList registrants = it->second->Registrants(type);
    for (const std::string& registrant : registrants) {
        Message forwarded = message.Resolve(registrant);
        const std::string senderKey = sender.TargetName(local);
        if ((sender.IsLocalHost(local) || forwarded.IsLocalHost(local)) && !forwarded.SameTarget(senderKey)) {
            Send(forwarded);
        } else if (LogEnabled(LogLevel::Debug)) {
            LogPrint("Blocking forwarding of event %s from %s.\n", forwarded.Describe().c_str(), senderKey.c_str());
        }
    }
    m_forwardCount = static_cast<int>(registrants.size());
    return m_forwardCount;
}

} // namespace vireo
