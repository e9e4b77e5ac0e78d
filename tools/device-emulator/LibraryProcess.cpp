#include "tools/device-emulator/LibraryProcess.h"

#include "tools/device-emulator/DeviceReader.h"

#include "vireo/vireo_log.h"

namespace emulator {

namespace {

constexpr const char* kIndexKey = "index";
constexpr const char* kHrefKey = "href";
constexpr const char* kAllIndex = "All";

} // namespace

LibraryProcess::LibraryProcess(const PropertyList& properties, DeviceState& device)
    : EmulatorProcess("Library", properties, device)
{
    RegisterCommand("Music.query", this, &LibraryProcess::OnMusicQuery);
    RegisterCommand("Music.metaquery", this, &LibraryProcess::OnMusicGroups);
    RegisterCommand("Radio.metaquery", this, &LibraryProcess::OnRadioGroups);
    RegisterCommand("Radio.query", this, &LibraryProcess::OnRadioQuery);
    RegisterCommand("Music.retrieve", this, &LibraryProcess::OnRetrieve);
    RegisterCommand("Radio.retrieve", this, &LibraryProcess::OnRetrieve);
    RegisterCommand("Music.create", this, &LibraryProcess::OnCreate);
    RegisterCommand("Radio.create", this, &LibraryProcess::OnCreate);
    RegisterCommand("Music.change", this, &LibraryProcess::OnChange);
    RegisterCommand("Radio.change", this, &LibraryProcess::OnChange);
    RegisterCommand("Music.remove", this, &LibraryProcess::OnMusicRemove);
    RegisterCommand("Radio.remove", this, &LibraryProcess::OnRadioRemove);
    RegisterCommand("File.delete", this, &LibraryProcess::OnDeviceFileDelete);
    ApplyRules();
}

bool LibraryProcess::Answer(const vireo::Message& request, const std::string& document)
{
    std::optional<vireo::Message> reply = ReplyTo(request);
    if (!reply) {
        if (vireo::LogEnabled(vireo::LogLevel::Notice))
            vireo::LogPrint("%s cannot answer %s: it names no reply.\n", Name().c_str(), request.Name().c_str());
        return false;
    }
    return SendReply(std::move(*reply), document);
}

bool LibraryProcess::OnMusicQuery(vireo::Message message)
{
    return Answer(message, Device().library.MusicContainer(message.GetString(kIndexKey, kAllIndex)));
}

bool LibraryProcess::OnMusicGroups(vireo::Message message)
{
    return Answer(message, Device().library.GroupContainer(false));
}

bool LibraryProcess::OnRadioGroups(vireo::Message message)
{
    return Answer(message, Device().library.GroupContainer(true));
}

bool LibraryProcess::OnRadioQuery(vireo::Message message)
{
    return Answer(message, Device().library.StationContainer(message.GetString(kIndexKey, kAllIndex)));
}

bool LibraryProcess::OnRetrieve(vireo::Message message)
{
    // An item the device does not hold is answered without a document, as a failed fetch.
    const std::optional<LibraryItem> item = Device().library.Find(message.GetString(kHrefKey));
    if (!item && vireo::LogEnabled(vireo::LogLevel::Notice))
        vireo::LogPrint("%s holds no item %s.\n", Name().c_str(), message.GetString(kHrefKey).c_str());
    return Answer(message, item ? item->document : std::string());
}

bool LibraryProcess::OnCreate(vireo::Message message)
{
    const std::string document = message.Payload();
    std::string error;
    const std::optional<DocumentFacts> facts = ReadDocumentFacts(document, message.Name().starts_with("Radio."), error);
    if (!facts) {
        if (vireo::LogEnabled(vireo::LogLevel::Notice))
            vireo::LogPrint("%s cannot create from %s: %s.\n", Name().c_str(), message.Name().c_str(), error.c_str());
        return false;
    }
    const std::string href = Device().library.Create(
        *facts, [&](const std::string& reference) { return WithReference(document, reference); });
    if (href.empty() && vireo::LogEnabled(vireo::LogLevel::Warning))
        vireo::LogPrint("%s could not store a new item.\n", Name().c_str());
    return !href.empty();
}

bool LibraryProcess::OnChange(vireo::Message message)
{
    const std::string href = message.GetString(kHrefKey);
    const std::string document = message.Payload();
    std::string error;
    const std::optional<DocumentFacts> facts = ReadDocumentFacts(document, message.Name().starts_with("Radio."), error);
    const std::optional<LibraryItem> item = Device().library.Find(href);
    if (!facts || !item) {
        if (vireo::LogEnabled(vireo::LogLevel::Notice))
            vireo::LogPrint("%s cannot change %s: %s.\n", Name().c_str(), href.c_str(),
                facts ? "no such item" : error.c_str());
        return false;
    }
    // The stored document keeps the device's own reference, whatever form the desktop wrote.
    const std::optional<std::string> stored = WithReference(document, DeviceLibrary::ReferenceOf(item->path));
    return stored && Device().library.Change(href, *facts, *stored);
}

bool LibraryProcess::OnMusicRemove(vireo::Message message)
{
    const std::string href = message.GetString(kHrefKey);
    if (Device().library.Remove(href))
        return true;
    if (vireo::LogEnabled(vireo::LogLevel::Notice))
        vireo::LogPrint("%s has nothing to remove at %s.\n", Name().c_str(), href.c_str());
    return false;
}

bool LibraryProcess::OnRadioRemove(vireo::Message message)
{
    // Stations are removed by their identifier, radio groups by their reference.
    if (message.Has("identifier"))
        return Device().library.RemoveStation(message.GetString("identifier"));
    return OnMusicRemove(std::move(message));
}

} // namespace emulator
