// Import Music File with "Add to Existing Album": the album chosen in the list on the file dialog is
// the one the files join, whatever their tags say.
#include <filesystem>

#include "app/CPelicanView.h"
#include "app/tests/LibraryTreeFixture.h"
#include "platform/afx/AfxPriv.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/user/Input.h"

using namespace tree_test;

namespace {

void Key(int vk, bool shift = false)
{
    if (shift)
        platform::user::InjectKey(VK_SHIFT, true);
    platform::user::InjectKey(vk, true);
    platform::user::InjectKey(vk, false);
    if (shift)
        platform::user::InjectKey(VK_SHIFT, false);
}

class ImportDialog : public LibraryTree {
protected:
    void SetUp() override
    {
        LibraryTree::SetUp();
        if (HasFatalFailure())
            return;
        LoadMainFrame();
        m_view = new CPelicanView;
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 300, 200), m_frame, AFX_IDW_PANE_FIRST));
        m_view->OnInitialUpdate();
        m_frame->SetLibraryTree(&tree);
    }
    void TearDown() override
    {
        platform::SetChooserShownHook(nullptr);
        if (m_frame != nullptr)
            m_frame->SetLibraryTree(nullptr);
        LibraryTree::TearDown();
    }

    CPelicanView* m_view { nullptr };
};

} // namespace

TEST_F(ImportDialog, AddToExistingAlbumPutsTheChosenFilesIntoTheAlbumPickedInTheList)
{
    Import(u"Band", u"First", u"One");
    Import(u"Band", u"Second [live]", u"Two");
    std::filesystem::copy_file(std::filesystem::current_path() / "track1.mp3", std::filesystem::current_path() / "new.mp3");
    SetTags(Here("new.mp3"), { { u"TPE1", u"Other" }, { u"TALB", u"Its Own" }, { u"TIT2", u"Three" } });
    tree.BuildTree();
    App().WriteProfileString("Settings", "LastMusicImportPath", Here("").c_str());
    bool listEnabled = false;
    int checked = -1;
    platform::SetChooserShownHook([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_IMPORT_ALBUM_LIST);
        ASSERT_NE(list, nullptr);
        SendMessage(GetDlgItem(dialog, IDC_IMPORT_ADD_TO_EXISTING), BM_CLICK, 0, 0);
        listEnabled = IsWindowEnabled(list) != FALSE;
        checked = static_cast<int>(SendMessage(GetDlgItem(dialog, IDC_IMPORT_ADD_TO_EXISTING), BM_GETCHECK, 0, 0));
        SendMessage(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Second [live]"));
        for (char c : std::string("new"))
            Key(std::toupper(static_cast<unsigned char>(c)));
        Key(VK_OEM_PERIOD);
        for (char c : std::string("mp3"))
            Key(std::toupper(static_cast<unsigned char>(c)));
        Key(VK_RETURN);
    });
    m_frame->SendMessage(WM_COMMAND, ID_FILE_IMPORT_MUSIC_FILE);
    screen.pump();
    EXPECT_TRUE(listEnabled);
    EXPECT_EQ(checked, BST_CHECKED);
    EXPECT_EQ(Number("SELECT QVCDID FROM tMusicTracks WHERE TrackTitle = 'Three'"), AlbumId("Second [live]"));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain WHERE Title = 'Its Own'"), 0);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks WHERE ModifyFlag = True AND TrackTitle = 'Three'"), 1);
    EXPECT_TRUE(Boxes().empty());
}
