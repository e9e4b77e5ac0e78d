#include "tools/device-emulator/SystemProcess.h"

#include <charconv>

#include "vireo/vireo_log.h"

namespace emulator {

namespace {

constexpr const char* kRevisionKey = "revNum";
constexpr const char* kReportName = "Properties.report";

// A file size as the desktop writes it; -1 when it is no size.
long long ReadSize(const std::string& text)
{
    long long size = -1;
    const char* last = text.data() + text.size();
    const auto [end, status] = std::from_chars(text.data(), last, size);
    return status == std::errc() && end == last && !text.empty() ? size : -1;
}

} // namespace

SystemProcess::SystemProcess(const PropertyList& properties, DeviceState& device)
    : EmulatorProcess("System", properties, device)
{
    RegisterCommand("Process.identity", this, &SystemProcess::OnIdentity);
    RegisterCommand("Properties.get", this, &SystemProcess::OnSetupGet);
    RegisterCommand("Properties.set", this, &SystemProcess::OnSetupSet);
    RegisterCommand("File.check", this, &SystemProcess::OnFileCheck);
    RegisterCommand("File.unreserve", this, &SystemProcess::OnFileUnreserve);
    RegisterCommand("Music.remove", this, &SystemProcess::OnAlbumRemove);
    RegisterCommand("File.open", this, &SystemProcess::OnDeviceFileOpen);
    RegisterCommand("File.delete", this, &SystemProcess::OnDeviceFileDelete);
    ApplyRules();
}

bool SystemProcess::OnIdentity(vireo::Message message)
{
    // The revision goes straight back to where the identity came from, ahead of the framework's own
    // answers: a client that is told it is connected already knows which documents to send.
    const std::string client = message.GetString(vireo::kNameKey);
    if (Device().revision > 0 && !client.empty() && client != Name()) {
        vireo::Message revision = MakeMessage(client, vireo::kPropertiesSet, kRevisionKey,
            std::to_string(Device().revision));
        SendDatagram(revision.WireText(), SourceAddress());
    }
    return OnProcessIdentity(std::move(message));
}

bool SystemProcess::OnSetupGet(vireo::Message message)
{
    std::optional<vireo::Message> reply = ReplyTo(message);
    const std::string sender = message.GetString(vireo::kEventSender);
    if (!reply) {
        if (sender.empty())
            return false;
        std::string name = kReportName;
        const std::string handler = message.GetString(vireo::kHandlerKey);
        if (!handler.empty())
            name += "." + handler;
        reply = MakeMessage(sender, name);
    }
    if (message.Has(vireo::kAttributesKey)) {
        for (const std::string& key : message.GetList(vireo::kAttributesKey))
            reply->SetArg(key, key.starts_with(kSetupPrefix) ? Device().setup.Get(key) : GetProperty(key));
    } else {
        for (const auto& [key, value] : Device().setup.All())
            reply->SetArg(key, value);
    }
    return SendReply(std::move(*reply));
}

bool SystemProcess::OnSetupSet(vireo::Message message)
{
    // Only the owner's details may be set from outside: the process's own properties (its port, its
    // transfer folders) are not the desktop's to change.
    bool stored = true;
    const vireo::AttributeValueMap args = message.Args();
    for (const auto& [key, value] : args.EntryMap()) {
        if (Device().setup.Set(key, value.Value()))
            continue;
        stored = false;
        if (vireo::LogEnabled(vireo::LogLevel::Notice))
            vireo::LogPrint("%s does not store property %s.\n", Name().c_str(), key.c_str());
    }
    return stored;
}

bool SystemProcess::OnFileCheck(vireo::Message message)
{
    std::optional<vireo::Message> reply = ReplyTo(message);
    if (!reply)
        return false;
    reply->SetArg("id", message.GetString("id"));
    const std::optional<Reservation> reservation
        = Device().space.Reserve(ReadSize(message.GetString("filesize")), message.GetInt("item", 0));
    if (reservation) {
        reply->SetArg("filename", reservation->fileName);
        reply->SetArg("spaceID", reservation->spaceID);
    }
    return SendReply(std::move(*reply));
}

bool SystemProcess::OnFileUnreserve(vireo::Message message)
{
    // Files the desktop places itself (covers) come with no reservation and an empty id.
    const std::string spaceID = message.GetString("spaceID");
    if (!spaceID.empty() && !Device().space.Release(spaceID) && vireo::LogEnabled(vireo::LogLevel::Notice))
        vireo::LogPrint("%s holds no reservation %s.\n", Name().c_str(), spaceID.c_str());
    return true;
}

bool SystemProcess::OnAlbumRemove(vireo::Message message)
{
    // Albums are named "1.href", "2.href", ..., or "href" alone.
    bool removed = true;
    const vireo::AttributeValueMap args = message.Args();
    for (const auto& [key, value] : args.EntryMap()) {
        if (key != "href" && !key.ends_with(".href"))
            continue;
        if (!Device().library.Remove(value.Value())) {
            removed = false;
            if (vireo::LogEnabled(vireo::LogLevel::Notice))
                vireo::LogPrint("%s has no album %s to remove.\n", Name().c_str(), value.Value().c_str());
        }
    }
    return removed;
}

void SystemProcess::Refuse(const vireo::Message& request)
{
    if (request.Name() != "File.check") {
        EmulatorProcess::Refuse(request);
        return;
    }
    // A check without a file name is the device's "no room".
    if (std::optional<vireo::Message> reply = ReplyTo(request)) {
        reply->SetArg("id", request.GetString("id"));
        SendReply(std::move(*reply));
    }
}

} // namespace emulator
