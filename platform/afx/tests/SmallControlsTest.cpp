#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/afx/CAnimateCtrl.h"
#include "platform/afx/CIPAddressCtrl.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CProgressCtrl.h"
#include "platform/afx/CSpinButtonCtrl.h"
#include "platform/afx/CWaitCursor.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

using platform::user::InjectDropFiles;
using platform::user::TestScreen;

namespace {

// Answers menu keys itself and keeps the names of files dropped on it.
class CDropWnd : public CWnd {
public:
    std::vector<std::string> dropped;
    UINT menuChar { 0 };

protected:
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT, CMenu* pMenu)
    {
        menuChar = nChar;
        return pMenu ? MAKELRESULT(2, MNC_EXECUTE) : MAKELRESULT(0, MNC_CLOSE);
    }
    afx_msg void OnDropFiles(HDROP hDropInfo)
    {
        const UINT count = ::DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            char name[260] {};
            ::DragQueryFile(hDropInfo, i, name, sizeof name);
            dropped.emplace_back(name);
        }
        CWnd::OnDropFiles(hDropInfo);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDropWnd, CWnd)
ON_WM_MENUCHAR()
ON_WM_DROPFILES()
END_MESSAGE_MAP()

class SmallControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        screen.pump();
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        screen.pump();
    }

    TestScreen screen { 320, 240 };
    CDropWnd parent;
};

} // namespace

TEST_F(SmallControls, WaitCursorsNestAndAnUnmatchedEndChangesNothing)
{
    CWinApp app("WaitCursorTest");
    const HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    const HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
    ::SetCursor(arrow);
    parent.EndWaitCursor(); // nothing to end
    EXPECT_EQ(::GetCursor(), arrow);
    {
        CWaitCursor outer;
        EXPECT_EQ(::GetCursor(), wait);
        parent.BeginWaitCursor();
        parent.EndWaitCursor();
        EXPECT_EQ(::GetCursor(), wait); // the outer wait still runs
        ::SetCursor(arrow); // as a message box would
        outer.Restore();
        EXPECT_EQ(::GetCursor(), wait);
    }
    EXPECT_EQ(::GetCursor(), arrow);
    EXPECT_EQ(app.m_nWaitCursorCount, 0);
}

TEST_F(SmallControls, MenuKeysAndDroppedFilesReachTheirMapEntries)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_EQ(parent.SendMessage(WM_MENUCHAR, MAKEWPARAM('q', MF_POPUP), reinterpret_cast<LPARAM>(menu.m_hMenu)),
        MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(parent.menuChar, static_cast<UINT>('q'));

    ::DragAcceptFiles(parent.m_hWnd, TRUE);
    InjectDropFiles({ 40, 40 }, { "/music/a.mp3", "/music/b side.wma" });
    screen.pump();
    EXPECT_EQ(parent.dropped, (std::vector<std::string> { "/music/a.mp3", "/music/b side.wma" }));
}

// Each wrapper on its control: what it sets comes back as the control keeps it.
TEST_F(SmallControls, WrappersReadBackWhatTheControlKeeps)
{
    struct Case {
        const char* name;
        std::function<void(CWnd&)> check;
    };
    const CRect place(10, 10, 120, 40);
    const std::vector<Case> cases {
        { "spin clamps to its range",
            [&](CWnd& host) {
                CSpinButtonCtrl spin;
                ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, place, &host, 1));
                spin.SetRange32(-5, 10);
                int lower = 0, upper = 0;
                spin.GetRange(lower, upper);
                EXPECT_EQ(lower, -5);
                EXPECT_EQ(upper, 10);
                spin.SetPos(15);
                EXPECT_EQ(spin.GetPos(), 10);
                spin.SetPos(-3);
                EXPECT_EQ(spin.GetPos(), -3);
            } },
        { "progress steps and offsets from the previous position",
            [&](CWnd& host) {
                CProgressCtrl progress;
                ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, place, &host, 2));
                progress.SetRange32(0, 200);
                EXPECT_EQ(progress.SetPos(50), 0);
                EXPECT_EQ(progress.OffsetPos(30), 50);
                progress.SetStep(25);
                EXPECT_EQ(progress.StepIt(), 80);
                EXPECT_EQ(progress.GetPos(), 105);
                progress.SetPos(500);
                EXPECT_EQ(progress.GetPos(), 200);
            } },
        { "address fields round trip and clear",
            [&](CWnd& host) {
                CIPAddressCtrl address;
                ASSERT_TRUE(address.Create(WS_CHILD | WS_VISIBLE, place, &host, 3));
                EXPECT_TRUE(address.IsBlank());
                address.SetAddress(192, 168, 1, 20);
                DWORD value = 0;
                EXPECT_EQ(address.GetAddress(value), 4);
                EXPECT_EQ(value, static_cast<DWORD>(MAKEIPADDRESS(192, 168, 1, 20)));
                address.ClearAddress();
                EXPECT_TRUE(address.IsBlank());
            } },
        { "animation refuses a clip it cannot read",
            [&](CWnd& host) {
                CAnimateCtrl animation;
                ASSERT_TRUE(animation.Create(WS_CHILD | WS_VISIBLE, place, &host, 4));
                EXPECT_FALSE(animation.Open("/nonexistent/clip.avi"));
                EXPECT_FALSE(animation.Open(9999u));
                EXPECT_FALSE(animation.Play(0, static_cast<UINT>(-1), 1));
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.check(parent);
        screen.pump();
    }
}
