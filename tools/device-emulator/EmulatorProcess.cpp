#include "tools/device-emulator/EmulatorProcess.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <set>

#include "tools/device-emulator/DevicePaths.h"
#include "vireo/TransferFolders.h"
#include "vireo/vireo_log.h"

namespace emulator {

namespace {

constexpr const char* kReturnKey = "return";
constexpr const char* kFileKey = "file";
constexpr const char* kSenderKey = "sender";

// A command-table entry behind the device's rules: the rules decide first whether the command's own
// method sees the message now.
class RuledMethod final : public vireo::DispatchMethod {
public:
    RuledMethod(EmulatorProcess& owner, std::unique_ptr<vireo::DispatchMethod> inner)
        : m_owner(owner)
        , m_inner(std::move(inner))
    {
    }

    bool Invoke(vireo::Message message) override
    {
        if (!m_owner.Admit(message))
            return true;
        return m_inner && m_inner->Invoke(std::move(message));
    }

private:
    EmulatorProcess& m_owner;
    std::unique_ptr<vireo::DispatchMethod> m_inner;
};

std::vector<std::string> ProcessArguments(const std::string& name, const EmulatorProcess::PropertyList& properties)
{
    std::vector<std::string> arguments { name };
    for (const auto& [key, value] : properties)
        arguments.push_back(key + "=" + value);
    return arguments;
}

std::vector<const char*> Pointers(const std::vector<std::string>& texts)
{
    std::vector<const char*> pointers;
    for (const std::string& text : texts)
        pointers.push_back(text.c_str());
    return pointers;
}

// Requests that the framework answers to the address their datagram came from, or that belong to a
// running transfer: that address is only known while the datagram is being handled, so they cannot
// wait.
bool AnswersToSource(const std::string& name)
{
    static const std::set<std::string> transfer { "File.open", "File.open.ack", "File.close", "File.close.ack",
        "File.retry" };
    return transfer.contains(name) || name.starts_with("Process.") || name.starts_with("Ping.");
}

// The device's own processes register with its router and report ready whatever the rules say: the
// rules are about how the device answers its peers.
bool IsDeviceHousekeeping(const vireo::Message& request)
{
    const std::string name = request.GetString(vireo::kNameKey);
    return request.Name().starts_with("Process.") && (name == "System" || name == "Library" || name == "media_sys");
}

} // namespace

EmulatorProcess::EmulatorProcess(const std::string& name, const PropertyList& properties, DeviceState& device)
    : EmulatorProcess(ProcessArguments(name, properties), device)
{
}

EmulatorProcess::EmulatorProcess(const std::vector<std::string>& arguments, DeviceState& device)
    : vireo::Process(static_cast<int>(arguments.size()), Pointers(arguments).data())
    , m_device(device)
{
    SetListProperty(vireo::kVFTPFoldersKey, { device.transferFolder });
    RegisterCommand(vireo::kPropertiesSet, this, &EmulatorProcess::OnDeviceProperties);
    RegisterCommand(vireo::kPropertiesInit, this, &EmulatorProcess::OnDeviceProperties);
    RegisterCommand(vireo::kPropertiesChain, this, &EmulatorProcess::OnDeviceProperties);
}

void EmulatorProcess::ApplyRules()
{
    for (auto& [name, method] : CommandTable())
        method = std::make_unique<RuledMethod>(*this, std::move(method));
}

bool EmulatorProcess::Admit(const vireo::Message& request)
{
    if (m_bypassRules || IsDeviceHousekeeping(request))
        return true;
    const std::string name = request.Name();
    m_device.rules.NoteReceived(name);
    const RequestRule rule = m_device.rules.Find(name);
    switch (rule.action) {
    case RuleAction::Answer:
        return true;
    case RuleAction::Drop:
        m_device.rules.NoteApplied(name);
        if (vireo::LogEnabled(vireo::LogLevel::Notice))
            vireo::LogPrint("%s drops %s as told.\n", Name().c_str(), name.c_str());
        return false;
    case RuleAction::Refuse:
        m_device.rules.NoteApplied(name);
        if (vireo::LogEnabled(vireo::LogLevel::Notice))
            vireo::LogPrint("%s refuses %s as told.\n", Name().c_str(), name.c_str());
        Refuse(request);
        return false;
    case RuleAction::Delay:
        if (AnswersToSource(name)) {
            if (vireo::LogEnabled(vireo::LogLevel::Warning))
                vireo::LogPrint("%s cannot delay %s: it is answered where it came from. Handled now.\n",
                    Name().c_str(), name.c_str());
            return true;
        }
        m_device.rules.NoteApplied(name);
        {
            // A spilled payload's file goes once the datagram is handled: the delayed copy carries
            // the payload itself.
            vireo::Message copy = request;
            if (request.HasPayloadFile())
                copy.SetAnchor(name + "!" + request.Payload());
            m_delayed.push_back({ std::chrono::steady_clock::now() + rule.delay, std::move(copy) });
        }
        return false;
    }
    return true;
}

std::optional<std::chrono::steady_clock::duration> EmulatorProcess::RunDelayed()
{
    const auto now = std::chrono::steady_clock::now();
    std::vector<vireo::Message> due;
    auto keep = std::stable_partition(
        m_delayed.begin(), m_delayed.end(), [&](const Delayed& delayed) { return delayed.due > now; });
    for (auto it = keep; it != m_delayed.end(); ++it)
        due.push_back(std::move(it->request));
    m_delayed.erase(keep, m_delayed.end());

    for (const vireo::Message& request : due) {
        m_bypassRules = true;
        if (!Dispatch(request) && vireo::LogEnabled(vireo::LogLevel::Notice))
            vireo::LogPrint("%s did not successfully process delayed %s.\n", Name().c_str(), request.Name().c_str());
        m_bypassRules = false;
    }

    if (m_delayed.empty())
        return std::nullopt;
    const auto next = std::min_element(m_delayed.begin(), m_delayed.end(),
        [](const Delayed& a, const Delayed& b) { return a.due < b.due; });
    return std::max(next->due - std::chrono::steady_clock::now(), std::chrono::steady_clock::duration::zero());
}

std::optional<vireo::Message> EmulatorProcess::ReplyTo(const vireo::Message& request)
{
    if (request.Has(kReturnKey))
        return vireo::Message(request.GetURI(kReturnKey));
    const std::string payload = request.Payload();
    if (!payload.empty())
        return vireo::Message(vireo::VireoURI(payload));
    return std::nullopt;
}

bool EmulatorProcess::SendReply(vireo::Message reply, const std::string& document)
{
    if (!document.empty())
        reply.SetAnchor(reply.Name() + "!" + document);
    return Send(reply);
}

void EmulatorProcess::Refuse(const vireo::Message& request)
{
    const std::string name = request.Name();
    const std::string sender = request.GetString(kSenderKey);
    if (name == "File.open") {
        vireo::Message nack = MakeMessage(sender, "File.open.nack");
        nack.SetArg("localID", request.GetInt("foreignID", 0));
        Send(nack);
    } else if (name == "File.delete") {
        if (sender.empty())
            return;
        vireo::Message ack = MakeMessage(sender, "File.delete.ack");
        ack.SetArg("localID", request.GetInt("foreignID", 0));
        ack.SetArg("status", EACCES);
        Send(ack);
    } else if (name.starts_with("Process.")) {
        // The answer a registration names is the confirmation itself: a refused one gets none.
        return;
    } else if (std::optional<vireo::Message> reply = ReplyTo(request)) {
        SendReply(std::move(*reply));
    }
}

std::string EmulatorProcess::TransferPath(const std::string& reference) const
{
    const std::string path = DevicePath(reference);
    if (path.empty())
        return {};
    if (m_device.transferFolder == ".")
        return path;
    return (std::filesystem::path(m_device.transferFolder) / path).string();
}

bool EmulatorProcess::OnDeviceProperties(vireo::Message message)
{
    bool taken = message.Name() == vireo::kPropertiesSet;
    const vireo::AttributeValueMap args = message.Args();
    for (const auto& [key, value] : args.EntryMap()) {
        if (taken && (key == vireo::kUdnKey || key == "revNum")) {
            SetProperty(key, value.Value());
            continue;
        }
        taken = false;
        if (vireo::LogEnabled(vireo::LogLevel::Notice))
            vireo::LogPrint("%s does not take property %s from %s.\n", Name().c_str(), key.c_str(),
                message.Name().c_str());
    }
    return taken;
}

bool EmulatorProcess::OnDeviceFileOpen(vireo::Message message)
{
    const std::string path = TransferPath(message.GetString(kFileKey));
    // The device files what it is sent in folders of its own (Music/, Database/Music/Covers/), which
    // need not exist yet; only a path the transfer rule accepts may create them.
    if (!path.empty() && message.GetString("mode").starts_with("w")
        && vireo::TransferFolders({ m_device.transferFolder }).Allows(path)) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    }
    message.SetArg(kFileKey, path);
    return OnFileOpen(std::move(message));
}

bool EmulatorProcess::OnDeviceFileDelete(vireo::Message message)
{
    message.SetArg(kFileKey, TransferPath(message.GetString(kFileKey)));
    return OnFileDelete(std::move(message));
}

} // namespace emulator
