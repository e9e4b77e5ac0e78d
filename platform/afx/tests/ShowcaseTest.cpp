// The showcase program run whole on the headless screen: an MDI frame with two kinds of document, a
// docked toolbar and a status bar, a sheet of three option pages, printing to a PDF file and its
// preview, and dragging an item from one document window into another.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CPreviewView.h"
#include "platform/afx/CPrintInfo.h"
#include "platform/afx/tests/PdfPages.h"
#include "platform/afx/tests/showcase/CItemsView.h"
#include "platform/afx/tests/showcase/CNotesDoc.h"
#include "platform/afx/tests/showcase/CNotesView.h"
#include "platform/afx/tests/showcase/COptionsSheet.h"
#include "platform/afx/tests/showcase/CShowcaseApp.h"
#include "platform/afx/tests/showcase/CShowcaseFrame.h"
#include "platform/afx/tests/showcase/ShowcaseIds.h"
#include "platform/base/MessageBox.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/user/Input.h"
#include "platform/afx/tests/MenuTexts.h"
#include "platform/user/TestScreen.h"

using platform::user::InjectMouseButton;
using platform::user::InjectMouseMove;
using platform::user::MouseButton;
using platform::user::TestScreen;

namespace {

CPoint Center(HWND window)
{
    RECT r {};
    ::GetWindowRect(window, &r);
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// What a modal loop owned by the frame does each time it runs out of messages: the next step, or, with
// none left, Escape, so a test never hangs in a sheet.
std::deque<std::function<void(HWND)>>& Steps()
{
    static std::deque<std::function<void(HWND)>> steps;
    return steps;
}
WNDPROC g_frameProc = nullptr;

LRESULT CALLBACK StepsOnIdle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE) {
        HWND modal = reinterpret_cast<HWND>(lParam);
        if (Steps().empty()) {
            ::PostMessage(modal, WM_COMMAND, IDCANCEL, 0);
        } else {
            auto step = std::move(Steps().front());
            Steps().pop_front();
            step(modal);
            ::PostMessage(modal, WM_NULL, 0, 0);
        }
        return 0;
    }
    return ::CallWindowProc(g_frameProc, hWnd, message, wParam, lParam);
}

void Click(CPoint at)
{
    InjectMouseMove(at);
    InjectMouseButton(MouseButton::Left, true);
    InjectMouseButton(MouseButton::Left, false);
}

class Showcase : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.m_nCmdShow = SW_SHOWMAXIMIZED;
        ASSERT_TRUE(app.InitInstance());
        run();
        previousBox = platform::SetMessageBoxPresenter([this](const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        platform::SetMessageBoxPresenter(previousBox);
        platform::SetChooserShownHook(nullptr);
        Steps().clear();
        if (app.m_pMainWnd && ::IsWindow(app.m_pMainWnd->m_hWnd))
            app.m_pMainWnd->DestroyWindow();
        screen.pump();
    }

    // The messages as the application's loop runs them (each offered for pre-translation), then its
    // idle work, which brings the bars up to date.
    void run()
    {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!app.PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        for (LONG count = 0; app.OnIdle(count); ++count) { }
        screen.pump();
    }
    CShowcaseFrame& Frame() const { return *app.MainFrame(); }
    // The document window whose view is of the class given.
    CMDIChildWnd* ChildWith(CRuntimeClass* viewClass) const
    {
        for (HWND child = ::GetWindow(Frame().m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            auto* frame = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(child));
            if (frame && frame->GetActiveView() && frame->GetActiveView()->IsKindOf(viewClass))
                return frame;
        }
        return nullptr;
    }
    CNotesView& Notes() const { return *static_cast<CNotesView*>(ChildWith(RUNTIME_CLASS(CNotesView))->GetActiveView()); }
    CItemsView& Items() const { return *static_cast<CItemsView*>(ChildWith(RUNTIME_CLASS(CItemsView))->GetActiveView()); }
    CPoint ButtonCenter(UINT id) const
    {
        CShowcaseToolBar& bar = Frame().m_wndToolBar;
        CPoint center = bar.GetItemRect(bar.CommandToIndex(id)).CenterPoint();
        bar.ClientToScreen(&center);
        return center;
    }

    TestScreen screen { 800, 600 };
    CShowcaseApp app;
    std::vector<std::string> boxes;
    platform::MessageBoxPresenter previousBox;
};

} // namespace

TEST_F(Showcase, TwoKindsOfDocumentShareTheFrameWithItsBarsAndMenus)
{
    CShowcaseFrame& frame = Frame();
    CMDIChildWnd* notes = ChildWith(RUNTIME_CLASS(CNotesView));
    CMDIChildWnd* items = ChildWith(RUNTIME_CLASS(CItemsView));
    ASSERT_TRUE(notes && items);

    // The notes opened last are active: their template's menu is the frame's, listing both windows.
    EXPECT_EQ(frame.MDIGetActive(), notes);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), app.m_pNotesTemplate->m_hMenuShared);
    EXPECT_EQ(afx_test::MenuTexts(::GetSubMenu(::GetMenu(frame.m_hWnd), 1)),
        (std::vector<std::string> { "&Cascade", "&Tile", "-", "&1 Items1", "*&2 Notes1" }));

    // The toolbar is docked along the top, the status bar along the bottom, the documents between.
    CRect client, toolbar, status, documents;
    frame.GetClientRect(&client);
    frame.m_wndToolBar.GetWindowRect(&toolbar);
    frame.m_wndStatusBar.GetWindowRect(&status);
    ::GetWindowRect(frame.m_hWndMDIClient, &documents);
    frame.ScreenToClient(&toolbar);
    frame.ScreenToClient(&status);
    frame.ScreenToClient(&documents);
    EXPECT_EQ(::GetDlgCtrlID(::GetParent(frame.m_wndToolBar.m_hWnd)), static_cast<int>(AFX_IDW_DOCKBAR_TOP));
    EXPECT_LE(toolbar.top, client.top + 2);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.Width(), client.Width());
    EXPECT_GE(documents.top, toolbar.bottom);
    EXPECT_LE(documents.bottom, status.top);
    EXPECT_GE(documents.bottom, status.top - 2);

    // Bars follow the active document: its title in the second pane, Print only for notes.
    CShowcaseToolBar& bar = frame.m_wndToolBar;
    const int print = bar.CommandToIndex(ID_FILE_PRINT);
    EXPECT_EQ(frame.m_wndStatusBar.GetPaneText(1), "Notes1");
    EXPECT_EQ(bar.GetButtonStyle(print) & TBBS_DISABLED, 0u);
    frame.SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD); // "1 Items1" in the Window menu
    run();
    EXPECT_EQ(frame.MDIGetActive(), items);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), app.m_pItemsTemplate->m_hMenuShared);
    EXPECT_EQ(afx_test::MenuTexts(::GetSubMenu(::GetMenu(frame.m_hWnd), 2)).back(), "&2 Notes1");
    EXPECT_EQ(frame.m_wndStatusBar.GetPaneText(1), "Items1");
    EXPECT_EQ(bar.GetButtonStyle(print) & TBBS_DISABLED, TBBS_DISABLED);

    // Resting on a button names it in the message pane; leaving the bar brings the idle prompt back.
    InjectMouseMove(ButtonCenter(ID_SHOWCASE_OPTIONS));
    run();
    EXPECT_EQ(frame.m_wndStatusBar.GetPaneText(0), "Change the options");
    InjectMouseMove(documents.CenterPoint() + CSize(0, 0));
    InjectMouseMove(Center(frame.m_hWndMDIClient));
    run();
    EXPECT_EQ(frame.m_wndStatusBar.GetPaneText(0), "Ready");

    // A disabled button does nothing; a new document of either kind comes from its button.
    screen.click(ButtonCenter(ID_FILE_PRINT).x, ButtonCenter(ID_FILE_PRINT).y);
    screen.click(ButtonCenter(ID_SHOWCASE_NEW_NOTES).x, ButtonCenter(ID_SHOWCASE_NEW_NOTES).y);
    run();
    EXPECT_EQ(frame.MDIGetActive()->GetActiveDocument()->GetTitle(), "Notes2");
    EXPECT_EQ(afx_test::MenuTexts(::GetSubMenu(::GetMenu(frame.m_hWnd), 1)).size(), 6u);
}

TEST_F(Showcase, TheOptionsSheetTakesItsThreePagesOnlyWhenEachAccepts)
{
    g_frameProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(Frame().m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StepsOnIdle)));
    auto sheetOf = [](HWND s) { return dynamic_cast<COptionsSheet*>(CWnd::FromHandlePermanent(s)); };
    auto clickTab = [&](HWND s, int index) {
        CTabCtrl* tabs = sheetOf(s)->GetTabControl();
        RECT r {};
        tabs->GetItemRect(index, &r);
        CPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        tabs->ClientToScreen(&at);
        Click(at);
    };
    auto pageItem = [&](HWND s, int id) { return ::GetDlgItem(sheetOf(s)->GetActivePage()->m_hWnd, id); };
    std::vector<std::string> tabs;
    int activeAfterRefusal = -1;
    int lower = 0, upper = 0;
    UDACCEL accel[2] {};
    Steps().push_back([&](HWND s) {
        for (int i = 0; i < sheetOf(s)->GetPageCount(); ++i) {
            char text[32] {};
            TCITEM item;
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            sheetOf(s)->GetTabControl()->GetItem(i, &item);
            tabs.emplace_back(text);
        }
        ::SetWindowText(pageItem(s, IDC_SHOWCASE_AUTHOR), "Bob");
        clickTab(s, 2);
    });
    Steps().push_back([&](HWND s) {
        ::SendMessage(pageItem(s, IDC_SHOWCASE_LINES_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
            reinterpret_cast<LPARAM>(&upper));
        ::SendMessage(pageItem(s, IDC_SHOWCASE_LINES_SPIN), UDM_GETACCEL, 2, reinterpret_cast<LPARAM>(accel));
        ::SetWindowText(pageItem(s, IDC_SHOWCASE_LINES), "99");
        Click(Center(::GetDlgItem(s, IDOK)));
    });
    // Too many lines: the page stays, and so does the sheet.
    Steps().push_back([&](HWND s) {
        activeAfterRefusal = sheetOf(s)->GetActiveIndex();
        ::SetWindowText(pageItem(s, IDC_SHOWCASE_LINES), "20");
        clickTab(s, 1);
    });
    Steps().push_back([&](HWND s) { Click(Center(pageItem(s, IDC_SHOWCASE_GRID))); });
    Steps().push_back([&](HWND s) { Click(Center(::GetDlgItem(s, IDOK))); });

    screen.click(ButtonCenter(ID_SHOWCASE_OPTIONS).x, ButtonCenter(ID_SHOWCASE_OPTIONS).y);
    run();

    EXPECT_EQ(Frame().m_nLastOptions, IDOK);
    EXPECT_EQ(tabs, (std::vector<std::string> { "General", "Layout", "Printing" }));
    EXPECT_EQ(lower, 5);
    EXPECT_EQ(upper, 60);
    EXPECT_EQ(accel[1].nSec, 2u);
    EXPECT_EQ(accel[1].nInc, 5u);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(activeAfterRefusal, 2);
    const ShowcaseSettings& settings = app.m_settings;
    EXPECT_EQ(settings.author, "Bob");
    EXPECT_EQ(settings.linesPerPage, 20);
    EXPECT_TRUE(settings.grid);
    EXPECT_EQ(Items().SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    EXPECT_TRUE(::IsWindowEnabled(Frame().m_hWnd));
}

TEST_F(Showcase, TheNotesPrintToAPdfFileAndPreviewThePagesInTheFrame)
{
    CShowcaseFrame& frame = Frame();
    platform::SetChooserShownHook([](HWND) {
        for (char c : std::string("NOTES")) {
            platform::user::InjectKey(c, true);
            platform::user::InjectKey(c, false);
        }
        platform::user::InjectKey(VK_RETURN, true);
        platform::user::InjectKey(VK_RETURN, false);
    });
    frame.SendMessage(WM_COMMAND, ID_FILE_PRINT);
    run();

    // 60 notes at 25 a page; each page a header band with a rule, then one line a 26th of the page.
    afx_test::PdfFile pdf("notes.pdf");
    ASSERT_TRUE(pdf.IsOpen());
    EXPECT_EQ(pdf.PageCount(), 3);
    constexpr double line = 1.0 / 26;
    ASSERT_TRUE(pdf.Render(0, 2.0));
    const COLORREF navy = RGB(0, 0, 96);
    EXPECT_EQ(pdf.PixelAt(0.5, line * 0.94), RGB(0, 0, 0));
    EXPECT_EQ(pdf.PixelAt(0.015, 1.5 * line), navy);
    EXPECT_EQ(pdf.PixelAt(0.015, 25.5 * line), navy);
    EXPECT_EQ(pdf.PixelAt(0.9, 1.5 * line), RGB(255, 255, 255));
    // The last page holds ten notes.
    ASSERT_TRUE(pdf.Render(2, 2.0));
    EXPECT_EQ(pdf.PixelAt(0.015, 10.5 * line), navy);
    EXPECT_EQ(pdf.PixelAt(0.015, 11.5 * line), RGB(255, 255, 255));

    // The preview takes the frame's place of the documents and bars, and draws the same page.
    frame.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    run();
    auto* preview = dynamic_cast<CPreviewView*>(frame.GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), 3u);
    EXPECT_FALSE(frame.m_wndToolBar.IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(frame.m_hWndMDIClient));
    EXPECT_EQ(::GetMenu(frame.m_hWnd), nullptr);
    CRect page = preview->GetPageRect();
    preview->ClientToScreen(&page);
    EXPECT_EQ(screen.pixel(page.left + page.Width() * 15 / 1000, page.top + page.Height() * 15 / 260), navy);
    EXPECT_EQ(screen.pixel(page.left + page.Width() * 9 / 10, page.top + page.Height() * 15 / 260), RGB(255, 255, 255));
    screen.key(VK_NEXT);
    screen.key(VK_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 3u);

    screen.key(VK_ESCAPE);
    run();
    EXPECT_TRUE(frame.m_wndToolBar.IsWindowVisible());
    EXPECT_TRUE(::IsWindowVisible(frame.m_hWndMDIClient));
    EXPECT_EQ(::GetMenu(frame.m_hWnd), app.m_pNotesTemplate->m_hMenuShared);
    EXPECT_EQ(frame.GetActiveView(), nullptr);
    EXPECT_EQ(frame.MDIGetActive()->GetActiveView(), &Notes());
    EXPECT_EQ(::GetDlgCtrlID(frame.m_hWndMDIClient), static_cast<int>(AFX_IDW_PANE_FIRST));
}

TEST_F(Showcase, AnItemDraggedIntoTheNotesBecomesALineAndADropElsewhereIsRefused)
{
    CItemsView& items = Items();
    CNotesDoc& notes = *Notes().GetDocument();
    const size_t before = notes.m_lines.size();
    auto itemCenter = [&](int index) {
        RECT r {};
        r.left = LVIR_BOUNDS;
        items.SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        CPoint at((r.left + 20), (r.top + r.bottom) / 2);
        items.ClientToScreen(&at);
        return at;
    };
    auto drag = [&](CPoint from, CPoint to) {
        InjectMouseMove(from);
        InjectMouseButton(MouseButton::Left, true);
        InjectMouseMove(from + CSize(12, 0));
        InjectMouseMove(to);
        InjectMouseButton(MouseButton::Left, false);
        run();
    };

    drag(itemCenter(1), Center(Notes().m_hWnd));
    EXPECT_EQ(items.m_nDrags, 1);
    EXPECT_EQ(items.m_lastEffect, DROPEFFECT_COPY);
    ASSERT_EQ(notes.m_lines.size(), before + 1);
    EXPECT_EQ(notes.m_lines.back(), "Birch");
    EXPECT_TRUE(notes.IsModified());

    // The status bar takes no drops: the notes stay as they were.
    drag(itemCenter(2), Center(Frame().m_wndStatusBar.m_hWnd));
    EXPECT_EQ(items.m_nDrags, 2);
    EXPECT_EQ(items.m_lastEffect, DROPEFFECT_NONE);
    EXPECT_EQ(notes.m_lines.size(), before + 1);
}
