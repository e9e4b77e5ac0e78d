#pragma once
// MENU and MENUEX statements, compiled into RT_MENU data.
//
// MENU: a header of two zero words, then per item a flags word (MF_POPUP for a popup, whose items
// follow it; MF_END on the last item of each level), the command id (plain items only) and the
// zero-terminated UTF-16 text. A separator is flags 0, id 0 and an empty text.
// MENUEX: a header (version 1, offset 4, help id), then per item type, state and id (32 bits each),
// a word of flags (1: popup, 0x80: last), the text padded to 32 bits, and for a popup its help id
// followed by its items.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/rc/DataWriter.h"
#include "tools/rc/TokenStream.h"

namespace rc {

constexpr std::uint16_t kTypeMenu = 4;

class MenuTemplate {
public:
    // Reads the menu's block (from BEGIN to its END) and returns the resource data; throws ScriptError.
    static std::vector<std::uint8_t> Compile(TokenStream& tokens, bool extended);

private:
    MenuTemplate(TokenStream& tokens, bool extended)
        : m_tokens(tokens)
        , m_extended(extended)
    {
    }

    void Items(const SourceLocation& opened, bool popup);
    void Item(std::size_t& lastFlags);
    void ExtendedItem(std::size_t& lastFlags);
    std::uint16_t Options(bool popup);

    TokenStream& m_tokens;
    bool m_extended { false };
    DataWriter m_out;
};

} // namespace rc
