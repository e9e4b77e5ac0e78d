// The device client's reply handlers: what each reply of the device stores before it sets its flag.

#include "platform/base/CodePage.h"
#include "sync/DeviceClient.h"
#include "sync/DeviceClientState.h"
#include "sync/RecordReader.h"

using namespace record_reader;

namespace {

constexpr const char* kPropertiesResults = "Properties.get.results";
constexpr const char* kGroupsResults = "Groups.query.results";

// The document element of a loaded document, or null.
IXMLDOMElementPtr Root(IXMLDOMDocument* document)
{
    IXMLDOMElementPtr root;
    if (FAILED(document->get_documentElement(&root)))
        return nullptr;
    return root;
}

std::u16string HrefArgument(const vireo::Message& message)
{
    return platform::Utf8ToUtf16(message.GetString("href"));
}

} // namespace

std::string DeviceClient::ReplyDocumentText(const vireo::Message& message)
{
    std::string text = message.Payload();
    // The document type names a file on the maker's server, which nothing here may fetch.
    const std::size_t doctype = text.find("<!DOCTYPE");
    if (doctype != std::string::npos) {
        const std::size_t close = text.find('>', doctype);
        text.erase(doctype, close == std::string::npos ? std::string::npos : close - doctype + 1);
    }
    return text;
}

bool DeviceClient::LoadDocument(const std::string& text)
{
    if (!m_parser)
        return false;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT hr = m_parser->loadXML(_bstr_t(text.c_str()), &loaded);
    return SUCCEEDED(hr) && loaded != VARIANT_FALSE;
}

bool DeviceClient::OnListDocument(const vireo::Message& message, const std::string& replyName,
    bool (*parse)(DeviceClient& client, IXMLDOMDocument2* document))
{
    const std::string text = ReplyDocumentText(message);
    if (text.empty() || !m_parser)
        return false;
    if (LoadDocument(text))
        parse(*this, m_parser.get());
    SetReplyFlag(replyName);
    return true;
}

bool DeviceClient::OnRecordDocument(const vireo::Message& message, const std::string& replyName,
    bool (*parse)(DeviceClient& client, const std::u16string& href, IXMLDOMNode* root))
{
    const std::string text = ReplyDocumentText(message);
    if (text.empty() || !m_parser)
        return false;
    if (LoadDocument(text)) {
        if (IXMLDOMElementPtr root = Root(m_parser.get()))
            parse(*this, HrefArgument(message), root);
    }
    SetReplyFlag(replyName);
    return true;
}

bool DeviceClient::OnAlbumsListResults(vireo::Message message)
{
    return OnListDocument(message, "Music.albums.list.all.query.results",
        [](DeviceClient&, IXMLDOMDocument2* document) { return Albums().ParseItems(document); });
}

bool DeviceClient::OnRadioListResults(vireo::Message message)
{
    return OnListDocument(message, "Radio.list.all.query.results",
        [](DeviceClient&, IXMLDOMDocument2* document) { return Radios().ParseItems(document); });
}

bool DeviceClient::OnPlaylistListResults(vireo::Message message)
{
    return OnListDocument(message, "Playlist.list.all.query.results",
        [](DeviceClient&, IXMLDOMDocument2* document) { return Playlists().ParseItems(document); });
}

bool DeviceClient::OnMusicFileResults(vireo::Message message)
{
    return OnRecordDocument(message, "Music.file.query.results",
        [](DeviceClient&, const std::u16string& href, IXMLDOMNode* root) {
            const auto entry = Albums().Find(href);
            return entry != Albums().end() && entry->second->ParseCdInfo(root);
        });
}

bool DeviceClient::OnRadioFileResults(vireo::Message message)
{
    return OnRecordDocument(message, "Radio.file.query.results",
        [](DeviceClient&, const std::u16string& href, IXMLDOMNode* root) {
            const auto entry = Radios().find(href);
            return entry != Radios().end() && entry->second->ParseRadioInfo(root);
        });
}

bool DeviceClient::OnPlaylistFileResults(vireo::Message message)
{
    return OnRecordDocument(message, "Playlist.file.query.results",
        [](DeviceClient&, const std::u16string& href, IXMLDOMNode* root) {
            const auto entry = Playlists().find(href);
            return entry != Playlists().end() && entry->second->ParseSongListInfo(root);
        });
}

bool DeviceClient::OnMusicGroupFileResults(vireo::Message message)
{
    return OnRecordDocument(message, "Music.group.file.query.results",
        [](DeviceClient&, const std::u16string& href, IXMLDOMNode* root) {
            const auto entry = MusicGroups().find(href);
            return entry != MusicGroups().end() && entry->second->ParseGroupInfo(root);
        });
}

bool DeviceClient::OnRadioGroupFileResults(vireo::Message message)
{
    return OnRecordDocument(message, "Radio.group.file.query.results",
        [](DeviceClient&, const std::u16string& href, IXMLDOMNode* root) {
            const auto entry = RadioGroups().find(href);
            return entry != RadioGroups().end() && entry->second->ParseGroupInfo(root);
        });
}

bool DeviceClient::OnGroupsResults(vireo::Message message)
{
    const std::string text = ReplyDocumentText(message);
    if (text.empty() || !m_parser)
        return false;
    if (LoadDocument(text)) {
        GroupMap& groups = message.GetString("gtype") == "radio" ? RadioGroups() : MusicGroups();
        try {
            if (IXMLDOMElementPtr root = Root(m_parser.get())) {
                for (const IXMLDOMNodePtr& item : SelectAll(root, "//item")) {
                    IXMLDOMNodePtr ref = Child(item, "ref");
                    const std::optional<_bstr_t> href = ref ? AttributeText(ref, "href") : std::nullopt;
                    if (!href)
                        continue;
                    auto record = std::make_unique<GroupRecord>();
                    ParseGroupContainer(*record, item);
                    std::unique_ptr<GroupRecord>& entry = groups[Wide(TextValue(*href))];
                    // A step may still hold the record this one replaces.
                    DeviceClientState::Retire(std::move(entry));
                    entry = std::move(record);
                }
            }
        } catch (const _com_error& error) {
            ReportError(error);
        }
    }
    SetReplyFlag(kGroupsResults);
    return true;
}

bool DeviceClient::OnSetupProperties(vireo::Message message)
{
    for (int entry = 0; entry < CustomerSetup::kEntryCount; ++entry) {
        const std::u16string value = platform::Utf8ToUtf16(message.GetString(CustomerSetup::PropertyName(entry)));
        m_setup.Value(entry) = _variant_t(value.c_str());
    }
    SetReplyFlag(kPropertiesResults);
    return true;
}

bool DeviceClient::OnFlagOnly(const std::string& replyName)
{
    SetReplyFlag(replyName);
    return true;
}

bool DeviceClient::OnFileDeleteResults(vireo::Message) { return OnFlagOnly("File.delete.query.results"); }
bool DeviceClient::OnAlbumAddResults(vireo::Message) { return OnFlagOnly("Music.album.add.query.results"); }
bool DeviceClient::OnRadioAddResults(vireo::Message) { return OnFlagOnly("Radio.add.query.results"); }
bool DeviceClient::OnGroupAddResults(vireo::Message) { return OnFlagOnly("Music.group.add.query.results"); }
bool DeviceClient::OnPlaylistAddResults(vireo::Message) { return OnFlagOnly("Music.playlist.add.query.results"); }
bool DeviceClient::OnAlbumMetadeleteResults(vireo::Message)
{
    return OnFlagOnly("Music.album.metadelete.query.results");
}
bool DeviceClient::OnPlaylistDeleteResults(vireo::Message) { return OnFlagOnly("Playlist.delete.query.results"); }
bool DeviceClient::OnRadioDeleteResults(vireo::Message) { return OnFlagOnly("Radio.delete.query.results"); }
bool DeviceClient::OnGroupDeleteResults(vireo::Message) { return OnFlagOnly("Group.delete.query.results"); }
bool DeviceClient::OnRadioUpdateResults(vireo::Message) { return OnFlagOnly("Radio.update.query.results"); }
bool DeviceClient::OnAlbumUpdateResults(vireo::Message) { return OnFlagOnly("Music.album.update.query.results"); }
bool DeviceClient::OnGroupUpdateResults(vireo::Message) { return OnFlagOnly("Group.update.query.results"); }
bool DeviceClient::OnPlaylistUpdateResults(vireo::Message) { return OnFlagOnly("Playlist.update.query.results"); }
