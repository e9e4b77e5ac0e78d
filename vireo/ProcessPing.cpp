// Round-trip measurement between two processes: one request outstanding at a time.

#include "vireo/Process.h"

#include "vireo/vireo_log.h"

namespace vireo {

namespace {

constexpr int kDefaultPingCount = 100;
constexpr const char* kPingSenderKey = "Ping.sender";
constexpr const char* kPingArgsPrefix = "Ping.args";
constexpr const char* kIndexKey = "index";
constexpr const char* kRuler
    = ".......10*.......20*.......30*.......40*.......50*.......60*.......70*.......80*.......90*......100\n";
constexpr int kRulerLength = 100;

std::string NumberedRuler(int line)
{
    std::string ruler = kRuler;
    const std::string number = std::to_string(line);
    ruler.replace(0, number.size(), number);
    return ruler;
}

} // namespace

std::string MakePingPadding(int n)
{
    if (n < 1)
        return {};
    std::string text = "\n";
    const int lines = (kRulerLength + n - 2) / kRulerLength;
    for (int line = 0; line + 1 < lines; ++line)
        text += NumberedRuler(line);
    if (lines > 0)
        text += NumberedRuler(lines - 1).substr(0, static_cast<std::size_t>(n - (lines - 1) * kRulerLength - 1));
    return text;
}

bool Process::OnPingStart(Message message)
{
    m_ping.running = true;
    m_ping.count = message.GetInt("count", kDefaultPingCount);
    m_ping.sent = 0;
    m_ping.packetSize = message.GetInt("packetSize", 0);
    m_ping.target = message.GetString("target");
    m_ping.average = m_ping.low = m_ping.high = -1;
    SetProperty(kPingSenderKey, message.GetString(kPingSenderKey));
    if (LogEnabled(LogLevel::Trace))
        LogPrint("%s starting %d pings with %s.\n", Name().c_str(), m_ping.count, m_ping.target.c_str());
    if (LogEnabled(LogLevel::Notice))
        LogPrint("%s [new log] starting %d pings with %s.\n", Name().c_str(), m_ping.count, m_ping.target.c_str());
    const int extra = message.GetInt("argCount", 0);
    AttributeValueMap args;
    for (int i = 1; i <= extra; ++i)
        args.SetString("Ping.arg." + std::to_string(i), "Ping.val." + std::to_string(i));
    SetMapProperty(kPingArgsPrefix, args);
    SendNextPing();
    return true;
}

bool Process::OnPingStop(Message)
{
    m_ping.running = false;
    return true;
}

bool Process::SendNextPing()
{
    if (!m_ping.running)
        return false;
    if (m_ping.sent < m_ping.count) {
        ++m_ping.sent;
        m_ping.sendTime = TimeOfDay();
        Message request = MakeMessage(m_ping.target, "Ping.request", kEventSender, Name());
        request.SetArg(kIndexKey, m_ping.sent);
        request.AddArgs(GetMapProperty(kPingArgsPrefix));
        const long long pad
            = static_cast<long long>(m_ping.packetSize) - static_cast<long long>(request.WireText().size()) - 1;
        if (pad > 0)
            request.SetPayload(MakePingPadding(static_cast<int>(pad)));
        Send(request);
        return true;
    }
    m_ping.running = false;
    const std::string sender = GetProperty(kPingSenderKey);
    if (!sender.empty()) {
        Message report = MakeMessage(sender, "Ping.report");
        report.SetArg("complete", true);
        report.SetArg("avgMics", m_ping.average);
        Send(report);
    }
    if (LogEnabled(LogLevel::Info))
        LogPrint("%s completed requested ping:\n%s", Name().c_str(), PingReport().c_str());
    return false;
}

bool Process::OnPingRequest(Message message)
{
    Message reply = MakeMessage(message.GetString(kEventSender), "Ping.ack");
    reply.AddArgs(message.Args());
    const std::string payload = message.Payload();
    if (!message.PayloadRef().empty())
        reply.SetPayload(payload);
    Send(reply);
    return true;
}

bool Process::OnPingAck(Message message)
{
    const int index = message.GetInt(kIndexKey, 0);
    if (index != m_ping.sent) {
        if (LogEnabled(LogLevel::Trace))
            LogPrint("%s received ack #%d for ping #%d.\n", Name().c_str(), index, m_ping.sent);
        return true;
    }
    const ACE_Time_Value elapsed = TimeOfDay() - m_ping.sendTime;
    const long long rtt = static_cast<long long>(elapsed.sec()) * 1'000'000 + elapsed.usec();
    const int micros = static_cast<int>(std::min<long long>(rtt, INT32_MAX));
    m_ping.average
        = static_cast<int>(((static_cast<long long>(m_ping.sent) - 1) * m_ping.average + micros) / m_ping.sent);
    if (m_ping.high < 0 || micros > m_ping.high)
        m_ping.high = micros;
    if (m_ping.low < 0 || micros < m_ping.low)
        m_ping.low = micros;
    SendNextPing();
    return true;
}

std::string Process::PingReport() const
{
    return "   target: " + m_ping.target + "\n   count: " + std::to_string(m_ping.count)
        + "\n   avg:   " + std::to_string(m_ping.average) + " usec\n   low:   " + std::to_string(m_ping.low)
        + " usec\n   high:  " + std::to_string(m_ping.high) + " usec\n";
}

} // namespace vireo
