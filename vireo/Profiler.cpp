#include "vireo/Profiler.h"

#include <algorithm>
#include <cstdio>

#include "vireo/WallClock.h"
#include "vireo/vireo_log.h"

namespace vireo {

namespace {

constexpr const char* kSpecPrefix = "Spec";
constexpr const char* kStatsPrefix = "Stats";
constexpr const char* kStart = ".start";
constexpr const char* kStop = ".stop";
constexpr const char* kReportPrefix = "o_";

int NowSeconds() { return static_cast<int>(WallClockMicros() / 1'000'000); }

std::string SubkeyArgKey(const std::string& measurement) { return measurement + ".subkeyArg"; }

// Descending byte order without duplicates: the stop rule of a measurement sorts before its start.
void SortDescending(StringList& list)
{
    std::sort(list.begin(), list.end(), std::greater<>());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

} // namespace

Profiler::Profiler(std::string name, Dispatcher* dispatcher)
    : Handler(std::move(name), dispatcher)
{
    RegisterCommand("Profiler.backup", this, &Profiler::OnProfilerBackup);
    RegisterCommand("Profiler.get", this, &Profiler::OnProfilerGet);
    RegisterCommand("Profiler.delete", this, &Profiler::OnProfilerDelete);
    RegisterCommand("Profiler.init", this, &Profiler::OnProfilerInit);
    RegisterCommand("Profiler.enable", this, &Profiler::OnProfilerEnable);
    RegisterCommand("Profiler.status", this, &Profiler::OnProfilerStatus);
    RegisterEvent("Time.change", this, &Profiler::OnTimeChange);
}

void Profiler::LoadRules(const std::string& fileName, bool enable)
{
    if (fileName.empty())
        return;
    if (LogEnabled(LogLevel::Notice))
        LogPrint("%s loading message profile rules from %s.\n", HandlerName().c_str(), fileName.c_str());
    SetEnabled(false);
    SaveStatistics(true, 0);

    m_categories.clear();
    for (RuleMap* map : { &m_selectorMap, &m_typeMap, &m_pathMap, &m_argMap, &m_accessMap, &m_hostMap })
        map->clear();
    m_subkeyTimekeyMap.Clear();
    m_subkeyCategoryMap.Clear();
    m_timekeyTimeMap.Clear();
    m_profileData.Clear();
    m_rulesFile = fileName;
    m_reportFile = kReportPrefix + fileName;

    Properties file;
    file.LoadChained(fileName);
    m_rules.AssignEntries(file.SubMap(kSpecPrefix));
    m_profileData.AssignEntries(file.SubMap(kStatsPrefix));

    for (const auto& [key, value] : m_rules.EntryMap()) {
        std::size_t found = key.find(kStop);
        if (found == std::string::npos)
            found = key.find(kStart);
        if (found == std::string::npos)
            continue;
        const std::string measurement = key.substr(0, found);
        if (value.Value().empty() || !m_rules.GetBool(measurement + ".enable", false))
            continue;
        VireoURI selector;
        selector.SetAccess("");
        selector.SetAuthority("");
        selector.Parse(value.Value());
        const Message rule(selector);
        m_pathMap[selector.PathValue()].push_back(key);
        m_accessMap[selector.Access().Value()].push_back(key);
        m_hostMap[selector.HostValue()].push_back(key);
        if (IsEvent(rule))
            m_typeMap[rule.GetString(kEventType)].push_back(key);
        else
            m_selectorMap[rule.Name()].push_back(key);
        m_argMap[key] = selector.Args().Keys();
        m_categories.push_back(key);
    }
    for (RuleMap* map : { &m_selectorMap, &m_typeMap, &m_pathMap, &m_accessMap, &m_hostMap })
        AddWildcards(*map);
    SortDescending(m_categories);
    SetEnabled(enable);
}

void Profiler::AddWildcards(RuleMap& map)
{
    const StringList wildcards = map[""];
    for (auto& [key, list] : map) {
        list.insert(list.end(), wildcards.begin(), wildcards.end());
        SortDescending(list);
    }
}

void Profiler::Narrow(const RuleMap& map, const std::string& key, StringList& candidates)
{
    auto entry = map.find(key);
    if (entry == map.end())
        entry = map.find("");
    if (entry == map.end()) {
        candidates.clear();
        return;
    }
    const StringList& list = entry->second;
    std::erase_if(candidates, [&](const std::string& k) { return !ListContains(list, k); });
}

void Profiler::ProfileMessage(const Message& message)
{
    if (!m_enabled)
        return;
    StringList candidates = m_categories;
    if (IsEvent(message))
        Narrow(m_typeMap, message.GetString(kEventType), candidates);
    else
        Narrow(m_selectorMap, message.Name(), candidates);
    const std::pair<const RuleMap*, std::string> steps[] = {
        { &m_pathMap, message.PathValue() },
        { &m_accessMap, message.Access().Value() },
        { &m_hostMap, message.HostValue() },
    };
    for (const auto& [map, key] : steps) {
        if (candidates.empty())
            return;
        Narrow(*map, key, candidates);
    }
    std::erase_if(candidates, [&](const std::string& k) {
        const auto names = m_argMap.find(k);
        return names != m_argMap.end()
            && !std::all_of(names->second.begin(), names->second.end(),
                [&](const std::string& name) { return message.Has(name); });
    });

    for (const std::string& key : candidates) {
        if (!Matches(VireoURI(m_rules.GetString(key)), message))
            continue;
        const std::size_t stop = key.find(kStop);
        if (stop != std::string::npos) {
            StopTiming(key.substr(0, stop), message);
            continue;
        }
        const std::size_t start = key.find(kStart);
        if (start != std::string::npos)
            StartTiming(key.substr(0, start), message);
    }
}

bool Profiler::Matches(const VireoURI& rule, const Message& message)
{
    const AttributeValueMap args = rule.Args();
    for (const auto& [name, value] : args.EntryMap()) {
        if (!message.Has(name))
            return false;
        if (!value.Value().empty() && message.GetString(name) != value.Value())
            return false;
    }
    const std::string name = Message(rule).Name();
    if (!name.empty() && name != message.Name())
        return false;
    const std::pair<const std::string&, const std::string&> parts[] = {
        { rule.PathValue(), message.PathValue() },
        { rule.Access().Value(), message.Access().Value() },
        { rule.HostValue(), message.HostValue() },
    };
    return std::all_of(std::begin(parts), std::end(parts),
        [](const auto& part) { return part.first.empty() || part.first == part.second; });
}

bool Profiler::StartTiming(const std::string& measurement, const Message& message)
{
    const std::string argument = m_rules.GetString(SubkeyArgKey(measurement));
    const std::string subkey = argument.empty() ? std::string() : "." + argument + "." + message.GetString(argument);
    const std::string timeKey = measurement + ".time" + subkey;
    const int start = m_timekeyTimeMap.GetInt(timeKey, 0);
    const int now = NowSeconds();
    if (start == 0) {
        // Only one interval of a measurement is open at a time: another subkey's ends here.
        if (m_subkeyTimekeyMap.Has(SubkeyArgKey(measurement)))
            CloseTiming(measurement, now);
        m_subkeyTimekeyMap.SetString(SubkeyArgKey(measurement), timeKey);
        m_subkeyCategoryMap.SetString(SubkeyArgKey(measurement), subkey);
        m_timekeyTimeMap.SetInt(timeKey, now);
    }
    AddToCounter(m_profileData, measurement + ".count.start" + subkey, 1);
    return false;
}

bool Profiler::StopTiming(const std::string& measurement, const Message&)
{
    const int now = NowSeconds();
    const std::string subkey = m_subkeyCategoryMap.GetString(SubkeyArgKey(measurement));
    AddToCounter(m_profileData, measurement + ".count.stop" + subkey, 1);
    CloseTiming(measurement, now);
    return false;
}

void Profiler::CloseTiming(const std::string& measurement, int now)
{
    const std::string timeKey = m_subkeyTimekeyMap.GetString(SubkeyArgKey(measurement));
    const int start = m_timekeyTimeMap.GetInt(timeKey, 0);
    if (start != 0)
        AddToCounter(m_profileData, timeKey, now - start);
    m_timekeyTimeMap.Erase(timeKey);
    m_subkeyTimekeyMap.Erase(SubkeyArgKey(measurement));
    m_subkeyCategoryMap.Erase(SubkeyArgKey(measurement));
}

void Profiler::AddToCounter(AttributeValueMap& map, const std::string& key, int amount)
{
    map.SetInt(key, map.GetInt(key, 0) + amount);
}

void Profiler::SaveStatistics(bool force, int correction)
{
    if ((!m_enabled && !force) || m_rulesFile.empty())
        return;
    const int now = NowSeconds();
    const AttributeValueMap open = m_timekeyTimeMap;
    for (const auto& [timeKey, start] : open.EntryMap()) {
        m_timekeyTimeMap.SetInt(timeKey, now);
        AddToCounter(m_profileData, timeKey, now - start.ToInt() + correction);
    }
    Properties file;
    file.LoadChained(m_rulesFile);
    file.EraseSubKeys(kStatsPrefix);
    file.SetSubMap(kStatsPrefix, m_profileData);
    file.Save(m_rulesFile);
}

std::string Profiler::WriteReport()
{
    if (!m_enabled)
        return {};
    SaveStatistics(false, 0);
    Properties report;
    report.Load(m_reportFile);
    AttributeValueMap totals = report.SubMap(kStatsPrefix);
    for (const auto& [key, value] : m_profileData.EntryMap())
        AddToCounter(totals, key, value.ToInt());
    report.Clear();
    report.SetSubMap(kStatsPrefix, totals);
    report.SetSubMap(kSpecPrefix, m_rules);
    report.Save(m_reportFile);
    m_profileData.Clear();
    SaveStatistics(false, 0);
    return m_reportFile;
}

void Profiler::DeleteReport()
{
    if (!m_reportFile.empty())
        std::remove(m_reportFile.c_str());
}

std::string Profiler::DumpRuleMap(const char* name, const RuleMap& map)
{
    std::string text = std::string("    Profile map name: ") + name + "\n";
    int n = 0;
    for (const auto& [key, list] : map)
        text += "    #" + std::to_string(++n) + AttributeValue(key, JoinList(list)).Describe() + "\n";
    return text;
}

std::string Profiler::StatusText()
{
    SaveStatistics(true, 0);
    std::string text;
    const std::pair<const char*, const RuleMap*> maps[] = {
        { "selectorMap", &m_selectorMap },
        { "typeMap", &m_typeMap },
        { "pathMap", &m_pathMap },
        { "accessMap", &m_accessMap },
        { "hostMap", &m_hostMap },
        { "argMap", &m_argMap },
    };
    for (const auto& [name, map] : maps)
        text += DumpRuleMap(name, *map);
    text += "    subkeyTimekeyMap:\n" + m_subkeyTimekeyMap.Dump();
    text += "    subkeyCategoryMap:\n" + m_subkeyCategoryMap.Dump();
    text += "    timekeyTimeMap:\n" + m_timekeyTimeMap.Dump();
    text += "    profileData:\n" + m_profileData.Dump();
    text += "    categories: " + JoinList(m_categories) + "\n";
    return text;
}

bool Profiler::OnProfilerBackup(Message message)
{
    SaveStatistics(message.GetBool("force", false), 0);
    return true;
}

bool Profiler::OnProfilerGet(Message message)
{
    const std::string sender = message.GetString("sender");
    const std::string fileName = WriteReport();
    Message answer = sender.empty() ? Message(message.GetURI("return", VireoURI()))
                                    : Message(sender, "Profiler.report");
    answer.SetArg("filename", fileName);
    Send(answer);
    return true;
}

bool Profiler::OnProfilerDelete(Message)
{
    DeleteReport();
    return true;
}

bool Profiler::OnProfilerInit(Message message)
{
    const std::string fileName = message.GetString("filename");
    if (fileName.empty())
        return false;
    // The rules file is rewritten with the statistics and the report goes beside it, so a remote
    // request may name only files it could also transfer.
    if (m_remotePathAllowed
        && (!m_remotePathAllowed(fileName) || !m_remotePathAllowed(kReportPrefix + fileName))) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("%s refuses profile rules from %s.\n", HandlerName().c_str(), fileName.c_str());
        return false;
    }
    LoadRules(fileName, !message.GetBool("state", false));
    return true;
}

bool Profiler::OnProfilerEnable(Message message)
{
    SetEnabled(message.GetBool("state", false));
    return true;
}

bool Profiler::OnProfilerStatus(Message)
{
    if (LogEnabled(LogLevel::Notice))
        LogPrint("%s: profiler display properties:\n%s\n", HandlerName().c_str(), StatusText().c_str());
    return true;
}

bool Profiler::OnTimeChange(Event event)
{
    if (event.Has("delta"))
        SaveStatistics(true, 1);
    return true;
}

} // namespace vireo
