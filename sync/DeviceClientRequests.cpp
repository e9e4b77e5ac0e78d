// The device client's requests: what each sends to which device process, and what it returns.

#include "platform/base/CodePage.h"
#include "sync/ComponentUtilities.h"
#include "sync/DeviceClient.h"
#include "sync/DeviceClientState.h"
#include "sync/RecordReader.h"

using namespace record_reader;

namespace {

constexpr const char* kSystem = "System";
constexpr const char* kLibrary = "Library";
constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\"";
constexpr const char* kUtf8Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"";
constexpr const char* kSetupAttributes = "Setup.lastName,Setup.firstName,Setup.homeAddress1,Setup.homeCity,"
                                         "Setup.homeState,Setup.homeZipCode,Setup.emailAddress,Setup.phoneNumber";

std::string Ansi(const std::u16string& text) { return platform::Utf16ToUtf8(text); }

// The record of a table entry, with `out` set to S_OK; null (and `out` left) for the table's end.
template <class List>
auto RecordOf(List& list, typename List::iterator entry, HRESULT& out) -> decltype(entry->second.get())
{
    if (entry == list.end())
        return nullptr;
    out = S_OK;
    return entry->second.get();
}

} // namespace

std::string DeviceClient::DocumentPayload(const std::string& document)
{
    // Only a declaration that opens the text is rewritten: anything else there is the document.
    if (document.starts_with(kXmlDeclaration))
        return kUtf8Declaration + document.substr(std::char_traits<char>::length(kXmlDeclaration));
    return document;
}

bool DeviceClient::SendAndWait(vireo::Message& request, vireo::Message& reply, int limitSeconds, bool replyAsPayload)
{
    if (replyAsPayload)
        request.SetPayload(reply.WireText());
    else
        request.SetArg("return", reply);
    const std::string replyName = reply.Name();
    SetReplyFlag(replyName, false);
    if (!m_link->Send(request))
        return false;
    return WaitForReply(replyName, limitSeconds);
}

bool DeviceClient::GetSetupProperties()
{
    if (!Initialize())
        return false;
    vireo::Message request = m_link->MakeMessage(kSystem, "Properties.get");
    request.SetArg("attributes", kSetupAttributes);
    request.SetArg("sender", Name());
    vireo::Message reply = MakeReply("Properties.get.results");
    return SendAndWait(request, reply, 0, true);
}

bool DeviceClient::SendSetupProperties()
{
    if (!Initialize())
        return false;
    vireo::Message request = m_link->MakeMessage(kSystem, "Properties.set");
    bool any = false;
    for (int entry = 0; entry < CustomerSetup::kEntryCount; ++entry) {
        if (!m_setup.SendFlag(entry))
            continue;
        request.SetArg(CustomerSetup::PropertyName(entry), Utf8(m_setup.Value(entry)));
        any = true;
    }
    return !any || m_link->Send(request);
}

AlbumList& DeviceClient::QueryAlbums(HRESULT& out)
{
    out = S_OK;
    if (!Initialize()) {
        out = E_FAIL;
        return Albums();
    }
    vireo::Message request = m_link->MakeMessage(kLibrary, "Music.query");
    request.SetArg("query", "getAll");
    request.SetArg("index", "All");
    vireo::Message reply = MakeReply("Music.albums.list.all.query.results");
    reply.SetArg("mtype", "music");
    if (!SendAndWait(request, reply, 0, true))
        out = E_FAIL;
    return Albums();
}

GroupMap& DeviceClient::QueryGroups(HRESULT& out, const std::string& mtype)
{
    const bool music = mtype == "music";
    GroupMap& groups = music ? MusicGroups() : RadioGroups();
    out = S_OK;
    if (!Initialize()) {
        out = E_FAIL;
        return groups;
    }
    vireo::Message request = m_link->MakeMessage(kLibrary, music ? "Music.metaquery" : "Radio.metaquery");
    request.SetArg("query", "getAll");
    request.SetArg("index", "group");
    vireo::Message reply = MakeReply("Groups.query.results");
    reply.SetArg("gtype", mtype);
    reply.SetArg("mtype", mtype);
    if (!SendAndWait(request, reply, 0, true))
        out = E_FAIL;
    return groups;
}

RadioList& DeviceClient::QueryRadioStations(HRESULT& out)
{
    out = S_OK;
    if (!Radios().empty())
        return Radios();
    if (!Initialize()) {
        out = E_FAIL;
        return Radios();
    }
    vireo::Message request = m_link->MakeMessage(kLibrary, "Radio.query");
    request.SetArg("query", "getAll");
    request.SetArg("index", "All");
    vireo::Message reply = MakeReply("Radio.list.all.query.results");
    reply.SetArg("mtype", "radio");
    // A device that does not answer has no stations.
    SendAndWait(request, reply, 0, true);
    return Radios();
}

PlaylistList& DeviceClient::QueryPlaylists(HRESULT& out)
{
    out = S_OK;
    if (!Playlists().empty())
        return Playlists();
    if (!Initialize()) {
        out = E_FAIL;
        return Playlists();
    }
    vireo::Message request = m_link->MakeMessage(kLibrary, "Music.query");
    request.SetArg("index", "Playlists");
    request.SetArg("query", "getAll");
    vireo::Message reply = MakeReply("Playlist.list.all.query.results");
    reply.SetArg("mtype", "playlist");
    // A device that does not answer has no playlists.
    SendAndWait(request, reply, 0, true);
    return Playlists();
}

bool DeviceClient::RequestDocument(
    const char* requestName, const char* replyName, const char* mediaType, const std::u16string& href)
{
    vireo::Message request = m_link->MakeMessage(kLibrary, requestName);
    request.SetArg("href", Ansi(href));
    vireo::Message reply = MakeReply(replyName);
    reply.SetArg("href", Ansi(href));
    reply.SetArg("mtype", mediaType);
    return SendAndWait(request, reply, 0, false);
}

AlbumRecord* DeviceClient::RetrieveAlbum(HRESULT& out, const std::u16string& href)
{
    out = E_FAIL;
    AlbumList& albums = Albums();
    if (albums.empty())
        return nullptr;
    if (!IsThisDeviceUrl(href)) {
        // The album's document lies on another device: it is listed as read and hidden.
        out = S_OK;
        const auto entry = albums.Find(href);
        if (entry == albums.end())
            return nullptr;
        entry->second->SetFlags();
        return entry->second.get();
    }
    if (!Initialize())
        return nullptr;
    if (!RequestDocument("Music.retrieve", "Music.file.query.results", "music", href))
        return nullptr;
    return RecordOf(albums, albums.Find(href), out);
}

RadioRecord* DeviceClient::RetrieveRadioStation(HRESULT& out, const std::u16string& href)
{
    out = E_FAIL;
    RadioList& radios = Radios();
    if (radios.empty() || !Initialize())
        return nullptr;
    if (!RequestDocument("Radio.retrieve", "Radio.file.query.results", "radio", href))
        return nullptr;
    return RecordOf(radios, radios.find(href), out);
}

PlaylistRecord* DeviceClient::RetrievePlaylist(HRESULT& out, const std::u16string& href)
{
    out = E_FAIL;
    PlaylistList& playlists = Playlists();
    if (playlists.empty() || !Initialize())
        return nullptr;
    if (!RequestDocument("Music.retrieve", "Playlist.file.query.results", "playlist", href))
        return nullptr;
    return RecordOf(playlists, playlists.find(href), out);
}

HRESULT DeviceClient::RemoveRadioStation(const std::string&, const std::string& identifier)
{
    if (!Initialize())
        return E_FAIL;
    vireo::Message request = m_link->MakeMessage(kLibrary, "Radio.remove");
    request.SetArg("identifier", identifier);
    return m_link->Send(request) ? S_OK : E_FAIL;
}

HRESULT DeviceClient::SendRemoval(const std::string& requestName, const std::u16string& href, bool rejectEmpty)
{
    const std::string deviceUrl = StripLocalPrefix(Ansi(href));
    if (rejectEmpty && deviceUrl.empty())
        return E_INVALIDARG;
    if (!Initialize())
        return E_FAIL;
    vireo::Message request = m_link->MakeMessage(kLibrary, requestName);
    request.SetArg("href", deviceUrl);
    return m_link->Send(request) ? S_OK : E_FAIL;
}

HRESULT DeviceClient::RemoveMusicGroup(const std::u16string& href) { return SendRemoval("Music.remove", href, true); }

HRESULT DeviceClient::RemoveRadioGroup(const std::u16string& href) { return SendRemoval("Radio.remove", href, true); }

template <class List>
HRESULT DeviceClient::RemoveListed(List& list, const std::string& containerDocument, const char* process, const char* hrefArg)
{
    if (containerDocument.empty())
        return E_INVALIDARG;
    if (!Initialize())
        return E_FAIL;
    if (!m_parser)
        return E_POINTER;
    // The steps may still hold records of the table: they stay alive until the next run.
    for (auto& [href, record] : list)
        DeviceClientState::Retire(std::move(record));
    list.clear();
    if (!LoadDocument(containerDocument))
        return S_FALSE;
    if (!list.ParseItems(m_parser.get()))
        return E_FAIL;
    HRESULT result = S_OK;
    for (const auto& [href, record] : list) {
        vireo::Message request = m_link->MakeMessage(process, "Music.remove");
        request.SetArg(hrefArg, StripLocalPrefix(Ansi(href)));
        if (!m_link->Send(request))
            result = E_FAIL;
    }
    return result;
}

HRESULT DeviceClient::RemoveAlbums(const std::string& containerDocument)
{
    return RemoveListed(Albums(), containerDocument, kSystem, "1.href");
}

HRESULT DeviceClient::RemovePlaylist(const std::string& containerDocument)
{
    return RemoveListed(Playlists(), containerDocument, kLibrary, "href");
}

HRESULT DeviceClient::SendChange(const std::string& document, const std::string& requestName,
    bool (*hrefOf)(IXMLDOMNode* root, std::u16string& href))
{
    if (document.empty() || !m_parser)
        return E_INVALIDARG;
    Initialize();
    if (!LoadDocument(document))
        return E_FAIL;
    IXMLDOMElementPtr root;
    const HRESULT hr = m_parser->get_documentElement(&root);
    if (FAILED(hr))
        return hr;
    if (!root)
        return E_FAIL;
    std::u16string href;
    if (!hrefOf(root, href))
        return E_FAIL;
    vireo::Message request = m_link->MakeMessage(kLibrary, requestName);
    request.SetArg("href", StripLocalPrefix(Ansi(href)));
    request.SetPayload(DocumentPayload(document));
    return m_link->Send(request) ? S_OK : E_FAIL;
}

HRESULT DeviceClient::ChangeAlbum(const std::string& document)
{
    return SendChange(document, "Music.change", [](IXMLDOMNode* root, std::u16string& href) {
        AlbumRecord record;
        const bool parsed = record.ParseCdInfo(root);
        href = record.HrefText();
        return parsed;
    });
}

HRESULT DeviceClient::ChangePlaylist(const std::string& document)
{
    return SendChange(document, "Music.change", [](IXMLDOMNode* root, std::u16string& href) {
        PlaylistRecord record;
        const bool parsed = record.ParseSongListInfo(root);
        href = record.HrefText();
        return parsed;
    });
}

namespace {

bool GroupHref(IXMLDOMNode* root, std::u16string& href)
{
    GroupRecord record;
    const bool parsed = record.ParseGroupInfo(root);
    href = Wide(record.Href());
    return parsed;
}

} // namespace

HRESULT DeviceClient::ChangeMusicGroup(const std::string& document)
{
    return SendChange(document, "Music.change", &GroupHref);
}

HRESULT DeviceClient::ChangeRadioGroup(const std::string& document)
{
    return SendChange(document, "Radio.change", &GroupHref);
}

HRESULT DeviceClient::ChangeRadioStation(const std::string& document)
{
    return SendChange(document, "Radio.change", [](IXMLDOMNode* root, std::u16string& href) {
        RadioRecord record;
        const bool parsed = record.ParseRadioInfo(root);
        href = Wide(record.href);
        return parsed;
    });
}

HRESULT DeviceClient::SendCreate(
    const std::string& document, const std::string& requestName, const char* nameArg, const std::string& name)
{
    if (document.empty() || !m_parser)
        return E_INVALIDARG;
    Initialize();
    vireo::Message request = m_link->MakeMessage(kLibrary, requestName);
    if (nameArg)
        request.SetArg(nameArg, name);
    request.SetPayload(DocumentPayload(document));
    return m_link->Send(request) ? S_OK : E_FAIL;
}

HRESULT DeviceClient::CreateAlbum(const std::string& document)
{
    return SendCreate(document, "Music.create", "name", "AlbumCreate");
}

HRESULT DeviceClient::CreateMusicGroup(const std::string& document)
{
    return SendCreate(document, "Music.create", "name", "GroupCreate");
}

HRESULT DeviceClient::CreateRadioGroup(const std::string& document)
{
    return SendCreate(document, "Radio.create", nullptr, {});
}

HRESULT DeviceClient::CreateRadioStation(const std::string& document, const std::string& name)
{
    return SendCreate(document, "Radio.create", "name", name);
}

HRESULT DeviceClient::CreatePlaylist(const std::string& document, const std::string& name)
{
    return SendCreate(document, "Music.create", "name", name);
}

HRESULT DeviceClient::DeleteFile(const std::string& path)
{
    vireo::Message request = m_link->MakeMessage(kLibrary, "File.delete");
    request.SetArg("file", StripLocalPrefix(path));
    request.SetArg("sender", Name());
    m_link->Send(request);
    return S_OK;
}
