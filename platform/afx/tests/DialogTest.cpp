#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/afx/AfxDDX.h"
#include "platform/afx/CComboBox.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CEdit.h"
#include "platform/afx/CListBox.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/tests/AfxDialogTestIds.h"
#include "platform/afx/tests/DialogSteps.h"
#include "platform/base/MessageBox.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "platform/user/WinControls.h"

using afxtest::OwnerProc;
using afxtest::Steps;
using platform::user::TestScreen;

namespace {

// A control that records the messages a dialog sends it (the DLGINIT strings).
std::vector<std::string>& Recorded()
{
    static std::vector<std::string> strings;
    return strings;
}

LRESULT CALLBACK RecorderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CB_ADDSTRING) {
        Recorded().emplace_back(reinterpret_cast<LPCSTR>(lParam));
        return static_cast<LRESULT>(Recorded().size() - 1);
    }
    return DefWindowProc(hWnd, message, wParam, lParam);
}

void PressKey(int vk)
{
    platform::user::InjectKey(vk, true);
    platform::user::InjectKey(vk, false);
}

class CSettingsDlg : public CDialog {
public:
    explicit CSettingsDlg(CWnd* pParent)
        : CDialog(IDD_SETTINGS, pParent)
    {
    }

    CString m_name { "Ann" };
    int m_count { 7 };
    UINT m_volume { 50 };
    int m_shuffle { 1 };
    int m_quality { 2 };
    int initCalls { 0 };

protected:
    BOOL OnInitDialog() override
    {
        ++initCalls;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 8);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 0, 100);
        DDX_Text(pDX, IDC_VOLUME, m_volume);
        DDX_Check(pDX, IDC_SHUFFLE, m_shuffle);
        DDX_Radio(pDX, IDC_LOW, m_quality);
    }
};

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        Steps().clear();
        Recorded().clear();
        WNDCLASS recorder {};
        recorder.lpfnWndProc = RecorderProc;
        recorder.lpszClassName = "AfxTestRecorder";
        RegisterClass(&recorder);
        WNDCLASS owner {};
        owner.lpfnWndProc = OwnerProc;
        owner.lpszClassName = "AfxTestOwner";
        RegisterClass(&owner);
        ownerWnd = CreateWindowEx(0, "AfxTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400,
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
    static std::string Text(HWND dialog, int id)
    {
        char text[64] {};
        GetDlgItemText(dialog, id, text, sizeof text);
        return text;
    }

    TestScreen screen { 640, 480 };
    CWinApp app { "Dialog Test" };
    HWND ownerWnd { nullptr };
    CWnd ownerObject;
    std::vector<std::string> boxes;
    platform::MessageBoxPresenter previous;
};

} // namespace

TEST_F(Dialogs, ModalDialogShowsTheMembersAndTakesTheEditedValuesOnOK)
{
    CSettingsDlg dlg(&ownerObject);
    std::vector<std::string> shown;
    bool ownerDisabled = false;
    Steps().push_back([&](HWND d) {
        ownerDisabled = !IsWindowEnabled(ownerWnd);
        shown = { Text(d, IDC_NAME), Text(d, IDC_COUNT), Text(d, IDC_VOLUME),
            std::to_string(IsDlgButtonChecked(d, IDC_SHUFFLE)), std::to_string(IsDlgButtonChecked(d, IDC_HIGH)),
            std::to_string(IsDlgButtonChecked(d, IDC_LOW)) };
        SetDlgItemText(d, IDC_NAME, "Bob");
        SetDlgItemText(d, IDC_COUNT, " +12 ");
        SetDlgItemText(d, IDC_VOLUME, "4000000000");
        CheckDlgButton(d, IDC_SHUFFLE, BST_UNCHECKED);
        CheckRadioButton(d, IDC_LOW, IDC_HIGH, IDC_MID);
    });
    // Enter presses the default button, OK.
    Steps().push_back([](HWND) { PressKey(VK_RETURN); });

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(ownerWnd));
    EXPECT_EQ(GetActiveWindow(), ownerWnd);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(shown, (std::vector<std::string> { "Ann", "7", "50", "1", "1", "0" }));
    // The DLGINIT strings of the template went to the control before the members.
    EXPECT_EQ(Recorded(), (std::vector<std::string> { "Rock", "Folk" }));
    EXPECT_EQ(dlg.m_name, "Bob");
    EXPECT_EQ(dlg.m_count, 12);
    EXPECT_EQ(dlg.m_volume, 4000000000u);
    EXPECT_EQ(dlg.m_shuffle, 0);
    EXPECT_EQ(dlg.m_quality, 1);
    EXPECT_EQ(boxes, std::vector<std::string> {});
}

TEST_F(Dialogs, CancelLeavesTheMembersAlone)
{
    CSettingsDlg dlg(&ownerObject);
    Steps().push_back([](HWND d) {
        SetDlgItemText(d, IDC_NAME, "Changed");
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_name, "Ann");
    EXPECT_TRUE(IsWindowEnabled(ownerWnd));
    // The keyboard goes back to the owner, though it was still disabled when the dialog hid.
    EXPECT_EQ(GetActiveWindow(), ownerWnd);
}

TEST_F(Dialogs, ARefusedValueKeepsTheDialogOpenWithTheFocusOnItsControl)
{
    struct Case {
        int control;
        const char* text;
        const char* message;
    };
    const Case cases[] {
        { IDC_COUNT, "12x", "Please enter an integer." },
        { IDC_COUNT, "", "Please enter an integer." },
        { IDC_COUNT, "99999999999", "Please enter an integer." },
        { IDC_COUNT, "101", "Please enter an integer between 0 and 100." },
        { IDC_VOLUME, "-1", "Please enter a positive integer." },
        { IDC_NAME, "Alexandra", "Enter no more than 8 characters." },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        boxes.clear();
        CSettingsDlg dlg(&ownerObject);
        int focus = 0;
        LRESULT selection = 0;
        Steps().push_back([&](HWND d) {
            SetDlgItemText(d, c.control, c.text);
            PressKey(VK_RETURN);
        });
        Steps().push_back([&](HWND d) {
            focus = GetDlgCtrlID(GetFocus());
            selection = SendDlgItemMessage(d, c.control, EM_GETSEL, 0, 0);
            // Put right, the same OK goes through.
            SetDlgItemText(d, c.control, c.control == IDC_NAME ? "Al" : " 42 ");
            PressKey(VK_RETURN);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(boxes, std::vector<std::string> { c.message });
        EXPECT_EQ(focus, c.control);
        // The whole refused text is selected, ready to be typed over.
        EXPECT_EQ(selection, MAKELONG(0, std::string(c.text).size()));
        if (c.control == IDC_COUNT) {
            EXPECT_EQ(dlg.m_count, 42);
        } else if (c.control == IDC_VOLUME) {
            EXPECT_EQ(dlg.m_volume, 42u);
        }
    }
}

TEST_F(Dialogs, AMissingTemplateFailsWithoutDisablingTheOwner)
{
    CDialog dlg(IDD_MISSING, &ownerObject);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(IsWindowEnabled(ownerWnd));
    EXPECT_FALSE(dlg.Create(IDD_MISSING, &ownerObject));
}

TEST_F(Dialogs, ModelessDialogExchangesDataAndMalformedInitDataIsRefused)
{
    CSettingsDlg dlg(&ownerObject);
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS, &ownerObject));
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_EQ(Text(dlg.m_hWnd, IDC_COUNT), "7");
    SetDlgItemText(dlg.m_hWnd, IDC_COUNT, "9");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_count, 9);

    // A record whose length runs past the data, and one of an unknown message.
    const BYTE pastTheEnd[] { 0xEF, 0x03, 0x03, 0x04, 0x40, 0, 0, 0, 'R', 'o', 0 };
    const BYTE unknown[] { 0xEF, 0x03, 0x99, 0x00, 0x01, 0, 0, 0, 0, 0, 0 };
    Recorded().clear();
    EXPECT_FALSE(dlg.ExecuteDlgInit(const_cast<BYTE*>(pastTheEnd), sizeof pastTheEnd));
    EXPECT_FALSE(dlg.ExecuteDlgInit(const_cast<BYTE*>(unknown), sizeof unknown));
    EXPECT_TRUE(Recorded().empty());
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

namespace {

class CBoundDlg : public CSettingsDlg {
public:
    using CSettingsDlg::CSettingsDlg;
    CEdit m_nameEdit;
    CEdit* pSecondBinding { nullptr };

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CSettingsDlg::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_NAME, m_nameEdit);
        if (pSecondBinding)
            DDX_Control(pDX, IDC_NAME, *pSecondBinding);
    }
};

} // namespace

TEST_F(Dialogs, ControlsAreBoundOnceAndTheWrappersDriveThem)
{
    CBoundDlg dlg(&ownerObject);
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS, &ownerObject));
    ASSERT_EQ(dlg.m_nameEdit.m_hWnd, ::GetDlgItem(dlg.m_hWnd, IDC_NAME));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_nameEdit.m_hWnd), &dlg.m_nameEdit);
    // A second exchange keeps the binding.
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    dlg.m_nameEdit.SetSel(1, 3);
    int start = 0, end = 0;
    dlg.m_nameEdit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);

    // The same control bound to a second object stops the exchange, which reports the failure.
    CEdit other;
    dlg.pSecondBinding = &other;
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(other.m_hWnd, nullptr);
    EXPECT_EQ(boxes.size(), 1u);
    dlg.pSecondBinding = nullptr;

    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(10, 150, 200, 250), &dlg, 2001));
    EXPECT_EQ(list.AddString("Blues"), 0);
    EXPECT_EQ(list.AddString("Jazz"), 1);
    CString text;
    list.GetText(1, text);
    EXPECT_EQ(text, "Jazz");
    list.GetText(7, text);
    EXPECT_EQ(text, "");
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 120), &dlg, 2002));
    combo.AddString("Rock");
    combo.AddString("Folk");
    EXPECT_EQ(combo.SelectString(-1, "fo"), 1);
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_EQ(text, "Folk");
    dlg.DestroyWindow();
}

// A plain window made from a dialog template, as a dialog bar is: its controls and their DLGINIT
// data come with it, and the window is no dialog object.
TEST_F(Dialogs, APlainWindowTakesItsControlsAndInitDataFromATemplate)
{
    CWnd bar;
    ASSERT_TRUE(bar.CreateDlg(MAKEINTRESOURCE(IDD_SETTINGS), &ownerObject));
    EXPECT_NE(::GetDlgItem(bar.m_hWnd, IDC_NAME), nullptr);
    EXPECT_EQ(Recorded(), (std::vector<std::string> { "Rock", "Folk" }));
    EXPECT_EQ(CWnd::FromHandlePermanent(bar.m_hWnd), &bar);
    bar.DestroyWindow();

    CWnd missing;
    EXPECT_FALSE(missing.CreateDlg(MAKEINTRESOURCE(IDD_MISSING), &ownerObject));
    EXPECT_EQ(missing.m_hWnd, nullptr);
}

namespace {

// A dialog whose OnInitDialog may place it itself.
class CPlacedDlg : public CSettingsDlg {
public:
    CPlacedDlg(CWnd* pParent, bool placeItself)
        : CSettingsDlg(pParent)
        , m_bPlaceItself(placeItself)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CSettingsDlg::OnInitDialog();
        if (m_bPlaceItself)
            SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return result;
    }

private:
    bool m_bPlaceItself;
};

} // namespace

TEST_F(Dialogs, OpensInTheMiddleOfItsOwnerOnTheScreenUnlessItPlacesItself)
{
    struct Case {
        const char* name;
        bool placeItself;
        CRect owner;
    };
    const Case cases[] = {
        { "unplaced", false, CRect(0, 0, 600, 400) },
        { "placed", true, CRect(0, 0, 600, 400) },
        // Centred on it, the dialog would hang off the top-left of the screen.
        { "owner in the corner", false, CRect(0, 0, 100, 60) },
    };
    for (const Case& c : cases) {
        ownerObject.MoveWindow(&c.owner);
        CPlacedDlg dlg(&ownerObject, c.placeItself);
        ASSERT_TRUE(dlg.Create(IDD_SETTINGS, &ownerObject)) << c.name;
        CRect dialog;
        dlg.GetWindowRect(&dialog);
        if (c.placeItself) {
            EXPECT_EQ(dialog.TopLeft(), CPoint(5, 6)) << c.name;
        } else if (c.owner.Width() > dialog.Width()) {
            EXPECT_LE(std::abs(dialog.CenterPoint().x - c.owner.CenterPoint().x), 1) << c.name;
            EXPECT_LE(std::abs(dialog.CenterPoint().y - c.owner.CenterPoint().y), 1) << c.name;
        } else {
            EXPECT_EQ(dialog.TopLeft(), CPoint(0, 0)) << c.name;
        }
        dlg.DestroyWindow();
    }
}
