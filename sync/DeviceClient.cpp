#include "sync/DeviceClient.h"

#include <utility>

#include "platform/base/Thread.h"
#include "platform/xml/MsXml.h"
#include "sync/DeviceClientHandler.h"
#include "sync/DeviceClientState.h"

namespace {

constexpr const char* kProcessConnected = "Process.connected";

// The reply names and their handlers, in the order they are registered.
const std::pair<const char*, DeviceClient::ReplyHandler> kReplyBindings[] = {
    { "Process.connected", &DeviceClient::OnProcessConnected },
    { "Properties.get.results", &DeviceClient::OnSetupProperties },
    { "Properties.report", &DeviceClient::OnSetupProperties },
    { "Music.albums.list.all.query.results", &DeviceClient::OnAlbumsListResults },
    { "Music.file.query.results", &DeviceClient::OnMusicFileResults },
    { "File.delete.query.results", &DeviceClient::OnFileDeleteResults },
    { "Music.album.add.query.results", &DeviceClient::OnAlbumAddResults },
    { "Radio.add.query.results", &DeviceClient::OnRadioAddResults },
    { "Music.group.add.query.results", &DeviceClient::OnGroupAddResults },
    { "Music.playlist.add.query.results", &DeviceClient::OnPlaylistAddResults },
    { "Music.album.metadelete.query.results", &DeviceClient::OnAlbumMetadeleteResults },
    { "Groups.query.results", &DeviceClient::OnGroupsResults },
    { "Radio.list.all.query.results", &DeviceClient::OnRadioListResults },
    { "Radio.file.query.results", &DeviceClient::OnRadioFileResults },
    { "Playlist.list.all.query.results", &DeviceClient::OnPlaylistListResults },
    { "Playlist.file.query.results", &DeviceClient::OnPlaylistFileResults },
    { "Playlist.delete.query.results", &DeviceClient::OnPlaylistDeleteResults },
    { "Radio.delete.query.results", &DeviceClient::OnRadioDeleteResults },
    { "Group.delete.query.results", &DeviceClient::OnGroupDeleteResults },
    { "Radio.update.query.results", &DeviceClient::OnRadioUpdateResults },
    { "Music.album.update.query.results", &DeviceClient::OnAlbumUpdateResults },
    { "Group.update.query.results", &DeviceClient::OnGroupUpdateResults },
    { "Playlist.update.query.results", &DeviceClient::OnPlaylistUpdateResults },
    { "Radio.group.file.query.results", &DeviceClient::OnRadioGroupFileResults },
    { "Music.group.file.query.results", &DeviceClient::OnMusicGroupFileResults },
    { "File.reply", &DeviceClient::OnFileReply },
    { "File.open.nack", &DeviceClient::OnFileOpenNack },
    { "File.retry", &DeviceClient::OnFileRetry },
};

} // namespace

void DeviceClient::ComRelease::operator()(IXMLDOMDocument2* document) const
{
    if (document)
        document->Release();
}

DeviceClient::DeviceClient(int argc, const char* const* argv)
    : DeviceClient(DeviceClientLink::Create(argc, argv))
{
}

DeviceClient::DeviceClient(std::unique_ptr<DeviceClientLink> link)
    : m_link(std::move(link))
{
    m_link->SetListener(this);
}

DeviceClient::~DeviceClient()
{
    Finalize();
    m_parser.reset();
    // The process goes after this body: nothing it does on its way out may reach this client.
    m_link->SetListener(nullptr);
}

bool DeviceClient::Initialize()
{
    if (m_initialised)
        return true;
    if (!m_networking) {
        m_link->StartNetworking();
        m_networking = true;
    }
    m_opened = m_link->Init() == 0;
    // The router answers the registration that Init sent; a quiet first slice means no device.
    const int pumped = Pump(kDiscoverySliceSeconds);
    RegisterHandlers();
    m_initialised = pumped == 0 && m_parser;
    return m_initialised;
}

void DeviceClient::Finalize()
{
    if (m_networking) {
        m_link->StopNetworking();
        m_networking = false;
    }
    m_initialised = false;
    m_connected = false;
}

void DeviceClient::RegisterHandlers()
{
    vireo::Dispatcher& commands = m_link->Commands();
    commands.CommandTable().erase(kProcessConnected);
    commands.CommandTable().erase("File.retry");
    for (const auto& [name, handler] : kReplyBindings)
        commands.MethodSlot(name) = std::make_unique<DeviceClientHandler>(this, handler);
    if (!m_parser)
        CreateParserDocument();
}

void DeviceClient::CreateParserDocument()
{
    IXMLDOMDocument2* document = nullptr;
    const HRESULT hr = CoCreateInstance(CLSID_DOMDocument30, nullptr,
        CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER, platform::IidOf<IXMLDOMDocument2>(),
        reinterpret_cast<void**>(&document));
    if (FAILED(hr) || !document)
        return;
    m_parser.reset(document);
    document->put_validateOnParse(VARIANT_FALSE);
    document->put_preserveWhiteSpace(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);
    document->put_async(VARIANT_FALSE);
}

int DeviceClient::Pump(int seconds) { return m_link->HandleEvents(std::chrono::seconds(seconds)); }

int DeviceClient::HandleEvents(int seconds) { return Pump(seconds); }

void DeviceClient::Wake() { m_link->Wake(); }

std::string DeviceClient::Name() const { return m_link->Name(); }

std::string DeviceClient::GetProperty(const std::string& key, const std::string& def) const
{
    return m_link->GetProperty(key, def);
}

void DeviceClient::SetProperty(const std::string& key, const std::string& value) { m_link->SetProperty(key, value); }

bool DeviceClient::HasProperty(const std::string& key) const { return m_link->HasProperty(key); }

bool DeviceClient::DiscoverDevices(const std::string& broadcastMask)
{
    // Where no device answers, the router is silent too: the broadcast needs only the socket.
    if (!Initialize() && !(m_opened && m_parser))
        return false;
    std::string rest = broadcastMask;
    bool first = true;
    do {
        std::string piece;
        const std::size_t comma = rest.find(',');
        if (comma == std::string::npos || comma == 0) {
            piece = std::exchange(rest, std::string());
        } else {
            piece = rest.substr(0, comma);
            rest.erase(0, comma + 1);
        }
        if (piece.empty() && !first)
            break;
        first = false;
        if (!piece.empty())
            m_link->SetProperty("Socket.broadcastAddress", piece);
        m_link->Discover();
        m_link->Pause(kDiscoveryPause);
        while (Pump(kDiscoverySliceSeconds) == 0) {
        }
    } while (!rest.empty());
    return true;
}

bool DeviceClient::WaitUntilReady(const std::string&, bool force)
{
    if (!Initialize())
        return false;
    if (m_connected && !force)
        return true;
    SetReplyFlag(kProcessConnected, false);
    vireo::Message identity = m_link->MakeIdentityMessage();
    identity.SetPayload(MakeReply(kProcessConnected).WireText());
    m_link->Send(identity);
    return WaitForReply(kProcessConnected, 0);
}

bool DeviceClient::WaitForReply(const std::string& replyName, int limitSeconds)
{
    const int limit = limitSeconds <= kMinimumReplyLimitSeconds ? kMinimumReplyLimitSeconds : limitSeconds;
    ReplyFlagTable& flags = ReplyFlags();
    int elapsed = 0;
    int last = 0;
    for (;;) {
        if (flags[replyName])
            break;
        if (DeviceClientState::Cancelled() || platform::ThreadStopRequested())
            break;
        last = Pump(kReplySliceSeconds);
        // Counted whatever the slice really took: a busy network makes slices short, and the wait
        // then goes on for as long as something keeps arriving.
        elapsed += kReplySliceSeconds;
        if (!((!flags[replyName] && elapsed < limit) || last == 0))
            break;
    }
    return std::exchange(flags[replyName], false);
}

vireo::Message DeviceClient::MakeReply(const std::string& replyName) { return m_link->MakeMessage(Name(), replyName); }

void DeviceClient::SetReplyFlag(const std::string& replyName, bool value) { ReplyFlags()[replyName] = value; }

bool DeviceClient::OnProcessConnected(vireo::Message)
{
    m_connected = true;
    SetReplyFlag(kProcessConnected);
    return true;
}

bool DeviceClient::OnIdentity(vireo::Message message) { return m_link->HandleIdentity(std::move(message)); }

void DeviceClient::OnDiscovered(vireo::AttributeValueMap& attributes)
{
    std::string address = attributes.GetString("IPaddress");
    const std::size_t colon = address.find(':');
    if (colon != std::string::npos && colon > 0)
        address.erase(colon);
    DeviceClientState::AddDevice(address, attributes.GetString("oemName"), attributes.GetString("serialNumber"),
        attributes.GetString("friendlyName"), attributes.GetString("productName"), attributes.GetString("udn"));
}
