#include "tools/rc/AcceleratorTable.h"

#include <cctype>
#include <map>
#include <optional>
#include <string>

#include "tools/rc/DataWriter.h"
#include "tools/rc/ScriptValues.h"

namespace rc {

namespace {

constexpr std::uint16_t kVirtKey = 0x01;
constexpr std::uint16_t kNoInvert = 0x02;
constexpr std::uint16_t kShift = 0x04;
constexpr std::uint16_t kControl = 0x08;
constexpr std::uint16_t kAlt = 0x10;
constexpr std::uint16_t kLast = 0x80;

// The virtual-key names a script may use without including a header that defines them.
const std::map<std::string, std::int64_t>& VirtualKeys()
{
    static const std::map<std::string, std::int64_t> keys = [] {
        std::map<std::string, std::int64_t> k {
            { "VK_CANCEL", 0x03 }, { "VK_BACK", 0x08 }, { "VK_TAB", 0x09 }, { "VK_CLEAR", 0x0C },
            { "VK_RETURN", 0x0D }, { "VK_SHIFT", 0x10 }, { "VK_CONTROL", 0x11 }, { "VK_MENU", 0x12 },
            { "VK_PAUSE", 0x13 }, { "VK_CAPITAL", 0x14 }, { "VK_ESCAPE", 0x1B }, { "VK_SPACE", 0x20 },
            { "VK_PRIOR", 0x21 }, { "VK_NEXT", 0x22 }, { "VK_END", 0x23 }, { "VK_HOME", 0x24 },
            { "VK_LEFT", 0x25 }, { "VK_UP", 0x26 }, { "VK_RIGHT", 0x27 }, { "VK_DOWN", 0x28 },
            { "VK_SELECT", 0x29 }, { "VK_PRINT", 0x2A }, { "VK_SNAPSHOT", 0x2C }, { "VK_INSERT", 0x2D },
            { "VK_DELETE", 0x2E }, { "VK_HELP", 0x2F }, { "VK_APPS", 0x5D }, { "VK_MULTIPLY", 0x6A },
            { "VK_ADD", 0x6B }, { "VK_SEPARATOR", 0x6C }, { "VK_SUBTRACT", 0x6D }, { "VK_DECIMAL", 0x6E },
            { "VK_DIVIDE", 0x6F }, { "VK_NUMLOCK", 0x90 }, { "VK_SCROLL", 0x91 },
        };
        for (int i = 0; i <= 9; ++i)
            k["VK_NUMPAD" + std::to_string(i)] = 0x60 + i;
        for (int i = 1; i <= 24; ++i)
            k["VK_F" + std::to_string(i)] = 0x6F + i;
        return k;
    }();
    return keys;
}

std::optional<std::int64_t> VirtualKeyValue(const Token& t)
{
    const auto it = VirtualKeys().find(t.text);
    return it == VirtualKeys().end() ? std::nullopt : std::optional<std::int64_t>(it->second);
}

void Entry(TokenStream& tokens, DataWriter& out)
{
    const SourceLocation where = tokens.Peek().location;
    std::u16string keyText;
    std::int64_t key = 0;
    const bool byText = AtText(tokens);
    if (byText) {
        keyText = ReadText(tokens, "the key of an accelerator");
        const bool control = keyText.size() == 2 && keyText[0] == u'^';
        if (keyText.empty() || (keyText.size() > 1 && !control))
            throw ScriptError(where, "an accelerator's key is one character or '^' and a letter");
        if (control) {
            const char16_t letter = keyText[1] < 0x80 ? static_cast<char16_t>(std::toupper(keyText[1])) : keyText[1];
            if (letter < u'@' || letter > u'_')
                throw ScriptError(where, "'^' must be followed by a letter");
            key = letter - 0x40;
        } else {
            key = keyText[0];
        }
    } else {
        key = ReadNumber(tokens, "accelerator key", 0, 0xFFFF, VirtualKeyValue);
    }
    tokens.Expect(",", "',' and the command id after the accelerator's key");
    const auto command = static_cast<std::uint16_t>(ReadNumber(tokens, "command id", -32768, 0xFFFF));

    std::uint16_t flags = 0;
    bool ascii = false;
    for (;;) {
        tokens.Accept(",");
        if (tokens.AcceptKeyword("VIRTKEY"))
            flags |= kVirtKey;
        else if (tokens.AcceptKeyword("ASCII"))
            ascii = true;
        else if (tokens.AcceptKeyword("NOINVERT"))
            flags |= kNoInvert;
        else if (tokens.AcceptKeyword("SHIFT"))
            flags |= kShift;
        else if (tokens.AcceptKeyword("CONTROL"))
            flags |= kControl;
        else if (tokens.AcceptKeyword("ALT"))
            flags |= kAlt;
        else
            break;
    }
    if (ascii && (flags & kVirtKey))
        throw ScriptError(where, "an accelerator is either ASCII or VIRTKEY");
    if (!(flags & kVirtKey) && (flags & (kShift | kControl)))
        throw ScriptError(where, "SHIFT and CONTROL need VIRTKEY; write the character itself or '^' and a letter");
    if ((flags & kVirtKey) && byText) {
        if (keyText[0] == u'^')
            throw ScriptError(where, "a '^' key is a character, not a VIRTKEY");
        // Virtual keys of letters are their capitals.
        if (key >= 'a' && key <= 'z')
            key -= 'a' - 'A';
    }
    out.Word(flags);
    out.Word(static_cast<std::uint32_t>(key));
    out.Word(command);
    out.Word(0);
}

} // namespace

std::vector<std::uint8_t> AcceleratorTable::Compile(TokenStream& tokens)
{
    const SourceLocation opened = tokens.Peek().location;
    if (!tokens.AcceptBlockStart())
        tokens.Fail("expected BEGIN or '{' for the accelerators");
    DataWriter out;
    std::size_t last = 0;
    bool any = false;
    while (!tokens.AcceptBlockEnd()) {
        if (tokens.AtEnd())
            throw ScriptError(opened, "ACCELERATORS without END");
        last = out.Size();
        Entry(tokens, out);
        any = true;
    }
    if (any)
        out.OrWord(last, kLast);
    return out.Take();
}

} // namespace rc
