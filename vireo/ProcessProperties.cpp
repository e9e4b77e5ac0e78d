// The locked property accessors, the properties files, and the messages that read and change the
// properties, report on the process and steer its log.

#include "vireo/Process.h"

#include <ace/Guard_T.h>
#include <ace/SOCK_Dgram.h>

#include "vireo/vireo_log.h"

namespace vireo {

namespace {

using Lock = ACE_Guard<ACE_Recursive_Thread_Mutex>;

// A name that could reach another folder or a special file does not name a properties file.
bool IsPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos
        && name.find('\0') == std::string::npos;
}

// Remote requests may only chain properties files in the process's own folder.
bool ChainStaysLocal(const Message& message)
{
    for (const std::string& file : message.GetList(kPropertiesChain)) {
        if (file.empty() || file.front() == '/' || file.front() == '\\' || file.find("..") != std::string::npos
            || (file.size() > 1 && file[1] == ':'))
            return false;
    }
    return true;
}

} // namespace

void Process::SetProperty(const std::string& key, const std::string& value)
{
    Lock lock(m_propertyMutex);
    m_properties.SetString(key, value);
}

void Process::SetIntProperty(const std::string& key, int value)
{
    Lock lock(m_propertyMutex);
    m_properties.SetInt(key, value);
}

void Process::SetListProperty(const std::string& key, const StringList& value)
{
    Lock lock(m_propertyMutex);
    m_properties.SetList(key, value);
}

void Process::SetURIProperty(const std::string& key, const VireoURI& value)
{
    Lock lock(m_propertyMutex);
    m_properties.SetURI(key, value);
}

void Process::SetAttribute(const AttributeValue& attribute)
{
    Lock lock(m_propertyMutex);
    m_properties.Set(attribute);
}

void Process::SetMapProperty(const std::string& prefix, const AttributeValueMap& map)
{
    Lock lock(m_propertyMutex);
    m_properties.SetSubMap(prefix, map);
}

void Process::RemoveProperty(const std::string& key)
{
    Lock lock(m_propertyMutex);
    m_properties.Erase(key);
}

void Process::RemoveMapProperty(const std::string& prefix)
{
    Lock lock(m_propertyMutex);
    m_properties.EraseSubKeys(prefix);
}

bool Process::HasProperty(const std::string& key) const
{
    Lock lock(m_propertyMutex);
    return m_properties.Has(key);
}

std::string Process::GetProperty(const std::string& key, const std::string& def) const
{
    Lock lock(m_propertyMutex);
    return m_properties.GetString(key, def);
}

int Process::GetIntProperty(const std::string& key, int def) const
{
    Lock lock(m_propertyMutex);
    return m_properties.GetInt(key, def);
}

StringList Process::GetListProperty(const std::string& key) const
{
    Lock lock(m_propertyMutex);
    return m_properties.GetList(key);
}

AttributeValue Process::GetAttribute(const std::string& key, const AttributeValue& def) const
{
    Lock lock(m_propertyMutex);
    return m_properties.Get(key, def);
}

AttributeValueMap Process::GetMapProperty(const std::string& prefix) const
{
    Lock lock(m_propertyMutex);
    return m_properties.SubMap(prefix);
}

AttributeValueMap Process::AllProperties() const
{
    Lock lock(m_propertyMutex);
    return AttributeValueMap(m_properties);
}

std::string Process::PropertiesText() const
{
    Lock lock(m_propertyMutex);
    return m_properties.Dump();
}

std::string Process::PropertiesFileName() const
{
    const std::string name = Name();
    // "name" can be set by any peer; a name that leaves the current folder must not become a path.
    if (!IsPlainFileName(name))
        return {};
    return name + kPropertiesFileSuffix;
}

void Process::SaveProperties()
{
    Lock lock(m_propertyMutex);
    const std::string file = PropertiesFileName();
    if (file.empty()) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("%s is not a usable properties file name; properties not saved.\n", Name().c_str());
        return;
    }
    m_properties.SetBool(kLoadCompleteKey, true);
    m_properties.Save(file);
    m_properties.Save(kBackupFolder + file);
}

void Process::OnPropertiesChanged(AttributeValueMap&) { }

bool Process::OnPropertiesSet(Message message)
{
    AttributeValueMap changed = message.Args();
    {
        Lock lock(m_propertyMutex);
        m_properties.Merge(changed);
    }
    OnPropertiesChanged(changed);
    SaveProperties();
    return true;
}

bool Process::OnPropertiesInit(Message message)
{
    if (!ChainStaysLocal(message)) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s refuses to chain properties files outside its folder.\n", Name().c_str());
        return false;
    }
    Lock lock(m_propertyMutex);
    m_properties.AssignChained(message.Args());
    return true;
}

bool Process::OnPropertiesChain(Message message)
{
    if (!ChainStaysLocal(message)) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s refuses to chain properties files outside its folder.\n", Name().c_str());
        return false;
    }
    Lock lock(m_propertyMutex);
    m_properties.MergeChain(Properties(message.Args()));
    return true;
}

bool Process::OnPropertiesGet(Message message)
{
    std::string name = kPropertiesReport;
    const std::string handler = message.GetString(kHandlerKey);
    if (!handler.empty())
        name += "." + handler;
    Message reply = MakeMessage(message.GetString(kEventSender), name);
    if (message.Has(kAttributesKey)) {
        for (const std::string& key : message.GetList(kAttributesKey))
            reply.SetArg(key, GetProperty(key));
    } else {
        reply.AddArgs(AllProperties());
    }
    reply.AddArgs(message.Args());
    Send(reply);
    return true;
}

bool Process::OnProcessStatus(Message)
{
    if (LogEnabled(LogLevel::Notice)) {
        LogPrint("%s current properties:\n%s\n", Name().c_str(), PropertiesText().c_str());
        LogPrint("%s's full client map:\n%s", Name().c_str(), ClientMapText().c_str());
    }
    if (LogEnabled(LogLevel::Info))
        LogPrint("%s using socket #%d.\n", Name().c_str(), static_cast<int>(get_handle()));
    return true;
}

bool Process::OnProcessHelp(Message)
{
    std::string commands;
    for (const auto& [name, method] : CommandTable())
        commands += (commands.empty() ? "" : ", ") + name;
    std::string events;
    for (const auto& [type, method] : EventTable())
        events += (events.empty() ? "" : ", ") + type;
    const std::string text = "\n  Commands: " + commands + "\n\n  Events: " + events;
    if (LogEnabled(LogLevel::Notice))
        LogPrint("%s responds to:\n%s\n", Name().c_str(), text.c_str());
    return true;
}

bool Process::OnDebugChange(Message message)
{
    if (message.Has("level"))
        SetProperty(kDebugLevelKey, message.GetString("level"));
    else if (message.Has("debug") && message.GetBool("debug"))
        SetProperty(kDebugLevelKey, "DEBUG");
    else
        SetProperty(kDebugLevelKey, "NOTICE");
    ApplyLogSettings();
    const std::string level = GetProperty(kDebugLevelKey);
    const std::string fields = message.Has("fields") ? message.GetString("fields") : "ALL";
    for (int sink : { 1, 2, 4 })
        SetSinkFromText(sink, level, fields);
    return true;
}

bool Process::OnLogChange(Message message)
{
    const std::string fields = message.Has("fields") ? message.GetString("fields") : "ALL";
    const std::pair<const char*, int> sinks[] = { { "console", 1 }, { "file", 2 }, { "net", 4 } };
    for (const auto& [sink, bits] : sinks) {
        const std::string level = message.GetString(sink);
        if (!level.empty())
            SetSinkFromText(bits, level, fields);
    }
    if (message.Has("debug"))
        SetLogDebugFlag(message.GetBool("debug"));
    if (message.Has("status"))
        ReportLogStatus();
    return true;
}

bool Process::OnProcessTerminate(Message message)
{
    if (message.GetBool("Process.save", false))
        SaveProperties();
    Stop();
    return true;
}

} // namespace vireo
