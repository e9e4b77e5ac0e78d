// The workspace dialog run modally and driven by keys and clicks: renames, deletions, moves and new
// names are checked and recorded in the caller's lists, and the buttons follow the editing.

#include "toolkit/frames/SECWsMgrDialogEx.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "platform/afx/CListBox.h"
#include "platform/afx/tests/DialogSteps.h"
#include "platform/base/MessageBox.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/SECFrameResIds.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"

namespace {

using afxtest::OwnerProc;
using afxtest::Steps;
using platform::user::InjectKey;
using platform::user::TestScreen;

void Key(int vk, bool alt = false)
{
    if (alt)
        InjectKey(VK_MENU, true);
    InjectKey(vk, true);
    InjectKey(vk, false);
    if (alt)
        InjectKey(VK_MENU, false);
}

// Letters only; capitals with Shift.
void Type(const std::string& text)
{
    for (char ch : text) {
        const bool upper = std::isupper(static_cast<unsigned char>(ch)) != 0;
        if (upper)
            InjectKey(VK_SHIFT, true);
        Key(std::toupper(static_cast<unsigned char>(ch)));
        if (upper)
            InjectKey(VK_SHIFT, false);
    }
}

std::vector<std::string> ToVector(const CStringList& list)
{
    std::vector<std::string> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.emplace_back(list.GetNext(pos).GetString());
    return out;
}

std::vector<std::string> Items(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_SEC_WS_LIST);
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

void Select(HWND dialog, int nIndex)
{
    HWND list = GetDlgItem(dialog, IDC_SEC_WS_LIST);
    SetFocus(list);
    SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

class WorkspaceDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        Steps().clear();
        WNDCLASS owner {};
        owner.lpfnWndProc = OwnerProc;
        owner.lpszClassName = "WsDialogTestOwner";
        RegisterClass(&owner);
        m_owner = CreateWindowEx(0, "WsDialogTestOwner", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
            nullptr, nullptr, nullptr);
        m_ownerObject.Attach(m_owner);
        m_previous = platform::SetMessageBoxPresenter([this](const std::string& text, const std::string&, UINT type) {
            m_boxes.push_back(text);
            return (type & 0xF) == MB_YESNO ? IDYES : IDOK;
        });
        for (const char* name : { "Alpha", "Beta", "Gamma" })
            m_names.AddTail(name);
        m_current.AddTail(&m_names);
    }
    void TearDown() override
    {
        platform::SetMessageBoxPresenter(m_previous);
        m_ownerObject.Detach();
        DestroyWindow(m_owner);
    }

    TestScreen m_screen { 480, 360 };
    HWND m_owner { nullptr };
    CWnd m_ownerObject;
    CStringList m_names;
    CStringList m_current;
    CStringList m_deleted;
    std::vector<std::string> m_boxes;
    platform::MessageBoxPresenter m_previous;
};

TEST_F(WorkspaceDialog, EditsAreCheckedAndRecordedInTheCallersLists)
{
    CString active = "Beta";
    SECWsMgrDialogEx dialog(m_names, m_current, m_deleted, active, TRUE, TRUE, &m_ownerObject);
    std::string look;
    std::vector<std::string> seen;
    BOOL saveWhileEditing = TRUE;
    Steps().push_back([&](HWND d) {
        char caption[64] = {};
        GetWindowText(d, caption, sizeof caption);
        char shown[64] = {};
        GetDlgItemText(d, IDC_SEC_WS_ACTIVE, shown, sizeof shown);
        seen = { caption, shown };
        CRect rect;
        GetWindowRect(d, &rect);
        look = m_screen.compareWithGolden(rect, Golden("workspace-dialog.png"));
        EXPECT_EQ(Items(d), (std::vector<std::string> { "Alpha", "Beta", "Gamma", "" }));
        // A rename to another workspace's name in other letters is refused.
        Select(d, 1);
        Type("a");
    });
    Steps().push_back([&](HWND d) {
        Type("lpha");
        saveWhileEditing = IsWindowEnabled(GetDlgItem(d, IDC_SEC_WS_SAVE)) || IsWindowEnabled(GetDlgItem(d, IDC_SEC_WS_DONE));
        Key(VK_RETURN);
    });
    Steps().push_back([&](HWND d) {
        EXPECT_EQ(Items(d)[1], "Beta");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SEC_WS_SAVE)));
        Select(d, 2);
        Type("D");
    });
    Steps().push_back([](HWND) {
        Type("elta");
        Key(VK_RETURN);
    });
    Steps().push_back([&](HWND d) {
        EXPECT_EQ(ToVector(m_current), (std::vector<std::string> { "Alpha", "Beta", "Delta" }));
        Select(d, 0);
        Key(VK_DELETE);
    });
    Steps().push_back([&](HWND d) {
        EXPECT_EQ(ToVector(m_deleted), (std::vector<std::string> { "Alpha" }));
        // Delta moves up: both lists move the same entry.
        Select(d, 1);
        Key(VK_UP, true);
    });
    Steps().push_back([&](HWND d) {
        EXPECT_EQ(ToVector(m_names), (std::vector<std::string> { "Gamma", "Beta" }));
        EXPECT_EQ(ToVector(m_current), (std::vector<std::string> { "Delta", "Beta" }));
        // Save on the empty row keeps the dialog open.
        Select(d, 2);
        SendMessage(d, WM_COMMAND, IDC_SEC_WS_SAVE, 0);
    });
    Steps().push_back([&](HWND d) {
        Select(d, 2);
        Type("b");
    });
    Steps().push_back([](HWND) {
        Type("eta");
        Key(VK_RETURN);
    });
    Steps().push_back([&](HWND d) {
        EXPECT_EQ(Items(d), (std::vector<std::string> { "Delta", "Beta", "" }));
        Select(d, 2);
        Type("O");
    });
    Steps().push_back([](HWND) {
        Type("mega");
        Key(VK_RETURN);
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(seen, (std::vector<std::string> { "Open Workspace", "Beta" }));
    EXPECT_EQ(look, "");
    EXPECT_FALSE(saveWhileEditing);
    EXPECT_EQ(m_boxes,
        (std::vector<std::string> { "Workspace 'alpha' already exists. Please enter a unique workspace name.",
            "Invalid workspace name.", "Workspace 'beta' already exists. Please enter a unique workspace name.",
            "Save new workspace 'Omega'?\n" }));
    EXPECT_STREQ(active, "Omega");
}

} // namespace
