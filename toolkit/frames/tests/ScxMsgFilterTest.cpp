// The extended system commands on a view frame that lives in a control bar of the main frame: its
// docking state and context menu, floating, docking back and docking at a side, the menu request with
// a chosen and a dismissed menu, the right double click, a command that destroys the frame from
// inside its filters, bad records and unknown commands, and the docking-state button's glyph.

#include "toolkit/frames/ScxMsgFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CView.h"
#include "platform/user/WinMenu.h"
#include "toolkit/frames/SECCaptionControlListMsgFilter.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECDockPlacement.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/SECMultiDocTemplate.h"
#include "toolkit/frames/ScxButtonMsgFilter.h"
#include "toolkit/frames/ScxCaptionNCRDBLClkFilter.h"
#include "toolkit/frames/ScxContextMenuFilter.h"
#include "toolkit/frames/tests/FilteredFrame.h"
#include "toolkit/frames/tests/FramesTestFixture.h"

using namespace nsSysCommandEx;

namespace {

constexpr UINT ID_VIEWBAR = 0xE870;

// The menu's choice is scripted: what the menu looked like is kept, and the scripted state returned.
struct MenuScript {
    UINT nChoice { 0 };
    std::vector<std::string> checked;
};

class ScriptedScxFilter : public ScxMsgFilter {
public:
    ScriptedScxFilter(CWnd* pOwner, int nID, MenuScript* pScript)
        : ScxMsgFilter(pOwner, nID)
        , m_pScript(pScript)
    {
    }
    SECMsgFilter* Clone(CWnd* pOwner) const override
    {
        return new ScriptedScxFilter(*this, pOwner ? pOwner : GetOwner());
    }
    UINT TrackMenu(HMENU hMenu, const ScxInfo&) override
    {
        CollectChecked(hMenu);
        return m_pScript->nChoice;
    }

private:
    ScriptedScxFilter(const ScriptedScxFilter& other, CWnd* pOwner)
        : ScxMsgFilter(other, pOwner)
        , m_pScript(other.m_pScript)
    {
    }
    void CollectChecked(HMENU hMenu)
    {
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
            if (const HMENU hSub = ::GetSubMenu(hMenu, i)) {
                CollectChecked(hSub);
                continue;
            }
            char text[64] = {};
            ::GetMenuString(hMenu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            if (::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED)
                m_pScript->checked.push_back(text);
        }
    }
    MenuScript* m_pScript;
};

// The MDI-child moves are noted; a test can have one destroy the frame, as a template that makes
// a new MDI child for the view does.
class RecordingTemplate : public SECMultiDocTemplate {
public:
    RecordingTemplate()
        : SECMultiDocTemplate(0, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CView))
    {
    }
    BOOL MakeMDIChild(CFrameWnd*, int nState) override
    {
        m_mdiStates.push_back(nState);
        if (m_onMakeMDIChild)
            m_onMakeMDIChild();
        return TRUE;
    }
    std::vector<int> m_mdiStates;
    std::function<void()> m_onMakeMDIChild;
};

class ViewFrames : public DockingFrameTest {
protected:
    void SetUp() override
    {
        DockingFrameTest::SetUp();
        m_bar = new SECControlBar;
        m_bar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(
            m_bar->Create(m_frame, "view", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0, ID_VIEWBAR));
        m_bar->m_szHorz = CSize(200, 80);
        m_bar->m_szVert = CSize(120, 200);
        m_bar->m_szFloat = CSize(160, 100);
        m_bar->EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(m_bar);

        m_view = new FilteredFrame;
        ASSERT_TRUE(m_view->Create(
            nullptr, "view", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, CRect(0, 0, 180, 70), m_bar));
        m_hView = m_view->m_hWnd;
        auto* pView = new CView;
        ASSERT_TRUE(
            pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_view, AFX_IDW_PANE_FIRST));
        // The test keeps the document when its view goes with the frame.
        m_doc->m_bAutoDelete = FALSE;
        m_template.AddDocument(m_doc.get());
        m_doc->AddView(pView);
        m_view->SetActiveView(pView, FALSE);

        SECMsgFilter::DescriptorTable table;
        table.Add(SEC_FILTER_CAPTIONCONTROLS, -1, RUNTIME_CLASS(SECCaptionControlListMsgFilter), 1);
        table.Add(SEC_FILTER_SCXBUTTON, SEC_FILTER_CAPTIONCONTROLS, RUNTIME_CLASS(ScxButtonMsgFilter));
        table.Add(SEC_FILTER_SCXRDBLCLK, -1, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter));
        table.Add(SEC_FILTER_SCXCONTEXTMENU, -1, RUNTIME_CLASS(ScxContextMenuFilter));
        m_view->m_root.AddChild(new ScriptedScxFilter(m_view, SEC_FILTER_SYSCOMMANDEX, &m_script));
        m_view->m_root.ApplyDescriptorsAll(table, TRUE);
        Layout();
    }
    void TearDown() override
    {
        DockingFrameTest::TearDown();
        m_doc.reset();
    }
    // Sends a command for the view frame; the frame's answer.
    LRESULT Send(UINT nCommand, int nState, DWORD dwFlags = 0, CPoint pt = CPoint(-1, -1))
    {
        ScxInfo info;
        info.m_hWnd = m_hView;
        info.m_nState = nState;
        info.m_dwFlags = dwFlags;
        info.m_x = pt.x;
        info.m_y = pt.y;
        const LRESULT lResult = SendSysCommandEx(nCommand, info);
        m_screen.pump();
        return lResult;
    }
    int CurrentState()
    {
        ScxMsgFilter filter;
        return filter.GetCurrentState(m_view, &m_template);
    }
    UINT DockBarID() { return m_bar->m_pDockBar ? static_cast<UINT>(m_bar->m_pDockBar->GetDlgCtrlID()) : 0U; }
    void DockAt(UINT nDockBarID)
    {
        m_frame->DockControlBar(m_bar, static_cast<CDockBar*>(m_frame->GetControlBar(nDockBarID)));
        Layout();
    }
    int StateCommands() const
    {
        int n = 0;
        for (const auto& command : m_view->m_exCommands)
            n += command.nCommand == SCX_CHANGESTATE;
        return n;
    }

    RecordingTemplate m_template;
    std::unique_ptr<CDocument> m_doc { std::make_unique<CDocument>() };
    SECControlBar* m_bar { nullptr };
    FilteredFrame* m_view { nullptr };
    HWND m_hView { nullptr };
    MenuScript m_script;
};

} // namespace

TEST_F(ViewFrames, TheStateAndTheContextMenuFollowWhereTheViewsBarIs)
{
    struct Case {
        UINT dockBar; // 0: floating
        int state;
        std::vector<std::string> checked;
    };
    const Case cases[] = {
        { AFX_IDW_DOCKBAR_TOP, kDockedTop, { "&Docked", "&Top" } },
        { AFX_IDW_DOCKBAR_LEFT, kDockedLeft, { "&Docked", "&Left" } },
        { AFX_IDW_DOCKBAR_BOTTOM, kDockedBottom, { "&Docked", "&Bottom" } },
        { AFX_IDW_DOCKBAR_RIGHT, kDockedRight, { "&Docked", "&Right" } },
        { 0, kFloating, { "&Floating" } },
    };
    for (const Case& c : cases) {
        if (c.dockBar)
            DockAt(c.dockBar);
        else {
            m_frame->FloatControlBar(m_bar, CPoint(100, 100));
            Layout();
        }
        EXPECT_EQ(CurrentState(), c.state);
        m_script = MenuScript {};
        EXPECT_EQ(Send(SCX_MENUREQUEST, 0), 0);
        EXPECT_EQ(m_script.checked, c.checked) << c.state;
    }
    // The record's own menu is filled on request: three states, a separator and two popups.
    ScxInfo info;
    info.m_hWnd = m_hView;
    EXPECT_EQ(SendSysCommandEx(SCX_GETMENU, info), TRUE);
    ASSERT_NE(info.m_hMenu, nullptr);
    EXPECT_EQ(::GetMenuItemCount(info.m_hMenu), 6);
    EXPECT_EQ(::GetMenuItemID(info.m_hMenu, 1), static_cast<UINT>(kFloating));
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(info.m_hMenu, 4)), 4);
    EXPECT_EQ(::GetMenuItemID(::GetSubMenu(info.m_hMenu, 5), 1), static_cast<UINT>(kMDIMaximized));
    ::DestroyMenu(info.m_hMenu);
}

TEST_F(ViewFrames, AViewFrameFloatsDocksBackAndDocksAtASide)
{
    ASSERT_EQ(DockBarID(), AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(Send(SCX_CHANGESTATE, kFloating), TRUE);
    EXPECT_TRUE(m_bar->IsFloating());
    EXPECT_EQ(CurrentState(), kFloating);

    // Docked with no place given: back where it was.
    EXPECT_EQ(Send(SCX_CHANGESTATE, kDocked), TRUE);
    EXPECT_FALSE(m_bar->IsFloating());
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_TOP);
    // Already docked: it stays.
    EXPECT_EQ(Send(SCX_CHANGESTATE, kDocked), TRUE);
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_TOP);

    // At a side: the side's dock bar, with the alignment whose border faces the client area.
    EXPECT_EQ(Send(SCX_CHANGESTATE, kDockedRight), TRUE);
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_EQ(m_bar->GetBarStyle() & 0xF000, static_cast<DWORD>(CBRS_ALIGN_RIGHT));
    EXPECT_EQ(CurrentState(), kDockedRight);

    // Floating at the record's place; a floating frame then only moves.
    EXPECT_EQ(Send(SCX_CHANGESTATE, kFloating, ScxInfo::kPosition, CPoint(200, 150)), TRUE);
    ASSERT_TRUE(m_bar->IsFloating());
    CRect rectMini;
    m_bar->GetParentFrame()->GetWindowRect(rectMini);
    EXPECT_EQ(rectMini.TopLeft(), CPoint(200, 150));
    EXPECT_EQ(Send(SCX_CHANGESTATE, kFloating, ScxInfo::kPosition, CPoint(220, 160)), TRUE);
    m_bar->GetParentFrame()->GetWindowRect(rectMini);
    EXPECT_EQ(rectMini.TopLeft(), CPoint(220, 160));

    // Docking at a side with the record's placement.
    const SECDockPlacement placement { 0, 0, 0 };
    const SECDockSize size { 1.0F, 90, 0 };
    ScxInfo info;
    info.m_hWnd = m_hView;
    info.m_nState = kDockedBottom;
    info.m_dwFlags = ScxInfo::kPosition | ScxInfo::kSize;
    info.m_pDockedPlacement = &placement;
    info.m_pSizePlacement = &size;
    EXPECT_EQ(SendSysCommandEx(SCX_CHANGESTATE, info), TRUE);
    Layout();
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(m_bar->GetBarStyle() & 0xF000, static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
}

TEST_F(ViewFrames, TheMenuRequestChangesToTheChosenStateAndADismissedMenuChangesNothing)
{
    m_script.nChoice = kFloating;
    Send(SCX_MENUREQUEST, 0, 0, CPoint(30, 30));
    EXPECT_TRUE(m_bar->IsFloating());
    EXPECT_EQ(StateCommands(), 1);

    // Dismissing the menu used to re-dock the bar through a state of 0.
    m_script.nChoice = 0;
    Send(SCX_MENUREQUEST, 0, 0, CPoint(30, 30));
    EXPECT_TRUE(m_bar->IsFloating());
    EXPECT_EQ(StateCommands(), 1);

    // A right click released on the caption asks for the menu at the click.
    m_script.nChoice = kDocked;
    m_view->SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(40, 50));
    m_screen.pump();
    EXPECT_FALSE(m_bar->IsFloating());
    EXPECT_EQ(StateCommands(), 2);
    const auto request = std::find_if(m_view->m_exCommands.rbegin(), m_view->m_exCommands.rend(),
        [](const FilteredFrame::ExCommand& command) { return command.nCommand == SCX_MENUREQUEST; });
    ASSERT_NE(request, m_view->m_exCommands.rend());
    EXPECT_EQ(CPoint(request->info.m_x, request->info.m_y), CPoint(40, 50));
}

TEST_F(ViewFrames, ARightDoubleClickOnTheCaptionTogglesADockedViewToAnMDIChild)
{
    m_view->SendMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, 0);
    m_view->SendMessage(WM_NCRBUTTONDBLCLK, HTCLIENT, 0);
    EXPECT_EQ(m_template.m_mdiStates, std::vector<int>({ kMDIChild }));

    // Switched off through its descriptor, the double click does nothing.
    SECMsgFilter::Descriptor descriptor { SEC_FILTER_SCXRDBLCLK, -1, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter), 0 };
    m_view->m_root.ApplyDescriptor(descriptor, FALSE);
    m_view->SendMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_EQ(m_template.m_mdiStates.size(), 1U);
}

TEST_F(ViewFrames, AButtonClickWhoseCommandDestroysTheFrameAndItsFiltersTouchesNothingAfterwards)
{
    m_template.m_onMakeMDIChild = [this] { m_bar->DestroyWindow(); };
    auto* pButton = static_cast<ScxButtonMsgFilter*>(m_view->m_root.FindFilter(SEC_FILTER_SCXBUTTON, nullptr, -1));
    ASSERT_NE(pButton, nullptr);
    m_view->SendMessage(WM_NCPAINT, 1, 0);
    ASSERT_FALSE(pButton->GetRect().IsRectEmpty());
    CRect rectWindow;
    m_view->GetWindowRect(rectWindow);
    const CPoint pt = pButton->GetRect().CenterPoint() + rectWindow.TopLeft();
    m_screen.click(pt.x, pt.y);
    EXPECT_EQ(m_template.m_mdiStates, std::vector<int>({ kMDIChild }));
    EXPECT_FALSE(::IsWindow(m_hView));
}

TEST_F(ViewFrames, BadRecordsAndUnknownCommandsChangeNothing)
{
    struct Case {
        const char* name;
        UINT command;
        int state;
        HWND hWnd;
    };
    const HWND hNoObject
        = ::CreateWindowEx(0, "Static", "", WS_CHILD, 0, 0, 1, 1, m_frame->m_hWnd, nullptr, nullptr, nullptr);
    const Case cases[] = {
        { "unknown command", 0xC030, kFloating, m_hView },
        { "unknown state", SCX_CHANGESTATE, 42, m_hView },
        { "no window", SCX_CHANGESTATE, kFloating, nullptr },
        { "no window object", SCX_CHANGESTATE, kFloating, hNoObject },
    };
    for (const Case& c : cases) {
        ScxInfo info;
        info.m_hWnd = c.hWnd;
        info.m_nState = c.state;
        LRESULT lResult = 0;
        auto* pFilter = static_cast<ScxMsgFilter*>(m_view->m_root.FindFilter(SEC_FILTER_SYSCOMMANDEX));
        EXPECT_EQ(pFilter->Filter(GetSysCommandExMessage(), c.command, reinterpret_cast<LPARAM>(&info), &lResult), 0)
            << c.name;
        EXPECT_EQ(lResult, 0) << c.name;
        EXPECT_FALSE(m_bar->IsFloating()) << c.name;
    }
    LRESULT lResult = 0;
    EXPECT_EQ(m_view->m_root.Filter(GetSysCommandExMessage(), SCX_CHANGESTATE, 0, &lResult), 0);
    // A view without a document template cannot change its state.
    m_doc->RemoveView(m_view->GetActiveView());
    EXPECT_EQ(Send(SCX_CHANGESTATE, kFloating), 0);
    EXPECT_FALSE(m_bar->IsFloating());
}

TEST(ScxButtonGlyph, TheDiamondScalesWithTheButtonAndShiftsWhenPushed)
{
    // A caption button of 16 by 14: strokes of 2 by 1, a glyph 8 high in 4 steps.
    const std::vector<CRect> expected = {
        { 6, 2, 9, 3 }, { 6, 10, 9, 11 }, // apexes
        { 5, 3, 7, 4 }, { 8, 3, 10, 4 }, { 5, 9, 7, 10 }, { 8, 9, 10, 10 }, { 4, 4, 6, 5 }, { 9, 4, 11, 5 },
        { 4, 8, 6, 9 }, { 9, 8, 11, 9 }, { 3, 5, 5, 6 }, { 10, 5, 12, 6 }, { 3, 7, 5, 8 }, { 10, 7, 12, 8 },
        { 3, 6, 4, 7 }, { 11, 6, 12, 7 }, // the widest row closed
    };
    EXPECT_EQ(ScxButtonMsgFilter::GlyphRects(CRect(0, 0, 16, 14), FALSE, FALSE), expected);

    struct Case {
        CSize size;
        BOOL pushed;
        BOOL dockable;
        size_t count;
        CSize stroke;
    };
    const Case cases[] = {
        { { 16, 14 }, TRUE, FALSE, 16, { 2, 1 } },
        { { 16, 14 }, FALSE, TRUE, 14, { 2, 1 } },
        // Strokes scale with large buttons and never get thinner than 2 by 1.
        { { 120, 100 }, FALSE, FALSE, 2 + 4 * 25 + 2, { 11, 9 } },
        { { 4, 4 }, FALSE, FALSE, 2 + 2, { 2, 1 } },
    };
    for (const Case& c : cases) {
        const CRect rect(CPoint(10, 20), c.size);
        const std::vector<CRect> rects = ScxButtonMsgFilter::GlyphRects(rect, c.pushed, c.dockable);
        ASSERT_EQ(rects.size(), c.count) << c.size.cx;
        // The apex is one stroke and a pixel wide.
        EXPECT_EQ(rects[0].Size(), CSize(c.stroke.cx + 1, c.stroke.cy)) << c.size.cx;
        const std::vector<CRect> plain = ScxButtonMsgFilter::GlyphRects(rect, FALSE, FALSE);
        // Pushed moves the glyph one pixel right and down; a dockable frame's sits one lower at the top.
        const CSize shift = rects[0].TopLeft() - plain[0].TopLeft();
        EXPECT_EQ(shift, CSize(c.pushed ? 1 : 0, (c.pushed || c.dockable) ? 1 : 0)) << c.size.cx;
    }
}
