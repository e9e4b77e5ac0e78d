#include "platform/base/MessageBox.h"

#include <string>

#include "platform/base/WinError.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(MessageBox, ThePresenterSeesTheCallAndChoosesTheAnswer)
{
    struct Call {
        std::string text, caption;
        UINT type { 0 };
    } seen;
    auto previous = SetMessageBoxPresenter([&](const std::string& text, const std::string& caption, UINT type) {
        seen = { text, caption, type };
        return IDNO;
    });
    EXPECT_EQ(MessageBox(nullptr, "Delete the playlist?", "Tune Steward", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(seen.text, "Delete the playlist?");
    EXPECT_EQ(seen.caption, "Tune Steward");
    EXPECT_EQ(seen.type, MB_YESNO | MB_ICONQUESTION);

    EXPECT_EQ(MessageBox(nullptr, nullptr, nullptr, MB_OK), IDNO);
    EXPECT_EQ(seen.text, "");
    EXPECT_EQ(seen.caption, "Error");

    seen = {};
    SetLastError(0);
    EXPECT_EQ(MessageBox(nullptr, "x", "y", 0x0000000F), 0); // no such set of buttons
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MSGBOX_STYLE);
    EXPECT_EQ(seen.text, ""); // not presented
    SetMessageBoxPresenter(previous);
}

TEST(MessageBox, TheDefaultPresenterWritesToStderrAndAnswersTheDefaultButton)
{
    const struct {
        UINT type;
        int answer;
    } cases[] = {
        { MB_OK, IDOK },
        { MB_OKCANCEL | MB_ICONEXCLAMATION, IDOK },
        { MB_YESNO | MB_DEFBUTTON2, IDNO },
        { MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL },
        { MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY },
        { MB_RETRYCANCEL | MB_DEFBUTTON2 | MB_SYSTEMMODAL, IDCANCEL },
        { MB_OK | MB_DEFBUTTON3, IDOK }, // beyond the last button: the first
    };
    SetMessageBoxPresenter({});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(MessageBox(nullptr, "Library opened", "Tune Steward", c.type), c.answer);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Tune Steward: Library opened\n");
    }
    EXPECT_TRUE(MessageBeep(MB_ICONEXCLAMATION));
}
