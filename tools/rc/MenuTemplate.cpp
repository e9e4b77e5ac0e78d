#include "tools/rc/MenuTemplate.h"

#include "tools/rc/ScriptValues.h"

namespace rc {

namespace {

constexpr std::uint16_t kGrayed = 0x0001;
constexpr std::uint16_t kInactive = 0x0002;
constexpr std::uint16_t kChecked = 0x0008;
constexpr std::uint16_t kPopup = 0x0010;
constexpr std::uint16_t kMenuBarBreak = 0x0020;
constexpr std::uint16_t kMenuBreak = 0x0040;
constexpr std::uint16_t kEnd = 0x0080;
constexpr std::uint16_t kHelp = 0x4000;
constexpr std::uint32_t kTypeSeparator = 0x0800;
constexpr std::uint16_t kExtendedPopup = 0x0001;

constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);

} // namespace

std::vector<std::uint8_t> MenuTemplate::Compile(TokenStream& tokens, bool extended)
{
    MenuTemplate menu(tokens, extended);
    const SourceLocation opened = tokens.Peek().location;
    if (extended) {
        menu.m_out.Word(1);
        menu.m_out.Word(4);
        menu.m_out.Dword(0);
    } else {
        menu.m_out.Word(0);
        menu.m_out.Word(0);
    }
    menu.Items(opened, false);
    return menu.m_out.Take();
}

// The items of one level. The end mark goes on the last item once the level's END is seen.
void MenuTemplate::Items(const SourceLocation& opened, bool popup)
{
    if (!m_tokens.AcceptBlockStart())
        m_tokens.Fail(popup ? "expected BEGIN or '{' after the POPUP's options" : "expected BEGIN or '{' for the menu");
    std::size_t lastFlags = kNoItem;
    while (!m_tokens.AcceptBlockEnd()) {
        if (m_tokens.AtEnd())
            throw ScriptError(opened, popup ? "POPUP without END" : "menu without END");
        if (m_extended)
            ExtendedItem(lastFlags);
        else
            Item(lastFlags);
    }
    if (lastFlags != kNoItem)
        m_out.OrWord(lastFlags, m_extended ? 0x80 : kEnd);
    else if (popup)
        // The format has no way to end a level without an item: its parent's next items would be read as its own.
        throw ScriptError(opened, "a POPUP needs at least one item");
}

std::uint16_t MenuTemplate::Options(bool popup)
{
    std::uint16_t flags = popup ? kPopup : 0;
    for (;;) {
        m_tokens.Accept(",");
        if (m_tokens.AcceptKeyword("CHECKED"))
            flags |= kChecked;
        else if (m_tokens.AcceptKeyword("GRAYED"))
            flags |= kGrayed;
        else if (m_tokens.AcceptKeyword("INACTIVE"))
            flags |= kInactive;
        else if (m_tokens.AcceptKeyword("MENUBARBREAK"))
            flags |= kMenuBarBreak;
        else if (m_tokens.AcceptKeyword("MENUBREAK"))
            flags |= kMenuBreak;
        else if (m_tokens.AcceptKeyword("HELP"))
            flags |= kHelp;
        else
            return flags;
    }
}

void MenuTemplate::Item(std::size_t& lastFlags)
{
    const SourceLocation where = m_tokens.Peek().location;
    if (m_tokens.AcceptKeyword("MENUITEM")) {
        lastFlags = m_out.Size();
        if (m_tokens.AcceptKeyword("SEPARATOR")) {
            m_out.Word(0);
            m_out.Word(0);
            m_out.Word(0);
            return;
        }
        const std::u16string text = ReadText(m_tokens, "the text of a MENUITEM");
        m_tokens.Expect(",", "',' and the command id after the MENUITEM's text");
        const auto id = static_cast<std::uint16_t>(ReadNumber(m_tokens, "command id", -32768, 0xFFFF));
        m_out.Word(Options(false));
        m_out.Word(id);
        m_out.Text(text);
        return;
    }
    if (m_tokens.AcceptKeyword("POPUP")) {
        lastFlags = m_out.Size();
        const std::u16string text = ReadText(m_tokens, "the text of a POPUP");
        m_out.Word(Options(true));
        m_out.Text(text);
        Items(where, true);
        return;
    }
    m_tokens.Fail("expected MENUITEM, POPUP or END");
}

// MENUITEM "text" [, id [, type [, state]]] and POPUP "text" [, id [, type [, state [, help id]]]];
// a field may be left empty between commas.
void MenuTemplate::ExtendedItem(std::size_t& lastFlags)
{
    const SourceLocation where = m_tokens.Peek().location;
    const bool popup = m_tokens.AcceptKeyword("POPUP");
    if (!popup && !m_tokens.AcceptKeyword("MENUITEM"))
        m_tokens.Fail("expected MENUITEM, POPUP or END");
    std::uint32_t fields[4] {};
    std::u16string text;
    if (!popup && m_tokens.AcceptKeyword("SEPARATOR")) {
        fields[1] = kTypeSeparator;
    } else {
        text = ReadText(m_tokens, popup ? "the text of a POPUP" : "the text of a MENUITEM");
        static constexpr const char* kNames[] = { "command id", "type", "state", "help id" };
        for (int i = 0; i < (popup ? 4 : 3) && m_tokens.Accept(","); ++i) {
            if (m_tokens.Peek().IsPunctuator(",") || !ConstantExpression::StartsExpression(m_tokens.Peek()))
                continue;
            fields[i] = static_cast<std::uint32_t>(ReadNumber(m_tokens, kNames[i], -0x80000000LL, 0xFFFFFFFFLL));
        }
    }
    m_out.Dword(fields[1]);
    m_out.Dword(fields[2]);
    m_out.Dword(fields[0]);
    lastFlags = m_out.Size();
    m_out.Word(popup ? kExtendedPopup : 0);
    m_out.Text(text);
    m_out.Align(4);
    if (popup) {
        m_out.Dword(fields[3]);
        Items(where, true);
    }
}

} // namespace rc
