#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/AfxHandleMap.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/CWnd.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

constexpr UINT ID_OPEN = 32771;
constexpr UINT ID_LOCKED = 32772;
constexpr UINT ID_CHILD = 100;
constexpr UINT NM_TESTCLICK = static_cast<UINT>(-2);
constexpr UINT WM_TESTAPP = WM_APP + 5;
const UINT g_registeredMessage = RegisterWindowMessage("AfxWndTestMessage");

using Calls = std::vector<std::string>;

class CBaseWnd : public CWnd {
public:
    Calls calls;
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        calls.push_back("base size " + std::to_string(cx) + "x" + std::to_string(cy));
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg LRESULT OnTestApp(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) + 1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_WM_SIZE()
ON_MESSAGE(WM_TESTAPP, OnTestApp)
END_MESSAGE_MAP()

class CTestWnd : public CBaseWnd {
public:
    bool deleteOnDestroy { false };
    bool* deleted { nullptr };
    ~CTestWnd() override
    {
        if (deleted)
            *deleted = true;
    }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        calls.push_back(std::string("create ") + lpCreateStruct->lpszName);
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        calls.push_back("down " + std::to_string(point.x) + "," + std::to_string(point.y));
        CWnd::OnLButtonDown(nFlags, point);
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    afx_msg void OnOpen() { calls.push_back("open"); }
    afx_msg void OnLocked() { calls.push_back("locked"); }
    afx_msg void OnUpdateLocked(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnChildClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        calls.push_back("parent click from " + std::to_string(pNMHDR->idFrom));
        *pResult = 7;
    }

protected:
    void PostNcDestroy() override
    {
        if (deleteOnDestroy)
            delete this;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CBaseWnd)
ON_WM_CREATE()
ON_WM_LBUTTONDOWN()
ON_REGISTERED_MESSAGE(g_registeredMessage, OnRegistered)
ON_COMMAND(ID_OPEN, OnOpen)
ON_COMMAND(ID_LOCKED, OnLocked)
ON_UPDATE_COMMAND_UI(ID_LOCKED, OnUpdateLocked)
ON_NOTIFY(NM_TESTCLICK, ID_CHILD, OnChildClick)
END_MESSAGE_MAP()

// A control that handles its own click notification, fully or (bPassOn) letting the parent see it too.
class CReflectingChild : public CWnd {
public:
    BOOL passOn { FALSE };
    int reflected { 0 };
    afx_msg BOOL OnReflectedClick(NMHDR*, LRESULT*)
    {
        ++reflected;
        return !passOn;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
ON_NOTIFY_REFLECT_EX(NM_TESTCLICK, OnReflectedClick)
END_MESSAGE_MAP()

// An owner-drawn control that draws and measures its own items.
class COwnerDrawn : public CWnd {
public:
    int drawn { 0 };
    int measured { 0 };
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        if (lpDrawItemStruct->hwndItem == m_hWnd)
            ++drawn;
    }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
    {
        ++measured;
        lpMeasureItemStruct->itemHeight = 30;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerDrawn, CWnd)
ON_WM_DRAWITEM_REFLECT()
ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

LRESULT SendNotify(HWND parent, HWND from, UINT id)
{
    NMHDR header { from, id, NM_TESTCLICK };
    return SendMessage(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

class Wnd : public ::testing::Test {
protected:
    TestScreen screen { 400, 300 };
};

} // namespace

TEST_F(Wnd, MessagesReachTheMostDerivedHandlerThroughTheMapChain)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, 10, 20, 200, 100, nullptr, nullptr));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    // WM_CREATE reached the derived handler, WM_SIZE the base class's.
    ASSERT_GE(wnd.calls.size(), 2u);
    EXPECT_EQ(wnd.calls[0], "create main");
    EXPECT_EQ(wnd.calls[1], "base size 200x100");

    EXPECT_EQ(wnd.SendMessage(WM_TESTAPP, 41), 42);
    EXPECT_EQ(wnd.SendMessage(g_registeredMessage, 3, 4), 7);
    // A message nobody maps goes to the window's default procedure.
    wnd.SetWindowText("renamed");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "renamed");

    wnd.calls.clear();
    screen.click(15, 25);
    EXPECT_EQ(wnd.calls, (Calls { "down 5,5" }));
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST_F(Wnd, CommandsFromMenusAreDroppedWhenTheirUpdateHandlerDisablesThem)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    wnd.calls.clear();
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, ID_OPEN), 1);
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, ID_LOCKED), 1);
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, 40000), 0);
    EXPECT_EQ(wnd.calls, (Calls { "open" }));
}

TEST_F(Wnd, NotificationsAreReflectedToTheControlFirst)
{
    CTestWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CReflectingChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 20, 20), &parent, ID_CHILD));
    parent.calls.clear();

    SendNotify(parent.m_hWnd, child.m_hWnd, ID_CHILD);
    EXPECT_EQ(child.reflected, 1);
    EXPECT_TRUE(parent.calls.empty());

    child.passOn = TRUE;
    EXPECT_EQ(SendNotify(parent.m_hWnd, child.m_hWnd, ID_CHILD), 7);
    EXPECT_EQ(child.reflected, 2);
    EXPECT_EQ(parent.calls, (Calls { "parent click from 100" }));
}

TEST_F(Wnd, SubclassingPutsTheMapInFrontOfTheOldProcedureUntilUndone)
{
    HWND plain = CreateWindowEx(0, AfxRegisterWndClass(0), "plain", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr,
        nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(plain));
    EXPECT_FALSE(CTestWnd().SubclassWindow(plain)); // one object per window
    EXPECT_EQ(SendMessage(plain, WM_TESTAPP, 1, 0), 2);
    SetWindowText(plain, "still works");
    char text[32] {};
    GetWindowText(plain, text, sizeof(text));
    EXPECT_STREQ(text, "still works");

    EXPECT_EQ(wnd.UnsubclassWindow(), plain);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(SendMessage(plain, WM_TESTAPP, 1, 0), 0);
    DestroyWindow(plain);
}

TEST_F(Wnd, DestroyingTheWindowDetachesAndLetsTheObjectDeleteItself)
{
    bool deleted = false;
    auto* wnd = new CTestWnd;
    wnd->deleteOnDestroy = true;
    wnd->deleted = &deleted;
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND hWnd = wnd->m_hWnd;
    DestroyWindow(hWnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    // An object destroyed with its window still up takes the window with it.
    HWND kept = nullptr;
    {
        CTestWnd scoped;
        ASSERT_TRUE(scoped.CreateEx(0, nullptr, "scoped", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        kept = scoped.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(kept));
}

TEST_F(Wnd, TemporaryObjectsLiveUntilTheTempMapsAreUnlocked)
{
    HWND plain = CreateWindowEx(0, AfxRegisterWndClass(0), "plain", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr,
        nullptr, nullptr);
    CWnd* temp = CWnd::FromHandle(plain);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(plain), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    AfxLockTempMaps();
    AfxLockTempMaps();
    EXPECT_FALSE(AfxUnlockTempMaps());
    EXPECT_TRUE(AfxUnlockTempMaps());
    // The temporary object is gone, its window is not.
    EXPECT_TRUE(IsWindow(plain));
    CWnd* again = CWnd::FromHandle(plain);
    EXPECT_EQ(again->m_hWnd, plain);
    DestroyWindow(plain);
    AfxLockTempMaps();
    AfxUnlockTempMaps();
}

namespace {

class CTranslatingWnd : public CTestWnd {
public:
    std::vector<std::string>* order { nullptr };
    std::string name;
    UINT swallow { 0 };
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            order->push_back(name);
        return pMsg->message == swallow;
    }
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        order->push_back("idle " + name);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTranslatingWnd, CTestWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

} // namespace

TEST_F(Wnd, TheMessageLoopOffersMessagesFromTheTargetUpAndRunsIdleUpdates)
{
    CWinApp app("loop");
    std::vector<std::string> order;
    CTranslatingWnd main;
    main.order = &order;
    main.name = "main";
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    CTranslatingWnd child;
    child.order = &order;
    child.name = "child";
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 20, 20), &main, 1));
    app.m_pMainWnd = &main;
    EXPECT_EQ(AfxGetMainWnd(), &main);

    MSG msg { child.m_hWnd, WM_KEYDOWN, 'A', 0, 0, {} };
    EXPECT_FALSE(app.PreTranslateMessage(&msg));
    EXPECT_EQ(order, (std::vector<std::string> { "child", "main" }));
    order.clear();
    child.swallow = WM_KEYDOWN;
    EXPECT_TRUE(app.PreTranslateMessage(&msg));
    EXPECT_EQ(order, (std::vector<std::string> { "child" }));

    order.clear();
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_EQ(order, (std::vector<std::string> { "idle main", "idle child" }));
    EXPECT_FALSE(app.OnIdle(1));

    // Run returns the exit code once WM_QUIT arrives, after idle work.
    order.clear();
    PostQuitMessage(3);
    EXPECT_EQ(app.Run(), 3);
    app.m_pMainWnd = nullptr;
}

TEST_F(Wnd, OwnerDrawnControlsDrawAndMeasureThemselvesThroughTheParent)
{
    CTestWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
    COwnerDrawn button;
    ASSERT_TRUE(button.Create("BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 60, 20), &parent, 101));
    screen.pump();
    EXPECT_GT(button.drawn, 0);

    COwnerDrawn list;
    ASSERT_TRUE(list.Create("LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS,
        CRect(0, 30, 100, 130), &parent, 102));
    list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Song"));
    EXPECT_EQ(list.measured, 1);
    EXPECT_EQ(list.SendMessage(LB_GETITEMHEIGHT, 0), 30);
    screen.pump();
    EXPECT_GT(list.drawn, 0);
}
