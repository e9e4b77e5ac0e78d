#pragma once
// DIALOG and DIALOGEX statements, compiled into the extended binary dialog template that the
// window manager's dialog functions read: a header (version 1, signature 0xFFFF, help id, extended
// style, style, item count, position and size in dialog units, menu, class, caption and, with
// DS_SETFONT, the font), then each control on a 4-byte boundary (help id, extended style, style,
// position and size, 32-bit id, class, text, creation data). Texts are UTF-16; a menu, class or
// text given by number is written as 0xFFFF and the number; the standard control classes by their
// ordinals 0x80 (button) to 0x85 (combo box).

#include <cstdint>
#include <string>
#include <vector>

#include "tools/rc/TokenStream.h"

namespace rc {

constexpr std::uint16_t kTypeDialog = 5;

class DialogParser {
public:
    // extended: a DIALOGEX statement (help ids, extended styles, font weight, creation data).
    DialogParser(TokenStream& tokens, bool extended);

    // Reads what follows "name DIALOG[EX]" to the END of its control block and returns the template;
    // a LANGUAGE option updates language. Throws ScriptError at the first fault.
    std::vector<std::uint8_t> Parse(std::uint16_t& language);

private:
    // A menu, class, text or resource named by number or by text.
    struct NameOrNumber {
        bool isNumber { false };
        std::uint16_t number { 0 };
        std::u16string text;
    };

    struct Control {
        std::uint32_t helpId { 0 };
        std::uint32_t exStyle { 0 };
        std::uint32_t style { 0 };
        std::int16_t x { 0 }, y { 0 }, cx { 0 }, cy { 0 };
        std::uint32_t id { 0 };
        NameOrNumber windowClass;
        NameOrNumber text;
        std::vector<std::uint8_t> data;
    };

    void Options(std::uint16_t& language);
    bool ControlStatement();
    void GenericControl(Control& control);
    void Trailer(Control& control, bool styleAllowed);
    std::vector<std::uint8_t> CreationData();

    std::int64_t Evaluate();
    std::int16_t Coordinate(const char* what);
    // orBits, when given, collects what the terms or-ed in (not what NOT took out).
    std::uint32_t Style(std::uint32_t initial, std::uint32_t* orBits = nullptr);
    NameOrNumber TextOrNumber(const char* what);
    NameOrNumber ClassName();
    std::u16string Text(const Token& literal);

    std::vector<std::uint8_t> Write() const;

    TokenStream& m_tokens;
    bool m_extended { false };

    std::uint32_t m_helpId { 0 };
    std::uint32_t m_exStyle { 0 };
    std::uint32_t m_style { 0 };
    bool m_styleGiven { false };
    bool m_captionGiven { false };
    std::int16_t m_x { 0 }, m_y { 0 }, m_cx { 0 }, m_cy { 0 };
    NameOrNumber m_menu;
    NameOrNumber m_class;
    std::u16string m_caption;
    bool m_hasFont { false };
    std::uint16_t m_pointSize { 0 };
    std::uint16_t m_weight { 0 };
    std::uint8_t m_italic { 0 };
    std::uint8_t m_charset { 1 };
    std::u16string m_face;
    std::vector<Control> m_controls;
};

} // namespace rc
