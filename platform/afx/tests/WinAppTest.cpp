#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CFileException.h"
#include "platform/afx/CUserException.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Registry.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes ReadBinary(CWinApp& app, LPCTSTR section, LPCTSTR entry, BOOL& found)
{
    LPBYTE data = nullptr;
    UINT size = 0;
    found = app.GetProfileBinary(section, entry, &data, &size);
    const std::unique_ptr<BYTE[]> owned(data);
    return data ? Bytes(data, data + size) : Bytes();
}

// Runs the same profile checks against the registry and against a profile file.
void CheckProfileRoundTrip(CWinApp& app)
{
    EXPECT_EQ(app.GetProfileInt("Settings", "Count", 7), 7u);
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", -3));
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Settings", "Count", 7)), -3);

    EXPECT_STREQ(app.GetProfileString("Settings", "Name", "none"), "none");
    EXPECT_STREQ(app.GetProfileString("Settings", "Name"), "");
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "Grüße"));
    EXPECT_STREQ(app.GetProfileString("Settings", "name"), "Grüße");
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", nullptr));
    EXPECT_STREQ(app.GetProfileString("Settings", "Name", "gone"), "gone");

    const Bytes buttons = { 0x64, 0, 0, 0, 0, 0xFF, 0x10 };
    EXPECT_TRUE(app.WriteProfileBinary("Bar", "Buttons", const_cast<BYTE*>(buttons.data()), 7));
    BOOL found = FALSE;
    EXPECT_EQ(ReadBinary(app, "Bar", "Buttons", found), buttons);
    EXPECT_TRUE(found);
    ReadBinary(app, "Bar", "Missing", found);
    EXPECT_FALSE(found);

    EXPECT_TRUE(app.WriteProfileString("Bar", nullptr, nullptr)); // the whole section goes
    ReadBinary(app, "Bar", "Buttons", found);
    EXPECT_FALSE(found);
}

} // namespace

TEST(CWinApp, ProfileInTheRegistry)
{
    CWinApp app("Scratch");
    EXPECT_EQ(AfxGetApp(), &app);
    app.SetRegistryKey("Corvane");
    EXPECT_STREQ(app.m_pszProfileName, "Scratch");
    CheckProfileRoundTrip(app);

    // The values live under HKEY_CURRENT_USER\Software\<key>\<application>\<section> in their types.
    ASSERT_TRUE(app.WriteProfileString("Settings", "UseLCID", "T"));
    ASSERT_TRUE(app.WriteProfileInt("Settings", "Width", 640));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Corvane\\Scratch\\Settings", 0, KEY_READ, &key), 0);
    DWORD type = 0;
    char text[8] {};
    DWORD size = sizeof(text);
    EXPECT_EQ(RegQueryValueEx(key, "UseLCID", nullptr, &type, reinterpret_cast<LPBYTE>(text), &size), 0);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_STREQ(text, "T");
    DWORD width = 0;
    size = sizeof(width);
    EXPECT_EQ(RegQueryValueEx(key, "Width", nullptr, &type, reinterpret_cast<LPBYTE>(&width), &size), 0);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(width, 640u);
    RegCloseKey(key);

    HKEY section = app.GetSectionKey("Settings");
    ASSERT_NE(section, nullptr);
    RegCloseKey(section);
}

TEST(CWinApp, ProfileInAFile)
{
    CWinApp app("Scratch");
    app.SetCurrentHandles();
    const std::string path = std::string(getenv("TUNESTEWARD_HOME")) + "/scratch.ini";
    std::free(const_cast<char*>(app.m_pszProfileName));
    app.m_pszProfileName = ::strdup(("Z:" + path).c_str());
    CheckProfileRoundTrip(app);

    // Binary data in a profile file is two letters per byte, low half first; text that is not such data is
    // refused instead of being decoded past its end.
    const BYTE data[] = { 0x1F, 0xA0 };
    ASSERT_TRUE(app.WriteProfileBinary("Raw", "Data", const_cast<BYTE*>(data), 2));
    EXPECT_STREQ(app.GetProfileString("Raw", "Data"), "PBAK");
    BOOL found = TRUE;
    app.WriteProfileString("Raw", "Odd", "PBA");
    EXPECT_TRUE(ReadBinary(app, "Raw", "Odd", found).empty());
    EXPECT_FALSE(found);
    app.WriteProfileString("Raw", "Letters", "zz");
    ReadBinary(app, "Raw", "Letters", found);
    EXPECT_FALSE(found);
}

TEST(CWinApp, MessageBoxesCarryTheApplicationName)
{
    CWinApp app("Tune Steward");
    std::string caption;
    std::string text;
    UINT style = 0;
    const auto previous = platform::SetMessageBoxPresenter([&](const std::string& t, const std::string& c, UINT type) {
        text = t;
        caption = c;
        style = type;
        return IDNO;
    });
    EXPECT_EQ(AfxMessageBox("Delete it?", MB_YESNO), IDNO);
    EXPECT_EQ(caption, "Tune Steward");
    EXPECT_EQ(text, "Delete it?");
    EXPECT_EQ(style, MB_YESNO | MB_ICONQUESTION);
    AfxMessageBox("Done.");
    EXPECT_EQ(style, MB_OK | MB_ICONEXCLAMATION);
    AfxMessageBox("Stop.", MB_OK | MB_ICONSTOP);
    EXPECT_EQ(style, MB_OK | MB_ICONSTOP);

    // An exception reports its own text; one without a text the string it is given, or a fallback.
    CFileException(CFileException::diskFull, 112, "Z:\\lib.mdb").ReportError();
    EXPECT_EQ(text, "Disk full while accessing Z:\\lib.mdb.");
    CUserException().ReportError(MB_OK, AFX_IDS_APP_TITLE);
    EXPECT_EQ(text, "Afx Test Title"); // the test program's string 0xE000
    EXPECT_EQ(caption, "Tune Steward");
    CUserException().ReportError();
    EXPECT_EQ(text, "No error message is available.");
    platform::SetMessageBoxPresenter(previous);
}
