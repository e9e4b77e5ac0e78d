#include "tools/rc/ScriptParser.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "tools/rc/AcceleratorTable.h"
#include "tools/rc/ConstantExpression.h"
#include "tools/rc/DialogParser.h"
#include "tools/rc/ImageFile.h"
#include "tools/rc/MenuTemplate.h"
#include "tools/rc/ToolbarResource.h"
#include "tools/rc/Utf.h"
#include "tools/rc/VersionInfo.h"

namespace rc {

namespace {

constexpr std::uint16_t kTypeDialogInit = 240;

std::string Upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

void AppendWord(std::vector<std::uint8_t>& data, std::uint32_t v)
{
    data.push_back(static_cast<std::uint8_t>(v & 0xFF));
    data.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void AppendDword(std::vector<std::uint8_t>& data, std::uint32_t v)
{
    AppendWord(data, v & 0xFFFF);
    AppendWord(data, v >> 16);
}

} // namespace

ScriptParser::ScriptParser(TokenStream& tokens, Preprocessor& files, ResourceSet& resources)
    : m_tokens(tokens)
    , m_files(files)
    , m_resources(resources)
{
    m_handlers["RCDATA"] = [this](const ResourceId& name, const SourceLocation& where) {
        RawData(ResourceId { kTypeRcData, {} }, name, where);
    };
    // Dialog initialisation data is written as raw data items in the script.
    m_handlers["DLGINIT"] = [this](const ResourceId& name, const SourceLocation& where) {
        RawData(ResourceId { kTypeDialogInit, {} }, name, where);
    };
    m_handlers["STRINGTABLE"]
        = [](const ResourceId&, const SourceLocation& where) { throw ScriptError(where, "STRINGTABLE takes no name"); };
    m_handlers["MENU"] = [this](const ResourceId& name, const SourceLocation& where) {
        CompiledBlock(kTypeMenu, name, where, [this] { return MenuTemplate::Compile(m_tokens, false); });
    };
    m_handlers["MENUEX"] = [this](const ResourceId& name, const SourceLocation& where) {
        CompiledBlock(kTypeMenu, name, where, [this] { return MenuTemplate::Compile(m_tokens, true); });
    };
    m_handlers["ACCELERATORS"] = [this](const ResourceId& name, const SourceLocation& where) {
        CompiledBlock(kTypeAccelerator, name, where, [this] { return AcceleratorTable::Compile(m_tokens); });
    };
    m_handlers["TOOLBAR"] = [this](const ResourceId& name, const SourceLocation& where) {
        CompiledBlock(kTypeToolbar, name, where, [this] { return ToolbarResource::Compile(m_tokens); });
    };
    for (const bool extended : { false, true }) {
        m_handlers[extended ? "DIALOGEX" : "DIALOG"]
            = [this, extended](const ResourceId& name, const SourceLocation& where) {
                  MemoryFlags();
                  Resource dialog { ResourceId { kTypeDialog, {} }, name, m_language, {} };
                  dialog.data = DialogParser(m_tokens, extended).Parse(dialog.language);
                  m_resources.Add(std::move(dialog), where);
              };
    }
    m_handlers["VERSIONINFO"] = [this](const ResourceId& name, const SourceLocation& where) {
        CompiledBlock(kTypeVersion, name, where, [this] { return VersionInfo::Compile(m_tokens); });
    };
    m_handlers["BITMAP"] = [this](const ResourceId& name, const SourceLocation& where) { Bitmap(name, where); };
    m_handlers["ICON"] = [this](const ResourceId& name, const SourceLocation& where) { IconGroup(name, where, false); };
    m_handlers["CURSOR"]
        = [this](const ResourceId& name, const SourceLocation& where) { IconGroup(name, where, true); };
    for (const char* keyword : { "FONT", "HTML", "MESSAGETABLE" }) {
        m_handlers[keyword] = [this, keyword](const ResourceId& name, const SourceLocation& where) {
            SkipFileStatement(keyword, name, where);
        };
    }
}

void ScriptParser::Run()
{
    while (!m_tokens.AtEnd())
        Statement();
}

void ScriptParser::Statement()
{
    const SourceLocation where = m_tokens.Peek().location;
    if (m_tokens.AcceptKeyword("LANGUAGE")) {
        m_language = LanguagePair();
        return;
    }
    if (m_tokens.AcceptKeyword("STRINGTABLE")) {
        StringTable(where);
        return;
    }
    if (m_tokens.AcceptKeyword("VERSION") || m_tokens.AcceptKeyword("CHARACTERISTICS")) {
        Evaluate(); // recorded by other compilers for tools; nothing reads it here
        return;
    }
    const ResourceId name = Name("a resource statement");
    const Token& type = m_tokens.Peek();
    if (type.kind == TokenKind::Identifier) {
        const std::string keyword = Upper(type.text);
        m_tokens.Next();
        const auto handler = m_handlers.find(keyword);
        if (handler != m_handlers.end())
            handler->second(name, where);
        else
            RawData(ResourceId { 0, keyword }, name, where);
        return;
    }
    if (ConstantExpression::StartsExpression(type)) {
        RawData(ResourceId { Number16("resource type"), {} }, name, where);
        return;
    }
    m_tokens.Fail("expected a resource type after " + name.ToString());
}

ResourceId ScriptParser::Name(std::string_view what)
{
    const Token& t = m_tokens.Peek();
    // An identifier that is no macro names the resource by text.
    if (t.kind == TokenKind::Identifier) {
        std::string name = Upper(t.text);
        m_tokens.Next();
        return ResourceId { 0, std::move(name) };
    }
    if (!ConstantExpression::StartsExpression(t))
        m_tokens.Fail("expected " + std::string(what));
    return ResourceId { Number16("resource id"), {} };
}

std::int64_t ScriptParser::Evaluate(bool* isLong)
{
    const ConstantValue v
        = ConstantExpression::Evaluate(m_tokens, [](const Token&) { return std::optional<std::int64_t>(); });
    if (isLong)
        *isLong = v.isLong;
    return v.value;
}

std::uint16_t ScriptParser::Number16(std::string_view what)
{
    const SourceLocation where = m_tokens.Peek().location;
    const std::int64_t v = Evaluate();
    if (v < 0 || v > 0xFFFF)
        throw ScriptError(where, std::string(what) + " " + std::to_string(v) + " is out of range (0 to 65535)");
    return static_cast<std::uint16_t>(v);
}

std::uint16_t ScriptParser::LanguagePair()
{
    const SourceLocation where = m_tokens.Peek().location;
    const std::int64_t primary = Evaluate();
    m_tokens.Expect(",", "',' between the language and the sublanguage");
    const std::int64_t sub = Evaluate();
    if (primary < 0 || primary > 0x3FF || sub < 0 || sub > 0x3F)
        throw ScriptError(
            where, "language " + std::to_string(primary) + ", " + std::to_string(sub) + " is out of range");
    return static_cast<std::uint16_t>((sub << 10) | primary);
}

void ScriptParser::MemoryFlags()
{
    // Loading hints of 16-bit systems; accepted and ignored.
    while (m_tokens.AcceptKeyword("PRELOAD") || m_tokens.AcceptKeyword("LOADONCALL") || m_tokens.AcceptKeyword("FIXED")
        || m_tokens.AcceptKeyword("MOVEABLE") || m_tokens.AcceptKeyword("DISCARDABLE") || m_tokens.AcceptKeyword("PURE")
        || m_tokens.AcceptKeyword("IMPURE") || m_tokens.AcceptKeyword("SHARED")
        || m_tokens.AcceptKeyword("NONSHARED")) { }
}

void ScriptParser::OptionalStatements(std::uint16_t& language)
{
    while (true) {
        if (m_tokens.AcceptKeyword("LANGUAGE"))
            language = LanguagePair();
        else if (m_tokens.AcceptKeyword("VERSION") || m_tokens.AcceptKeyword("CHARACTERISTICS"))
            Evaluate();
        else
            return;
    }
}

void ScriptParser::StringTable(const SourceLocation& where)
{
    std::uint16_t language = m_language;
    MemoryFlags();
    OptionalStatements(language);
    if (!m_tokens.AcceptBlockStart())
        m_tokens.Fail("expected BEGIN or '{' after STRINGTABLE");
    while (!m_tokens.AcceptBlockEnd()) {
        if (m_tokens.AtEnd())
            throw ScriptError(where, "STRINGTABLE without END");
        const SourceLocation entry = m_tokens.Peek().location;
        const std::uint16_t id = Number16("string id");
        m_tokens.Accept(",");
        // Adjacent literals make one string.
        std::u16string text;
        bool any = false;
        while (m_tokens.Peek().kind == TokenKind::String || m_tokens.Peek().kind == TokenKind::WideString) {
            const Token& literal = m_tokens.Next();
            if (literal.kind == TokenKind::WideString) {
                text += literal.wide;
            } else if (auto units = Utf8ToUtf16(literal.text)) {
                text += *units;
            } else {
                throw ScriptError(literal.location, "the text of string " + std::to_string(id) + " is not valid UTF-8");
            }
            any = true;
        }
        if (!any)
            m_tokens.Fail("expected the text of string " + std::to_string(id));
        m_resources.AddString(language, id, std::move(text), entry);
    }
}

void ScriptParser::RawData(const ResourceId& type, const ResourceId& name, const SourceLocation& where)
{
    Resource resource;
    resource.type = type;
    resource.name = name;
    resource.language = m_language;
    MemoryFlags();
    OptionalStatements(resource.language);
    if (m_tokens.Peek().kind == TokenKind::String) {
        resource.data = ReadDataFile(m_tokens.Next());
    } else if (m_tokens.AcceptBlockStart()) {
        // Numbers are 16-bit items, or 32-bit with an L suffix; strings are their bytes (UTF-16 for
        // L"..."), without a terminating zero unless the script writes one.
        while (!m_tokens.AcceptBlockEnd()) {
            const Token& t = m_tokens.Peek();
            if (t.kind == TokenKind::End) {
                throw ScriptError(where, "data block of " + name.ToString() + " without END");
            } else if (t.kind == TokenKind::String) {
                resource.data.insert(resource.data.end(), t.text.begin(), t.text.end());
                m_tokens.Next();
            } else if (t.kind == TokenKind::WideString) {
                for (char16_t unit : t.wide)
                    AppendWord(resource.data, unit);
                m_tokens.Next();
            } else if (ConstantExpression::StartsExpression(t)) {
                bool isLong = false;
                const auto value = static_cast<std::uint32_t>(Evaluate(&isLong));
                if (isLong)
                    AppendDword(resource.data, value);
                else
                    AppendWord(resource.data, value);
            } else {
                m_tokens.Fail("expected a number or a string in the data of " + name.ToString());
            }
            m_tokens.Accept(",");
        }
    } else {
        m_tokens.Fail("expected a file name or a data block for " + name.ToString());
    }
    m_resources.Add(std::move(resource), where);
}

void ScriptParser::Bitmap(const ResourceId& name, const SourceLocation& where)
{
    MemoryFlags();
    const Token& file = FileName(name);
    Resource bitmap { ResourceId { kTypeBitmap, {} }, name, m_language,
        ImageFile(ReadDataFile(file), file.text, where).BitmapResource() };
    m_resources.Add(std::move(bitmap), where);
}

// Each image of the file becomes a resource of its own under an allocated id; the group, under the
// statement's name, lists them with those ids for the loader to choose from.
void ScriptParser::IconGroup(const ResourceId& name, const SourceLocation& where, bool cursor)
{
    MemoryFlags();
    const Token& file = FileName(name);
    std::vector<IconImage> images = ImageFile(ReadDataFile(file), file.text, where).IconImages(cursor);
    std::vector<std::uint16_t> ids;
    for (IconImage& image : images) {
        const std::uint16_t id = m_resources.AllocateImageId(where);
        ids.push_back(id);
        Resource single { ResourceId { cursor ? kTypeCursor : kTypeIcon, {} }, ResourceId { id, {} }, m_language,
            std::move(image.data) };
        m_resources.Add(std::move(single), where);
    }
    Resource group { ResourceId { cursor ? kTypeGroupCursor : kTypeGroupIcon, {} }, name, m_language,
        ImageFile::GroupDirectory(images, ids, cursor) };
    m_resources.Add(std::move(group), where);
}

const Token& ScriptParser::FileName(const ResourceId& name)
{
    if (m_tokens.Peek().kind != TokenKind::String)
        m_tokens.Fail("expected a file name for " + name.ToString());
    return m_tokens.Next();
}

std::vector<std::uint8_t> ScriptParser::ReadDataFile(const Token& fileName)
{
    const std::filesystem::path path = m_files.ResolveFile(fileName.text, fileName.location);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ScriptError(fileName.location, "cannot read '" + path.string() + "'");
    std::vector<std::uint8_t> data { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    if (in.bad())
        throw ScriptError(fileName.location, "cannot read '" + path.string() + "'");
    if (data.size() > 0x7FFFFFFF)
        throw ScriptError(fileName.location, "'" + path.string() + "' is too large for a resource");
    return data;
}

void ScriptParser::CompiledBlock(std::uint16_t type, const ResourceId& name, const SourceLocation& where,
    const std::function<std::vector<std::uint8_t>()>& compile)
{
    Resource resource { ResourceId { type, {} }, name, m_language, {} };
    MemoryFlags();
    OptionalStatements(resource.language);
    resource.data = compile();
    m_resources.Add(std::move(resource), where);
}

void ScriptParser::SkipFileStatement(const std::string& keyword, const ResourceId& name, const SourceLocation& where)
{
    Warn(where, keyword + " resources are not supported yet; " + name.ToString() + " is left out");
    MemoryFlags();
    if (m_tokens.Peek().kind != TokenKind::String)
        m_tokens.Fail("expected a file name for " + name.ToString());
    m_files.ResolveFile(m_tokens.Next().text, where);
}

} // namespace rc
