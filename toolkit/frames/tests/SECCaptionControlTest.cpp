// The caption controls the toolkit draws over a frame's caption: which show and which are disabled
// for the frame's style, their places right to left, a click that sends the system command, a press
// released elsewhere, the docking-state button's click, right click and held press on the test clock,
// and a picture of a caption with its controls, one of them pressed.

#include "toolkit/frames/SECCaptionControlMsgFilter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
#include "platform/user/WinMenu.h"
#include "toolkit/frames/SECCaptionControlListMsgFilter.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/ScxButtonMsgFilter.h"
#include "toolkit/frames/tests/FilteredFrame.h"

using namespace std::chrono_literals;
using nsSysCommandEx::ScxButtonMsgFilter;
using platform::user::MouseButton;
using platform::user::TestScreen;

namespace {

constexpr DWORD kFullCaption
    = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// Standard control ids: close, minimise, maximise, restore, help.
constexpr int kClose = 0;
constexpr int kMin = 1;
constexpr int kMax = 2;
constexpr int kRestore = 3;
constexpr int kHelp = 4;

class CaptionControls : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (m_frame && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
    }
    // A frame at (20, 20) with the caption control list and, when asked, the docking-state button.
    void Make(DWORD dwStyle, DWORD dwExStyle = 0, bool bScxButton = false, CRect rect = CRect(20, 20, 320, 220))
    {
        if (m_frame && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
        m_frame = new FilteredFrame;
        m_frame->m_bRecordOnly = true;
        ASSERT_TRUE(m_frame->Create(nullptr, "caption", dwStyle, rect, nullptr, nullptr, dwExStyle));
        m_app.m_pMainWnd = m_frame;
        SECMsgFilter::DescriptorTable table;
        table.Add(SEC_FILTER_CAPTIONCONTROLS, -1, RUNTIME_CLASS(SECCaptionControlListMsgFilter), 1);
        if (bScxButton)
            table.Add(SEC_FILTER_SCXBUTTON, SEC_FILTER_CAPTIONCONTROLS, RUNTIME_CLASS(ScxButtonMsgFilter));
        m_frame->m_root.ApplyDescriptorsAll(table, TRUE);
        m_frame->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        m_screen.pump();
        List()->LayoutControls();
    }
    SECCaptionControlListMsgFilter* List()
    {
        return static_cast<SECCaptionControlListMsgFilter*>(m_frame->m_root.FindFilter(SEC_FILTER_CAPTIONCONTROLS));
    }
    SECCaptionControlMsgFilter* Control(int nID)
    {
        return static_cast<SECCaptionControlMsgFilter*>(List()->FindFilter(nID));
    }
    // The control's centre on the screen.
    CPoint Centre(int nID)
    {
        CRect rectWindow;
        m_frame->GetWindowRect(rectWindow);
        return Control(nID)->GetRect().CenterPoint() + rectWindow.TopLeft();
    }

    TestScreen m_screen { 640, 480 };
    CWinApp m_app { "captions" };
    FilteredFrame* m_frame { nullptr };
};

} // namespace

TEST_F(CaptionControls, TheStyleChoosesWhichControlsShowAndWhichArePressable)
{
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        int show; // SW_ state to put the frame in, or -1
        bool grayClose;
        std::string shown; // ids, right to left; a star marks a disabled one
    };
    const Case cases[] = {
        { "no boxes", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 0, -1, false, "0" },
        { "context help", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP, -1, false, "0 4" },
        { "both boxes", kFullCaption, 0, -1, false, "0 2 1" },
        { "tool window", kFullCaption, WS_EX_TOOLWINDOW, -1, false, "0" },
        { "maximise box only", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, 0, -1, false,
            "0 2 1*" },
        { "maximised", kFullCaption, 0, SW_MAXIMIZE, false, "0 3 1" },
        { "minimised", kFullCaption, 0, SW_MINIMIZE, false, "0 2 3" },
        { "no system menu", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, -1, false, "" },
        { "close grayed", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 0, -1, true, "0*" },
    };
    for (const Case& c : cases) {
        Make(c.style, c.exStyle);
        if (c.show >= 0)
            m_frame->ShowWindow(c.show);
        if (c.grayClose)
            ::EnableMenuItem(::GetSystemMenu(m_frame->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        List()->LayoutControls();
        std::string shown;
        for (const int nID : { kClose, kMax, kRestore, kMin, kHelp }) {
            const SECCaptionControlMsgFilter* pControl = Control(nID);
            if (pControl->GetRect().IsRectEmpty())
                continue;
            shown += (shown.empty() ? "" : " ") + std::to_string(nID)
                + ((pControl->GetState() & DFCS_INACTIVE) ? "*" : "");
        }
        EXPECT_EQ(shown, c.shown) << c.name;
    }
}

TEST_F(CaptionControls, ControlsLineUpFromTheRightWithAGapAfterCloseAndAfterMinimise)
{
    Make(kFullCaption, 0, true);
    const CRect close = Control(kClose)->GetRect();
    const CRect max = Control(kMax)->GetRect();
    const CRect min = Control(kMin)->GetRect();
    const CRect scx = Control(SEC_FILTER_SCXBUTTON)->GetRect();
    const CSize size(::GetSystemMetrics(SM_CXSIZE) - 2, ::GetSystemMetrics(SM_CYSIZE) - 4);
    CRect window;
    m_frame->GetWindowRect(window);
    const int border = ::GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(close, CRect(CPoint(window.Width() - border - size.cx - 2, ::GetSystemMetrics(SM_CYFRAME) + 2), size));
    EXPECT_EQ(max.right, close.left - 2);
    EXPECT_EQ(min.right, max.left);
    EXPECT_EQ(scx.right, min.left - 2);
    EXPECT_EQ(scx.top, close.top);
    // The toolkit's controls answer as caption, whatever the window's own caption has below them.
    const CPoint pt = Centre(kMax);
    EXPECT_EQ(m_frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), HTCAPTION);
}

TEST_F(CaptionControls, AClickSendsTheSystemCommandAndAPressReleasedElsewhereSendsNothing)
{
    Make(kFullCaption);
    const CPoint close = Centre(kClose);
    m_screen.click(close.x, close.y);
    EXPECT_EQ(m_frame->m_sysCommands, std::vector<WPARAM>({ SC_CLOSE }));

    const CPoint max = Centre(kMax);
    m_screen.moveTo(max.x, max.y);
    m_screen.press();
    EXPECT_TRUE(Control(kMax)->IsTracking());
    EXPECT_TRUE(Control(kMax)->GetState() & DFCS_PUSHED);
    m_screen.moveTo(max.x, max.y + 60);
    EXPECT_FALSE(Control(kMax)->GetState() & DFCS_PUSHED);
    m_screen.release();
    EXPECT_FALSE(Control(kMax)->IsTracking());
    EXPECT_FALSE(Control(kMax)->GetState() & DFCS_PUSHED);
    EXPECT_EQ(m_frame->m_sysCommands.size(), 1U);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(CaptionControls, TheDockingStateButtonTogglesOnAClickAndOpensItsMenuOnARightClickOrAHeldPress)
{
    using nsSysCommandEx::ScxInfo;
    Make(kFullCaption, 0, true);
    auto* pButton = Control(SEC_FILTER_SCXBUTTON);
    CRect window;
    m_frame->GetWindowRect(window);
    const CPoint lowerLeft = CPoint(pButton->GetRect().left, pButton->GetRect().bottom) + window.TopLeft();
    const CPoint pt = Centre(SEC_FILTER_SCXBUTTON);

    m_screen.click(pt.x, pt.y);
    ASSERT_EQ(m_frame->m_exCommands.size(), 1U);
    EXPECT_EQ(m_frame->m_exCommands[0].nCommand, SCX_CHANGESTATE);
    EXPECT_EQ(m_frame->m_exCommands[0].info.m_nState, -1);
    EXPECT_EQ(m_frame->m_exCommands[0].info.m_hWnd, m_frame->m_hWnd);
    EXPECT_EQ(CPoint(m_frame->m_exCommands[0].info.m_x, m_frame->m_exCommands[0].info.m_y), pt);

    m_screen.click(pt.x, pt.y, MouseButton::Right);
    ASSERT_EQ(m_frame->m_exCommands.size(), 2U);
    EXPECT_EQ(m_frame->m_exCommands[1].nCommand, SCX_MENUREQUEST);
    EXPECT_EQ(m_frame->m_exCommands[1].info.m_dwFlags & ScxInfo::kPosition, 0U);
    EXPECT_EQ(CPoint(m_frame->m_exCommands[1].info.m_x, m_frame->m_exCommands[1].info.m_y), lowerLeft);

    // Held for the button's 400 ms: the menu, with its position, and the release does nothing more.
    m_screen.moveTo(pt.x, pt.y);
    m_screen.press();
    m_screen.advance(399ms);
    EXPECT_EQ(m_frame->m_exCommands.size(), 2U);
    EXPECT_NE(pButton->GetTimerWnd(), nullptr);
    m_screen.advance(1ms);
    ASSERT_EQ(m_frame->m_exCommands.size(), 3U);
    EXPECT_EQ(m_frame->m_exCommands[2].nCommand, SCX_MENUREQUEST);
    EXPECT_EQ(m_frame->m_exCommands[2].info.m_dwFlags & ScxInfo::kPosition, ScxInfo::kPosition);
    EXPECT_EQ(CPoint(m_frame->m_exCommands[2].info.m_x, m_frame->m_exCommands[2].info.m_y), lowerLeft);
    EXPECT_EQ(pButton->GetTimerWnd(), nullptr);
    EXPECT_FALSE(pButton->IsTracking());
    m_screen.release();
    EXPECT_EQ(m_frame->m_exCommands.size(), 3U);

    // Moving off the button stops the delay; coming back starts it afresh. (A pause first, so that
    // the press is no double click.)
    m_screen.advance(1000ms);
    m_screen.press();
    m_screen.advance(300ms);
    m_screen.moveTo(pt.x, pt.y + 80);
    EXPECT_EQ(pButton->GetTimerWnd(), nullptr);
    m_screen.moveTo(pt.x, pt.y);
    m_screen.advance(300ms);
    EXPECT_EQ(m_frame->m_exCommands.size(), 3U);
    m_screen.advance(100ms);
    EXPECT_EQ(m_frame->m_exCommands.size(), 4U);
    m_screen.release();
}

TEST_F(CaptionControls, ACaptionWithItsControlsAndOnePressedLooksRight)
{
    Make(kFullCaption, 0, true, CRect(0, 0, 240, 60));
    const CPoint min = Centre(kMin);
    m_screen.moveTo(min.x, min.y);
    m_screen.press();
    m_screen.pump();
    const std::string diff
        = m_screen.compareWithGolden(CRect(0, 0, 240, 30), TS_FRAMES_TEST_DIR "/golden/caption-controls.png");
    m_screen.moveTo(min.x, min.y + 100);
    m_screen.release();
    EXPECT_EQ(diff, "");
}
