// The workspace manager on a docking frame: a workspace saved to the registry or a file and opened
// again, the recent list, a workspace that cannot be read, and renaming and deleting workspaces
// without losing one.

#include "toolkit/frames/SECWorkspaceManagerEx.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CMenu.h"
#include "platform/base/MessageBox.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECPTNStrategyRegistry.h"
#include "toolkit/frames/SECPersistentTreeNode.h"
#include "toolkit/frames/SECRegistry.h"
#include "toolkit/frames/tests/FramesTestFixture.h"

namespace {

constexpr LPCTSTR kKey = "Software\\Test\\Workspaces";
constexpr UINT ID_TRACKS = 0xE860;

std::vector<std::string> ToVector(const CStringList& list)
{
    std::vector<std::string> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.emplace_back(list.GetNext(pos).GetString());
    return out;
}

CStringList ToList(std::initializer_list<const char*> names)
{
    CStringList list;
    for (const char* name : names)
        list.AddTail(name);
    return list;
}

class Workspaces : public DockingFrameTest {
protected:
    void SetUp() override
    {
        DockingFrameTest::SetUp();
        SECRegistry registry;
        if (registry.Connect(HKEY_CURRENT_USER))
            registry.DeleteKey(kKey, TRUE);
        m_previous = platform::SetMessageBoxPresenter([this](const std::string& text, const std::string&, UINT) {
            m_boxes.push_back(text);
            return IDOK;
        });
        m_manager = static_cast<SECWorkspaceManagerEx*>(
            m_frame->InstallWorkspaceManager(kKey, TRUE, RUNTIME_CLASS(SECWorkspaceManagerEx), FALSE));
        ASSERT_NE(m_manager, nullptr);
        ASSERT_TRUE(m_bar.Create(m_frame, "Tracks", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0x0F10, ID_TRACKS));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&m_bar);
        Layout();
    }
    void TearDown() override
    {
        platform::SetMessageBoxPresenter(m_previous);
        DockingFrameTest::TearDown();
    }
    std::vector<std::string> Recent()
    {
        CStringList list;
        m_manager->ReadWorkspaceList(list);
        return ToVector(list);
    }
    // The frame's title as a workspace stored it.
    CString StoredTitle(LPCTSTR lpszName)
    {
        SECPersistentTreeNode root;
        root.Initialize(SECWorkspaceManagerEx::kRootName, nullptr);
        SECPTNStrategyRegistry strategy(CString(kKey) + "\\" + lpszName);
        CString title = "<none>";
        if (root.Load(&strategy)) {
            if (SECPersistentTreeNode* frames = root.FindChild("Frames"))
                if (SECPersistentTreeNode* main = frames->FindChild("MainFrame"))
                    main->GetStringValue("Title", title, "<no title>");
        }
        return title;
    }

    SECControlBar m_bar;
    SECWorkspaceManagerEx* m_manager { nullptr };
    std::vector<std::string> m_boxes;
    platform::MessageBoxPresenter m_previous;
};

TEST_F(Workspaces, InstallingInitialisesTheManagerUnderItsKey)
{
    EXPECT_STREQ(m_manager->GetRegistryKey(), "Software\\Test\\Workspaces\\");
    EXPECT_TRUE(m_manager->IsRegistryMode());
    EXPECT_TRUE(m_manager->SaveWorkspace("Alpha"));
    ASSERT_TRUE(m_manager->IsWorkspaceOpen());
    // A change of storage mode forgets the open workspace.
    m_manager->SetStorageMode(FALSE, FALSE);
    EXPECT_FALSE(m_manager->IsWorkspaceOpen());
    EXPECT_STREQ(m_manager->GetCurrentWorkspace(), "");
}

TEST_F(Workspaces, ASavedWorkspaceBringsBackTitleAndBars)
{
    m_frame->SetWindowText("Evening");
    ASSERT_TRUE(m_manager->SaveWorkspace("Alpha"));
    EXPECT_EQ(StoredTitle("Alpha"), "Evening");
    CRect docked;
    m_bar.GetWindowRect(&docked);

    m_frame->SetWindowText("Changed");
    m_frame->FloatControlBar(&m_bar, CPoint(300, 250));
    Layout();
    ASSERT_TRUE(m_bar.IsFloating());

    ASSERT_TRUE(m_manager->LoadWorkspace("Alpha", TRUE));
    Layout();
    CString title;
    m_frame->GetWindowText(title);
    EXPECT_STREQ(title, "Evening");
    EXPECT_FALSE(m_bar.IsFloating());
    CRect restored;
    m_bar.GetWindowRect(&restored);
    EXPECT_EQ(restored, docked);
    EXPECT_EQ(Recent(), (std::vector<std::string> { "Alpha" }));
    EXPECT_STREQ(m_manager->GetCurrentWorkspace(), "Alpha");
}

TEST_F(Workspaces, AnOlderWorkspaceFormatLoads)
{
    SECPTNFactory factory;
    SECPersistentTreeNode root;
    root.Initialize(SECWorkspaceManagerEx::kOldRootName, nullptr);
    SECPersistentTreeNode* frames = factory.CreateNode("Frames", &root);
    factory.CreateNode("MainFrame", frames)->SetStringValue("Title", "Old");
    SECPTNStrategyRegistry strategy(CString(kKey) + "\\Old");
    ASSERT_TRUE(root.Save(&strategy));

    ASSERT_TRUE(m_manager->LoadWorkspace("Old", TRUE));
    CString title;
    m_frame->GetWindowText(title);
    EXPECT_STREQ(title, "Old");
}

TEST_F(Workspaces, AWorkspaceThatCannotBeReadIsReportedAndForgotten)
{
    ASSERT_TRUE(m_manager->SaveWorkspace("Alpha"));
    ASSERT_TRUE(m_manager->SaveWorkspace("Beta"));
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(registry.DeleteKey(CString(kKey) + "\\Alpha", TRUE));
    m_frame->SetWindowText("Kept");

    EXPECT_FALSE(m_manager->LoadWorkspace("Alpha", FALSE));
    EXPECT_EQ(m_boxes, (std::vector<std::string> { "Invalid workspace. Operation has been cancelled." }));
    EXPECT_EQ(Recent(), (std::vector<std::string> { "Beta" }));
    // Nothing of the frame was touched; the workspace that was open stays open.
    CString title;
    m_frame->GetWindowText(title);
    EXPECT_STREQ(title, "Kept");
    EXPECT_STREQ(m_manager->GetCurrentWorkspace(), "Beta");
    EXPECT_TRUE(m_frame->IsWindowVisible());
}

TEST_F(Workspaces, OnlyASuccessfulSaveChangesTheRecentListAndTheOpenFlag)
{
    // Names that are no registry key of their own are refused, and a file that cannot be written
    // leaves everything as it was.
    EXPECT_FALSE(m_manager->SaveWorkspace("a\\b"));
    EXPECT_TRUE(Recent().empty());
    EXPECT_FALSE(m_manager->IsWorkspaceOpen());

    m_manager->SetStorageMode(FALSE, FALSE);
    EXPECT_FALSE(m_manager->SaveWorkspace("Z:\\no\\such\\folder\\x.wsp"));
    EXPECT_FALSE(m_manager->IsWorkspaceOpen());
    EXPECT_STREQ(m_manager->GetCurrentWorkspace(), "");
    CStringList files;
    EXPECT_FALSE(m_manager->ReadWorkspaceList(files));

    // A file workspace goes into the file list.
    ASSERT_TRUE(m_manager->SaveWorkspace("layout.wsp"));
    EXPECT_EQ(Recent(), (std::vector<std::string> { "layout.wsp" }));
    ASSERT_TRUE(m_manager->LoadWorkspace("layout.wsp", TRUE));
}

TEST_F(Workspaces, TheRecentListKeepsTheEightLatest)
{
    CStringList list;
    for (int i = 1; i <= 9; ++i)
        m_manager->AddToWorkspaceList(CString("W") + std::to_string(i).c_str(), list);
    m_manager->AddToWorkspaceList("W3", list);
    const std::vector<std::string> expected { "W3", "W9", "W8", "W7", "W6", "W5", "W4", "W2" };
    EXPECT_EQ(ToVector(list), expected);
    ASSERT_TRUE(m_manager->WriteWorkspaceList(list));
    EXPECT_EQ(Recent(), expected);
    EXPECT_TRUE(m_manager->RemoveFromWorkspaceList("W8"));
    EXPECT_FALSE(m_manager->RemoveFromWorkspaceList("W8"));
    EXPECT_EQ(Recent().size(), 7U);
}

TEST_F(Workspaces, RenamingAndDeletingNeverLosesAWorkspace)
{
    struct Saved {
        const char* name;
        const char* title;
    };
    for (Saved saved : { Saved { "Alpha", "A" }, Saved { "Beta", "B" }, Saved { "Gamma", "G" }, Saved { "Delta", "D" } }) {
        SECPTNFactory factory;
        SECPersistentTreeNode root;
        root.Initialize(SECWorkspaceManagerEx::kRootName, nullptr);
        factory.CreateNode("MainFrame", factory.CreateNode("Frames", &root))->SetStringValue("Title", saved.title);
        SECPTNStrategyRegistry strategy(CString(kKey) + "\\" + saved.name);
        ASSERT_TRUE(root.Save(&strategy));
    }
    // Alpha renamed, Beta only in case, Gamma to a name with a backslash, Delta deleted; the deleted list
    // also holds an empty name, which must not take every workspace with it.
    CStringList previous = ToList({ "Alpha", "Beta", "Gamma", "Delta" });
    CStringList names = ToList({ "Omega", "BETA", "Ga\\mma", "Delta" });
    CStringList deleted = ToList({ "Delta", "" });
    m_manager->ApplyWorkspaceChanges(previous, names, deleted);

    EXPECT_EQ(ToVector(names), (std::vector<std::string> { "Omega", "BETA", "Ga\\mma" }));
    EXPECT_EQ(StoredTitle("Omega"), "A");
    EXPECT_EQ(StoredTitle("Alpha"), "<none>");
    EXPECT_EQ(StoredTitle("BETA"), "B");
    EXPECT_EQ(StoredTitle("Gamma"), "G");
    EXPECT_EQ(StoredTitle("Delta"), "<none>");

    // A rename whose workspace cannot be read deletes nothing.
    CStringList previous2 = ToList({ "Missing" });
    CStringList names2 = ToList({ "Gamma" });
    CStringList none;
    m_manager->ApplyWorkspaceChanges(previous2, names2, none);
    EXPECT_EQ(StoredTitle("Gamma"), "G");
}

TEST_F(Workspaces, TheFramesCommandsReachTheManager)
{
    ASSERT_TRUE(m_manager->SaveWorkspace("Alpha"));
    ASSERT_TRUE(m_manager->SaveWorkspace("Beta"));

    // The recent items replace the placeholder item of the menu, the current workspace checked.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_WORKSPACE_OPEN, "Open");
    menu.AppendMenu(MF_STRING, ID_WORKSPACE_MRU_FIRST, "recent");
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndex = 1;
    state.m_nIndexMax = menu.GetMenuItemCount();
    state.m_nID = ID_WORKSPACE_MRU_FIRST;
    state.DoUpdate(m_frame, FALSE);
    ASSERT_EQ(menu.GetMenuItemCount(), 3U);
    CString text;
    menu.GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&1 Beta");
    menu.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&2 Alpha");
    EXPECT_EQ(menu.GetMenuState(ID_WORKSPACE_MRU_FIRST, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(menu.GetMenuState(ID_WORKSPACE_MRU_FIRST + 1, MF_BYCOMMAND) & MF_CHECKED, 0U);

    // The second recent item opens Alpha; Close closes it.
    m_frame->SendMessage(WM_COMMAND, ID_WORKSPACE_MRU_FIRST + 1, 0);
    EXPECT_STREQ(m_manager->GetCurrentWorkspace(), "Alpha");
    m_frame->SendMessage(WM_COMMAND, ID_WORKSPACE_CLOSE, 0);
    EXPECT_FALSE(m_manager->IsWorkspaceOpen());
    EXPECT_FALSE(m_manager->m_bConsumed);
}

} // namespace
