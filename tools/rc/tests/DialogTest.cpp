#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tools/rc/DialogParser.h"
#include "tools/rc/Preprocessor.h"
#include "tools/rc/ResourceSet.h"
#include "tools/rc/ScriptParser.h"
#include "tools/rc/StandardNames.h"

namespace {

// Compiles a script as tsrc does and returns every resource it defines.
std::vector<rc::Resource> Compile(const std::string& script)
{
    {
        std::ofstream out("test.rc", std::ios::binary | std::ios::trunc);
        out << script;
    }
    rc::Preprocessor preprocessor({});
    for (const auto& [name, body] : rc::StandardNames())
        preprocessor.Define(name, body);
    rc::TokenStream tokens(preprocessor.Run("test.rc"));
    rc::ResourceSet resources;
    rc::ScriptParser(tokens, preprocessor, resources).Run();
    return resources.Build();
}

std::vector<std::uint8_t> DialogData(const std::string& script)
{
    for (const rc::Resource& r : Compile(script))
        if (r.type.number == rc::kTypeDialog)
            return r.data;
    ADD_FAILURE() << "no dialog compiled";
    return {};
}

// Reads a compiled template back, field by field.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& data)
        : m_data(data)
    {
    }
    std::uint16_t Word()
    {
        if (m_pos + 2 > m_data.size())
            throw std::out_of_range("past the end");
        const std::uint16_t v = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    std::uint32_t Dword()
    {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }
    std::uint8_t Byte() { return m_data.at(m_pos++); }
    // A text, or "#n" for a number.
    std::u16string NameOrNumber()
    {
        std::u16string s;
        std::uint16_t unit = Word();
        if (unit == 0xFFFF) {
            const std::string n = "#" + std::to_string(Word());
            return std::u16string(n.begin(), n.end());
        }
        for (; unit; unit = Word())
            s.push_back(static_cast<char16_t>(unit));
        return s;
    }
    void Align() { m_pos = (m_pos + 3) & ~std::size_t { 3 }; }
    bool AtEnd() const { return m_pos == m_data.size(); }

private:
    const std::vector<std::uint8_t>& m_data;
    std::size_t m_pos { 0 };
};

struct Item {
    std::uint32_t helpId, exStyle, style;
    std::int16_t x, y, cx, cy;
    std::uint32_t id;
    std::u16string windowClass, text;
    std::uint16_t extra;
};

Item ReadItem(Reader& r)
{
    r.Align();
    Item item {};
    item.helpId = r.Dword();
    item.exStyle = r.Dword();
    item.style = r.Dword();
    item.x = static_cast<std::int16_t>(r.Word());
    item.y = static_cast<std::int16_t>(r.Word());
    item.cx = static_cast<std::int16_t>(r.Word());
    item.cy = static_cast<std::int16_t>(r.Word());
    item.id = r.Dword();
    item.windowClass = r.NameOrNumber();
    item.text = r.NameOrNumber();
    item.extra = r.Word();
    for (std::uint16_t i = 0; i < item.extra; ++i)
        r.Byte();
    return item;
}

constexpr std::uint32_t kChildVisible = 0x50000000;

} // namespace

TEST(Dialog, ExtendedTemplateCarriesHeaderFontAndControls)
{
    const auto data = DialogData(R"(
#define IDD_ABOUT 100
#define IDC_NAME 1001
IDD_ABOUT DIALOGEX 10, -5, 200, 120, 77
STYLE DS_MODALFRAME | WS_POPUP | WS_SYSMENU
EXSTYLE WS_EX_CONTEXTHELP
CAPTION "Über"
FONT 8, "MS Sans Serif", 700, 1, 0
MENU IDM_MAIN
CLASS "MyDialog"
BEGIN
    EDITTEXT IDC_NAME, 7, 8, 100, 14, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 55
    DEFPUSHBUTTON "OK", IDOK, 140, 100, 50, 14
END
)");
    Reader r(data);
    EXPECT_EQ(r.Word(), 1);
    EXPECT_EQ(r.Word(), 0xFFFF);
    EXPECT_EQ(r.Dword(), 77u); // help id
    EXPECT_EQ(r.Dword(), 0x400u);
    // CAPTION adds WS_CAPTION and FONT adds DS_SETFONT to the given style.
    EXPECT_EQ(r.Dword(), 0x80C80000u | 0x80u | 0x40u);
    EXPECT_EQ(r.Word(), 2); // controls
    EXPECT_EQ(static_cast<std::int16_t>(r.Word()), 10);
    EXPECT_EQ(static_cast<std::int16_t>(r.Word()), -5);
    EXPECT_EQ(r.Word(), 200);
    EXPECT_EQ(r.Word(), 120);
    EXPECT_EQ(r.NameOrNumber(), u"IDM_MAIN");
    EXPECT_EQ(r.NameOrNumber(), u"MyDialog");
    EXPECT_EQ(r.NameOrNumber(), u"Über");
    EXPECT_EQ(r.Word(), 8);
    EXPECT_EQ(r.Word(), 700);
    EXPECT_EQ(r.Byte(), 1);
    EXPECT_EQ(r.Byte(), 0);
    EXPECT_EQ(r.NameOrNumber(), u"MS Sans Serif");

    Item edit = ReadItem(r);
    EXPECT_EQ(edit.helpId, 55u);
    EXPECT_EQ(edit.exStyle, 0x200u);
    EXPECT_EQ(edit.style, kChildVisible | 0x00800000u | 0x00010000u | 0x80u);
    EXPECT_EQ(edit.x, 7);
    EXPECT_EQ(edit.cy, 14);
    EXPECT_EQ(edit.id, 1001u);
    EXPECT_EQ(edit.windowClass, u"#129");
    EXPECT_EQ(edit.text, u"");
    Item ok = ReadItem(r);
    EXPECT_EQ(ok.style, kChildVisible | 0x00010000u | 0x1u);
    EXPECT_EQ(ok.windowClass, u"#128");
    EXPECT_EQ(ok.text, u"OK");
    EXPECT_EQ(ok.id, 1u);
    EXPECT_TRUE(r.AtEnd());
}

TEST(Dialog, ControlStatementsGiveTheirClassAndDefaultStyle)
{
    struct Case {
        const char* statement;
        const char16_t* windowClass;
        std::uint32_t style; // besides WS_CHILD | WS_VISIBLE
        const char16_t* text;
    };
    const Case cases[] = {
        { "LTEXT \"&Name:\", -1, 1, 2, 3, 4", u"#130", 0x00020000, u"&Name:" },
        { "RTEXT \"r\", 5, 1, 2, 3, 4, SS_NOPREFIX", u"#130", 0x00020000 | 0x2 | 0x80, u"r" },
        { "CTEXT \"c\", 5, 1, 2, 3, 4, NOT WS_GROUP", u"#130", 0x1, u"c" },
        { "PUSHBUTTON \"p\", 5, 1, 2, 3, 4, NOT WS_TABSTOP | WS_DISABLED", u"#128", 0x08000000, u"p" },
        { "CHECKBOX \"c\", 5, 1, 2, 3, 4", u"#128", 0x00010000 | 0x2, u"c" },
        { "AUTOCHECKBOX \"c\", 5, 1, 2, 3, 4", u"#128", 0x00010000 | 0x3, u"c" },
        { "RADIOBUTTON \"r\", 5, 1, 2, 3, 4, WS_GROUP", u"#128", 0x00020000 | 0x4, u"r" },
        { "AUTORADIOBUTTON \"r\", 5, 1, 2, 3, 4", u"#128", 0x9, u"r" },
        { "GROUPBOX \"g\", 5, 1, 2, 3, 4", u"#128", 0x7, u"g" },
        { "LISTBOX 5, 1, 2, 3, 4, LBS_SORT | WS_VSCROLL", u"#131", 0x00800000 | 0x1 | 0x2 | 0x00200000, u"" },
        { "COMBOBOX 5, 1, 2, 3, 4, CBS_DROPDOWNLIST", u"#133", 0x00010000 | 0x3, u"" },
        { "COMBOBOX 5, 1, 2, 3, 4, CBS_DROPDOWN | CBS_SORT", u"#133", 0x00010000 | 0x2 | 0x100, u"" },
        { "COMBOBOX 5, 1, 2, 3, 4, WS_VSCROLL", u"#133", 0x00010000 | 0x1 | 0x00200000, u"" },
        { "SCROLLBAR 5, 1, 2, 3, 4, SBS_VERT", u"#132", 0x1, u"" },
        { "ICON 128, 5, 1, 2", u"#130", 0x3, u"#128" },
        { "ICON IDR_LOGO, 5, 1, 2, 0, 0, SS_CENTERIMAGE", u"#130", 0x3 | 0x200, u"IDR_LOGO" },
        { "CONTROL \"x\", 5, \"Button\", BS_AUTORADIOBUTTON, 1, 2, 3, 4", u"#128", 0x9, u"x" },
        { "CONTROL \"\", 5, BUTTON, BS_OWNERDRAW | NOT WS_VISIBLE, 1, 2, 3, 4", u"#128", 0xB, u"" },
        { "CONTROL \"\", 5, \"msctls_updown32\", 0x20 | (0x1 << 1), 1, 2, 3, 4", u"msctls_updown32", 0x22, u"" },
        // The common controls' style names.
        { "CONTROL \"\", 5, \"SysListView32\", LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 1, 2, 3, 4",
            u"SysListView32", 0x1 | 0x8 | 0x8000, u"" },
        { "CONTROL \"\", 5, \"msctls_updown32\", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 1, 2, 3, 4",
            u"msctls_updown32", 0x2 | 0x4 | 0x10 | 0x20, u"" },
        { "CONTROL \"\", 5, \"msctls_progress32\", PBS_SMOOTH, 1, 2, 3, 4", u"msctls_progress32", 0x1, u"" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        const auto data = DialogData(std::string("1 DIALOGEX 0, 0, 10, 10\nBEGIN\n") + c.statement + "\nEND\n");
        Reader r(data);
        r.Word();
        r.Word();
        r.Dword();
        r.Dword();
        r.Dword();
        ASSERT_EQ(r.Word(), 1);
        for (int i = 0; i < 4; ++i)
            r.Word();
        r.NameOrNumber();
        r.NameOrNumber();
        r.NameOrNumber();
        const Item item = ReadItem(r);
        const bool hidden = std::string(c.statement).find("NOT WS_VISIBLE") != std::string::npos;
        EXPECT_EQ(item.style, (hidden ? 0x40000000u : kChildVisible) | c.style);
        EXPECT_EQ(item.windowClass, c.windowClass);
        EXPECT_EQ(item.text, c.text);
        EXPECT_EQ(item.x, 1);
        EXPECT_EQ(item.y, 2);
    }
}

TEST(Dialog, PlainDialogIsWrittenInTheExtendedFormWithTheDefaultStyle)
{
    const auto data = DialogData("2 DIALOG 1, 2, 3, 4\nFONT 8, \"MS Sans Serif\"\nBEGIN\nEND\n");
    Reader r(data);
    EXPECT_EQ(r.Word(), 1);
    EXPECT_EQ(r.Word(), 0xFFFF);
    r.Dword();
    r.Dword();
    EXPECT_EQ(r.Dword(), 0x80880000u | 0x40u); // WS_POPUP | WS_BORDER | WS_SYSMENU, DS_SETFONT
    EXPECT_EQ(r.Word(), 0);
    for (int i = 0; i < 4; ++i)
        r.Word();
    EXPECT_EQ(r.NameOrNumber(), u"");
    EXPECT_EQ(r.NameOrNumber(), u"");
    EXPECT_EQ(r.NameOrNumber(), u"");
    EXPECT_EQ(r.Word(), 8);
    EXPECT_EQ(r.Word(), 0); // weight
    EXPECT_EQ(r.Byte(), 0);
    EXPECT_EQ(r.Byte(), 1); // the default character set
    EXPECT_EQ(r.NameOrNumber(), u"MS Sans Serif");
    EXPECT_TRUE(r.AtEnd());
}

TEST(Dialog, ExtendedControlKeepsItsCreationData)
{
    const auto data = DialogData(
        "3 DIALOGEX 0, 0, 10, 10\nBEGIN\nCONTROL \"\", 7, \"Custom\", 0, 0, 0, 5, 5\n{ 0x0102, 0x03040506L }\nEND\n");
    Reader r(data);
    for (int i = 0; i < 2; ++i)
        r.Word();
    for (int i = 0; i < 3; ++i)
        r.Dword();
    r.Word();
    for (int i = 0; i < 4; ++i)
        r.Word();
    for (int i = 0; i < 3; ++i)
        r.NameOrNumber();
    r.Align();
    for (int i = 0; i < 3; ++i)
        r.Dword();
    for (int i = 0; i < 4; ++i)
        r.Word();
    r.Dword();
    EXPECT_EQ(r.NameOrNumber(), u"Custom");
    EXPECT_EQ(r.NameOrNumber(), u"");
    EXPECT_EQ(r.Word(), 6);
    EXPECT_EQ(r.Word(), 0x0102);
    EXPECT_EQ(r.Dword(), 0x03040506u);
    EXPECT_TRUE(r.AtEnd());
}

TEST(Dialog, FaultsStopTheCompilationWithTheirLine)
{
    struct Case {
        const char* script;
        int line;
    };
    const Case cases[] = {
        { "1 DIALOGEX 0, 0, 10, 10\nBEGIN\nLTEXT \"a\", 1, 0, 0, 5, 5\n", 3 }, // no END
        { "1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_POPUP | WS_NOSUCH\nBEGIN\nEND\n", 2 },
        { "1 DIALOGEX 0, 0, 40000, 10\nBEGIN\nEND\n", 1 },
        { "1 DIALOGEX 0, 0, 10, 10\nBEGIN\nCONTROL \"\", 1, NOSUCHCLASS, 0, 0, 0, 5, 5\nEND\n", 3 },
        { "1 DIALOGEX 0, 0, 10, 10\nBEGIN\nBUTTONX \"\", 1, 0, 0, 5, 5\nEND\n", 3 },
        { "1 DIALOGEX 0, 0, 10, 10\nBEGIN\nPUSHBUTTON \"a\" 1, 0, 0, 5, 5\nEND\n", 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        try {
            Compile(c.script);
            ADD_FAILURE() << "compiled";
        } catch (const rc::ScriptError& e) {
            EXPECT_EQ(e.Location().line, c.line) << e.what();
        }
    }
}
