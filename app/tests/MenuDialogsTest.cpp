// The preferences, the account pages and the station dialog opened from the main window's menu bar with
// keys, a field changed, then OK or Cancel: what lands in the settings and in the library, with its
// change tracking, and that Cancel writes nothing.
#include <array>
#include <deque>
#include <string>

#include "app/CMainFrame.h"
#include "app/TuneStewardIds.h"
#include "app/tests/LibraryPageFixture.h"
#include "library/AppRoutines.h"
#include "library/RegistryRoutines.h"
#include "platform/afx/CPropertyPage.h"
#include "platform/afx/CPropertySheet.h"
#include "platform/user/Input.h"

using afxtest::Steps;

namespace {

void Key(int vk)
{
    platform::user::InjectKey(vk, true);
    platform::user::InjectKey(vk, false);
}

// A main window whose open menu takes the queued keys at its idle moments (and is ended once they are
// gone), and whose modal dialogs are driven by the test's steps.
class MenuFrame : public CMainFrame {
public:
    std::deque<int> menuKeys;
    bool menuOpened { false };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX)
            return afxtest::OwnerProc(m_hWnd, message, wParam, lParam);
        if (message == WM_ENTERIDLE) {
            menuOpened = true;
            if (menuKeys.empty()) {
                ::EndMenu();
            } else {
                Key(menuKeys.front());
                menuKeys.pop_front();
            }
            return 0;
        }
        return CMainFrame::WindowProc(message, wParam, lParam);
    }
};

class MenuDialogs : public LibraryPageFixture {
protected:
    void SetUp() override
    {
        LibraryPageFixture::SetUp();
        if (HasFatalFailure())
            return;
        App().m_bRadioSupported = TRUE;
        App().m_bAccountsSupported = TRUE;
        App().LoadSettings();
        m_frame = new MenuFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        App().m_pMainWnd = m_frame;
        m_frame->ShowWindow(SW_SHOW);
        m_frame->SetActiveWindow();
        m_frame->SetFocus();
        Pump();
    }
    void TearDown() override
    {
        if (m_frame != nullptr && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
        LibraryPageFixture::TearDown();
    }

    void Pump()
    {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!App().PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
    }
    // Alt and the menu's mnemonic on the menu bar, then the item's mnemonic in the open popup.
    void Choose(char menu, char item)
    {
        m_frame->menuOpened = false;
        m_frame->menuKeys = { item };
        platform::user::InjectKey(VK_MENU, true);
        Key(menu);
        platform::user::InjectKey(VK_MENU, false);
        Pump();
        Pump();
        EXPECT_TRUE(m_frame->menuOpened) << "the popup never opened";
        EXPECT_TRUE(m_frame->menuKeys.empty());
    }
    // The active page of the modal property sheet that a step is given.
    static HWND ActivePage(HWND sheet)
    {
        auto* object = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(sheet));
        EXPECT_NE(object, nullptr);
        CPropertyPage* page = object ? object->GetActivePage() : nullptr;
        return page ? page->m_hWnd : nullptr;
    }
    static void Press(HWND dialog, int button) { SendMessage(dialog, WM_COMMAND, button, 0); }
    static std::string Setting(const char* name) { return ReadRegistryValue(name, "Settings").GetString(); }

    MenuFrame* m_frame { nullptr };
};

} // namespace

TEST_F(MenuDialogs, PreferencesFromTheToolsMenuWriteTheSettingOnOkOnly)
{
    const BOOL saved = App().m_bSaveWindowSettings;
    std::string title;
    // Cancel after a change: nothing written, nothing changed.
    Steps().push_back([&](HWND sheet) {
        char text[128] {};
        ::GetWindowText(sheet, text, sizeof text);
        title = text;
        SendDlgItemMessage(ActivePage(sheet), IDC_LAYOUT_SAVE_WINDOW, BM_CLICK, 0, 0);
        Press(sheet, IDCANCEL);
    });
    Choose('T', 'P');
    EXPECT_EQ(title, "Preferences");
    EXPECT_TRUE(Steps().empty());
    EXPECT_EQ(Setting("SaveWindowSettings"), "");
    EXPECT_EQ(App().m_bSaveWindowSettings, saved);

    Steps().push_back([](HWND sheet) {
        SendDlgItemMessage(ActivePage(sheet), IDC_LAYOUT_SAVE_WINDOW, BM_CLICK, 0, 0);
        Press(sheet, IDOK);
    });
    Choose('T', 'P');
    EXPECT_TRUE(Steps().empty());
    EXPECT_NE(App().m_bSaveWindowSettings, saved);
    // Read back as the next start would.
    const BOOL now = App().m_bSaveWindowSettings;
    App().m_bSaveWindowSettings = saved;
    App().LoadSettings();
    EXPECT_EQ(App().m_bSaveWindowSettings, now);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MenuDialogs, AccountManagementFromTheToolsMenuWritesTheCustomerOnOkOnly)
{
    const std::array<_variant_t, 8> values { _variant_t("Ann"), _variant_t("Lee"), _variant_t("1 Main St"),
        _variant_t("Springfield"), _variant_t("OR"), _variant_t("97477"), _variant_t("ann@example.com"),
        _variant_t("5551234567") };
    ASSERT_TRUE(theLibraryConnection.RunStoredQuery("qUpdateCustomer", values.data(), 8, nullptr, nullptr, adCmdStoredProc));
    const auto modified = [] { return Number("SELECT COUNT(*) FROM tCustomerMain WHERE ModifyFlag = True"); };
    SetLibraryModified(false);

    Steps().push_back([](HWND sheet) {
        SetDlgItemText(ActivePage(sheet), IDC_USER_FIRST_NAME, "Anna");
        Press(sheet, IDCANCEL);
    });
    Choose('T', 'A');
    EXPECT_TRUE(Steps().empty());
    EXPECT_EQ(Text("SELECT FirstName FROM tCustomerMain"), "Ann");
    EXPECT_EQ(modified(), 0);
    EXPECT_FALSE(IsLibraryModified());

    std::string shown;
    Steps().push_back([&](HWND sheet) {
        shown = ControlText(ActivePage(sheet), IDC_USER_FIRST_NAME);
        SetDlgItemText(ActivePage(sheet), IDC_USER_FIRST_NAME, "O'Hara \"Ann\"");
        Press(sheet, IDOK);
    });
    Choose('T', 'A');
    EXPECT_TRUE(Steps().empty());
    EXPECT_EQ(shown, "Ann");
    EXPECT_EQ(Text("SELECT FirstName FROM tCustomerMain"), "O'Hara \"Ann\"");
    EXPECT_EQ(modified(), 1);
    EXPECT_TRUE(IsLibraryModified());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MenuDialogs, AddStationFromTheMediaMenuStoresTheStationOnOkOnly)
{
    const auto fill = [](HWND d) {
        SetDlgItemText(d, IDC_RADIO_STATION, "Night Owl");
        SetDlgItemText(d, IDC_RADIO_URL, "http://radio.example/stream");
        HWND combo = GetDlgItem(d, IDC_RADIO_DLG_CATEGORY);
        SendMessage(combo, CB_SETCURSEL,
            static_cast<WPARAM>(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Jazz"))), 0);
    };
    SetLibraryModified(false);
    Steps().push_back([&](HWND d) {
        fill(d);
        Press(d, IDCANCEL);
    });
    Choose('M', 'S');
    EXPECT_TRUE(Steps().empty());
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tIRadioMain"), 0);
    EXPECT_FALSE(IsLibraryModified());

    Steps().push_back([&](HWND d) {
        fill(d);
        Press(d, IDOK);
    });
    Choose('M', 'S');
    EXPECT_TRUE(Steps().empty());
    EXPECT_EQ(Text("SELECT Station FROM tIRadioMain WHERE ModifyFlag = True"), "Night Owl");
    EXPECT_TRUE(IsLibraryModified());
    EXPECT_TRUE(Boxes().empty());
}

// The main window stays disabled under the menu's dialog, yet a classic desktop program keeps its bars
// drawn: repainted while the dialog is up, the menu bar and the toolbar look as they did before it.
TEST_F(MenuDialogs, TheMenuBarAndToolbarStayDrawnUnderAModalDialog)
{
    CRect bars;
    m_frame->GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&bars);
    ASSERT_FALSE(bars.IsRectEmpty());
    // The strip's pixels, those under the dialog left out.
    const auto look = [&](const CRect& covered) {
        std::vector<COLORREF> pixels;
        for (int y = bars.top; y < bars.bottom; ++y)
            for (int x = bars.left; x < bars.right; ++x)
                pixels.push_back(covered.PtInRect(CPoint(x, y)) ? CLR_NONE : m_screen.pixel(x, y));
        return pixels;
    };
    std::vector<COLORREF> under;
    CRect covered;
    bool disabled = false;
    Steps().push_back([&](HWND dialog) {
        disabled = !m_frame->IsWindowEnabled();
        ::GetWindowRect(dialog, &covered);
        // Blotted out on the screen, the bars show again only when they paint themselves.
        HDC screen = ::GetDC(nullptr);
        HBRUSH blot = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(screen, &bars, blot);
        ::DeleteObject(blot);
        ::ReleaseDC(nullptr, screen);
        m_frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        m_screen.pump();
        under = look(covered);
        Press(dialog, IDCANCEL);
    });
    const std::vector<COLORREF> idle = look(CRect());
    Choose('T', 'P');
    EXPECT_TRUE(Steps().empty());
    ASSERT_TRUE(disabled) << "the dialog was not modal to the main window";
    size_t differ = 0;
    for (size_t i = 0; i < idle.size(); ++i)
        differ += under[i] != CLR_NONE && under[i] != idle[i];
    EXPECT_EQ(differ, 0u) << "pixels of the bars beside the dialog changed";
}
