// The group commands of the tree's album and playlist menus, which the main window carries out: opened
// with a right click, chosen with the keyboard, the group picked in the real selection dialog, and the
// membership checked in the library with its change tracking.
#include <deque>

#include "app/CPelicanView.h"
#include "app/tests/LibraryTreeFixture.h"
#include "library/GroupEdits.h"
#include "library/PlaylistEdits.h"
#include "platform/afx/AfxPriv.h"
#include "platform/afx/CMenu.h"
#include "platform/user/Input.h"

using namespace tree_test;
using afxtest::Steps;

namespace {

// The main window: the selection dialogs it opens are driven by the steps of a test.
using StepFrame = afxtest::StepsOwner<CMainFrame>;

// A tree whose context menu takes the queued keys at its idle moments and is ended once they are gone,
// so a menu that does not act on them never waits for input that will not come.
class KeyedMenuTree : public CMainTreeCtrl {
public:
    std::deque<int> keys;
    std::vector<UINT> commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
            if (keys.empty()) {
                EndMenu();
            } else {
                platform::user::InjectKey(keys.front(), true);
                platform::user::InjectKey(keys.front(), false);
                keys.pop_front();
            }
            return 0;
        }
        if (message == WM_COMMAND && lParam == 0)
            commands.push_back(LOWORD(wParam));
        return CMainTreeCtrl::WindowProc(message, wParam, lParam);
    }
};

class TreeGroupMenus : public LibraryTree {
protected:
    void SetUp() override
    {
        LibraryTree::SetUp();
        if (HasFatalFailure())
            return;
        Steps().clear();
        tree.DestroyWindow();
        LoadMainFrame(new StepFrame);
        m_view = new CPelicanView;
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 300, 200), m_frame, AFX_IDW_PANE_FIRST));
        m_view->OnInitialUpdate();
        ASSERT_TRUE(menuTree.Create(&owner, CRect(0, 0, 260, 440)));
        m_frame->SetLibraryTree(&menuTree);
    }
    void TearDown() override
    {
        Steps().clear();
        if (m_frame != nullptr)
            m_frame->SetLibraryTree(nullptr);
        if (menuTree.m_hWnd != nullptr)
            menuTree.DestroyWindow();
        LibraryTree::TearDown();
    }

    HTREEITEM Under(HTREEITEM parent, const char* label)
    {
        for (HTREEITEM h = menuTree.GetChildItem(parent); h != nullptr; h = menuTree.GetNextSiblingItem(h))
            if (menuTree.GetItemText(h, 0) == label)
                return h;
        return nullptr;
    }
    // Right-clicks the node and walks its menu down to the item at the position (from 1, separators not
    // counted), then Return.
    void ChooseFromMenu(HTREEITEM item, int position)
    {
        ASSERT_NE(item, nullptr);
        menuTree.commands.clear();
        menuTree.keys.assign(static_cast<size_t>(position), VK_DOWN);
        menuTree.keys.push_back(VK_RETURN);
        RightClickNode(menuTree, item);
        screen.pump();
    }
    // Picks the group of that name in the selection dialog the command opens, then OK.
    void PickGroup(const char* name)
    {
        Steps().push_back([name](HWND d) {
            const LRESULT at = SendDlgItemMessage(d, IDC_SELECTION_LIST, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                reinterpret_cast<LPARAM>(name));
            SendDlgItemMessage(d, IDC_SELECTION_LIST, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
            SendMessage(d, WM_COMMAND, IDOK, 0);
        });
    }
    bool Grayed(HTREEITEM item, UINT menuId, UINT command)
    {
        menuTree.SelectItem(item);
        m_frame->ReloadViewForItem(menuTree, item);
        CMenu menu;
        EXPECT_TRUE(menu.LoadMenu(menuId));
        CMenu* popup = menu.GetSubMenu(0);
        menuTree.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), 0);
        const bool grayed = (popup->GetMenuState(command, MF_BYCOMMAND) & MF_GRAYED) != 0;
        menu.DestroyMenu();
        return grayed;
    }
    static std::string Membership(const std::string& where)
    {
        return "SELECT COUNT(*) FROM tGroupList WHERE " + where;
    }

    KeyedMenuTree menuTree;
    CPelicanView* m_view { nullptr };
};

} // namespace

TEST_F(TreeGroupMenus, AlbumsAndPlaylistsJoinAndLeaveAGroupThroughTheTreesMenu)
{
    const long one = Import(u"Band", u"First", u"One");
    long mix = 0, evening = 0;
    ASSERT_TRUE(AddGroup("Mix \"A\"", &mix));
    ASSERT_TRUE(AddPlaylist("Evening", &evening));
    ASSERT_TRUE(AddTrackToPlaylist(evening, one));
    menuTree.BuildTree();
    const long first = AlbumId("First");
    const std::string inMix = "GroupID = " + std::to_string(mix) + " AND ";

    // Outside a group the removals are off; the additions follow the frame's rule.
    EXPECT_TRUE(Grayed(Under(menuTree.m_hAlbums, "First"), IDR_TREE_ALBUM_MENU, ID_TREE_ALBUM_REMOVE_FROM_GROUP));
    EXPECT_FALSE(Grayed(Under(menuTree.m_hAlbums, "First"), IDR_TREE_ALBUM_MENU, ID_TREE_ALBUM_ADD_TO_GROUP));
    EXPECT_TRUE(Grayed(Under(menuTree.m_hPlaylists, "Evening"), IDR_TREE_PLAYLIST_MENU, ID_TREE_PLAYLIST_REMOVE_FROM_GROUP));

    // Add Album To Group (the third item).
    PickGroup("Mix \"A\"");
    ChooseFromMenu(Under(menuTree.m_hAlbums, "First"), 3);
    EXPECT_EQ(menuTree.commands, std::vector<UINT> { ID_TREE_ALBUM_ADD_TO_GROUP });
    EXPECT_EQ(Number(Membership(inMix + "QVCDID = " + std::to_string(first) + " AND DeleteFlag <> True AND ModifyFlag = True")), 1);
    const HTREEITEM group = Under(menuTree.m_hGroups, "Mix \"A\"");
    ASSERT_NE(Under(group, "First"), nullptr);

    // Add Playlist To Group.
    PickGroup("Mix \"A\"");
    ChooseFromMenu(Under(menuTree.m_hPlaylists, "Evening"), 3);
    EXPECT_EQ(menuTree.commands, std::vector<UINT> { ID_TREE_PLAYLIST_ADD_TO_GROUP });
    EXPECT_EQ(Number(Membership(inMix + "PlaylistID = " + std::to_string(evening) + " AND DeleteFlag <> True")), 1);
    ASSERT_NE(Under(group, "Evening"), nullptr);

    // Inside the group both removals are on and take the member out (the fourth item), flagged for the
    // device; the album stays under Albums and the playlist under Playlists.
    EXPECT_FALSE(Grayed(Under(group, "First"), IDR_TREE_ALBUM_MENU, ID_TREE_ALBUM_REMOVE_FROM_GROUP));
    ChooseFromMenu(Under(group, "First"), 4);
    EXPECT_EQ(menuTree.commands, std::vector<UINT> { ID_TREE_ALBUM_REMOVE_FROM_GROUP });
    EXPECT_EQ(Number(Membership(inMix + "QVCDID = " + std::to_string(first) + " AND DeleteFlag = True AND TimeStamp IS NOT NULL")), 1);
    EXPECT_EQ(Under(group, "First"), nullptr);
    EXPECT_NE(Under(menuTree.m_hAlbums, "First"), nullptr);

    EXPECT_FALSE(Grayed(Under(group, "Evening"), IDR_TREE_PLAYLIST_MENU, ID_TREE_PLAYLIST_REMOVE_FROM_GROUP));
    ChooseFromMenu(Under(group, "Evening"), 4);
    EXPECT_EQ(menuTree.commands, std::vector<UINT> { ID_TREE_PLAYLIST_REMOVE_FROM_GROUP });
    EXPECT_EQ(Number(Membership(inMix + "PlaylistID = " + std::to_string(evening) + " AND DeleteFlag = True")), 1);
    EXPECT_EQ(Under(group, "Evening"), nullptr);
    EXPECT_NE(Under(menuTree.m_hPlaylists, "Evening"), nullptr);
    EXPECT_TRUE(Steps().empty());
    EXPECT_TRUE(Boxes().empty());
}
