// The synchronise question at closing: the check box writes the SyncDialogOnExit setting only when it
// changes it, and Cancel writes nothing.

#include <gtest/gtest.h>

#include "app/CSyncMessage.h"
#include "app/TuneStewardIds.h"
#include "library/tests/support/AppFixture.h"
#include "platform/afx/tests/DialogSteps.h"
#include "platform/user/TestScreen.h"

namespace {

class SyncMessage : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        afxtest::Steps().clear();
        WNDCLASS owner {};
        owner.lpfnWndProc = afxtest::OwnerProc;
        owner.lpszClassName = "SyncMessageOwner";
        RegisterClass(&owner);
        m_ownerWnd = CreateWindowEx(0, "SyncMessageOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400,
            nullptr, nullptr, nullptr, nullptr);
        m_owner.Attach(m_ownerWnd);
    }
    void TearDown() override
    {
        m_owner.Detach();
        DestroyWindow(m_ownerWnd);
        afxtest::Steps().clear();
        AppFixture::TearDown();
    }
    // Answers the question with the button, the box ticked or not; the dialog's result.
    INT_PTR Answer(int button, bool ticked)
    {
        afxtest::Steps().push_back([=](HWND dialog) {
            CheckDlgButton(dialog, IDC_SYNC_DONT_SHOW, ticked ? BST_CHECKED : BST_UNCHECKED);
            SendMessage(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        CSyncMessage question(&m_owner);
        return question.DoModal();
    }
    std::string Setting() { return App().GetProfileString("Settings", "SyncDialogOnExit", "<none>").GetString(); }

    platform::user::TestScreen m_screen { 640, 480 };
    HWND m_ownerWnd { nullptr };
    CWnd m_owner;
};

} // namespace

TEST_F(SyncMessage, TheBoxWritesTheSettingOnlyWhenItChangesIt)
{
    const struct {
        const char* what;
        BOOL askingBefore;
        int button;
        bool ticked;
        INT_PTR result;
        const char* setting;
        BOOL askingAfter;
    } cases[] = {
        { "ticked while on switches it off", TRUE, IDYES, true, IDYES, "F", FALSE },
        { "ticked while off writes nothing", FALSE, IDNO, true, IDNO, "<none>", FALSE },
        { "clear while off switches it on", FALSE, IDNO, false, IDNO, "T", TRUE },
        { "clear while on writes nothing", TRUE, IDYES, false, IDYES, "<none>", TRUE },
        { "cancel writes nothing", TRUE, IDCANCEL, true, IDCANCEL, "<none>", TRUE },
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        App().WriteProfileString("Settings", "SyncDialogOnExit", nullptr);
        App().m_bSyncDialogOnExit = each.askingBefore;
        EXPECT_EQ(Answer(each.button, each.ticked), each.result);
        EXPECT_EQ(Setting(), each.setting);
        EXPECT_EQ(App().m_bSyncDialogOnExit, each.askingAfter);
    }
}
