#include <gtest/gtest.h>


#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/AfxDDX.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPropertySheet.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/tests/AfxSheetTestIds.h"
#include "platform/base/MessageBox.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

// What the pages edit, shared as a document would be.
struct Model {
    CString name { "Ann" };
    int count { 7 };
    CString notes;
};

// Counts the protocol calls a page receives.
struct Calls {
    int applied { 0 };
    int reset { 0 };
    int setActive { 0 };
};

class CNamePage : public CPropertyPage {
public:
    explicit CNamePage(Model& model)
        : CPropertyPage(IDD_PAGE_NAME), m_model(model)
    {
    }
    BOOL OnSetActive() override
    {
        ++calls.setActive;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnApply() override
    {
        ++calls.applied;
        return CPropertyPage::OnApply();
    }
    void OnReset() override { ++calls.reset; }
    Calls calls;

protected:
    // The count is shown here too, as another page edits it.
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PAGE_NAME, m_model.name);
        DDX_Text(pDX, IDC_PAGE_SHOWN_COUNT, m_model.count);
    }
    Model& m_model;
};

class CCountPage : public CPropertyPage {
public:
    explicit CCountPage(Model& model)
        : CPropertyPage(IDD_PAGE_COUNT), m_model(model)
    {
    }
    BOOL OnApply() override
    {
        ++calls.applied;
        return refuseApply ? FALSE : CPropertyPage::OnApply();
    }
    BOOL OnQueryCancel() override { return !refuseCancel; }
    void OnReset() override { ++calls.reset; }
    Calls calls;
    bool refuseApply { false };
    bool refuseCancel { false };

protected:
    // A count that is no number keeps the page from being left.
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_COUNT, m_model.count); }
    Model& m_model;
};

class CNotesPage : public CPropertyPage {
public:
    explicit CNotesPage(Model& model)
        : CPropertyPage(IDD_PAGE_NOTES), m_model(model)
    {
    }
    BOOL OnApply() override
    {
        ++calls.applied;
        return CPropertyPage::OnApply();
    }
    Calls calls;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_NOTES, m_model.notes); }
    Model& m_model;
};

// The owner of the modal sheets: each time the sheet's loop runs out of messages it performs the next
// step, and ends the sheet with -99 when none are left, so a test never hangs.
std::deque<std::function<void(HWND)>>& Steps()
{
    static std::deque<std::function<void(HWND)>> steps;
    return steps;
}

LRESULT CALLBACK SheetOwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE) {
        HWND sheet = reinterpret_cast<HWND>(lParam);
        if (Steps().empty()) {
            if (auto* object = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(sheet)))
                object->EndDialog(-99);
        } else {
            auto step = std::move(Steps().front());
            Steps().pop_front();
            step(sheet);
            PostMessage(sheet, WM_NULL, 0, 0);
        }
        return 0;
    }
    return DefWindowProc(hWnd, message, wParam, lParam);
}

// A click on the middle of tab i, queued for whichever loop runs next.
void ClickTab(CPropertySheet& sheet, int index)
{
    RECT r {};
    sheet.GetTabControl()->GetItemRect(index, &r);
    POINT p { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    ::ClientToScreen(sheet.GetTabControl()->m_hWnd, &p);
    platform::user::InjectMouseMove(p);
    platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
    platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
}

void ClickButton(HWND sheet, int id)
{
    RECT r {};
    ::GetWindowRect(::GetDlgItem(sheet, id), &r);
    platform::user::InjectMouseMove(POINT { (r.left + r.right) / 2, (r.top + r.bottom) / 2 });
    platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
    platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
}

std::string Text(HWND page, int id)
{
    char text[64] {};
    ::GetDlgItemText(page, id, text, sizeof text);
    return text;
}

class PropertySheets : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASS wc;
        wc.lpfnWndProc = SheetOwnerProc;
        wc.lpszClassName = "AfxSheetOwner";
        RegisterClass(&wc);
        ownerWnd = CreateWindowEx(0, "AfxSheetOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400,
            nullptr, nullptr, nullptr, nullptr);
        ownerObject.Attach(ownerWnd);
        previous = platform::SetMessageBoxPresenter([this](const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        platform::SetMessageBoxPresenter(previous);
        ownerObject.Detach();
        DestroyWindow(ownerWnd);
        Steps().clear();
    }

    TestScreen screen { 640, 480 };
    CWinApp app { "Sheet Test" };
    HWND ownerWnd { nullptr };
    CWnd ownerObject;
    std::vector<std::string> boxes;
    platform::MessageBoxPresenter previous;
    Model model;
    CNamePage namePage { model };
    CCountPage countPage { model };
    CNotesPage notesPage { model };
};

} // namespace

TEST_F(PropertySheets, WithoutApplyNowOkAppliesEveryPageThatWasMadeAndDataCrossesPages)
{
    CPropertySheet sheet("Track", &ownerObject);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&namePage);
    sheet.AddPage(&countPage);
    sheet.AddPage(&notesPage);
    bool hadApply = true;
    std::string shownCount;
    std::vector<std::string> tabs;
    Steps().push_back([&](HWND s) {
        hadApply = ::GetDlgItem(s, ID_APPLY_NOW) != nullptr;
        for (int i = 0; i < 3; ++i) {
            char text[32] {};
            TCITEM item;
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            sheet.GetTabControl()->GetItem(i, &item);
            tabs.emplace_back(text);
        }
        SetDlgItemText(namePage.m_hWnd, IDC_PAGE_NAME, "Bob");
        namePage.SetModified();
        ClickTab(sheet, 1);
    });
    Steps().push_back([&](HWND) {
        SetDlgItemText(countPage.m_hWnd, IDC_PAGE_COUNT, "12");
        countPage.SetModified();
        ClickTab(sheet, 0);
    });
    // Back on the first page, the count another page took is shown.
    Steps().push_back([&](HWND s) {
        shownCount = Text(namePage.m_hWnd, IDC_PAGE_SHOWN_COUNT);
        ClickButton(s, IDOK);
    });

    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_FALSE(hadApply);
    EXPECT_EQ(tabs, (std::vector<std::string> { "Name", "Count", "Notes" }));
    EXPECT_EQ(shownCount, "12");
    EXPECT_EQ(model.name, "Bob");
    EXPECT_EQ(model.count, 12);
    // Every page that was made is applied once; the one never shown is not.
    EXPECT_EQ(namePage.calls.applied, 1);
    EXPECT_EQ(countPage.calls.applied, 1);
    EXPECT_EQ(notesPage.calls.applied, 0);
    EXPECT_EQ(notesPage.m_hWnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(ownerWnd));
    EXPECT_EQ(boxes, std::vector<std::string> {});
}

TEST_F(PropertySheets, ApplyFollowsTheModifiedPagesAndKeepsTheSheetOpen)
{
    CPropertySheet sheet("Track", &ownerObject);
    sheet.AddPage(&namePage);
    sheet.AddPage(&countPage);
    std::vector<bool> enabled;
    auto applyEnabled = [&](HWND s) { enabled.push_back(IsWindowEnabled(GetDlgItem(s, ID_APPLY_NOW)) != FALSE); };
    Steps().push_back([&](HWND s) {
        applyEnabled(s); // nothing changed yet
        namePage.SetModified();
        applyEnabled(s);
        ClickTab(sheet, 1);
    });
    Steps().push_back([&](HWND s) {
        countPage.SetModified();
        namePage.SetModified(FALSE);
        applyEnabled(s); // the count page is still modified
        SetDlgItemText(countPage.m_hWnd, IDC_PAGE_COUNT, "3");
        ClickButton(s, ID_APPLY_NOW);
    });
    Steps().push_back([&](HWND s) {
        applyEnabled(s); // applied: nothing is modified any more
        EXPECT_EQ(model.count, 3);
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        ClickButton(s, IDCANCEL);
    });

    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(enabled, (std::vector<bool> { false, true, true, false }));
    EXPECT_EQ(namePage.calls.applied, 1);
    EXPECT_EQ(countPage.calls.applied, 1);
    EXPECT_EQ(namePage.calls.reset, 1);
    EXPECT_EQ(countPage.calls.reset, 1);
}

TEST_F(PropertySheets, APageThatRefusesToCloseKeepsItsTabAndTheSheet)
{
    CPropertySheet sheet("Track", &ownerObject, 1);
    sheet.AddPage(&namePage);
    sheet.AddPage(&countPage);
    int activeAfterClick = -1;
    int activeAfterOk = -1;
    Steps().push_back([&](HWND) {
        SetDlgItemText(countPage.m_hWnd, IDC_PAGE_COUNT, "many");
        ClickTab(sheet, 0);
    });
    Steps().push_back([&](HWND s) {
        activeAfterClick = sheet.GetActiveIndex();
        // A page whose apply fails is shown and the sheet stays.
        SetDlgItemText(countPage.m_hWnd, IDC_PAGE_COUNT, "5");
        countPage.refuseApply = true;
        ClickButton(s, IDOK);
    });
    Steps().push_back([&](HWND s) {
        activeAfterOk = sheet.GetActiveIndex();
        countPage.refuseCancel = true;
        ClickButton(s, IDCANCEL);
    });
    Steps().push_back([&](HWND s) {
        countPage.refuseCancel = false;
        ::SendMessage(s, WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(activeAfterClick, 1);
    EXPECT_EQ(boxes.size(), 1u); // the refused number was reported once
    EXPECT_EQ(activeAfterOk, 1);
    EXPECT_EQ(countPage.calls.applied, 1);
    EXPECT_EQ(countPage.calls.reset, 1);
    EXPECT_EQ(namePage.m_hWnd, nullptr);
    EXPECT_EQ(model.count, 5); // taken by the page's kill-active, which passed before its apply refused
}

TEST_F(PropertySheets, AModelessChildSheetFillsItsFrameAndChangesItsPagesAtRunTime)
{
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Details", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 320)));
    CPropertySheet sheet("Details", frame);
    sheet.AddPage(&namePage);
    ASSERT_TRUE(sheet.Create(frame, WS_CHILD | WS_VISIBLE));
    ::SetWindowLong(sheet.m_hWnd, GWL_ID, AFX_IDW_PANE_FIRST);
    frame->RecalcLayout();
    screen.pump();

    CRect frameClient, sheetRect;
    frame->GetClientRect(&frameClient);
    sheet.GetWindowRect(&sheetRect);
    frame->ScreenToClient(&sheetRect);
    EXPECT_EQ(sheetRect, frameClient);
    EXPECT_EQ(::GetDlgItem(sheet.m_hWnd, IDOK), nullptr);
    EXPECT_TRUE(namePage.IsWindowVisible());

    // The pages change with what the frame shows: all removed, others added, the first activated.
    sheet.RemovePage(0);
    EXPECT_EQ(namePage.m_hWnd, nullptr);
    EXPECT_EQ(sheet.GetActiveIndex(), -1);
    sheet.AddPage(&countPage);
    sheet.AddPage(&notesPage);
    EXPECT_TRUE(sheet.SetActivePage(0));
    screen.pump();
    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 2);
    EXPECT_TRUE(countPage.IsWindowVisible());

    // A click on a tab, then Ctrl+Tab back round.
    RECT r {};
    sheet.GetTabControl()->GetItemRect(1, &r);
    POINT p { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    ::ClientToScreen(sheet.GetTabControl()->m_hWnd, &p);
    screen.click(p.x, p.y);
    EXPECT_EQ(sheet.GetActivePage(), &notesPage);
    EXPECT_FALSE(countPage.IsWindowVisible());
    CRect pageRect;
    notesPage.GetWindowRect(&pageRect);
    EXPECT_TRUE(sheetRect.Width() > 0 && pageRect.Width() > 0);
    ::SetFocus(::GetDlgItem(notesPage.m_hWnd, IDC_PAGE_NOTES));
    for (auto [vk, down] : { std::pair { VK_CONTROL, true }, { VK_TAB, true }, { VK_TAB, false }, { VK_CONTROL, false } })
        platform::user::InjectKey(vk, down);
    // The application's loop, which offers each message to the windows' PreTranslateMessage.
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!app.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    EXPECT_EQ(sheet.GetActiveIndex(), 0);

    frame->DestroyWindow();
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST_F(PropertySheets, TheTabsLookRight)
{
    CPropertySheet sheet("Track");
    sheet.AddPage(&namePage);
    sheet.AddPage(&countPage);
    sheet.AddPage(&notesPage);
    sheet.SetActivePage(1);
    ASSERT_TRUE(sheet.Create());
    sheet.SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    screen.pump();
    CRect tabs;
    sheet.GetTabControl()->GetWindowRect(&tabs);
    // The row of tabs and the top of the panel below it.
    RECT row {};
    sheet.GetTabControl()->GetItemRect(2, &row);
    const RECT area { tabs.left, tabs.top, tabs.left + row.right + 8, tabs.top + row.bottom + 6 };
    EXPECT_EQ(screen.compareWithGolden(area, TS_AFX_GOLDEN_DIR "/sheet-tabs.png"), "");
    sheet.DestroyWindow();
}

TEST_F(PropertySheets, AModalSheetOpensInTheMiddleOfItsOwner)
{
    CPropertySheet sheet("Track", &ownerObject);
    sheet.AddPage(&namePage);
    CRect shown;
    Steps().push_back([&](HWND s) { ::GetWindowRect(s, &shown); });
    sheet.DoModal();
    CRect owner;
    ownerObject.GetWindowRect(&owner);
    EXPECT_LE(std::abs(shown.CenterPoint().x - owner.CenterPoint().x), 1);
    EXPECT_LE(std::abs(shown.CenterPoint().y - owner.CenterPoint().y), 1);
}
