#include "tools/device-emulator/DeviceReader.h"

#include <filesystem>
#include <string_view>

#include "platform/base/AtomicFile.h"
#include "platform/base/CodePage.h"
#include "platform/com/ObjBase.h"
#include "platform/xml/MsXml.h"

namespace emulator {

namespace {

// The thread's apartment for the length of one reading; a thread already in one keeps it.
class ApartmentScope {
public:
    ApartmentScope()
        : m_result(CoInitialize(nullptr))
    {
    }
    ~ApartmentScope()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    ApartmentScope(const ApartmentScope&) = delete;
    ApartmentScope& operator=(const ApartmentScope&) = delete;

private:
    HRESULT m_result;
};

std::string TakeText(BSTR text)
{
    const std::string utf8 = text ? platform::Utf16ToUtf8(std::u16string_view(text, SysStringLen(text))) : "";
    SysFreeString(text);
    return utf8;
}

std::string NameOf(IXMLDOMNode* node)
{
    BSTR name = nullptr;
    return SUCCEEDED(node->get_nodeName(&name)) ? TakeText(name) : std::string();
}

std::string TextOf(IXMLDOMNode* node)
{
    BSTR text = nullptr;
    return node && SUCCEEDED(node->get_text(&text)) ? TakeText(text) : std::string();
}

std::string ChildText(IXMLDOMNode* parent, const char* path)
{
    IXMLDOMNodePtr child;
    if (parent->selectSingleNode(_bstr_t(path), &child) != S_OK)
        return {};
    return TextOf(child);
}

std::string AttributeOf(IXMLDOMNode* element, const char* name)
{
    IXMLDOMNamedNodeMapPtr attributes;
    IXMLDOMNodePtr attribute;
    if (FAILED(element->get_attributes(&attributes)) || !attributes
        || attributes->getNamedItem(_bstr_t(name), &attribute) != S_OK)
        return {};
    return TextOf(attribute);
}

std::vector<std::string> Groups(IXMLDOMNode* root)
{
    std::vector<std::string> groups;
    IXMLDOMNodeListPtr nodes;
    LONG count = 0;
    if (FAILED(root->selectNodes(_bstr_t("group"), &nodes)) || !nodes || FAILED(nodes->get_length(&count)))
        return groups;
    for (LONG i = 0; i < count; ++i) {
        IXMLDOMNodePtr node;
        if (nodes->get_item(i, &node) == S_OK) {
            std::string text = TextOf(node);
            if (!text.empty())
                groups.push_back(std::move(text));
        }
    }
    return groups;
}

// The position just past a construct that runs from 'from' to the closing text, or npos.
std::size_t Past(std::string_view text, std::size_t from, std::string_view closing)
{
    const std::size_t end = text.find(closing, from);
    return end == std::string_view::npos ? end : end + closing.size();
}

// The position just past a document type declaration, whose internal subset may hold ">".
std::size_t PastDocumentType(std::string_view text, std::size_t from)
{
    char quote = 0;
    int depth = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            --depth;
        } else if (c == '>' && depth <= 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

bool IsAlbumKind(ItemKind kind) { return kind == ItemKind::Mp3Album || kind == ItemKind::CdAlbum; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameEnd(char c) { return IsSpace(c) || c == '=' || c == '/' || c == '>'; }

} // namespace

std::optional<DocumentFacts> ReadDocumentFacts(const std::string& document, bool radio, std::string& error)
{
    ApartmentScope apartment;
    if (FAILED(platform::EnsureXmlRegistered())) {
        error = "the XML library is not available";
        return std::nullopt;
    }
    IXMLDOMDocument2Ptr parser;
    if (FAILED(parser.CreateInstance(CLSID_DOMDocument30)) || !parser) {
        error = "the XML library cannot make a document";
        return std::nullopt;
    }
    parser->put_async(VARIANT_FALSE);
    parser->put_validateOnParse(VARIANT_FALSE);
    parser->put_resolveExternals(VARIANT_FALSE);
    parser->put_preserveWhiteSpace(VARIANT_FALSE);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    IXMLDOMElementPtr root;
    if (parser->loadXML(_bstr_t(platform::Utf8ToUtf16(document).c_str()), &loaded) != S_OK || loaded != VARIANT_TRUE
        || parser->get_documentElement(&root) != S_OK || !root) {
        error = document.empty() ? "no document" : "the document is not well-formed XML";
        return std::nullopt;
    }

    DocumentFacts facts;
    const std::string name = NameOf(root);
    facts.href = AttributeOf(root, "href");
    facts.groups = Groups(root);
    if (name == "mp3info" || name == "cdinfo") {
        facts.kind = name == "cdinfo" ? ItemKind::CdAlbum : ItemKind::Mp3Album;
        facts.primaryKey = ChildText(root, "artist");
        facts.secondaryKey = ChildText(root, "title");
    } else if (name == "songlistinfo") {
        facts.kind = ItemKind::Playlist;
        facts.primaryKey = "Playlist";
        facts.secondaryKey = ChildText(root, "title");
    } else if (name == "groupinfo") {
        facts.kind = radio ? ItemKind::RadioGroup : ItemKind::MusicGroup;
        facts.primaryKey = ChildText(root, "name");
        facts.secondaryKey = facts.primaryKey;
        facts.groups.clear();
    } else if (name == "radioinfo") {
        facts.kind = ItemKind::Station;
        facts.primaryKey = ChildText(root, "name");
        facts.identifier = ChildText(root, "identifier");
        facts.secondaryKey = facts.identifier;
    } else {
        error = "a document " + name + " describes no item of the library";
        return std::nullopt;
    }
    return facts;
}

std::optional<std::string> WithReference(const std::string& document, const std::string& reference)
{
    const std::string_view text(document);
    std::size_t at = 0;
    for (;;) {
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        if (text.substr(at).starts_with("<?"))
            at = Past(text, at, "?>");
        else if (text.substr(at).starts_with("<!--"))
            at = Past(text, at, "-->");
        else if (text.substr(at).starts_with("<!"))
            at = PastDocumentType(text, at);
        else
            break;
        if (at == std::string_view::npos)
            return std::nullopt;
    }
    if (at >= text.size() || text[at] != '<')
        return std::nullopt;

    std::size_t i = at + 1;
    while (i < text.size() && !IsNameEnd(text[i]))
        ++i;
    const std::size_t nameEnd = i;
    if (nameEnd == at + 1)
        return std::nullopt;
    const std::string value = "\"" + EscapeXml(reference) + "\"";

    // Walk the attributes of the start tag: name, "=", quoted value.
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        if (i >= text.size() || text[i] == '>' || text[i] == '/')
            break;
        const std::size_t nameStart = i;
        while (i < text.size() && !IsNameEnd(text[i]))
            ++i;
        const std::string_view name = text.substr(nameStart, i - nameStart);
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        if (i >= text.size() || text[i] != '=')
            return std::nullopt;
        ++i;
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        if (i >= text.size() || (text[i] != '"' && text[i] != '\''))
            return std::nullopt;
        const std::size_t close = text.find(text[i], i + 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        if (name == "href")
            return document.substr(0, i) + value + document.substr(close + 1);
        i = close + 1;
    }
    if (i >= text.size())
        return std::nullopt;
    return document.substr(0, nameEnd) + " href=" + value + document.substr(nameEnd);
}

bool LoadLibraryFolder(DeviceLibrary& library, std::string& error)
{
    namespace fs = std::filesystem;
    const ItemKind kinds[] = { ItemKind::Mp3Album, ItemKind::CdAlbum, ItemKind::Playlist, ItemKind::MusicGroup,
        ItemKind::RadioGroup, ItemKind::Station };
    for (ItemKind kind : kinds) {
        const std::string folder = DeviceLibrary::KindFolder(kind);
        std::error_code fileError;
        if (!fs::is_directory(library.Folder() / folder, fileError))
            continue;
        std::vector<std::string> paths;
        for (const fs::directory_entry& entry : fs::directory_iterator(library.Folder() / folder, fileError)) {
            if (entry.is_regular_file(fileError) && entry.path().extension() == ".xml")
                paths.push_back(folder + "/" + entry.path().filename().string());
        }
        if (fileError) {
            error = "cannot list " + folder + ": " + fileError.message();
            return false;
        }
        for (const std::string& path : paths) {
            std::string document;
            platform::FileStamp stamp;
            std::string reason;
            std::optional<DocumentFacts> facts;
            if (platform::ReadFileContents(library.Folder() / path, document, stamp) != 0)
                reason = "it cannot be read";
            else
                facts = ReadDocumentFacts(document, kind == ItemKind::RadioGroup, reason);
            // Albums of either kind share nothing with the other folders; the rest must match theirs.
            if (facts && (IsAlbumKind(kind) ? !IsAlbumKind(facts->kind) : facts->kind != kind))
                reason = "it is no document of its folder";
            if (!reason.empty()) {
                error = path + ": " + reason;
                return false;
            }
            // A document copied in by hand may name another place; the device hands out its own.
            std::optional<std::string> own = WithReference(document, DeviceLibrary::ReferenceOf(path));
            library.Adopt(path, *facts, own ? *own : document);
        }
    }
    return true;
}

} // namespace emulator
