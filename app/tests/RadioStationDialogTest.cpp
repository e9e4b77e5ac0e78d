// Adding a radio station through its dialog: the row as typed, its identifier, its radio group, and
// the refusals that keep the dialog open.
#include "app/CRadioStationInfoDlg.h"
#include "app/TuneStewardIds.h"
#include "app/tests/LibraryPageFixture.h"
#include "library/AppRoutines.h"

using afxtest::Steps;

namespace {

class RadioStationDialog : public LibraryPageFixture {
protected:
    // Fills the dialog's fields, choosing the category by its text.
    static void Fill(HWND dialog, const char* station, const char* category, const char* subCategory = "0")
    {
        SetDlgItemText(dialog, IDC_RADIO_STATION, station);
        SetDlgItemText(dialog, IDC_RADIO_CALL_SIGN, "KJZZ");
        SetDlgItemText(dialog, IDC_RADIO_URL, "http://radio.example/stream");
        SetDlgItemText(dialog, IDC_RADIO_SUBCATEGORY, subCategory);
        HWND combo = GetDlgItem(dialog, IDC_RADIO_DLG_CATEGORY);
        const LRESULT row = SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(category));
        SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    }
    static void PressOk(HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); }
};

} // namespace

TEST_F(RadioStationDialog, StoresTheStationAsTypedWithItsIdentifierAndCategoryGroup)
{
    const char* name = "O'Brien \"Live\"";
    CRadioStationInfoDlg dialog(&m_owner);
    int categories = 0;
    Steps().push_back([&](HWND d) {
        categories = static_cast<int>(SendDlgItemMessage(d, IDC_RADIO_DLG_CATEGORY, CB_GETCOUNT, 0, 0));
        EXPECT_EQ(ControlText(d, IDC_RADIO_LABEL_URL), "URL");
        Fill(d, name, "Jazz", "7");
        PressOk(d);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.m_bAdded);
    EXPECT_GT(categories, 10);
    EXPECT_STREQ(dialog.m_strCategoryText, "Jazz");
    EXPECT_TRUE(IsLibraryModified());

    const long id = Number("SELECT QVRadioID FROM tIRadioMain");
    EXPECT_EQ(Text("SELECT Station FROM tIRadioMain"), name);
    EXPECT_EQ(Text("SELECT RadioCallSign FROM tIRadioMain"), "KJZZ");
    EXPECT_EQ(Text("SELECT Location FROM tIRadioMain"), "<none>");
    EXPECT_EQ(Number("SELECT SubCategory FROM tIRadioMain"), 7);
    EXPECT_EQ(Number("SELECT CustomerID FROM tIRadioMain"), 1);
    EXPECT_EQ(Text("SELECT Identifier FROM tIRadioMain"), std::to_string(id + 2000000));
    EXPECT_EQ(Number("SELECT Category FROM tIRadioMain"), Number("SELECT QVGenreID FROM tLookupRadioGenre WHERE Genre = 'Jazz'"));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tIRadioGroupList INNER JOIN tIRadioGroup ON tIRadioGroupList.RadioGroupID = "
                     "tIRadioGroup.GroupID WHERE tIRadioGroup.GroupName = 'Jazz' AND tIRadioGroupList.QVRadioID = "
                     + std::to_string(id)),
        1);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(RadioStationDialog, RefusalsKeepTheDialogOpenAndWriteNothing)
{
    {
        CRadioStationInfoDlg first(&m_owner);
        Steps().push_back([](HWND d) {
            Fill(d, "Night Owl", "Jazz");
            PressOk(d);
        });
        ASSERT_EQ(first.DoModal(), IDOK);
    }
    m_boxes->Clear();

    CRadioStationInfoDlg dialog(&m_owner);
    bool openAfterEach = true;
    int focusAfterNumber = 0;
    Steps().push_back([&](HWND d) {
        Fill(d, "", "Jazz");
        PressOk(d);
        openAfterEach = openAfterEach && IsWindow(d);
        Fill(d, "Night Owl", "Classical");
        PressOk(d);
        openAfterEach = openAfterEach && IsWindow(d);
        Fill(d, "Morning", "Jazz", "twelve");
        PressOk(d);
        openAfterEach = openAfterEach && IsWindow(d);
        focusAfterNumber = GetDlgCtrlID(GetFocus());
        Fill(d, std::string(256, 'x').c_str(), "Jazz");
        PressOk(d);
        openAfterEach = openAfterEach && IsWindow(d);
        SendMessage(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(openAfterEach);
    EXPECT_FALSE(dialog.m_bAdded);
    ASSERT_EQ(Boxes().size(), 4u);
    EXPECT_EQ(Boxes()[0], "Please specify a name for the radio station.");
    EXPECT_EQ(Boxes()[1], "Radio station: Night Owl is already in the library. Please choose a new name.");
    EXPECT_EQ(focusAfterNumber, IDC_RADIO_SUBCATEGORY);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tIRadioMain"), 1);
}
