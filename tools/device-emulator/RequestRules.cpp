#include "tools/device-emulator/RequestRules.h"

#include <charconv>
#include <utility>
#include <vector>

namespace emulator {

namespace {

std::vector<std::string> SplitList(const std::string& text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        if (end > start)
            items.push_back(text.substr(start, end - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return items;
}

// A delay longer than this is surely a typing error; it would hold the request for a day.
constexpr long long kLongestDelayMs = 3'600'000;

} // namespace

void RequestRules::Drop(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    m_rules[name] = { RuleAction::Drop, {} };
}

void RequestRules::Delay(const std::string& name, std::chrono::milliseconds delay)
{
    std::lock_guard lock(m_mutex);
    m_rules[name] = { RuleAction::Delay, delay };
}

void RequestRules::Refuse(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    m_rules[name] = { RuleAction::Refuse, {} };
}

void RequestRules::Clear(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    m_rules.erase(name);
}

void RequestRules::ClearAll()
{
    std::lock_guard lock(m_mutex);
    m_rules.clear();
}

void RequestRules::Disturb(int percent, std::chrono::milliseconds delay, unsigned seed)
{
    std::lock_guard lock(m_mutex);
    m_disturbPercent = percent;
    m_disturbDelay = delay;
    m_disturbances.seed(seed);
}

RequestRule RequestRules::Find(const std::string& name) const
{
    std::lock_guard lock(m_mutex);
    const auto rule = m_rules.find(name);
    if (rule != m_rules.end())
        return rule->second;
    if (m_disturbPercent > 0) {
        const int draw = static_cast<int>(m_disturbances() % 200);
        if (draw < m_disturbPercent)
            return { RuleAction::Drop, {} };
        if (draw < 2 * m_disturbPercent)
            return { RuleAction::Delay, m_disturbDelay };
    }
    return {};
}

int RequestRules::AppliedCount(const std::string& name) const
{
    std::lock_guard lock(m_mutex);
    const auto count = m_applied.find(name);
    return count == m_applied.end() ? 0 : count->second;
}

void RequestRules::NoteApplied(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    ++m_applied[name];
}

void RequestRules::NoteReceived(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    ++m_received[name];
}

std::map<std::string, int> RequestRules::Received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

bool RequestRules::Parse(const std::string& key, const std::string& value, std::string& error)
{
    const std::vector<std::string> items = SplitList(value);
    if (items.empty()) {
        error = key + " names no request";
        return false;
    }
    if (key == "drop" || key == "refuse") {
        for (const std::string& name : items)
            key == "drop" ? Drop(name) : Refuse(name);
        return true;
    }
    if (key != "delay") {
        error = "unknown rule " + key;
        return false;
    }
    std::vector<std::pair<std::string, std::chrono::milliseconds>> delays;
    for (const std::string& item : items) {
        const std::size_t colon = item.rfind(':');
        long long ms = -1;
        if (colon != std::string::npos && colon > 0) {
            const char* first = item.data() + colon + 1;
            const char* last = item.data() + item.size();
            const auto [end, status] = std::from_chars(first, last, ms);
            if (status != std::errc() || end != last || first == last)
                ms = -1;
        }
        if (ms < 0 || ms > kLongestDelayMs) {
            error = "delay item " + item + " is not name:milliseconds (0 to " + std::to_string(kLongestDelayMs) + ")";
            return false;
        }
        delays.emplace_back(item.substr(0, colon), std::chrono::milliseconds(ms));
    }
    for (const auto& [name, delay] : delays)
        Delay(name, delay);
    return true;
}

} // namespace emulator
