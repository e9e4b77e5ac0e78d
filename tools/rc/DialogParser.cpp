#include "tools/rc/DialogParser.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "tools/rc/ConstantExpression.h"
#include "tools/rc/Utf.h"

namespace rc {

namespace {

constexpr std::uint32_t kChildVisible = 0x40000000 | 0x10000000; // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t kTabStop = 0x00010000;
constexpr std::uint32_t kGroup = 0x00020000;
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kCaption = 0x00C00000;
constexpr std::uint32_t kDefaultDialogStyle = 0x80000000 | 0x00800000 | 0x00080000; // popup, border, system menu
constexpr std::uint32_t kSetFont = 0x40; // DS_SETFONT

constexpr std::uint16_t kButton = 0x80;
constexpr std::uint16_t kEdit = 0x81;
constexpr std::uint16_t kStatic = 0x82;
constexpr std::uint16_t kListBox = 0x83;
constexpr std::uint16_t kScrollBar = 0x84;
constexpr std::uint16_t kComboBox = 0x85;

// The standard control classes, by the names scripts give them.
constexpr std::array<std::pair<std::string_view, std::uint16_t>, 6> kClassNames { {
    { "BUTTON", kButton },
    { "EDIT", kEdit },
    { "STATIC", kStatic },
    { "LISTBOX", kListBox },
    { "SCROLLBAR", kScrollBar },
    { "COMBOBOX", kComboBox },
} };

// The control statements with a fixed class: their default style (besides WS_CHILD | WS_VISIBLE)
// and whether the text comes first.
struct ControlKeyword {
    std::string_view keyword;
    std::uint16_t windowClass;
    std::uint32_t style;
    bool hasText;
};

constexpr std::array<ControlKeyword, 17> kControlKeywords { {
    { "LTEXT", kStatic, 0x0000 | kGroup, true }, { "RTEXT", kStatic, 0x0002 | kGroup, true },
    { "CTEXT", kStatic, 0x0001 | kGroup, true }, { "PUSHBUTTON", kButton, 0x0000 | kTabStop, true },
    { "DEFPUSHBUTTON", kButton, 0x0001 | kTabStop, true }, { "PUSHBOX", kButton, 0x000A | kTabStop, true },
    { "CHECKBOX", kButton, 0x0002 | kTabStop, true }, { "AUTOCHECKBOX", kButton, 0x0003 | kTabStop, true },
    { "STATE3", kButton, 0x0005 | kTabStop, true }, { "AUTO3STATE", kButton, 0x0006 | kTabStop, true },
    { "RADIOBUTTON", kButton, 0x0004, true }, { "AUTORADIOBUTTON", kButton, 0x0009, true },
    { "GROUPBOX", kButton, 0x0007, true }, { "EDITTEXT", kEdit, 0x0000 | kBorder | kTabStop, false },
    { "LISTBOX", kListBox, 0x0001 | kBorder, false }, // LBS_NOTIFY
    { "COMBOBOX", kComboBox, 0x0001 | kTabStop, false }, // CBS_SIMPLE
    { "SCROLLBAR", kScrollBar, 0x0000, false }, // SBS_HORZ
} };

constexpr std::array<std::string_view, 17> kBinaryOperators {
    "||",
    "&&",
    "^",
    "&",
    "==",
    "!=",
    "<",
    ">",
    "<=",
    ">=",
    "<<",
    ">>",
    "+",
    "-",
    "*",
    "/",
    "%",
};

bool IsBinaryOperator(const Token& t)
{
    return t.kind == TokenKind::Punctuator
        && std::find(kBinaryOperators.begin(), kBinaryOperators.end(), t.text) != kBinaryOperators.end();
}

bool IsUnaryOperator(const Token& t)
{
    return t.kind == TokenKind::Punctuator && (t.text == "~" || t.text == "-" || t.text == "+" || t.text == "!");
}

std::string Upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::optional<std::int64_t> NoIdentifiers(const Token&) { return std::nullopt; }

class Writer {
public:
    void Word(std::uint32_t v)
    {
        m_data.push_back(static_cast<std::uint8_t>(v & 0xFF));
        m_data.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }
    void Dword(std::uint32_t v)
    {
        Word(v & 0xFFFF);
        Word(v >> 16);
    }
    void Byte(std::uint8_t v) { m_data.push_back(v); }
    void Text(const std::u16string& text)
    {
        for (char16_t unit : text)
            Word(unit);
        Word(0);
    }
    void AlignDword()
    {
        while (m_data.size() % 4)
            m_data.push_back(0);
    }
    void Bytes(const std::vector<std::uint8_t>& bytes) { m_data.insert(m_data.end(), bytes.begin(), bytes.end()); }
    std::vector<std::uint8_t> Take() { return std::move(m_data); }

private:
    std::vector<std::uint8_t> m_data;
};

} // namespace

DialogParser::DialogParser(TokenStream& tokens, bool extended)
    : m_tokens(tokens)
    , m_extended(extended)
{
}

std::vector<std::uint8_t> DialogParser::Parse(std::uint16_t& language)
{
    m_x = Coordinate("the dialog's x");
    m_tokens.Expect(",", "',' after the dialog's x");
    m_y = Coordinate("the dialog's y");
    m_tokens.Expect(",", "',' after the dialog's y");
    m_cx = Coordinate("the dialog's width");
    m_tokens.Expect(",", "',' after the dialog's width");
    m_cy = Coordinate("the dialog's height");
    if (m_extended && m_tokens.Accept(","))
        m_helpId = static_cast<std::uint32_t>(Evaluate());
    Options(language);
    if (!m_tokens.AcceptBlockStart())
        m_tokens.Fail("expected BEGIN or '{' to open the dialog's controls");
    while (!m_tokens.AcceptBlockEnd()) {
        if (m_tokens.AtEnd())
            m_tokens.Fail("dialog without END");
        if (!ControlStatement())
            m_tokens.Fail("expected a control statement or END, found '" + m_tokens.Peek().text + "'");
    }
    if (m_controls.size() > 0xFFFF)
        m_tokens.Fail("a dialog holds at most 65535 controls");
    return Write();
}

void DialogParser::Options(std::uint16_t& language)
{
    while (true) {
        if (m_tokens.AcceptKeyword("STYLE")) {
            m_style = Style(0);
            m_styleGiven = true;
        } else if (m_tokens.AcceptKeyword("EXSTYLE")) {
            m_exStyle = Style(0);
        } else if (m_tokens.AcceptKeyword("CAPTION")) {
            if (m_tokens.Peek().kind != TokenKind::String && m_tokens.Peek().kind != TokenKind::WideString)
                m_tokens.Fail("expected the caption's text");
            m_caption = Text(m_tokens.Next());
            m_captionGiven = true;
        } else if (m_tokens.AcceptKeyword("FONT")) {
            const std::int64_t size = Evaluate();
            if (size < 0 || size > 0xFFFF)
                m_tokens.Fail("font size " + std::to_string(size) + " is out of range");
            m_pointSize = static_cast<std::uint16_t>(size);
            m_tokens.Expect(",", "',' after the font size");
            if (m_tokens.Peek().kind != TokenKind::String && m_tokens.Peek().kind != TokenKind::WideString)
                m_tokens.Fail("expected the font's face name");
            m_face = Text(m_tokens.Next());
            if (m_extended && m_tokens.Accept(",")) {
                m_weight = static_cast<std::uint16_t>(Evaluate());
                if (m_tokens.Accept(",")) {
                    m_italic = Evaluate() ? 1 : 0;
                    if (m_tokens.Accept(","))
                        m_charset = static_cast<std::uint8_t>(Evaluate());
                }
            }
            m_hasFont = true;
        } else if (m_tokens.AcceptKeyword("MENU")) {
            m_menu = TextOrNumber("the menu's name");
        } else if (m_tokens.AcceptKeyword("CLASS")) {
            m_class = TextOrNumber("the class name");
        } else if (m_tokens.AcceptKeyword("LANGUAGE")) {
            const std::int64_t primary = Evaluate();
            m_tokens.Expect(",", "',' between the language and the sublanguage");
            const std::int64_t sub = Evaluate();
            if (primary < 0 || primary > 0x3FF || sub < 0 || sub > 0x3F)
                m_tokens.Fail("language " + std::to_string(primary) + ", " + std::to_string(sub) + " is out of range");
            language = static_cast<std::uint16_t>((sub << 10) | primary);
        } else if (m_tokens.AcceptKeyword("VERSION") || m_tokens.AcceptKeyword("CHARACTERISTICS")) {
            Evaluate();
        } else {
            return;
        }
    }
}

bool DialogParser::ControlStatement()
{
    if (m_tokens.AcceptKeyword("CONTROL")) {
        Control control;
        GenericControl(control);
        m_controls.push_back(std::move(control));
        return true;
    }
    const bool icon = m_tokens.IsKeyword("ICON");
    const auto keyword = std::find_if(kControlKeywords.begin(), kControlKeywords.end(),
        [&](const ControlKeyword& k) { return m_tokens.IsKeyword(k.keyword); });
    if (!icon && keyword == kControlKeywords.end())
        return false;
    m_tokens.Next();

    Control control;
    control.windowClass = NameOrNumber { true, icon ? kStatic : keyword->windowClass, {} };
    control.style = kChildVisible | (icon ? 0x0003 : keyword->style); // SS_ICON for icons
    if (icon || keyword->hasText) {
        control.text = TextOrNumber("the control's text");
        m_tokens.Expect(",", "',' after the control's text");
    }
    control.id = static_cast<std::uint32_t>(Evaluate());
    m_tokens.Expect(",", "',' after the control's id");
    control.x = Coordinate("the control's x");
    m_tokens.Expect(",", "',' after the control's x");
    control.y = Coordinate("the control's y");
    if (icon) {
        // An icon takes its size from the picture unless the script gives one.
        if (m_tokens.Accept(",")) {
            control.cx = Coordinate("the control's width");
            m_tokens.Expect(",", "',' after the control's width");
            control.cy = Coordinate("the control's height");
            Trailer(control, true);
        }
    } else {
        m_tokens.Expect(",", "',' after the control's y");
        control.cx = Coordinate("the control's width");
        m_tokens.Expect(",", "',' after the control's width");
        control.cy = Coordinate("the control's height");
        Trailer(control, true);
    }
    m_controls.push_back(std::move(control));
    return true;
}

void DialogParser::GenericControl(Control& control)
{
    control.text = TextOrNumber("the control's text");
    m_tokens.Expect(",", "',' after the control's text");
    control.id = static_cast<std::uint32_t>(Evaluate());
    m_tokens.Expect(",", "',' after the control's id");
    control.windowClass = ClassName();
    m_tokens.Expect(",", "',' after the control's class");
    control.style = Style(kChildVisible);
    m_tokens.Expect(",", "',' after the control's style");
    control.x = Coordinate("the control's x");
    m_tokens.Expect(",", "',' after the control's x");
    control.y = Coordinate("the control's y");
    m_tokens.Expect(",", "',' after the control's y");
    control.cx = Coordinate("the control's width");
    m_tokens.Expect(",", "',' after the control's width");
    control.cy = Coordinate("the control's height");
    Trailer(control, false);
}

// The optional end of a control statement: [, style] [, extended style [, help id]] and, in a
// DIALOGEX, a block of creation data.
void DialogParser::Trailer(Control& control, bool styleAllowed)
{
    if (styleAllowed && m_tokens.Accept(",")) {
        std::uint32_t given = 0;
        control.style = Style(control.style, &given);
        // A combo box's kind is one value, not a set of bits: the kind written replaces the default one.
        if (control.windowClass.isNumber && control.windowClass.number == kComboBox && (given & 0x3))
            control.style = (control.style & ~0x3u) | (given & 0x3);
    }
    if (m_tokens.Accept(",")) {
        control.exStyle = Style(0);
        if (m_extended && m_tokens.Accept(","))
            control.helpId = static_cast<std::uint32_t>(Evaluate());
    }
    if (m_extended && (m_tokens.IsKeyword("BEGIN") || m_tokens.Peek().IsPunctuator("{")))
        control.data = CreationData();
}

std::vector<std::uint8_t> DialogParser::CreationData()
{
    m_tokens.AcceptBlockStart();
    Writer data;
    while (!m_tokens.AcceptBlockEnd()) {
        const Token& t = m_tokens.Peek();
        if (t.kind == TokenKind::End) {
            m_tokens.Fail("creation data without END");
        } else if (t.kind == TokenKind::String) {
            for (char c : t.text)
                data.Byte(static_cast<std::uint8_t>(c));
            m_tokens.Next();
        } else if (t.kind == TokenKind::WideString) {
            for (char16_t unit : t.wide)
                data.Word(unit);
            m_tokens.Next();
        } else if (ConstantExpression::StartsExpression(t)) {
            const ConstantValue v = ConstantExpression::Evaluate(m_tokens, NoIdentifiers);
            if (v.isLong)
                data.Dword(static_cast<std::uint32_t>(v.value));
            else
                data.Word(static_cast<std::uint32_t>(v.value));
        } else {
            m_tokens.Fail("expected a number or a string in creation data");
        }
        m_tokens.Accept(",");
    }
    std::vector<std::uint8_t> bytes = data.Take();
    if (bytes.size() > 0xFFFF)
        m_tokens.Fail("creation data longer than 65535 bytes");
    return bytes;
}

std::int64_t DialogParser::Evaluate()
{
    if (!ConstantExpression::StartsExpression(m_tokens.Peek()))
        m_tokens.Fail("expected a number, found '" + m_tokens.Peek().text + "'");
    return ConstantExpression::Evaluate(m_tokens, NoIdentifiers).value;
}

std::int16_t DialogParser::Coordinate(const char* what)
{
    const SourceLocation where = m_tokens.Peek().location;
    const std::int64_t v = Evaluate();
    if (v < -32768 || v > 32767)
        throw ScriptError(where, std::string(what) + " " + std::to_string(v) + " is out of range");
    return static_cast<std::int16_t>(v);
}

// A style is a list of terms joined by '|', each of them an expression that is or-ed in, or, after
// NOT, taken out of what the terms before it (and the statement's default) give.
std::uint32_t DialogParser::Style(std::uint32_t initial, std::uint32_t* orBits)
{
    struct Term {
        bool negate { false };
        std::vector<Token> tokens;
    };
    std::vector<Term> terms(1);
    std::size_t ahead = 0;
    int depth = 0;
    bool expectOperand = true;
    while (true) {
        const Token& t = m_tokens.Peek(ahead);
        if (t.kind == TokenKind::End)
            break;
        if (expectOperand) {
            if (depth == 0 && terms.back().tokens.empty() && !terms.back().negate && m_tokens.IsKeyword("NOT", ahead)) {
                terms.back().negate = true;
            } else if (t.kind == TokenKind::Number || t.kind == TokenKind::Identifier) {
                terms.back().tokens.push_back(t);
                expectOperand = false;
            } else if (t.IsPunctuator("(")) {
                ++depth;
                terms.back().tokens.push_back(t);
            } else if (IsUnaryOperator(t)) {
                terms.back().tokens.push_back(t);
            } else {
                break;
            }
        } else if (t.IsPunctuator(")") && depth > 0) {
            --depth;
            terms.back().tokens.push_back(t);
        } else if (t.IsPunctuator("|")) {
            if (depth == 0)
                terms.emplace_back();
            else
                terms.back().tokens.push_back(t);
            expectOperand = true;
        } else if (IsBinaryOperator(t)) {
            terms.back().tokens.push_back(t);
            expectOperand = true;
        } else {
            break;
        }
        ++ahead;
    }
    const SourceLocation where = m_tokens.Peek().location;
    for (std::size_t i = 0; i < ahead; ++i)
        m_tokens.Next();
    std::uint32_t style = initial;
    for (Term& term : terms) {
        if (term.tokens.empty())
            throw ScriptError(where, "expected a style");
        TokenStream stream(std::move(term.tokens));
        const auto value = static_cast<std::uint32_t>(ConstantExpression::Evaluate(stream, NoIdentifiers).value);
        if (!stream.AtEnd())
            stream.Fail("unexpected '" + stream.Peek().text + "' in a style");
        style = term.negate ? (style & ~value) : (style | value);
        if (orBits && !term.negate)
            *orBits |= value;
    }
    return style;
}

DialogParser::NameOrNumber DialogParser::TextOrNumber(const char* what)
{
    const Token& t = m_tokens.Peek();
    if (t.kind == TokenKind::String || t.kind == TokenKind::WideString)
        return NameOrNumber { false, 0, Text(m_tokens.Next()) };
    if (t.kind == TokenKind::Identifier) {
        // A name no header defines: a resource named by text, as resource names compare in upper case.
        const std::string name = Upper(m_tokens.Next().text);
        return NameOrNumber { false, 0, std::u16string(name.begin(), name.end()) };
    }
    const SourceLocation where = t.location;
    const std::int64_t v = Evaluate();
    if (v < 0 || v > 0xFFFF)
        throw ScriptError(where, std::string(what) + " " + std::to_string(v) + " is out of range (0 to 65535)");
    return NameOrNumber { true, static_cast<std::uint16_t>(v), {} };
}

DialogParser::NameOrNumber DialogParser::ClassName()
{
    const Token& t = m_tokens.Peek();
    std::string name;
    if (t.kind == TokenKind::String || t.kind == TokenKind::Identifier)
        name = Upper(t.text);
    for (const auto& [known, ordinal] : kClassNames) {
        if (name == known) {
            m_tokens.Next();
            return NameOrNumber { true, ordinal, {} };
        }
    }
    if (t.kind == TokenKind::Identifier)
        m_tokens.Fail("unknown control class '" + t.text + "' (a class name is written in quotes)");
    return TextOrNumber("the control's class");
}

std::u16string DialogParser::Text(const Token& literal)
{
    if (literal.kind == TokenKind::WideString)
        return literal.wide;
    auto units = Utf8ToUtf16(literal.text);
    if (!units)
        throw ScriptError(literal.location, "text that is not valid UTF-8");
    return *units;
}

std::vector<std::uint8_t> DialogParser::Write() const
{
    std::uint32_t style = m_styleGiven ? m_style : kDefaultDialogStyle;
    if (m_captionGiven)
        style |= kCaption;
    if (m_hasFont)
        style |= kSetFont;

    auto nameOrNumber = [](Writer& out, const NameOrNumber& n) {
        if (n.isNumber) {
            out.Word(0xFFFF);
            out.Word(n.number);
        } else {
            out.Text(n.text);
        }
    };

    Writer out;
    out.Word(1);
    out.Word(0xFFFF);
    out.Dword(m_helpId);
    out.Dword(m_exStyle);
    out.Dword(style);
    out.Word(static_cast<std::uint32_t>(m_controls.size()));
    for (std::int16_t v : { m_x, m_y, m_cx, m_cy })
        out.Word(static_cast<std::uint16_t>(v));
    nameOrNumber(out, m_menu);
    nameOrNumber(out, m_class);
    out.Text(m_caption);
    if (style & kSetFont) {
        out.Word(m_pointSize);
        out.Word(m_weight);
        out.Byte(m_italic);
        out.Byte(m_charset);
        out.Text(m_face);
    }
    for (const Control& c : m_controls) {
        out.AlignDword();
        out.Dword(c.helpId);
        out.Dword(c.exStyle);
        out.Dword(c.style);
        for (std::int16_t v : { c.x, c.y, c.cx, c.cy })
            out.Word(static_cast<std::uint16_t>(v));
        out.Dword(c.id);
        nameOrNumber(out, c.windowClass);
        nameOrNumber(out, c.text);
        out.Word(static_cast<std::uint32_t>(c.data.size()));
        out.Bytes(c.data);
    }
    return out.Take();
}

} // namespace rc
