// The tab strip and the tab window: activation and its messages, deleting tabs, disabled tabs and
// the keyboard, labels shortened to fit and grown back, the content rectangle on each edge, tab
// windows made from run-time classes, and how the 3-D tabs look.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/CToolTipCtrl.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SEC3DTabWnd.h"
#include "toolkit/controls/tests/ListTestSupport.h"

using platform::user::TestScreen;

namespace {

// A window that records what tab strips and tab windows tell it.
class Recorder : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= TCM_TABSEL && message <= TCM_TABREACTIVATE) {
            messages.push_back(message);
            if (message == TCM_TABSEL && lParam != 0)
                records.push_back(*reinterpret_cast<SECTabActivation*>(lParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int count(UINT message) const { return static_cast<int>(std::count(messages.begin(), messages.end(), message)); }

    std::vector<UINT> messages;
    std::vector<SECTabActivation> records;
};

// A pane that a tab window can make by its run-time class.
class Pane : public CWnd {
    DECLARE_DYNCREATE(Pane)
};
IMPLEMENT_DYNCREATE(Pane, CWnd)

class TabStrip : public ::testing::Test {
protected:
    void TearDown() override
    {
        owner.DestroyWindow();
        screen.pump();
    }
    void Build(DWORD dwStyle, const CRect& rect, std::vector<const char*> labels)
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(tabs.Create(dwStyle | WS_VISIBLE, rect, &owner, 5));
        for (const char* label : labels)
            tabs.AddTab(label);
        screen.pump();
    }
    CPoint TabPoint(int nIndex)
    {
        CRect rect;
        tabs.GetTabRect(nIndex, rect);
        return rect.CenterPoint();
    }
    std::string Shown(int nIndex) { return static_cast<LPCTSTR>(tabs.GetTab(nIndex)->m_csLabel); }

    TestScreen screen { 320, 240 };
    Recorder owner;
    SEC3DTabControl tabs;
};

} // namespace

TEST_F(TabStrip, ClicksActivateOnceAndReclickTheActiveTab)
{
    Build(TCS_TABS_ON_BOTTOM, CRect(0, 0, 300, 30), { "Library", "Search", "Devices" });
    int nActive = -1;
    EXPECT_FALSE(tabs.GetActiveTab(nActive));
    screen.click(TabPoint(1).x, TabPoint(1).y);
    ASSERT_EQ(owner.records.size(), 1U);
    EXPECT_EQ(owner.records[0].nNewTab, 1);
    EXPECT_EQ(owner.records[0].nOldTab, -1);
    EXPECT_EQ(owner.records[0].nID, 5U);
    // Activating the active tab again tells nothing; clicking it is a re-click.
    tabs.ActivateTab(1);
    EXPECT_EQ(owner.count(TCM_TABSEL), 1);
    screen.advance(std::chrono::milliseconds(1000)); // not a double click
    screen.click(TabPoint(1).x, TabPoint(1).y);
    EXPECT_EQ(owner.count(TCM_TABREACTIVATE), 1);
    screen.advance(std::chrono::milliseconds(1000));
    screen.doubleClick(TabPoint(2).x, TabPoint(2).y);
    EXPECT_EQ(owner.count(TCM_TABDBLCLK), 1);
    EXPECT_TRUE(tabs.GetActiveTab(nActive));
    EXPECT_EQ(nActive, 2);
    tabs.ClearSelection();
    EXPECT_FALSE(tabs.GetActiveTab(nActive));
    EXPECT_EQ(owner.count(TCM_TABSELCLR), 1);
}

TEST_F(TabStrip, DeletingTabsKeepsOrMovesTheActiveOne)
{
    Build(TCS_TABS_ON_BOTTOM, CRect(0, 0, 300, 30), { "a", "b", "c", "d" });
    struct Step {
        int deleted;
        int active; // -1: none
        int messages;
    };
    tabs.ActivateTab(3);
    const int nBefore = owner.count(TCM_TABSEL);
    const Step steps[] = {
        { 3, 2, 1 }, // the active last tab: the new last one
        { 0, 1, 0 }, // a tab before it: the same tab, one place lower
        { 1, 0, 1 }, // the active tab: the one that takes its place
        { 0, -1, 0 },
    };
    int nMessages = nBefore;
    for (const Step& step : steps) {
        tabs.DeleteTab(step.deleted);
        int nActive = -1;
        const BOOL bActive = tabs.GetActiveTab(nActive);
        EXPECT_EQ(bActive ? nActive : -1, step.active);
        nMessages += step.messages;
        EXPECT_EQ(owner.count(TCM_TABSEL), nMessages);
    }
    EXPECT_EQ(tabs.GetTabCount(), 0);
}

TEST_F(TabStrip, KeysSkipDisabledTabsWhichIgnoreClicks)
{
    Build(TCS_TABS_ON_BOTTOM, CRect(0, 0, 300, 30), { "one", "two", "three" });
    tabs.ActivateTab(0);
    tabs.EnableTab(1, FALSE);
    screen.click(TabPoint(1).x, TabPoint(1).y);
    int nActive = -1;
    tabs.GetActiveTab(nActive);
    EXPECT_EQ(nActive, 0);
    tabs.SetFocus();
    screen.key(VK_RIGHT);
    tabs.GetActiveTab(nActive);
    EXPECT_EQ(nActive, 2);
    screen.key(VK_RIGHT); // nothing further
    screen.key(VK_LEFT);
    tabs.GetActiveTab(nActive);
    EXPECT_EQ(nActive, 0);
}

TEST_F(TabStrip, TheStripFollowsThePointerForItsTipsWithoutTheApplicationsHelp)
{
    Build(TCS_TABS_ON_BOTTOM, CRect(0, 0, 130, 30), { "Library of music", "Search results", "Devices" });
    tabs.ActivateTab(0);
    screen.pump();
    ASSERT_NE(Shown(0), "Library of music");
    // No pre-translation runs here (the screen dispatches directly): the strip relays by itself.
    screen.moveTo(TabPoint(0).x, TabPoint(0).y);
    EXPECT_EQ(::GetCapture(), tabs.m_hWnd);
    screen.advance(std::chrono::milliseconds(1000));
    const HWND tip = screen.find(TOOLTIPS_CLASS);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(::IsWindowVisible(tip));
    char text[80] {};
    TOOLINFO ti {};
    ti.hwnd = tabs.m_hWnd;
    ti.uId = 1;
    ti.lpszText = text;
    ::SendMessage(tip, TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "Library of music");
    // Leaving the strip lets the capture go and takes the tip away.
    screen.moveTo(200, 150);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(tip));
    // A click on a tab still activates it while the strip holds the capture.
    screen.moveTo(TabPoint(2).x, TabPoint(2).y);
    screen.click(TabPoint(2).x, TabPoint(2).y);
    int nActive = -1;
    tabs.GetActiveTab(nActive);
    EXPECT_EQ(nActive, 2);
}

TEST_F(TabStrip, LabelsShortenToFitShowTheirFullTextAsTipAndGrowBack)
{
    const char* full[] = { "Library of music", "Search results", "Devices" };
    Build(TCS_TABS_ON_BOTTOM, CRect(0, 0, 300, 30), { full[0], full[1], full[2] });
    tabs.ActivateTab(0);
    const auto tipAt = [&](int nIndex) {
        TOOLINFO info {};
        const INT_PTR nTool = tabs.OnToolHitTest(TabPoint(nIndex), &info);
        std::string text = info.lpszText ? info.lpszText : "";
        std::free(info.lpszText);
        return nTool < 0 ? std::string() : text;
    };
    struct Case {
        int width;
        bool fits;
    };
    // Narrow, far too narrow (the shortening must end), nothing at all, and wide again.
    for (const Case& c : { Case { 300, true }, Case { 130, false }, Case { 25, false }, Case { 0, false },
             Case { 300, true } }) {
        SCOPED_TRACE(c.width);
        tabs.SetWindowPos(nullptr, 0, 0, c.width, 30, SWP_NOZORDER | SWP_NOACTIVATE);
        screen.pump();
        bool allFull = true;
        for (int n = 0; n < 3; ++n)
            allFull = allFull && Shown(n) == full[n];
        EXPECT_EQ(allFull, c.fits);
        if (c.width == 130) {
            // The widest label lost characters and ends with "..."; its tip shows the whole label.
            EXPECT_NE(Shown(0), full[0]);
            EXPECT_EQ(Shown(0).substr(Shown(0).size() - 3), "...");
            EXPECT_EQ(tipAt(0), full[0]);
            LPCTSTR lpszLabel = nullptr;
            BOOL bSelected = FALSE;
            CWnd* pWnd = nullptr;
            DWORD d1 = 0;
            DWORD d2 = 0;
            ASSERT_TRUE(tabs.GetTabInfo(0, lpszLabel, bSelected, pWnd, d1, d2));
            EXPECT_STREQ(lpszLabel, full[0]);
        }
        if (c.fits) {
            EXPECT_EQ(tipAt(0), "");
        }
    }
}

namespace {

class TabWindow : public ::testing::Test {
protected:
    void TearDown() override
    {
        owner.DestroyWindow();
        screen.pump();
    }
    void Build(DWORD dwTabStyle, const CRect& rect = CRect(0, 0, 200, 150))
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, 240), nullptr, 0));
        ASSERT_TRUE(wnd.Create(&owner, WS_CHILD | WS_VISIBLE | dwTabStyle, 77));
        wnd.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        screen.pump();
    }
    // Shown in the content: visible, with room (tab windows not yet activated have none).
    static bool Shown(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return pWnd->IsWindowVisible() && !rect.IsRectEmpty();
    }
    CPoint TabPoint(int nIndex)
    {
        auto* pTabs = static_cast<SEC3DTabControl*>(wnd.GetTabControl());
        CRect rect;
        pTabs->GetTabRect(nIndex, rect);
        pTabs->ClientToScreen(&rect);
        return rect.CenterPoint();
    }

    TestScreen screen { 320, 240 };
    Recorder owner;
    SEC3DTabWnd wnd;
};

} // namespace

TEST_F(TabWindow, TheContentAndTheStripShareTheWindowByTheStripsEdge)
{
    struct Case {
        const char* name;
        DWORD style;
        CRect content;
        CRect strip;
    };
    const Case cases[] = {
        { "bottom", TWS_TABS_ON_BOTTOM, CRect(6, 4, 193, 119), CRect(6, 120, 193, 151) },
        { "top", TWS_TABS_ON_TOP, CRect(6, 31, 193, 146), CRect(6, 0, 193, 31) },
        { "left", TWS_TABS_ON_LEFT, CRect(31, 4, 193, 144), CRect(0, 4, 31, 144) },
        { "right", 0, CRect(6, 4, 169, 144), CRect(169, 0, 200, 144) },
        { "bottom, overlapping", TWS_TABS_ON_BOTTOM | TWS_OVERLAP, CRect(6, 4, 193, 123), CRect(6, 124, 193, 151) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Build(c.style);
        CRect content;
        wnd.GetInsideRect(content);
        EXPECT_EQ(content, c.content);
        CRect strip;
        wnd.GetTabControl()->GetWindowRect(&strip);
        wnd.ScreenToClient(&strip);
        EXPECT_EQ(strip, c.strip);
        owner.DestroyWindow();
        screen.pump();
    }
}

TEST_F(TabWindow, TabWindowsMadeFromTheirClassShowOneAtATimeAndTheOwnerHearsOfIt)
{
    Build(TWS_TABS_ON_BOTTOM);
    CWnd* pFirst = wnd.AddTab(RUNTIME_CLASS(Pane), "First");
    CWnd* pSecond = wnd.AddTab(RUNTIME_CLASS(Pane), "Second");
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(pFirst->GetDlgCtrlID(), 0xEB00);
    EXPECT_EQ(pSecond->GetDlgCtrlID(), 0xEB01);
    EXPECT_TRUE(wnd.ActivateTab(0));
    screen.pump();
    EXPECT_TRUE(Shown(pFirst));
    EXPECT_FALSE(Shown(pSecond));
    // The active window fills the content, one pixel narrower.
    CRect content;
    wnd.GetInsideRect(content);
    CRect placed;
    pFirst->GetWindowRect(&placed);
    wnd.ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(content.left, content.top, content.right - 1, content.bottom));
    // A click on the second tab switches, and the owner gets the record with the tab window's id.
    owner.records.clear();
    screen.click(TabPoint(1).x, TabPoint(1).y);
    EXPECT_TRUE(Shown(pSecond));
    EXPECT_FALSE(Shown(pFirst));
    ASSERT_EQ(owner.records.size(), 1U);
    EXPECT_EQ(owner.records[0].nID, 77U);
    EXPECT_EQ(owner.records[0].nNewTab, 1);
    EXPECT_EQ(owner.records[0].pNewWnd, pSecond);
    int nActive = -1;
    EXPECT_TRUE(wnd.GetActiveTab(nActive));
    EXPECT_EQ(nActive, 1);
    // Again the same tab: its window stays shown.
    EXPECT_TRUE(wnd.ActivateTab(1));
    EXPECT_TRUE(Shown(pSecond));
    // A disabled tab ignores clicks; a window without a tab cannot be activated.
    wnd.EnableTab(0, FALSE);
    screen.click(TabPoint(0).x, TabPoint(0).y);
    EXPECT_TRUE(wnd.GetActiveTab(nActive));
    EXPECT_EQ(nActive, 1);
    EXPECT_FALSE(wnd.ActivateTab(&owner));
    // Removing the active tab activates the one left; the removed window itself stays.
    wnd.DeleteTab(pSecond);
    EXPECT_EQ(wnd.GetActiveWnd(), pFirst);
    EXPECT_EQ(wnd.GetTabCount(), 1);
    EXPECT_NE(pSecond->m_hWnd, nullptr);
}

TEST(TabLook, ThreeDTabsBelowAndLeftOfTheirContent)
{
    TestScreen screen { 320, 130 };
    Recorder owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, 130), nullptr, 0));
    SEC3DTabWnd below;
    SEC3DTabWnd left;
    ASSERT_TRUE(below.Create(&owner, WS_CHILD | WS_VISIBLE | TWS_TABS_ON_BOTTOM, 1));
    ASSERT_TRUE(left.Create(&owner, WS_CHILD | WS_VISIBLE | TWS_TABS_ON_LEFT, 2));
    below.SetWindowPos(nullptr, 0, 0, 160, 130, SWP_NOZORDER);
    left.SetWindowPos(nullptr, 160, 0, 160, 130, SWP_NOZORDER);
    for (SEC3DTabWnd* pWnd : { &below, &left }) {
        pWnd->AddTab(RUNTIME_CLASS(Pane), "Library");
        pWnd->AddTab(RUNTIME_CLASS(Pane), "Search");
        pWnd->AddTab(RUNTIME_CLASS(Pane), "Off");
        pWnd->EnableTab(2, FALSE);
    }
    // Below, a disabled tab beside the active one is embossed; on the left the active tab is the
    // disabled one, and its label still reads in the text colour.
    below.ActivateTab(1);
    left.ActivateTab(2);
    screen.pump();
    EXPECT_EQ(screen.compareWithGolden(CRect(0, 0, 320, 130), listtest::GoldenPath("Tabs3D.png")), "");
    owner.DestroyWindow();
    screen.pump();
}
