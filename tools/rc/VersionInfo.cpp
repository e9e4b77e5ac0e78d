#include "tools/rc/VersionInfo.h"

#include <array>
#include <string>

#include "tools/rc/DataWriter.h"
#include "tools/rc/ScriptValues.h"

namespace rc {

namespace {

constexpr std::uint32_t kSignature = 0xFEEF04BD;
constexpr std::uint32_t kStructureVersion = 0x00010000;
constexpr std::uint16_t kBinary = 0;
constexpr std::uint16_t kText = 1;
// A node's length is a 16-bit word.
constexpr std::size_t kMaxNode = 0xFFFF;

struct FixedInfo {
    std::array<std::uint16_t, 4> fileVersion {};
    std::array<std::uint16_t, 4> productVersion {};
    std::uint32_t flagsMask { 0 };
    std::uint32_t flags { 0 };
    std::uint32_t os { 0 };
    std::uint32_t type { 0 };
    std::uint32_t subtype { 0 };
};

// Up to four comma-separated 16-bit parts, most significant first; parts left out are zero.
std::array<std::uint16_t, 4> ReadVersion(TokenStream& tokens, std::string_view what)
{
    std::array<std::uint16_t, 4> parts {};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        parts[i] = static_cast<std::uint16_t>(ReadNumber(tokens, what, 0, 0xFFFF));
        if (!tokens.Accept(","))
            break;
    }
    return parts;
}

std::uint32_t ReadFlags(TokenStream& tokens, std::string_view what)
{
    return static_cast<std::uint32_t>(ReadNumber(tokens, what, 0, 0xFFFFFFFF));
}

FixedInfo ReadFixedInfo(TokenStream& tokens)
{
    FixedInfo info;
    while (true) {
        if (tokens.AcceptKeyword("FILEVERSION"))
            info.fileVersion = ReadVersion(tokens, "file version part");
        else if (tokens.AcceptKeyword("PRODUCTVERSION"))
            info.productVersion = ReadVersion(tokens, "product version part");
        else if (tokens.AcceptKeyword("FILEFLAGSMASK"))
            info.flagsMask = ReadFlags(tokens, "file flags mask");
        else if (tokens.AcceptKeyword("FILEFLAGS"))
            info.flags = ReadFlags(tokens, "file flags");
        else if (tokens.AcceptKeyword("FILEOS"))
            info.os = ReadFlags(tokens, "file OS");
        else if (tokens.AcceptKeyword("FILETYPE"))
            info.type = ReadFlags(tokens, "file type");
        else if (tokens.AcceptKeyword("FILESUBTYPE"))
            info.subtype = ReadFlags(tokens, "file subtype");
        else
            return info;
    }
}

std::vector<std::uint8_t> FixedInfoBytes(const FixedInfo& info)
{
    DataWriter out;
    out.Dword(kSignature);
    out.Dword(kStructureVersion);
    for (const auto& version : { info.fileVersion, info.productVersion }) {
        out.Dword(static_cast<std::uint32_t>(version[0]) << 16 | version[1]);
        out.Dword(static_cast<std::uint32_t>(version[2]) << 16 | version[3]);
    }
    for (std::uint32_t v : { info.flagsMask, info.flags, info.os, info.type, info.subtype, 0u, 0u })
        out.Dword(v);
    return out.Take();
}

// One node; `value` and each child start on a 32-bit boundary of the node, which itself starts on one.
std::vector<std::uint8_t> Node(const std::u16string& key, std::uint16_t type, std::uint16_t valueLength,
    const std::vector<std::uint8_t>& value, const std::vector<std::vector<std::uint8_t>>& children,
    const SourceLocation& where)
{
    DataWriter out;
    out.Word(0);
    out.Word(valueLength);
    out.Word(type);
    out.Text(key);
    out.Align(4);
    out.Bytes(value);
    for (const auto& child : children) {
        out.Align(4);
        out.Bytes(child);
    }
    if (out.Size() > kMaxNode)
        throw ScriptError(where, "the version information is too long");
    out.OrWord(0, static_cast<std::uint16_t>(out.Size()));
    return out.Take();
}

// A VALUE's data: texts, each ending in one zero unit (a zero the script wrote counts), or numbers,
// 16-bit each and 32-bit with an L suffix.
std::vector<std::uint8_t> Value(TokenStream& tokens, const std::u16string& key, const SourceLocation& where)
{
    DataWriter data;
    std::size_t units = 0;
    bool text = false;
    bool numbers = false;
    while (tokens.Accept(",")) {
        if (AtText(tokens)) {
            std::u16string item = ReadText(tokens, "a version text");
            if (item.empty() || item.back() != u'\0')
                item.push_back(u'\0');
            for (char16_t unit : item)
                data.Word(unit);
            units += item.size();
            text = true;
        } else {
            const auto none = [](const Token&) { return std::optional<std::int64_t>(); };
            if (!ConstantExpression::StartsExpression(tokens.Peek()))
                tokens.Fail("expected a text or a number in the version value");
            const ConstantValue v = ConstantExpression::Evaluate(tokens, none);
            if (v.isLong)
                data.Dword(static_cast<std::uint32_t>(v.value));
            else
                data.Word(static_cast<std::uint32_t>(v.value));
            numbers = true;
        }
    }
    if (text && numbers)
        throw ScriptError(where, "version value mixes texts and numbers");
    const std::vector<std::uint8_t> bytes = data.Take();
    const std::size_t length = text ? units : bytes.size();
    if (length > kMaxNode)
        throw ScriptError(where, "the version value is too long");
    return Node(key, text ? kText : kBinary, static_cast<std::uint16_t>(length), bytes, {}, where);
}

// The BLOCKs and VALUEs up to the END of the current block.
std::vector<std::vector<std::uint8_t>> Children(TokenStream& tokens, const SourceLocation& opened)
{
    std::vector<std::vector<std::uint8_t>> children;
    while (!tokens.AcceptBlockEnd()) {
        if (tokens.AtEnd())
            throw ScriptError(opened, "VERSIONINFO block without END");
        const SourceLocation where = tokens.Peek().location;
        if (tokens.AcceptKeyword("BLOCK")) {
            const std::u16string key = ReadText(tokens, "the name of the block");
            if (!tokens.AcceptBlockStart())
                tokens.Fail("expected BEGIN or '{' for the block's values");
            children.push_back(Node(key, kText, 0, {}, Children(tokens, where), where));
        } else if (tokens.AcceptKeyword("VALUE")) {
            const std::u16string key = ReadText(tokens, "the name of the value");
            children.push_back(Value(tokens, key, where));
        } else {
            tokens.Fail("expected BLOCK, VALUE or END");
        }
    }
    return children;
}

} // namespace

std::vector<std::uint8_t> VersionInfo::Compile(TokenStream& tokens)
{
    const SourceLocation opened = tokens.Peek().location;
    const FixedInfo info = ReadFixedInfo(tokens);
    if (!tokens.AcceptBlockStart())
        tokens.Fail("expected BEGIN or '{' for the version information");
    const std::vector<std::uint8_t> fixed = FixedInfoBytes(info);
    return Node(u"VS_VERSION_INFO", kBinary, static_cast<std::uint16_t>(fixed.size()), fixed,
        Children(tokens, opened), opened);
}

} // namespace rc
