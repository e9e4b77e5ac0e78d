#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/afx/CFileDialog.h"
#include "platform/base/Paths.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

using namespace std::string_literals;

namespace {

void Key(int vk)
{
    platform::user::InjectKey(vk, true);
    platform::user::InjectKey(vk, false);
}

// A chooser that leaves its name field holding a name, as a folder chooser built on the dialog does.
class CNamingDialog : public CFileDialog {
public:
    CNamingDialog()
        : CFileDialog(TRUE, "mp3", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "Music (*.mp3)|*.mp3|All Files (*.*)|*.*||")
    {
    }
    BOOL OnInitDialog() override
    {
        initialised = m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this;
        return CFileDialog::OnInitDialog();
    }
    bool initialised { false };
};

} // namespace

TEST(CommonDialogs, TheFileDialogIsItsWindowWhileItRunsAndReturnsTheChoice)
{
    platform::user::TestScreen screen { 640, 480 };
    std::ofstream("b.mp3") << "x";
    std::ofstream("a.mp3") << "x";
    platform::SetChooserShownHook([](HWND) {
        for (char c : std::string("B")) Key(c);
        Key(VK_RETURN);
    });
    CNamingDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_STREQ(dialog.GetFileName(), "b.mp3");
    EXPECT_STREQ(dialog.GetFileExt(), "mp3");
    EXPECT_STREQ(dialog.GetFileTitle(), "b");
    const std::string folder = platform::ToProgramPath(std::filesystem::current_path().string());
    EXPECT_EQ(std::string(dialog.GetPathName()), folder + "\\b.mp3");

    platform::SetChooserShownHook([](HWND) { Key(VK_ESCAPE); });
    CNamingDialog cancelled;
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    platform::SetChooserShownHook(nullptr);
}

TEST(CommonDialogs, SeveralChosenFilesAreWalkedOneByOne)
{
    struct Case {
        DWORD flags;
        std::string buffer;
        std::vector<std::string> paths;
    } cases[] = {
        { OFN_ALLOWMULTISELECT, "C:\\Music\0a.mp3\0b.mp3\0\0"s, { "C:\\Music\\a.mp3", "C:\\Music\\b.mp3" } },
        { OFN_ALLOWMULTISELECT, "C:\\Music\\a.mp3\0\0"s, { "C:\\Music\\a.mp3" } },
        { 0, "C:\\Music\\a.mp3\0"s, { "C:\\Music\\a.mp3" } },
        { 0, "\0"s, {} },
    };
    for (const Case& c : cases) {
        CFileDialog dialog(TRUE, nullptr, nullptr, c.flags);
        std::memcpy(dialog.m_ofn.lpstrFile, c.buffer.data(), c.buffer.size());
        std::vector<std::string> paths;
        for (POSITION pos = dialog.GetStartPosition(); pos;)
            paths.emplace_back(dialog.GetNextPathName(pos));
        EXPECT_EQ(paths, c.paths);
    }
}
