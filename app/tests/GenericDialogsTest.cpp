// The generic dialogs the library edits ask through: the delete confirmation and its check box, the
// new and changed names, and the choice from a list with the record ids behind its rows.
#include <string>
#include <vector>

#include "app/CGenericConfirmationDlg.h"
#include "app/CGenericNewObjectDlg.h"
#include "app/CGenericRenameObjectDlg.h"
#include "app/CGenericSelectionDlg.h"
#include "app/TuneStewardIds.h"
#include "app/tests/LibraryPageFixture.h"
#include "library/GroupEdits.h"
#include "toolkit/controls/SECTreeCtrl.h"

using afxtest::Steps;

namespace {

class GenericDialogs : public LibraryPageFixture {
protected:
    static void Press(HWND dialog, int id) { SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    static bool Checked(HWND dialog, int id) { return SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static std::vector<std::string> Rows(HWND dialog)
    {
        std::vector<std::string> rows;
        const int count = static_cast<int>(SendDlgItemMessage(dialog, IDC_SELECTION_LIST, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] {};
            SendDlgItemMessage(dialog, IDC_SELECTION_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            rows.emplace_back(text);
        }
        return rows;
    }
};

} // namespace

TEST_F(GenericDialogs, ConfirmationShowsItsTextsAndKeepsTheGivenFlagOnNo)
{
    struct Case {
        int answer;
        bool given;
        INT_PTR result;
        BOOL flagAfter;
    };
    // The box is clicked once in every case: only Yes takes its state.
    for (const Case c : { Case { IDOK, false, IDOK, TRUE }, Case { IDOK, true, IDOK, FALSE },
             Case { IDCANCEL, false, IDCANCEL, FALSE }, Case { IDCANCEL, true, IDCANCEL, TRUE } }) {
        CGenericConfirmationDlg dialog(&m_owner);
        dialog.SetCaptionFromId(IDS_CONFIRM_DELETE_PLAYLIST);
        dialog.SetMessage("Delete \"Rock [Live]\"?");
        dialog.SetControlFlagFromId(c.given, IDS_CONFIRM_DONT_ASK_AGAIN);
        std::string caption, message, boxText;
        bool boxShown = false, boxChecked = false;
        Steps().push_back([&](HWND d) {
            char text[128] {};
            GetWindowText(d, text, sizeof text);
            caption = text;
            message = ControlText(d, IDC_CONFIRM_MESSAGE);
            boxText = ControlText(d, IDC_CONFIRM_FLAG);
            boxShown = IsWindowVisible(GetDlgItem(d, IDC_CONFIRM_FLAG));
            boxChecked = Checked(d, IDC_CONFIRM_FLAG);
            SendDlgItemMessage(d, IDC_CONFIRM_FLAG, BM_CLICK, 0, 0);
            Press(d, c.answer);
        });
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(caption, "Delete Playlist");
        EXPECT_EQ(message, "Delete \"Rock [Live]\"?");
        EXPECT_EQ(boxText, "Don't display this dialog again");
        EXPECT_TRUE(boxShown);
        EXPECT_EQ(boxChecked, c.given);
        EXPECT_EQ(dialog.m_bControlFlag, c.flagAfter) << "answer " << c.answer << " given " << c.given;
    }
}

TEST_F(GenericDialogs, NewNameIsTrimmedAndABlankOneKeepsTheDialogOpen)
{
    CGenericNewObjectDlg dialog(&m_owner);
    dialog.SetLabel("Group Name");
    bool openAfterBlank = false;
    int focus = 0;
    std::string label;
    Steps().push_back([&](HWND d) {
        focus = GetDlgCtrlID(GetFocus());
        label = ControlText(d, IDC_NEW_OBJECT_LABEL);
        SetDlgItemText(d, IDC_OBJECT_NAME, "   \t ");
        Press(d, IDOK);
        openAfterBlank = IsWindow(d) && IsWindowVisible(d);
        SetDlgItemText(d, IDC_OBJECT_NAME, "  Rock & \"Roll\" [B-sides]  ");
        Press(d, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(openAfterBlank);
    EXPECT_EQ(focus, IDC_OBJECT_NAME);
    EXPECT_EQ(label, "Group Name");
    EXPECT_STREQ(dialog.m_strName, "Rock & \"Roll\" [B-sides]");
}

TEST_F(GenericDialogs, RenameOpensWithTheWholeNameSelectedAndGivesTheTextAsTyped)
{
    CGenericRenameObjectDlg dialog(&m_owner);
    dialog.SetCaption("Rename Playlist");
    dialog.SetLabel("New name");
    dialog.SetName("Road Trip");
    DWORD start = 99, end = 99;
    std::string label;
    Steps().push_back([&](HWND d) {
        SendDlgItemMessage(d, IDC_OBJECT_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        label = ControlText(d, IDC_RENAME_LABEL);
        SetDlgItemText(d, IDC_OBJECT_NAME, "  ");
        Press(d, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
    EXPECT_EQ(label, "New name");
    EXPECT_STREQ(dialog.m_strName, "  ");
}

TEST_F(GenericDialogs, SelectionRowsShowTheirValuesAndCarryTheirIds)
{
    struct Row {
        const char* clip;
        const char* shown;
    };
    for (const Row r : { Row { "Rock", "Rock" }, Row { "Album A,Artist B", "Album A <Artist B>" },
             Row { "Smith, John", "Smith < John>" }, Row { "", "" } })
        EXPECT_STREQ(CGenericSelectionDlg::RowText(r.clip), r.shown);

    long rock = 0, mix = 0;
    ASSERT_TRUE(AddGroup("Rock", &rock));
    ASSERT_TRUE(AddGroup("Smith, John", &mix));
    CGenericSelectionDlg dialog(&m_owner, TRUE);
    dialog.SetCaption("Select Group");
    dialog.SetSourceQuery("qGroupsList");
    std::vector<std::string> rows;
    int selected = -1;
    Steps().push_back([&](HWND d) {
        rows = Rows(d);
        selected = static_cast<int>(SendDlgItemMessage(d, IDC_SELECTION_LIST, LB_GETCURSEL, 0, 0));
        SendDlgItemMessage(d, IDC_SELECTION_LIST, LB_SETCURSEL, 1, 0);
        SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_SELECTION_LIST, LBN_DBLCLK),
            reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_SELECTION_LIST)));
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(rows, (std::vector<std::string> { "Rock", "Smith < John>" }));
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(dialog.m_dwSelectedId, static_cast<DWORD_PTR>(mix));
    EXPECT_STREQ(dialog.m_strSelectedText, "Smith < John>");
    EXPECT_STREQ(dialog.m_strSelection, "Smith < John>");
}

TEST_F(GenericDialogs, SelectionFromARecordsetOrTreeAndOkOnAnEmptyListKeepsTheDialogOpen)
{
    long rock = 0;
    ASSERT_TRUE(AddGroup("Rock", &rock));
    _Recordset* rows = nullptr;
    ASSERT_TRUE(theLibraryConnection.ExecuteSql("qGroupsList", &rows, adCmdTable));
    {
        CGenericSelectionDlg dialog(&m_owner, TRUE);
        dialog.SetSourceRecordset(rows);
        Steps().push_back([](HWND d) { Press(d, IDOK); });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.m_dwSelectedId, static_cast<DWORD_PTR>(rock));
    }

    SECTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD, CRect(0, 0, 100, 100), &m_owner, 1));
    const HTREEITEM parent = tree.InsertItem("Playlists");
    tree.InsertItem("B-sides", parent);
    tree.InsertItem("A, list", parent);
    {
        CGenericSelectionDlg dialog(&m_owner, TRUE);
        dialog.SetSourceTreeNode(&tree, parent);
        std::vector<std::string> shown;
        Steps().push_back([&](HWND d) {
            shown = Rows(d);
            Press(d, IDOK);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(shown, (std::vector<std::string> { "B-sides", "A, list" }));
        EXPECT_STREQ(dialog.m_strSelectedText, "B-sides");
    }

    CGenericSelectionDlg dialog(&m_owner, TRUE);
    dialog.SetSourceQuery("SELECT GroupName, GroupID FROM tGroup WHERE GroupID < 0");
    bool openAfterOk = false;
    int count = -1;
    Steps().push_back([&](HWND d) {
        count = static_cast<int>(SendDlgItemMessage(d, IDC_SELECTION_LIST, LB_GETCOUNT, 0, 0));
        Press(d, IDOK);
        openAfterOk = IsWindow(d) && IsWindowVisible(d);
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(dialog.m_dwSelectedId, 0u);
    EXPECT_TRUE(Boxes().empty()) << (Boxes().empty() ? "" : Boxes()[0]);
}
