// Timed messages: requested, kept (and persisted in the properties), cancelled and fired from the
// event loop.

#include "vireo/Process.h"

#include "vireo/VireoTime.h"
#include "vireo/vireo_log.h"

namespace vireo {

namespace {

constexpr const char* kTimerPrefix = "Timer";
constexpr const char* kIdKey = "id";
constexpr const char* kAllTimers = "ALL";
constexpr const char* kAnonymousTimer = "NONE";

bool IsAnonymous(const std::string& id) { return id.empty() || id == kAnonymousTimer; }

long long NowSeconds() { return static_cast<long long>(TimeOfDay().sec()); }

} // namespace

bool Process::OnTimerRequest(Message message)
{
    const std::string id = message.GetString(kIdKey);
    if (!IsAnonymous(id))
        CancelTimer(id);
    const std::string type = message.GetString("type");
    std::string target = message.GetString(kEventSender);
    const long long due = TimerDueTime(message);
    if (due == 0)
        return true;
    if (target.empty())
        target = Name();
    Message timer = MakeMessage(target, type);
    timer.AddArgs(message.Args());
    AddTimer(due, timer);
    return true;
}

long long Process::TimerDueTime(const Message& message)
{
    const int seconds = message.GetInt("seconds", 0);
    const std::string time = message.GetString("time");
    if (time.empty() && seconds == 0)
        return 0;
    long long due = NowSeconds() + seconds;
    if (!time.empty())
        due = static_cast<long long>(VireoTime(time).ToGMT().ToTimeT());
    return due;
}

void Process::AddTimer(long long due, const Message& message)
{
    m_timers[due].push_back(message);
    if (LogEnabled(LogLevel::Trace))
        LogPrint("%s set timer for %lld seconds past the epoch.\n", Name().c_str(), due);
    const std::string id = message.GetString(kIdKey);
    if (!message.GetBool("transient", false) && !IsAnonymous(id)) {
        SetURIProperty(std::string(kTimerPrefix) + "." + id, message);
        SaveProperties();
    }
}

bool Process::CancelTimer(const std::string& id)
{
    if (id == kAllTimers) {
        m_timers.clear();
        RemoveMapProperty(kTimerPrefix);
        SaveProperties();
        return false;
    }
    if (IsAnonymous(id))
        return false;

    bool removed = false;
    bool transient = false;
    for (auto due = m_timers.begin(); due != m_timers.end() && !removed; ++due) {
        auto& list = due->second;
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (it->GetString(kIdKey) != id)
                continue;
            if (LogEnabled(LogLevel::Trace))
                LogPrint("%s removing timer %s.\n", Name().c_str(), it->Describe().c_str());
            transient = it->GetBool("transient", false);
            list.erase(it);
            if (list.empty())
                m_timers.erase(due);
            removed = true;
            break;
        }
    }
    const std::string key = std::string(kTimerPrefix) + "." + id;
    if (!transient && HasProperty(key)) {
        RemoveProperty(key);
        SaveProperties();
    }
    return removed;
}

void Process::ReloadTimers()
{
    const AttributeValueMap timers = GetMapProperty(kTimerPrefix);
    for (const auto& [id, value] : timers.EntryMap()) {
        const Message timer { VireoURI(value.Value()) };
        AddTimer(TimerDueTime(timer), timer);
    }
}

ACE_Time_Value Process::FireDueTimers()
{
    if (LogEnabled(LogLevel::Trace)) {
        LogPrint("%s checking timer(s) at %lld:\n", Name().c_str(), NowSeconds());
        for (const auto& [due, list] : m_timers) {
            LogPrint("%s has timer(s) pending for %lld:\n", Name().c_str(), due);
            for (const Message& m : list)
                LogPrint("  %s timer message %s.\n", Name().c_str(), m.Describe().c_str());
        }
    }
    while (!m_timers.empty() && NowSeconds() >= m_timers.begin()->first) {
        if (LogEnabled(LogLevel::Trace))
            LogPrint("%s has at least one expired timer.\n", Name().c_str());
        const std::vector<Message> expired = std::move(m_timers.begin()->second);
        m_timers.erase(m_timers.begin());
        if (LogEnabled(LogLevel::Trace))
            LogPrint("%s has %d expired timers.\n", Name().c_str(), static_cast<int>(expired.size()));
        for (const Message& m : expired) {
            if (LogEnabled(LogLevel::Trace))
                LogPrint("%s has expired timer for %s.\n", Name().c_str(), m.Describe().c_str());
            CancelTimer(m.GetString(kIdKey));
            if (m.Has("period")) {
                // The next firing is the period after now. The time zone plays no part: a repeating
                // timer must not move by the zone's offset each time it is armed again.
                const long long current = NowSeconds();
                const VireoTime period(m.GetString("period"));
                VireoTime wake = VireoTime::Sum(VireoTime(static_cast<std::time_t>(current)), period);
                wake.Normalize();
                const long long wakeSeconds = static_cast<long long>(wake.ToTimeT());
                if (wakeSeconds > current) {
                    Message again = m;
                    if (again.Has("time"))
                        again.SetArg("time", wake.ToLocalTime());
                    AddTimer(wakeSeconds, again);
                } else {
                    if (LogEnabled(LogLevel::Notice))
                        LogPrint("Non-positive period specified for timer - ignoring.\n");
                    if (LogEnabled(LogLevel::Info))
                        LogPrint("timeToWake=%s, (wakeTime=%lld > nowTime=%lld) == false\n", wake.Text().c_str(),
                            wakeSeconds, current);
                }
            }
            HandleMessage(m);
        }
    }
    if (m_timers.empty())
        return ACE_Time_Value(kIdleWaitSeconds);
    const long long rest = m_timers.begin()->first - NowSeconds();
    return ACE_Time_Value(static_cast<time_t>(rest < 0 ? 0 : rest));
}

} // namespace vireo
