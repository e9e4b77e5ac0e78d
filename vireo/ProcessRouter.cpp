// The router's side of identity and forwarding, and the client side's answers.

#include "vireo/Process.h"

#include "vireo/vireo_log.h"

namespace vireo {

Message Process::MakeIdentityMessage() { return MakeMessage(RouterName(), "Process.identity", kNameKey, Name()); }

std::string Process::RouterKey(const std::string& host) const
{
    std::string key = RouterName();
    if (key.empty())
        key = Name();
    if (!host.empty())
        key = "//" + host + "/" + key;
    return key;
}

int Process::Reconnect(const std::string& host, int port, const std::string& name)
{
    if (!RouterName().empty()) {
        Message goodbye = MakeMessage(RouterName(), "Process.disconnect", kNameKey, Name());
        Send(goodbye);
    }
    SetProperty(kRouterHostKey, host);
    SetIntProperty(kRouterPortKey, port);
    SetProperty(kRouterNameKey, name);
    return Init();
}

bool Process::OnProcessIdentity(Message message)
{
    const std::string client = message.GetString(kNameKey);
    // A peer that claims no name or this process's own name would take over the route to this
    // process itself.
    if (client.empty() || client == Name()) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s ignores an identity naming %s from %s.\n", Name().c_str(),
                client.empty() ? "nobody" : client.c_str(), AddressText(m_source).c_str());
        return true;
    }
    auto [entry, added] = m_clients.try_emplace(client);
    if (added || entry->second != m_source) {
        entry->second = m_source;
        if (LogEnabled(LogLevel::Debug))
            LogPrint("%s's full client map:\n%s", Name().c_str(), ClientMapText().c_str());
        AddRegistration(Name(), client, "Process.autoready");
    }
    const std::string udn = OwnUdn();
    Message properties = MakeMessage(client, kPropertiesSet, kUdnKey, udn);
    Send(properties);

    Message connected = MakeMessage(client, "Process.connected");
    connected.SetArg(kRouterNameKey, Name());
    connected.SetArg(kUdnKey, udn);
    if (message.GetBool(kDiscoveryPrefix, false))
        connected.AddArgs(DiscoveryAttributes());
    Send(connected);
    return true;
}

bool Process::OnProcessConnected(Message)
{
    Message ready = MakeReadyMessage(true);
    Send(ready);
    return true;
}

bool Process::OnProcessDisconnect(Message message)
{
    const std::string client = message.GetString(kNameKey);
    m_clients.erase(client);
    if (LogEnabled(LogLevel::Notice))
        LogPrint("%s disconnects %s.\n", Name().c_str(), client.c_str());
    return true;
}

bool Process::OnProcessReconnect(Message message)
{
    const std::string name = message.GetString(kRouterNameKey, GetProperty(kRouterNameKey));
    const std::string host = message.GetString(kRouterHostKey, GetProperty(kRouterHostKey));
    const int port = message.GetInt(kRouterPortKey, GetIntProperty(kRouterPortKey, 0));
    Reconnect(host, port, name);
    return true;
}

bool Process::OnProcessForward(Message message)
{
    Message forwarded { message.GetURI("message") };
    Send(forwarded);
    return true;
}

} // namespace vireo
