#pragma once
// Counts and times the messages a process sends and handles, by rules read from a properties file
// (the rules file). A rule names a measurement and a selector, a URI that the messages starting or
// stopping it must match; the seconds from a start to the stop that follows add up, optionally split
// by the value of one message argument. The statistics are kept in the rules file and, on request,
// added into a report file ("o_" + the rules file's name).

#include <functional>
#include <map>
#include <string>

#include "vireo/AttributeValueMap.h"
#include "vireo/Event.h"
#include "vireo/Handler.h"
#include "vireo/Properties.h"

namespace vireo {

class Profiler : public Handler {
public:
    // Tells whether a remote request may have the profiler read and write the file.
    using PathCheck = std::function<bool(const std::string& path)>;

    // Registers the profiler's commands and its "Time.change" event in the dispatcher's tables.
    Profiler(std::string name, Dispatcher* dispatcher);

    // Turns the hook and the saves on or off.
    virtual void SetEnabled(bool enabled) { m_enabled = enabled; }
    virtual bool IsEnabled() const { return m_enabled; }
    // Saves the statistics into the current rules file, then replaces the rules and statistics with
    // those of the named file and sets the enabled flag; an empty name changes nothing.
    virtual void LoadRules(const std::string& fileName, bool enable);
    // Adds the open intervals (plus the correction in seconds) and writes the statistics into the
    // rules file; nothing when disabled and not forced, or without rules.
    virtual void SaveStatistics(bool force, int correction);
    // Adds the statistics into the report file and starts them again from zero; the report file's
    // name, empty when disabled.
    virtual std::string WriteReport();
    // Removes the report file.
    virtual void DeleteReport();
    // Counts and times the message by the rules; called for every message sent or handled.
    virtual void ProfileMessage(const Message& message);
    // The rule maps, the open intervals and the statistics, for the status display.
    virtual std::string StatusText();

    // The check that a remote "Profiler.init" must pass for both its files; none lets every file pass.
    void SetRemotePathCheck(PathCheck check) { m_remotePathAllowed = std::move(check); }
    // The statistics in memory and the names of the two files.
    const Properties& ProfileData() const { return m_profileData; }
    const std::string& RulesFileName() const { return m_rulesFile; }
    const std::string& ReportFileName() const { return m_reportFile; }

protected:
    // Opens an interval of the measurement (unless one for the same subkey is open) and counts a start.
    virtual bool StartTiming(const std::string& measurement, const Message& message);
    // Counts a stop and closes the open interval.
    virtual bool StopTiming(const std::string& measurement, const Message& message);

private:
    using RuleMap = std::map<std::string, StringList>;

    // The commands and the event the profiler answers.
    bool OnProfilerBackup(Message message);
    bool OnProfilerGet(Message message);
    bool OnProfilerDelete(Message message);
    bool OnProfilerInit(Message message);
    bool OnProfilerEnable(Message message);
    bool OnProfilerStatus(Message message);
    bool OnTimeChange(Event event);

    // Adds the open interval's seconds up to now and forgets it.
    void CloseTiming(const std::string& measurement, int now);
    // Adds the rules that leave this part empty (the list under "") to every list, sorted.
    static void AddWildcards(RuleMap& map);
    // Keeps the candidates that the map's list for the key (or its "" list) holds.
    static void Narrow(const RuleMap& map, const std::string& key, StringList& candidates);
    // True when the message has the rule's arguments and its non-empty name, path, scheme and host.
    static bool Matches(const VireoURI& rule, const Message& message);
    // Adds the amount to the int under the key.
    static void AddToCounter(AttributeValueMap& map, const std::string& key, int amount);
    // One line per entry of a rule map, for the status display.
    static std::string DumpRuleMap(const char* name, const RuleMap& map);

    StringList m_categories;
    RuleMap m_selectorMap;
    RuleMap m_typeMap;
    RuleMap m_pathMap;
    RuleMap m_argMap;
    RuleMap m_accessMap;
    RuleMap m_hostMap;
    AttributeValueMap m_subkeyTimekeyMap;
    AttributeValueMap m_subkeyCategoryMap;
    AttributeValueMap m_timekeyTimeMap;
    Properties m_rules;
    Properties m_profileData;
    std::string m_rulesFile;
    std::string m_reportFile;
    bool m_enabled { false };
    PathCheck m_remotePathAllowed;
};

} // namespace vireo
