// Finding processes by broadcast, answering such requests, and recording what was found.

#include "vireo/Process.h"

#include "vireo/vireo_log.h"

namespace vireo {

namespace {

constexpr const char* kDiscover = "Process.discover";
constexpr const char* kDiscovered = "Process.discovered";
constexpr const char* kDiscoverInitKey = "Process.discover.init";
constexpr const char* kLocalhost = "localhost";

std::string UdnFromAttributes(const AttributeValueMap& attributes)
{
    return attributes.GetString("productName") + "-" + attributes.GetString("serialNumber");
}

} // namespace

AttributeValueMap Process::DiscoveryAttributes()
{
    AttributeValueMap attributes = GetMapProperty(kDiscoveryPrefix);
    std::string udn = GetProperty(kUdnKey);
    if (udn.empty()) {
        udn = UdnFromAttributes(attributes);
        SetProperty(kUdnKey, udn);
    }
    attributes.SetString(kUdnKey, udn);
    return attributes;
}

void Process::Discover()
{
    Message request = MakeMessage(RouterKey(""), kDiscover, kNameKey, Name());
    Broadcast(request);
    if (LogEnabled(LogLevel::Notice))
        LogPrint("Discovery initiated.\n");
}

void Process::Announce()
{
    Message announcement = MakeMessage(RouterKey(""), kDiscovered, kNameKey, Name());
    announcement.AddArgs(DiscoveryAttributes());
    announcement.SetAuthority(kLocalhost);
    Broadcast(announcement);
    if (LogEnabled(LogLevel::Notice))
        LogPrint("Announce initiated.\n");
}

void Process::DiscoverAndAnnounce()
{
    Message request = MakeMessage(RouterKey(""), kDiscover, kNameKey, Name());
    request.AddArgs(DiscoveryAttributes());
    request.SetAuthority(kLocalhost);
    Broadcast(request);
    if (LogEnabled(LogLevel::Notice))
        LogPrint("Discovery & Announce initiated.\n");
}

bool Process::OnProcessDiscover(Message message)
{
    const std::string requester = message.GetString(kNameKey);
    const std::string udn = message.GetString(kUdnKey);
    Message reply = MakeMessage(udn.empty() ? requester : "//" + udn + "/" + requester, kDiscovered, kNameKey, Name());
    reply.AddArgs(DiscoveryAttributes());
    SendDatagram(reply.WireText(), m_source);
    if (LogEnabled(LogLevel::Notice))
        LogPrint("Responded to discovery request from %s@%s.\n", requester.c_str(), AddressText(m_source).c_str());
    OnProcessDiscovered(message);
    return true;
}

bool Process::OnProcessDiscovered(Message message)
{
    AttributeValueMap attributes = message.Args();
    std::string host = message.GetString("host");
    ACE_INET_Addr address = m_source;
    if (host.empty()) {
        host = IpText(m_source);
    } else if (address.set(static_cast<u_short>(message.GetInt("port", 0)), host.c_str(), 1, AF_INET) != 0) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s cannot resolve discovered host %s.\n", Name().c_str(), host.c_str());
        address = m_source;
    }
    attributes.SetString("IPaddress", host);
    std::string udn = message.GetString(kUdnKey);
    if (udn.empty())
        udn = UdnFromAttributes(message);
    attributes.SetString(kUdnKey, udn);

    const std::string name = message.GetString(kNameKey);
    if (!name.empty()) {
        const std::string key = "//" + udn + "/" + name;
        m_clients[key] = address;
        RegisterNetEvents(key);
    } else if (LogEnabled(LogLevel::Notice)) {
        LogPrint("Discovered Vireo did not provide enough information to form a return URN.\n");
    }
    VireoURI::SetHost(udn, attributes);
    VireoURI::SetHostOnline(udn, true);
    OnDiscovered(attributes);
    return true;
}

bool Process::OnProcessDiscoverInit(Message)
{
    DiscoverAndAnnounce();
    return true;
}

void Process::OnDiscovered(AttributeValueMap& attributes)
{
    if (LogEnabled(LogLevel::Info)) {
        LogPrint("Discovered Vireo Process:\n%s.\n", attributes.Dump().c_str());
        std::string known;
        for (const auto& [key, address] : m_clients) {
            if (key.starts_with("//"))
                known += (known.empty() ? "" : ",") + key + "@" + IpText(address);
        }
        LogPrint("Vireos discovered so far: %s.\n", known.c_str());
    }
}

void Process::RegisterNetEvents(const std::string& key)
{
    const AttributeValueMap events = GetMapProperty(kNetEventsPrefix);
    for (const auto& [entry, value] : events.EntryMap()) {
        Message request = MakeMessage(key, kEventRegister);
        request.AddArgs(value.ToMap());
        request.SetArg(kEventSender, OwnAddress());
        Send(request);
    }
}

void Process::StartConfiguredDiscovery()
{
    const std::string mode = GetProperty(kDiscoverInitKey);
    if (mode == "announce")
        Announce();
    else if (mode == "discover")
        Discover();
    else if (mode == "discoverAnnounce")
        DiscoverAndAnnounce();
}

} // namespace vireo
