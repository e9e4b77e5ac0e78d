// The toolbar customise sheet on a docking frame with a toolbar manager: a button dragged from the
// commands page onto a bar stays there after the manager starts again; the toolbars page shows, hides,
// creates, renames, resets and deletes bars and switches the options every bar follows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/base/Thread.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECTBBtnGroup.h"
#include "toolkit/controls/SECToolBarCmdPage.h"
#include "toolkit/controls/SECToolBarSheet.h"
#include "toolkit/controls/SECToolBarsPage.h"
#include "toolkit/controls/tests/ToolBarManagerTestSupport.h"
#include "toolkit/controls/tests/ToolBarSheetTestSupport.h"

using namespace toolbar_test;

namespace {

// Answers the next "New Toolbar" dialog: types the name into it and presses OK, as a person would once
// it shows (input given before the dialog exists would go to the window that had the focus then).
class NewToolBarAnswer {
public:
    explicit NewToolBarAnswer(std::string name) { s_name = std::move(name); }
    ~NewToolBarAnswer() { ::UnhookWindowsHookEx(m_hHook); }
    NewToolBarAnswer(const NewToolBarAnswer&) = delete;
    NewToolBarAnswer& operator=(const NewToolBarAnswer&) = delete;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* pCall = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && pCall->message == WM_INITDIALOG)
            if (HWND hEdit = ::GetDlgItem(pCall->hwnd, IDC_SEC_NEWTOOLBAR_NAME)) {
                for (char c : s_name)
                    ::PostMessage(hEdit, WM_CHAR, static_cast<WPARAM>(c), 0);
                ::PostMessage(pCall->hwnd, WM_COMMAND, IDOK, 0);
            }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static inline std::string s_name;
    HHOOK m_hHook { ::SetWindowsHookEx(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId()) };
};

class CustomiseSheet : public ManagerFrameTest, public SheetHolder {
protected:
    void SetUp() override
    {
        ManagerFrameTest::SetUp();
        m_manager->CreateDefaultBars();
        Layout();
    }
    void TearDown() override
    {
        CloseSheet();
        ManagerFrameTest::TearDown();
    }
    platform::user::TestScreen& SheetScreen() override { return m_screen; }
    HWND SheetFrame() override { return m_frame->GetSafeHwnd(); }
    SECToolBarManager* SheetManager() override { return m_manager.get(); }
    void OpenSheet()
    {
        SheetHolder::OpenSheet([](SECToolBarCmdPage& page) {
            const UINT file[] = { ID_A, ID_B, ID_C };
            const UINT edit[] = { ID_B };
            page.DefineBtnGroup("File", 3, file);
            page.DefineBtnGroup("Edit", 1, edit);
        });
    }
    SECCustomizeToolBar& GroupBar(size_t nGroup)
    {
        return static_cast<SECTBBtnGroup*>(m_cmdPage->GetGroups()[nGroup].get())->GetBar();
    }
    // The toolbars page's list: each item's text and check.
    std::string ListText()
    {
        std::string text;
        CCheckListBox& list = m_barsPage->m_barList;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString item;
            list.GetText(i, item);
            text += std::string(static_cast<LPCTSTR>(item)) + (list.GetCheck(i) ? "[x]" : "[ ]")
                + (list.GetCurSel() == i ? "*" : "") + " ";
        }
        return text;
    }
    void SelectBar(int nItem)
    {
        m_barsPage->m_barList.SetCurSel(nItem);
        Command(*m_barsPage, IDC_SEC_TOOLBAR_LIST, LBN_SELCHANGE);
    }

};

} // namespace

TEST_F(CustomiseSheet, AButtonDraggedFromTheCommandsPageStaysOnItsBarAfterARestart)
{
    OpenSheet();
    EXPECT_TRUE(m_manager->IsCustomizeMode());
    EXPECT_TRUE(m_manager->InConfigMode());
    SECCustomizeToolBar& file = GroupBar(0);
    ASSERT_EQ(file.GetBtnCount(), 3);
    EXPECT_TRUE(file.IsWindowVisible());
    EXPECT_FALSE(GroupBar(1).IsWindowVisible());

    // Button 200 of the category dropped just after the last button of the standard bar: a copy.
    const CPoint from = Centre(&file, 0);
    const CPoint to = Centre(Bar(SEC_IDW_DEFAULTTOOLBAR), 3) + CPoint(6, 0);
    m_screen.drag(from.x, from.y, to.x, to.y);
    Layout();
    EXPECT_EQ(file.GetBtnCount(), 3);
    // The dropped button is selected: the page describes its command.
    CString strDescription;
    m_cmdPage->GetDlgItemText(IDC_SEC_DESCRIPTION, strDescription);
    EXPECT_STREQ(strDescription, "Opens a document");
    // Dropped onto no bar (and not onto the sheet), a category's button makes a new floating bar. (The
    // frame's other windows are disabled while customising: the drop goes beside the frame.)
    const CPoint from2 = Centre(&file, 2);
    m_screen.drag(from2.x, from2.y, 520, 120);
    Layout();
    const std::string customised = "e800 Standard: 200 0 201 202 200\ne801 Second: 200 201\ne820 ToolBar1: 202 floating\n";
    EXPECT_EQ(Describe(), customised);
    // Dragged back onto the category, a button is not taken.
    const CPoint from3 = Centre(Bar(SEC_IDW_DEFAULTTOOLBAR), 4);
    const CPoint onCategory = Centre(&file, 1);
    m_screen.drag(from3.x, from3.y, onCategory.x, onCategory.y);
    EXPECT_EQ(file.GetBtnCount(), 3);

    CloseSheet(PSBTN_OK);
    EXPECT_FALSE(m_manager->IsCustomizeMode());
    EXPECT_FALSE(m_manager->InConfigMode());
    const std::string kept = Describe();
    m_frame->SaveBarState("Layout");
    Restart();
    m_frame->LoadBarState("Layout");
    Layout();
    EXPECT_EQ(Describe(), kept);
    EXPECT_NE(kept.find("202 floating"), std::string::npos);
}

TEST_F(CustomiseSheet, ToolbarsPageShowsCreatesRenamesResetsAndDeletesBars)
{
    OpenSheet();
    ASSERT_TRUE(m_sheet->SetActivePage(1));
    m_screen.pump();
    EXPECT_TRUE(m_manager->IsCustomizeMode());
    EXPECT_EQ(ListText(), "Standard[x]* Second[x] ");
    CString strButton;
    m_barsPage->GetDlgItemText(IDC_SEC_TOOLBAR_RESET, strButton);
    EXPECT_STREQ(strButton, "&Reset");
    EXPECT_FALSE(m_barsPage->GetDlgItem(IDC_SEC_TOOLBAR_NAME)->IsWindowEnabled());

    // Unchecking hides the bar.
    m_barsPage->m_barList.SetCheck(1, 0);
    Command(*m_barsPage, IDC_SEC_TOOLBAR_LIST, CLBN_CHKCHANGE);
    Layout();
    EXPECT_FALSE(Bar(ID_SECOND_BAR)->IsVisible());

    // New...: the dialog asks for the name; the bar floats and joins the list.
    {
        NewToolBarAnswer answer("Mine");
        Command(*m_barsPage, IDC_SEC_TOOLBAR_NEW);
    }
    Layout();
    ASSERT_NE(Bar(0xE820), nullptr);
    EXPECT_TRUE(Bar(0xE820)->IsFloating());
    EXPECT_EQ(ListText(), "Standard[x]* Second[ ] Mine[x] ");

    // A user's bar can be renamed, never beyond 128 characters.
    SelectBar(2);
    m_barsPage->GetDlgItemText(IDC_SEC_TOOLBAR_RESET, strButton);
    EXPECT_STREQ(strButton, "&Delete");
    CWnd* pEdit = m_barsPage->GetDlgItem(IDC_SEC_TOOLBAR_NAME);
    ASSERT_TRUE(pEdit->IsWindowEnabled());
    pEdit->SetFocus();
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    m_screen.type(std::string(130, 'x'));
    m_barsPage->m_barList.SetFocus();
    m_screen.pump();
    CString strTitle;
    Bar(0xE820)->GetWindowText(strTitle);
    EXPECT_EQ(std::string(static_cast<LPCTSTR>(strTitle)), std::string(128, 'x'));
    EXPECT_EQ(ListText(), "Standard[x] Second[ ] " + std::string(128, 'x') + "[x]* ");

    // Deleting the selected bar selects the one now last.
    Command(*m_barsPage, IDC_SEC_TOOLBAR_RESET);
    Layout();
    EXPECT_EQ(Bar(0xE820), nullptr);
    EXPECT_EQ(ListText(), "Standard[x] Second[ ]* ");

    // Reset gives a default bar the buttons of its definition again.
    Bar(SEC_IDW_DEFAULTTOOLBAR)->RemoveButton(0);
    SelectBar(0);
    Command(*m_barsPage, IDC_SEC_TOOLBAR_RESET);
    EXPECT_EQ(Describe(), "e800 Standard: 200 0 201 202\ne801 Second: 200 201 hidden\n");
}

TEST_F(CustomiseSheet, LargeButtonsReachTheCategoryBarsAndCancelGivesTheOptionsBack)
{
    OpenSheet();
    const int nSmall = GroupBar(0).GetBtn(0)->GetRect().Width();
    ASSERT_TRUE(m_sheet->SetActivePage(1));
    m_screen.pump();
    m_barsPage->CheckDlgButton(IDC_SEC_LARGEBUTTONS, BST_CHECKED);
    Command(*m_barsPage, IDC_SEC_LARGEBUTTONS);
    EXPECT_TRUE(m_manager->LargeBtnsEnabled());
    EXPECT_GT(GroupBar(0).GetBtn(0)->GetRect().Width(), nSmall);
    m_barsPage->CheckDlgButton(IDC_SEC_TOOLTIPS, BST_UNCHECKED);
    Command(*m_barsPage, IDC_SEC_TOOLTIPS);
    EXPECT_FALSE(m_manager->ToolTipsEnabled());

    CloseSheet(PSBTN_CANCEL);
    EXPECT_FALSE(m_manager->LargeBtnsEnabled());
    EXPECT_TRUE(m_manager->ToolTipsEnabled());
    EXPECT_FALSE(m_manager->IsCustomizeMode());
}

namespace {

// The WM_NCACTIVATE flags a window is sent.
class NcActivateProbe {
public:
    explicit NcActivateProbe(HWND hWnd) { s_hWnd = hWnd, s_seen.clear(); }
    ~NcActivateProbe() { ::UnhookWindowsHookEx(m_hHook); }
    NcActivateProbe(const NcActivateProbe&) = delete;
    NcActivateProbe& operator=(const NcActivateProbe&) = delete;
    const std::vector<WPARAM>& Seen() const { return s_seen; }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* pCall = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && pCall->message == WM_NCACTIVATE && pCall->hwnd == s_hWnd)
            s_seen.push_back(pCall->wParam);
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static inline HWND s_hWnd { nullptr };
    static inline std::vector<WPARAM> s_seen;
    HHOOK m_hHook { ::SetWindowsHookEx(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId()) };
};

} // namespace

TEST_F(CustomiseSheet, CategoriesSwitchTheShownBarAndTheCaptionFollowsTheFloatingBars)
{
    OpenSheet();
    m_cmdPage->GetDlgItem(IDC_SEC_TOOLBAR_LIST)->SendMessage(LB_SETCURSEL, 1);
    Command(*m_cmdPage, IDC_SEC_TOOLBAR_LIST, LBN_SELCHANGE);
    EXPECT_EQ(m_cmdPage->GetShownGroup(), 1);
    EXPECT_FALSE(GroupBar(0).IsWindowVisible());
    EXPECT_TRUE(GroupBar(1).IsWindowVisible());
    EXPECT_TRUE(GroupBar(1).IsCustomizeMode());
    EXPECT_FALSE(GroupBar(0).IsCustomizeMode());

    NcActivateProbe probe(m_sheet->GetSafeHwnd());
    m_sheet->SendMessage(WM_FLOATSTATUS, FS_ACTIVATE);
    m_sheet->SendMessage(WM_FLOATSTATUS, FS_DEACTIVATE);
    m_sheet->SendMessage(WM_FLOATSTATUS, FS_ENABLE);
    EXPECT_EQ(probe.Seen(), std::vector<WPARAM>({ TRUE, FALSE }));
}

TEST_F(CustomiseSheet, TheShownCategoryPaintsInsideTheButtonsBoxWhicheverWasShownBefore)
{
    OpenSheet();
    // Whether the bar may paint its first button: it is not hidden behind the page's group box.
    const auto paintsFirstButton = [](SECCustomizeToolBar& bar) {
        CDC* pDC = bar.GetDC();
        CRect clip;
        pDC->GetClipBox(&clip);
        bar.ReleaseDC(pDC);
        const CRect button = bar.GetBtn(0)->GetRect();
        CRect both;
        return both.IntersectRect(&clip, &button) && both == button;
    };
    CRect box;
    m_cmdPage->GetDlgItem(IDC_SEC_BUTTONS_GROUP)->GetWindowRect(&box);
    CListBox& categories = *static_cast<CListBox*>(m_cmdPage->GetDlgItem(IDC_SEC_TOOLBAR_LIST));
    for (const int nCategory : { 0, 1, 0 }) {
        categories.SetCurSel(nCategory);
        Command(*m_cmdPage, IDC_SEC_TOOLBAR_LIST, LBN_SELCHANGE);
        SECCustomizeToolBar& shown = GroupBar(static_cast<size_t>(nCategory));
        EXPECT_TRUE(shown.IsWindowVisible()) << nCategory;
        EXPECT_TRUE(paintsFirstButton(shown)) << nCategory;
    }
    // Back on "File" after "Edit": its three buttons show, not what "Edit" left.
    EXPECT_EQ(m_screen.compareWithGolden(box, TS_CONTROLS_TEST_DIR "/golden/CustomiseCategory.png"), "");
}
