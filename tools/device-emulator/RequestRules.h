#pragma once
// What the device does with a request, by the request's name: answer it (the default), drop it
// unanswered, answer it late, or refuse it with a failure answer. The rules may be changed from any
// thread while the device runs.

#include <chrono>
#include <map>
#include <mutex>
#include <random>
#include <string>

namespace emulator {

enum class RuleAction { Answer, Drop, Delay, Refuse };

struct RequestRule {
    RuleAction action { RuleAction::Answer };
    // How long a delayed request waits before it is handled.
    std::chrono::milliseconds delay { 0 };
};

class RequestRules {
public:
    // Requests of the name are ignored.
    void Drop(const std::string& name);
    // Requests of the name are handled after the delay.
    void Delay(const std::string& name, std::chrono::milliseconds delay);
    // Requests of the name get a failure answer.
    void Refuse(const std::string& name);
    // Requests of the name are answered again.
    void Clear(const std::string& name);
    // Every request is answered again.
    void ClearAll();
    // Of the requests without a rule of their own, drops about half of percent in a hundred and delays
    // the other half, drawn from a generator of the seed: an unreliable network, repeatable. 0 ends it.
    void Disturb(int percent, std::chrono::milliseconds delay, unsigned seed);

    // The rule for a request name; Answer when none was set.
    RequestRule Find(const std::string& name) const;
    // How often a rule other than Answer was applied to the name.
    int AppliedCount(const std::string& name) const;
    // Counts one application of the name's rule.
    void NoteApplied(const std::string& name);
    // Counts a request the device received, whatever its rule.
    void NoteReceived(const std::string& name);
    // The requests received so far, by name.
    std::map<std::string, int> Received() const;

    // Reads a rule argument: "drop" or "refuse" with a comma-separated list of names, "delay" with
    // name:milliseconds items. False with a reason for a malformed value; no rule is changed then.
    bool Parse(const std::string& key, const std::string& value, std::string& error);

private:
    mutable std::mutex m_mutex;
    std::map<std::string, RequestRule> m_rules;
    std::map<std::string, int> m_applied;
    std::map<std::string, int> m_received;
    int m_disturbPercent { 0 };
    std::chrono::milliseconds m_disturbDelay { 0 };
    mutable std::mt19937 m_disturbances;
};

} // namespace emulator
