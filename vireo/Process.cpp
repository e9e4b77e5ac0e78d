#include "vireo/Process.h"

#include <ace/Guard_T.h>
#include <ace/Reactor.h>
#include <ace/SOCK_Dgram.h>

#include <fstream>

#include "vireo/VFTPChannel.h"
#include "vireo/vireo_log.h"

namespace vireo {

namespace {

constexpr const char* kURIscriptKey = "URIscript";
constexpr const char* kProcessURIscriptKey = "Process.URIscript";
constexpr const char* kProfilerSpecKey = "Profiler.spec";

} // namespace

Process::Process(int argc, const char* const* argv)
    : ACE_Event_Handler(nullptr, 0)
    , Handler(argc > 0 && argv && argv[0] ? argv[0] : "", this)
    , m_profiler(argc > 0 && argv && argv[0] ? argv[0] : "", this)
{
    LoadProperties(argc, argv);
    m_profiler.SetRemotePathCheck([this](const std::string& path) { return AllowsTransferPath(path); });
    m_profiler.LoadRules(GetProperty(kProfilerSpecKey), true);
    FillCommandTable();
}

Process::~Process()
{
    if (m_reactor) {
        m_reactor->remove_handler(this, ACE_Event_Handler::READ_MASK | ACE_Event_Handler::DONT_CALL);
        m_reactor->end_reactor_event_loop();
        m_reactor.reset();
    }
    if (m_socket)
        m_socket->close();
    m_socket.reset();
    // Transfers still open end here: their channels close the local files.
    m_transfers.clear();
}

void Process::LoadProperties(int argc, const char* const* argv)
{
    m_properties.Clear();
    std::string name = ProgramNameFromPath(argc > 0 && argv && argv[0] ? argv[0] : "");
    if (name.empty())
        name = kDefaultProcessName;
    SetProperty(kNameKey, name);
    {
        ACE_Guard<ACE_Recursive_Thread_Mutex> lock(m_propertyMutex);
        m_properties.LoadArguments(argc, argv);
    }
    if (VireoURI::LocalHostName().empty())
        VireoURI::SetLocalHostName(OwnUdn());
    const std::string host = VireoURI::LocalHostName();
    if (!VireoURI::HasHost(host)) {
        VireoURI::SetHost(host, DiscoveryAttributes());
        VireoURI::SetHostOnline(host, true);
    }
    for (const char* key : { kProcessURIscriptKey, kURIscriptKey }) {
        if (HasProperty(key)) {
            if (LogEnabled(LogLevel::Notice))
                LogPrint("Loading URI script: %s\n", key);
            loadURIs(GetProperty(key));
            break;
        }
    }
}

void Process::FillCommandTable()
{
    RegisterCommand("Process.identity", this, &Process::OnProcessIdentity);
    RegisterCommand("Process.reconnect", this, &Process::OnProcessReconnect);
    RegisterCommand("Process.disconnect", this, &Process::OnProcessDisconnect);
    RegisterCommand("Process.ready", this, &Process::OnProcessReady);
    RegisterCommand("Process.terminate", this, &Process::OnProcessTerminate);
    RegisterCommand("Process.connected", this, &Process::OnProcessConnected);
    RegisterCommand("Process.reserve.request", this, &Process::OnReserveRequest);
    RegisterCommand("Process.reserve.complete", this, &Process::OnReserveComplete);
    RegisterEvent("Process.autoready", this, &Process::OnProcessAutoready);
    RegisterCommand(kEventRegister, this, &Process::OnEventRegister);
    RegisterCommand(kEventUnregister, this, &Process::OnEventUnregister);
    RegisterCommand(kEventNotify, this, &Process::OnEventNotify);
    RegisterCommand(kPropertiesChain, this, &Process::OnPropertiesChain);
    RegisterCommand(kPropertiesInit, this, &Process::OnPropertiesInit);
    RegisterCommand(kPropertiesSet, this, &Process::OnPropertiesSet);
    RegisterCommand(kPropertiesGet, this, &Process::OnPropertiesGet);
    RegisterCommand("Process.status", this, &Process::OnProcessStatus);
    RegisterCommand("Debug.change", this, &Process::OnDebugChange);
    RegisterCommand("Process.help", this, &Process::OnProcessHelp);
    RegisterCommand("Log.change", this, &Process::OnLogChange);
    RegisterCommand("Process.forward", this, &Process::OnProcessForward);
    RegisterCommand("Process.discover", this, &Process::OnProcessDiscover);
    RegisterCommand("Process.discovered", this, &Process::OnProcessDiscovered);
    RegisterCommand("Process.discover.init", this, &Process::OnProcessDiscoverInit);
    RegisterCommand("Ping.start", this, &Process::OnPingStart);
    RegisterCommand("Ping.stop", this, &Process::OnPingStop);
    RegisterCommand("Ping.request", this, &Process::OnPingRequest);
    RegisterCommand("Ping.ack", this, &Process::OnPingAck);
    RegisterCommand("Timer.request", this, &Process::OnTimerRequest);
    RegisterCommand("File.open", this, &Process::OnFileOpen);
    RegisterCommand("File.open.ack", this, &Process::OnFileOpenAck);
    RegisterCommand("File.close", this, &Process::OnFileClose);
    RegisterCommand("File.close.ack", this, &Process::OnFileCloseAck);
    RegisterCommand("File.get", this, &Process::OnFileGet);
    RegisterCommand("File.put", this, &Process::OnFilePut);
    RegisterCommand("File.delete", this, &Process::OnFileDelete);
    RegisterCommand("File.delete.ack", this, &Process::OnFileDeleteAck);
    RegisterCommand("File.retry", this, &Process::OnFileRetry);
}

std::string Process::Name() const { return GetProperty(kNameKey); }

std::string Process::RouterName() const { return GetProperty(kRouterNameKey); }

std::string Process::OwnUdn()
{
    if (GetProperty(kUdnKey).empty())
        DiscoveryAttributes();
    return GetProperty(kUdnKey);
}

std::string Process::OwnAddress()
{
    const std::string udn = OwnUdn();
    return udn.empty() ? Name() : "//" + udn + "/" + Name();
}

std::string Process::AddressText(const ACE_INET_Addr& address)
{
    char text[64] = {};
    if (address.addr_to_string(text, sizeof text, 1) != 0)
        return {};
    return text;
}

std::string Process::IpText(const ACE_INET_Addr& address)
{
    const ACE_UINT32 ip = address.get_ip_address();
    return std::to_string((ip >> 24) & 0xff) + "." + std::to_string((ip >> 16) & 0xff) + "."
        + std::to_string((ip >> 8) & 0xff) + "." + std::to_string(ip & 0xff);
}

std::string Process::ClientMapText() const
{
    std::string text;
    for (const auto& [key, address] : m_clients)
        text += " name = " + key + " address = " + AddressText(address) + "\n";
    return text;
}

ACE_INET_Addr Process::LocalAddress() const
{
    ACE_INET_Addr local;
    if (m_socket)
        m_socket->get_local_addr(local);
    return local;
}

void Process::RegisterForEvents(const std::string& source, const std::string& type)
{
    Message message = MakeMessage(RouterName(), kEventRegister, kEventSender, Name());
    message.SetArg(kEventSource, source);
    message.SetArg(kEventType, type);
    Send(message);
}

void Process::UnregisterForEvents(const std::string& source, const std::string& type)
{
    Message message = MakeMessage(RouterName(), kEventUnregister, kEventSender, Name());
    message.SetArg(kEventSource, source);
    message.SetArg(kEventType, type);
    Send(message);
}

Event Process::MakeEvent(const std::string& type)
{
    std::string target = RouterName();
    if (target.empty())
        target = Name();
    return Event(target, OwnAddress(), type);
}

Message Process::MakeMessage(
    const std::string& target, const std::string& name, const std::string& key, const std::string& value)
{
    return Message(target, name, key, value);
}

Message Process::MakeMessage(const std::string& target, const std::string& name) { return Message(target, name); }

Message Process::MakeTimerRequestAt(const std::string& type, const VireoTime& time, const std::string& id)
{
    Message message(Name(), "Timer.request");
    message.SetArg("type", type);
    message.SetArg("time", time);
    message.SetArg("id", id);
    return message;
}

Message Process::MakeTimerRequest(const std::string& type, int seconds, int milliseconds, const std::string& id)
{
    Message message(Name(), "Timer.request");
    message.SetArg("type", type);
    message.SetArg("seconds", seconds);
    message.SetArg("milliseconds", milliseconds);
    message.SetArg("id", id);
    return message;
}

Message Process::MakeTimerCancel(const std::string& id)
{
    Message message(Name(), "Timer.request");
    message.SetArg("id", id);
    return message;
}

bool Process::HandleUnrecognised(const Message&) { return false; }

int Process::loadURIs(const std::string& fileName)
{
    if (LogEnabled(LogLevel::Debug))
        LogPrint("loadURIs(%s)\n", fileName.c_str());
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("Open of script file %s failed.\n", fileName.c_str());
        return 0;
    }
    int count = 0;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t end = line.find_first_of("\r\n");
        if (end != std::string::npos)
            line.erase(end);
        // An empty line is skipped; the lines after it still belong to the script.
        if (line.empty())
            continue;
        m_scriptList.push_back(line);
        ++count;
    }
    if (m_reactor)
        m_reactor->notify(nullptr, ACE_Event_Handler::EXCEPT_MASK, nullptr);
    return count;
}

std::string ProgramNameFromPath(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t exe = name.find(".exe");
    if (exe != std::string::npos)
        name.erase(exe);
    return name;
}

std::string DirectoryOfPath(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace vireo
