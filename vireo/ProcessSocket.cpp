// Opening the socket, deciding the router, and the event loop.

#include "vireo/Process.h"

#include <ace/OS_NS_sys_socket.h>
#include <ace/Reactor.h>
#include <ace/Select_Reactor.h>
#include <ace/SOCK_Dgram.h>
#include <ace/Thread.h>

#include <cerrno>
#include <chrono>
#include <sys/socket.h>

#include "vireo/vireo_log.h"

namespace vireo {

namespace {

struct SocketOption {
    const char* name;
    int option;
};

// The socket options a process may be configured with, by the names its properties use.
constexpr SocketOption kSocketOptions[] = {
    { "SO_BROADCAST", SO_BROADCAST },
    { "SO_DONTROUTE", SO_DONTROUTE },
    { "SO_KEEPALIVE", SO_KEEPALIVE },
    { "SO_OOBINLINE", SO_OOBINLINE },
    { "SO_RCVBUF", SO_RCVBUF },
    { "SO_REUSEADDR", SO_REUSEADDR },
    { "SO_SNDBUF", SO_SNDBUF },
};

constexpr const char* kLevelNames[]
    = { "ANY", "TRACE", "DEBUG", "INFO", "NOTICE", "WARNING", "ERROR", "FATAL", "NONE" };

struct LogField {
    const char* name;
    int bits;
};

constexpr LogField kLogFields[]
    = { { "DATETIME", 1 }, { "LEVELTASK", 2 }, { "SOURCELINE", 4 }, { "MESSAGE", 8 }, { "ALL", 15 } };
constexpr int kAllFields = 15;

ACE_Time_Value Milliseconds(int ms)
{
    ACE_Time_Value value;
    value.msec(static_cast<long>(ms < 0 ? 0 : ms));
    return value;
}

} // namespace

int Process::Init()
{
    ACE_INET_Addr local(static_cast<u_short>(GetIntProperty(kPortKey, 0)), static_cast<ACE_UINT32>(INADDR_ANY));

    const std::string routerName = GetProperty(kRouterNameKey, kDefaultRouterName);
    const int routerPort = GetIntProperty(kRouterPortKey, kDefaultRouterPort);
    const std::string routerHost = GetProperty(kRouterHostKey, kDefaultRouterHost);
    ACE_INET_Addr router;
    const bool routerResolved = router.set(static_cast<u_short>(routerPort), routerHost.c_str(), 1, AF_INET) == 0;

    const bool isRouter = (routerResolved && router == local)
        || (local.get_port_number() == routerPort && routerHost == kDefaultRouterHost);
    if (isRouter) {
        if (LogEnabled(LogLevel::Info))
            LogPrint("Self address matches router address; making %s a router.\n", Name().c_str());
    } else {
        SetProperty(kRouterNameKey, routerName);
        SetIntProperty(kRouterPortKey, routerPort);
        SetProperty(kRouterHostKey, routerHost);
        if (routerResolved)
            m_clients[routerName] = router;
        else if (LogEnabled(LogLevel::Warning))
            LogPrint("%s cannot resolve router host %s.\n", Name().c_str(), routerHost.c_str());
    }

    if (!m_socket) {
        auto socket = std::make_unique<ACE_SOCK_Dgram>();
        if (socket->open(local, PF_INET, 0, 0) == 0)
            m_socket = std::move(socket);
    }
    if (!m_socket || m_socket->get_local_addr(local) != 0) {
        if (LogEnabled(LogLevel::Error))
            LogPrint("%s couldn't create socket or couldn't determine local address.\n", Name().c_str());
        return -1;
    }

    ApplySocketOptions();

    if (RouterName() != Name())
        m_clients[Name()] = local;

    if (LogEnabled(LogLevel::Info)) {
        LogPrint("%s established properties:\n%s", Name().c_str(), PropertiesText().c_str());
        LogPrint("%s's full client map:\n%s", Name().c_str(), ClientMapText().c_str());
    }

    if (!m_reactor) {
        // No handler of a process is registered for signals, so masking them around every dispatch
        // would only add two system calls to each datagram; the reactor owns its implementation.
        auto implementation = std::make_unique<ACE_Select_Reactor>(nullptr, nullptr, ACE_DISABLE_NOTIFY_PIPE_DEFAULT,
            nullptr, false);
        m_reactor = std::make_unique<ACE_Reactor>(implementation.release(), true);
    }
    if (m_reactor->register_handler(this, ACE_Event_Handler::READ_MASK) == -1) {
        if (LogEnabled(LogLevel::Error))
            LogPrint("%s couldn't register reactor handler.\n", Name().c_str());
        return -1;
    }
    reactor(m_reactor.get());

    m_stopped = false;
    m_interMessageGap = Milliseconds(GetIntProperty(kInterMessageGapKey, kDefaultInterMessageGapMs));
    m_interFragmentGap = Milliseconds(GetIntProperty(kInterFragmentGapKey, kDefaultInterFragmentGapMs));

    if (HasProperty(kRouterNameKey)) {
        Message identity = MakeIdentityMessage();
        Send(identity);
    }
    return 0;
}

void Process::ApplySocketOptions()
{
    const AttributeValueMap options = GetMapProperty(kSocketPrefix);
    for (const auto& [key, value] : options.EntryMap()) {
        const SocketOption* found = nullptr;
        for (const SocketOption& option : kSocketOptions) {
            if (key == option.name)
                found = &option;
        }
        if (!found) {
            // Other "Socket." keys (the broadcast address) are settings, not options.
            if (key != "broadcastAddress" && LogEnabled(LogLevel::Warning))
                LogPrint("%s attempts to set unknown socket option %s.\n", Name().c_str(), key.c_str());
            continue;
        }
        int setting = value.ToInt();
        const int result = ACE_OS::setsockopt(
            m_socket->get_handle(), SOL_SOCKET, found->option, reinterpret_cast<const char*>(&setting), sizeof setting);
        if (result == 0) {
            if (LogEnabled(LogLevel::Info))
                LogPrint("%s set socket option %s = %d.\n", Name().c_str(), key.c_str(), setting);
        } else if (LogEnabled(LogLevel::Warning)) {
            LogPrint("%s attempt to set socket option %s = %d returns %d (error 0x%x).\n", Name().c_str(), key.c_str(),
                setting, result, errno);
        }
    }
}

int Process::HandleEvents(int seconds) { return HandleEvents(ACE_Time_Value(seconds < 0 ? 0 : seconds)); }

int Process::HandleEvents(const ACE_Time_Value& limit)
{
    const auto wait = std::chrono::microseconds(static_cast<long long>(limit.sec()) * 1000000 + limit.usec());
    return m_loopTurns.Take(wait, [this](std::chrono::microseconds left) {
        return PumpEvents(ACE_Time_Value(static_cast<time_t>(left.count() / 1000000),
            static_cast<suseconds_t>(left.count() % 1000000)));
    });
}

void Process::Wake()
{
    // An empty datagram to the process's own socket: the loop reads it as an event and ignores it. It
    // goes straight to the socket, as SendDatagram keeps the time of the pumping thread's last send.
    const ACE_INET_Addr local = LocalAddress();
    if (!m_socket || local.get_port_number() == 0)
        return;
    const char nothing = 0;
    m_socket->send(&nothing, 0, ACE_INET_Addr(local.get_port_number(), "127.0.0.1"));
}

int Process::PumpEvents(const ACE_Time_Value& limit)
{
    ACE_Time_Value wait = limit;
    const ACE_Time_Value untilTimer = FireDueTimers();
    if (untilTimer < wait)
        wait = untilTimer;
    if (!m_reactor)
        return -1;
    if (PollTransferPacket(wait))
        return 0;
    // The reactor serves only its owner; the turn makes this thread the only one pumping now.
    m_reactor->owner(ACE_Thread::self());
    const int n = m_reactor->handle_events(wait);
    if (n == 0) {
        if (LogEnabled(LogLevel::Debug))
            LogPrint("%s timed-out waiting for an event.\n", Name().c_str());
        return -1;
    }
    if (n < 0) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s error 0x%x waiting for an event.\n", Name().c_str(), errno);
        return -1;
    }
    if (LogEnabled(LogLevel::Trace))
        LogPrint("%s got %d event(s).\n", Name().c_str(), n);
    return 0;
}

int Process::Run()
{
    ApplyLogSettings();
    ReloadTimers();
    Init();
    m_stopped = false;
    if (LogEnabled(LogLevel::Debug))
        LogPrint("%s starting comm loop.\n", Name().c_str());
    while (IsRunning())
        HandleEvents(kIdleWaitSeconds);
    if (!m_reactor
        || m_reactor->remove_handler(this, ACE_Event_Handler::READ_MASK | ACE_Event_Handler::DONT_CALL) == -1) {
        if (LogEnabled(LogLevel::Error))
            LogPrint("%s couldn't remove event handler.\n", Name().c_str());
        return -1;
    }
    if (LogEnabled(LogLevel::Info))
        LogPrint("%s exiting.\n", Name().c_str());
    return 0;
}

bool Process::IsRunning() const { return !m_stopped; }

void Process::Stop() { m_stopped = true; }

void Process::ApplyLogSettings()
{
    SetLogLevel(LevelFromName(GetProperty(kDebugLevelKey)));
    const AttributeValueMap log = GetMapProperty(kLogPrefix);
    const std::pair<const char*, int> sinks[] = { { "console", 1 }, { "file", 2 }, { "net", 4 } };
    for (const auto& [sink, bits] : sinks) {
        const AttributeValueMap settings = log.SubMap(sink);
        if (!settings.Empty())
            SetSinkFromText(bits, settings.GetString("level"), settings.GetString("fields"));
    }
}

void Process::SetSinkFromText(int sinkBits, const std::string& levelText, const std::string& fieldsText)
{
    SetSinkOptions(LevelFromName(levelText), FieldsFromText(fieldsText), sinkBits);
}

int LevelFromName(const std::string& name)
{
    for (int level = 0; level < static_cast<int>(std::size(kLevelNames)); ++level) {
        if (name == kLevelNames[level])
            return level;
    }
    return static_cast<int>(LogLevel::Notice);
}

std::string Process::LevelName(int level)
{
    if (level < 0 || level >= static_cast<int>(std::size(kLevelNames)))
        return kLevelNames[static_cast<int>(LogLevel::Notice)];
    return kLevelNames[level];
}

int FieldsFromText(const std::string& text)
{
    if (text.empty())
        return kAllFields;
    int bits = 0;
    for (const std::string& name : Component(text).ToList()) {
        for (const LogField& field : kLogFields) {
            if (name == field.name)
                bits |= field.bits;
        }
    }
    return bits;
}

ACE_HANDLE Process::get_handle() const { return m_socket ? m_socket->get_handle() : ACE_INVALID_HANDLE; }

int Process::handle_output(ACE_HANDLE handle)
{
    if (LogEnabled(LogLevel::Debug))
        LogPrint("%s got an output event on handle %d.\n", Name().c_str(), static_cast<int>(handle));
    return 0;
}

int Process::handle_exception(ACE_HANDLE handle)
{
    if (LogEnabled(LogLevel::Debug))
        LogPrint("%s got exception event on handle %d.\n", Name().c_str(), static_cast<int>(handle));
    return 0;
}

int Process::handle_timeout(const ACE_Time_Value&, const void*)
{
    if (LogEnabled(LogLevel::Debug))
        LogPrint("%s detected time out.\n", Name().c_str());
    return 0;
}

int Process::handle_close(ACE_HANDLE, ACE_Reactor_Mask)
{
    if (m_socket)
        m_socket->close();
    return 0;
}

int Process::handle_signal(int signal, siginfo_t*, ucontext_t*)
{
    if (LogEnabled(LogLevel::Debug))
        LogPrint("%s got signal event with signal %d.\n", Name().c_str(), signal);
    return 0;
}

} // namespace vireo
