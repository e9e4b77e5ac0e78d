// The menu bar's buttons for a maximised MDI child, in a multi-document frame: the window-menu button
// drops the active child's window menu, the caption buttons send the child its commands only when
// released over the part pressed, and a double click on the window-menu button runs its default.
#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECBtnCaption.h"
#include "toolkit/controls/SECCapMenuBtn.h"
#include "toolkit/controls/SECMDIMenuBar.h"
#include "toolkit/controls/SECToolBarManager.h"

namespace {

constexpr UINT ID_SYSMENU_BTN = 0x9000;
constexpr UINT ID_CAPTION_BTN = 0x9001;

// Records the window commands it is sent instead of carrying them out.
class RecordingChild : public CMDIChildWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND) {
            m_commands.push_back(static_cast<UINT>(wParam & 0xFFF0));
            return 0;
        }
        return CMDIChildWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<UINT> m_commands;
};

// Records the menu buttons' drop-down requests.
class RecordingFrame : public CMDIFrameWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const auto* pNotify = reinterpret_cast<const SECBtnNotify*>(lParam);
            if (pNotify->hdr.code == SEC_TBN_MENUPRESS)
                m_drops.push_back(*pNotify);
        }
        return CMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<SECBtnNotify> m_drops;
};

class MenuButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new RecordingFrame;
        ASSERT_TRUE(m_frame->Create(nullptr, "mdi", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 300)));
        m_app.m_pMainWnd = m_frame;
        m_child = new RecordingChild;
        ASSERT_TRUE(m_child->Create(nullptr, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CMDIChildWnd::rectDefault, m_frame));
        ASSERT_TRUE(m_bar.CreateEx(0, m_frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, SEC_IDW_MENUBAR));
        m_bar.SetOwner(m_frame);
        m_bar.SetButtonMaps(m_map, nullptr);
        const UINT ids[] = { ID_SYSMENU_BTN, ID_CAPTION_BTN };
        m_bar.SetButtons(ids, 2);
        const CSize size = m_bar.CalcLayout(-1, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        // Above the MDI client and its children, as the frame's layout would keep it beside them.
        ::SetWindowPos(m_bar.m_hWnd, HWND_TOP, 0, 0, size.cx, size.cy, SWP_NOACTIVATE);
        m_screen.pump();
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        m_bar.DestroyWindow();
        m_frame->DestroyWindow();
        m_screen.pump();
    }
    SECBtnCaption& Caption() { return *static_cast<SECBtnCaption*>(m_bar.GetBtn(1)); }
    // The centre of a caption part, screen coordinates.
    CPoint Part(int nPart)
    {
        const SECBtnCaption& caption = Caption();
        CPoint point(caption.m_x + nPart * caption.m_nBtnWidth + (nPart == 2 ? 2 : 0) + caption.m_nBtnWidth / 2,
            caption.m_y + caption.m_nBtnHeight / 2);
        m_bar.ClientToScreen(&point);
        return point;
    }
    void Drag(CPoint from, CPoint to) { m_screen.drag(from.x, from.y, to.x, to.y); }

    const SECBtnMapEntry m_map[3] = {
        { &SECCapMenuBtn::classSECCapMenuBtn, ID_SYSMENU_BTN, SEC_TBBS_NODISABLE, {} },
        { &SECBtnCaption::classSECBtnCaption, ID_CAPTION_BTN, SEC_TBBS_NODISABLE, {} },
        {},
    };
    platform::user::TestScreen m_screen { 640, 480 };
    CWinApp m_app { "buttons" };
    RecordingFrame* m_frame { nullptr };
    RecordingChild* m_child { nullptr };
    SECMDIMenuBar m_bar;
};

TEST_F(MenuButtons, TheWindowMenuButtonDropsTheActiveChildsWindowMenuWithCloseAsDefault)
{
    EXPECT_EQ(m_bar.GetBtn(0)->GetRect().Size(), CSize(16, 16));
    EXPECT_FALSE(m_bar.GetBtn(0)->CanDrag());
    m_bar.PressMenuButton(0);
    ASSERT_EQ(m_frame->m_drops.size(), 1u);
    const HMENU hMenu = ::GetSystemMenu(m_child->m_hWnd, FALSE);
    EXPECT_EQ(reinterpret_cast<HMENU>(m_frame->m_drops[0].wValue), hMenu);
    EXPECT_EQ(m_frame->m_drops[0].lValue, -1);
    EXPECT_EQ(::GetMenuDefaultItem(hMenu, FALSE, 0), static_cast<UINT>(SC_CLOSE));

    // A double click on it runs that default at once.
    const CPoint centre = m_bar.GetBtn(0)->GetRect().CenterPoint();
    m_bar.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(m_child->m_commands, std::vector<UINT> { SC_CLOSE });
}

TEST_F(MenuButtons, CaptionPartsActOnlyWhenReleasedWhereTheyWerePressed)
{
    struct Case {
        const char* name;
        UINT nStyle;
        int nFrom;
        int nTo;
        std::vector<UINT> commands;
    };
    const Case cases[] = {
        { "minimise", 0xB0000, 0, 0, { SC_MINIMIZE } },
        { "restore", 0xB0000, 1, 1, { SC_RESTORE } },
        { "close", 0xB0000, 2, 2, { SC_CLOSE } },
        { "released over another part", 0xB0000, 0, 2, {} },
        { "minimise unavailable", 0x90000, 0, 0, {} },
        { "close without minimise and restore", 0x90000, 2, 2, { SC_CLOSE } },
        { "hidden", 0x30000, 2, 2, {} },
    };
    EXPECT_EQ(Caption().GetRect().Width(), 3 * (::GetSystemMetrics(SM_CXSIZE) - 2) + 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_child->m_commands.clear();
        Caption().m_nCaptionStyle = c.nStyle;
        Drag(Part(c.nFrom), Part(c.nTo));
        m_screen.pump();
        EXPECT_EQ(m_child->m_commands, c.commands);
        EXPECT_FALSE(Caption().TestStyle(TBBS_PRESSED));
        EXPECT_EQ(Caption().m_nPressed, SECBtnCaption::partNone);
    }
}

TEST_F(MenuButtons, TheCaptionToolTipNamesThePartUnderThePoint)
{
    const int kCodes[] = { HTMINBUTTON, HTMAXBUTTON, HTCLOSE };
    for (int nPart = 0; nPart < 3; ++nPart) {
        CPoint point = Part(nPart);
        m_bar.ScreenToClient(&point);
        TOOLINFO info;
        EXPECT_EQ(Caption().OnToolHitTest(point, &info), static_cast<INT_PTR>(ID_CAPTION_BTN));
        EXPECT_EQ(info.uFlags, static_cast<UINT>(kCodes[nPart]));
        EXPECT_EQ(info.hwnd, m_bar.m_hWnd);
    }
}

} // namespace
