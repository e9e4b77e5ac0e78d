#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/MessageBox.h"
#include "platform/base/Paths.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECBrowseButton.h"
#include "toolkit/controls/SECBrowseDirEdit.h"

using platform::user::TestScreen;
namespace fs = std::filesystem;

namespace {

void Press(int vk)
{
    platform::user::InjectKey(vk, true);
    platform::user::InjectKey(vk, false);
}

std::string TextOf(const CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return std::string(text);
}

// A window with an edit of 200 pixels that becomes a directory edit, and a music folder holding the
// folders albums and Covers.
class BrowseDirEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories("Music/Covers");
        fs::create_directories("Music/albums");
        std::ofstream("Music/a.mp3") << "x";
        music = platform::ToProgramPath((fs::current_path() / "Music").string());
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 80), nullptr, 0));
        ::CreateWindowEx(0, "edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 20, 20, 200, 22, owner.GetSafeHwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditID)), nullptr, nullptr);
        ::CreateWindowEx(0, "button", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 20, 50, 60, 22, owner.GetSafeHwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
        ASSERT_TRUE(edit.Initialize(kEditID, &owner));
        m_previousPresenter = platform::SetMessageBoxPresenter([this](const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return IDOK;
        });
        screen.pump();
    }
    void TearDown() override
    {
        platform::SetChooserShownHook(nullptr);
        platform::SetMessageBoxPresenter(m_previousPresenter);
        owner.DestroyWindow();
        screen.pump();
        fs::remove_all("Music");
    }
    // Presses the "..." button; the chooser gets the input once it shows.
    void browse(std::function<void(HWND)> input)
    {
        platform::SetChooserShownHook([input](HWND chooser) { input(chooser); });
        CRect rect;
        edit.GetButton()->GetWindowRect(rect);
        screen.click(rect.CenterPoint().x, rect.CenterPoint().y);
    }

    static constexpr int kEditID = 10;
    TestScreen screen { 480, 300 };
    CWnd owner;
    SECBrowseDirEdit edit;
    std::string music;
    std::vector<std::string> boxes;
    platform::MessageBoxPresenter m_previousPresenter;
};

TEST_F(BrowseDirEdit, TheButtonStandsBesideTheEditAndFollowsIt)
{
    CRect editRect, buttonRect;
    edit.GetWindowRect(editRect);
    SECBrowseButton* button = edit.GetButton();
    ASSERT_NE(button, nullptr);
    button->GetWindowRect(buttonRect);
    EXPECT_EQ(editRect, CRect(20, 20, 194, 42));
    EXPECT_EQ(buttonRect, CRect(195, 20, 220, 42));
    EXPECT_EQ(TextOf(*button), "...");
    EXPECT_EQ(button->GetDlgCtrlID(), 32767);
    EXPECT_EQ(::GetWindow(edit.GetSafeHwnd(), GW_HWNDNEXT), button->GetSafeHwnd());

    edit.EnableWindow(FALSE);
    EXPECT_FALSE(button->IsWindowEnabled());
    edit.EnableWindow(TRUE);
    EXPECT_TRUE(button->IsWindowEnabled());
    edit.ShowWindow(SW_HIDE);
    EXPECT_FALSE(button->IsWindowVisible());
    edit.ShowWindow(SW_SHOW);
    EXPECT_TRUE(button->IsWindowVisible());

    // The button goes with the edit.
    const HWND hButton = button->GetSafeHwnd();
    edit.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hButton));
    EXPECT_EQ(edit.GetButton(), nullptr);
}

TEST_F(BrowseDirEdit, ADisabledEditGetsADisabledButton)
{
    ::CreateWindowEx(0, "edit", "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 20, 50, 100, 22, owner.GetSafeHwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(11)), nullptr, nullptr);
    SECBrowseDirEdit disabled;
    ASSERT_TRUE(disabled.Initialize(11, &owner));
    ASSERT_NE(disabled.GetButton(), nullptr);
    EXPECT_FALSE(disabled.GetButton()->IsWindowEnabled());
    EXPECT_EQ(disabled.GetButton()->GetDlgCtrlID(), 32766);
    SECBrowseDirEdit missing;
    EXPECT_FALSE(missing.Initialize(12, &owner));
}

TEST_F(BrowseDirEdit, TheChooserStartsAtTheEditsFolderAndTheChoiceEndsInABackslash)
{
    std::vector<std::string> titles;
    edit.SetWindowText(music.c_str());
    // Down the folder list to "Covers" (the second folder below the one shown), Enter opens it,
    // Enter again is OK.
    browse([&titles](HWND chooser) {
        char title[64] {};
        ::GetWindowText(chooser, title, sizeof title);
        titles.push_back(title);
        Press(VK_DOWN);
        Press(VK_DOWN);
        Press(VK_RETURN);
        Press(VK_RETURN);
    });
    EXPECT_EQ(TextOf(edit), music + "\\Covers\\");

    // Cancelling leaves the text; the second chooser has the same title as the first.
    browse([&titles](HWND chooser) {
        char title[64] {};
        ::GetWindowText(chooser, title, sizeof title);
        titles.push_back(title);
        Press(VK_ESCAPE);
    });
    EXPECT_EQ(TextOf(edit), music + "\\Covers\\");
    EXPECT_EQ(titles, (std::vector<std::string> { "Select Directory", "Select Directory" }));

    // A folder that does not exist opens the chooser at its default, the current folder.
    edit.SetWindowText("Z:\\no\\such\\folder");
    browse([](HWND) { Press(VK_RETURN); });
    EXPECT_EQ(TextOf(edit), platform::ToProgramPath(fs::current_path().string()) + "\\");
}

TEST_F(BrowseDirEdit, TheClassicChooserLooksAsTheGoldenPicture)
{
    // The folder shown, its parent above it and its folders below, each with its picture; the path
    // cut to its last folders, the drive in its box, OK, Cancel and Help beside them.
    for (const char* folder : { "albums", "live", "singles", "tapes" })
        fs::create_directories(fs::path("Music/Records/Vinyl") / folder);
    edit.SetWindowText((music + "\\Records\\Vinyl").c_str());
    std::string difference = "not shown";
    browse([this, &difference](HWND chooser) {
        screen.pump();
        RECT frame {};
        ::GetWindowRect(chooser, &frame);
        difference = screen.compareWithGolden(frame, std::string(TS_CONTROLS_TEST_DIR) + "/golden/DirSelectClassic.png");
        Press(VK_ESCAPE);
    });
    EXPECT_EQ(difference, "");
}

TEST_F(BrowseDirEdit, AFolderThatVanishesWhileTheChooserIsOpenIsNotTaken)
{
    edit.SetWindowText(music.c_str());
    browse([](HWND) {
        fs::remove_all("Music");
        Press(VK_RETURN);
        Press(VK_ESCAPE);
    });
    EXPECT_EQ(TextOf(edit), music);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(BrowseDirEdit, TheFolderBrowserChoosesToo)
{
    edit.m_nMode = 0;
    edit.SetWindowText((music + "\\").c_str());
    browse([](HWND) {
        Press(VK_DOWN);
        Press(VK_RIGHT);
        Press(VK_RETURN);
    });
    EXPECT_EQ(TextOf(edit), music + "\\Covers\\");
    browse([](HWND) { Press(VK_ESCAPE); });
    EXPECT_EQ(TextOf(edit), music + "\\Covers\\");
}

TEST_F(BrowseDirEdit, ExistingFoldersAreRecognised)
{
    struct Case {
        std::string path;
        bool exists;
        std::string after;
    } const cases[] = {
        { music + "\\", true, music },
        { music, true, music },
        { music + "\\a.mp3", false, music + "\\a.mp3" },
        { music + "\\missing", false, music + "\\missing" },
        { "Z:", true, "Z:\\" },
        { "Z:\\", true, "Z:\\" },
        { "", false, "" },
    };
    for (const Case& c : cases) {
        CString path = c.path.c_str();
        EXPECT_EQ(edit.IsExistingDirectory(path) != FALSE, c.exists) << c.path;
        EXPECT_EQ(std::string(path), c.after) << c.path;
    }
}

} // namespace
