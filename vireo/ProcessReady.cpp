// Readiness of the processes a process expects, and reservations.

#include "vireo/Process.h"

#include "vireo/vireo_log.h"

namespace vireo {

namespace {

constexpr const char* kClientsKey = "Process.clients";
constexpr const char* kReadyListKey = "Process.readyList";
constexpr const char* kReadyKey = "Process.ready";
constexpr const char* kReserverKey = "Process.reserver";
constexpr const char* kAutoreadyType = "Process.autoready";
constexpr const char* kStateKey = "state";
constexpr const char* kClearKey = "clear";

constexpr int kNoneReady = 0;
constexpr int kSomeReady = 1;
constexpr int kAllReady = 2;

} // namespace

Message Process::MakeReadyMessage(bool state)
{
    Message message = MakeMessage(RouterName(), kReadyKey, kNameKey, Name());
    message.SetArg(kStateKey, state);
    return message;
}

int Process::CheckReadyList()
{
    const StringList clients = GetListProperty(kClientsKey);
    const StringList ready = GetListProperty(kReadyListKey);
    const StringList missing = ListDifference(clients, ready);
    int result = kNoneReady;
    if (missing.empty()) {
        result = kAllReady;
        if (LogEnabled(LogLevel::Info))
            LogPrint("%s detects all expected Processes are ready: %s.\n", Name().c_str(),
                GetProperty(kReadyListKey).c_str());
    } else if (missing.size() < clients.size()) {
        result = kSomeReady;
        if (LogEnabled(LogLevel::Trace))
            LogPrint("%s has unready Processes, still waiting for %s.\n", Name().c_str(), JoinList(missing).c_str());
    }
    SetIntProperty(kReadyKey, result);
    return result;
}

bool Process::OnProcessReady(Message message)
{
    const std::string reporter = message.GetString(kNameKey);
    if (reporter == Name())
        return true;
    const bool state = message.GetBool(kStateKey, false);
    StringList ready = GetListProperty(kReadyListKey);
    std::erase(ready, reporter);
    if (state)
        ready.push_back(reporter);
    SetListProperty(kReadyListKey, ready);

    const int old = GetIntProperty(kReadyKey, kNoneReady);
    const int now = CheckReadyList();
    if (now != old) {
        if (old == kAllReady || now == kAllReady) {
            Event event = MakeEvent(kAutoreadyType);
            event.SetArg(kStateKey, now == kAllReady);
            ForwardEvent(event);
            if (now == kAllReady)
                StartConfiguredDiscovery();
        } else if (now == kNoneReady) {
            CompleteReservation();
        }
    }
    return true;
}

bool Process::OnProcessAutoready(Event event)
{
    ClearPropertyFiles(event);
    event.SetArg(kEventType, std::string(kReadyKey));
    return DispatchEvent(event);
}

void Process::ClearPropertyFiles(const Message& message)
{
    const std::string file = PropertiesFileName();
    const StringList clear = message.GetList(kClearKey);
    if (!file.empty()) {
        const std::pair<const char*, std::string> targets[]
            = { { "Properties.file", file }, { "Properties.backupFile", kBackupFolder + file } };
        for (const auto& [entry, path] : targets) {
            if (!ListContains(clear, entry))
                continue;
            Properties().Save(path);
            if (LogEnabled(LogLevel::Debug))
                LogPrint("Clearing %s\n", path.c_str());
        }
    }
    if (message.Has(kPropertiesReadonly))
        SetAttribute(message.Get(kPropertiesReadonly));
}

bool Process::OnReserveRequest(Message message)
{
    SetProperty(kReserverKey, message.GetString(kReserverKey));
    SetIntProperty(kReadyKey, kSomeReady);
    if (message.Has(kPropertiesReadonly))
        SetAttribute(message.Get(kPropertiesReadonly));
    Event event = MakeEvent(kAutoreadyType);
    event.SetArg(kStateKey, false);
    if (HasProperty(kPropertiesReadonly))
        event.SetArg(GetAttribute(kPropertiesReadonly));
    if (message.Has(kClearKey))
        event.SetArg(message.Get(kClearKey));
    ForwardEvent(event);
    ClearPropertyFiles(event);
    return true;
}

bool Process::OnReserveComplete(Message) { return false; }

void Process::CompleteReservation()
{
    const std::string reserver = GetProperty(kReserverKey);
    if (reserver.empty())
        return;
    Message complete = MakeMessage(reserver, "Process.reserve.complete");
    Send(complete);
}

} // namespace vireo
