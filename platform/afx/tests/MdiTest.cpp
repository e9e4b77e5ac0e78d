#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/tests/MenuTexts.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

class Mdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Library", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
        app.m_pMainWnd = frame;
        menuBar = CreateMenu();
        windowMenu = CreatePopupMenu();
        AppendMenu(windowMenu, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
        AppendMenu(windowMenu, MF_STRING, ID_WINDOW_TILE_HORZ, "&Tile");
        AppendMenu(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(windowMenu), "&Window");
        frame->MDISetMenu(CMenu::FromHandle(menuBar), CMenu::FromHandle(windowMenu));
        for (const char* title : { "Alpha", "Beta", "Gamma" }) {
            auto* child = new CMDIChildWnd;
            ASSERT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CMDIChildWnd::rectDefault, frame));
            children.push_back(child);
        }
        screen.pump();
    }
    void TearDown() override
    {
        if (IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
        app.m_pMainWnd = nullptr;
    }

    TestScreen screen { 640, 480 };
    CWinApp app { "Mdi Test" };
    CMDIFrameWnd* frame { nullptr };
    HMENU menuBar { nullptr };
    HMENU windowMenu { nullptr };
    std::vector<CMDIChildWnd*> children;
};

} // namespace

TEST_F(Mdi, TheWindowMenuListsTheChildrenAndItsCommandsActivateThem)
{
    EXPECT_EQ(GetMenu(frame->m_hWnd), menuBar);
    EXPECT_EQ(afx_test::MenuTexts(windowMenu), (std::vector<std::string> { "&Cascade", "&Tile", "-", "&1 Alpha", "&2 Beta", "*&3 Gamma" }));
    EXPECT_EQ(frame->MDIGetActive(), children[2]);
    EXPECT_EQ(frame->GetActiveFrame(), children[2]);

    // The menu's command for Beta, as choosing it sends it.
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 1, 0);
    EXPECT_EQ(frame->MDIGetActive(), children[1]);
    EXPECT_EQ(afx_test::MenuTexts(windowMenu).back(), "&3 Gamma");
    EXPECT_EQ(afx_test::MenuTexts(windowMenu)[4], "*&2 Beta");

    // Next goes round in the menu's order; a new title shows in the menu.
    frame->MDINext();
    EXPECT_EQ(frame->MDIGetActive(), children[2]);
    frame->MDINext();
    EXPECT_EQ(frame->MDIGetActive(), children[0]);
    frame->MDIPrev();
    EXPECT_EQ(frame->MDIGetActive(), children[2]);
    children[0]->SetWindowText("Alpha 2");
    EXPECT_EQ(afx_test::MenuTexts(windowMenu)[3], "&1 Alpha 2");
}

TEST_F(Mdi, AClickActivatesAChildAndClosingOneRenumbersTheList)
{
    // Tiled, each child shows; a click on the first one's client area activates it.
    frame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT, 0);
    screen.pump();
    CRect first;
    children[0]->GetClientRect(&first);
    children[0]->ClientToScreen(&first);
    screen.click(first.CenterPoint().x, first.CenterPoint().y);
    EXPECT_EQ(frame->MDIGetActive(), children[0]);

    // Closing the active child activates another and leaves the menu without it.
    children[0]->SendMessage(WM_CLOSE);
    screen.pump();
    EXPECT_EQ(afx_test::MenuTexts(windowMenu), (std::vector<std::string> { "&Cascade", "&Tile", "-", "&1 Beta", "*&2 Gamma" }));
    EXPECT_EQ(frame->MDIGetActive(), children[2]);
    EXPECT_EQ(::GetDlgCtrlID(children[2]->m_hWnd), static_cast<int>(AFX_IDM_FIRST_MDICHILD + 1));

    // The last child shows its own menu; when it goes the frame takes its own back.
    frame->m_hMenuDefault = menuBar;
    HMENU childMenu = CreateMenu();
    HMENU childWindowMenu = CreatePopupMenu();
    AppendMenu(childWindowMenu, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
    AppendMenu(childMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(childWindowMenu), "&Window");
    children[2]->m_hMenuShared = childMenu;
    frame->OnUpdateFrameMenu(nullptr);
    EXPECT_EQ(GetMenu(frame->m_hWnd), childMenu);

    // Closing the rest leaves no list and no separator.
    children[1]->DestroyWindow();
    children[2]->SendMessage(WM_CLOSE);
    screen.pump();
    EXPECT_EQ(afx_test::MenuTexts(windowMenu), (std::vector<std::string> { "&Cascade", "&Tile" }));
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(frame->GetActiveFrame(), frame);
    EXPECT_EQ(GetMenu(frame->m_hWnd), menuBar);
    DestroyMenu(childMenu);
}
