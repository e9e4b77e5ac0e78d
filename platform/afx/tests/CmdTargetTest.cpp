#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/afx/CCmdTarget.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CMenu.h"
#include "platform/user/TestScreen.h"

namespace {

constexpr UINT ID_OPEN = 32771;
constexpr UINT ID_SAVE = 32772;
constexpr UINT ID_FIRST_VIEW = 32780;
constexpr UINT ID_LAST_VIEW = 32784;
constexpr UINT ID_BASE_ONLY = 32790;

class CBaseTarget : public CCmdTarget {
public:
    void OnBaseOnly() { calls.push_back(ID_BASE_ONLY); }
    std::vector<UINT> calls;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CCmdTarget)
ON_COMMAND(ID_BASE_ONLY, OnBaseOnly)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget {
public:
    void OnOpen() { calls.push_back(ID_OPEN); }
    BOOL OnSave(UINT) { return m_bHandleSave; }
    void OnView(UINT nID) { calls.push_back(nID); }
    void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bHandleSave); }
    BOOL m_bHandleSave { FALSE };
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
ON_COMMAND(ID_OPEN, OnOpen)
ON_COMMAND_EX(ID_SAVE, OnSave)
ON_COMMAND_RANGE(ID_FIRST_VIEW, ID_LAST_VIEW, OnView)
ON_UPDATE_COMMAND_UI(ID_SAVE, OnUpdateSave)
END_MESSAGE_MAP()

} // namespace

TEST(CCmdTarget, RoutesCommandsThroughTheMapChain)
{
    CDerivedTarget target;
    EXPECT_TRUE(target.OnCmdMsg(ID_OPEN, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(ID_BASE_ONLY, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(ID_LAST_VIEW, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(ID_LAST_VIEW + 1, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(target.calls, (std::vector<UINT> { ID_OPEN, ID_BASE_ONLY, ID_LAST_VIEW }));

    // An ON_COMMAND_EX handler decides whether the command counts as handled.
    EXPECT_FALSE(target.OnCmdMsg(ID_SAVE, CN_COMMAND, nullptr, nullptr));
    target.m_bHandleSave = TRUE;
    EXPECT_TRUE(target.OnCmdMsg(ID_SAVE, CN_COMMAND, nullptr, nullptr));

    AFX_CMDHANDLERINFO info;
    EXPECT_TRUE(target.OnCmdMsg(ID_OPEN, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &target);
    EXPECT_EQ(target.calls.size(), 3u); // asking does not call
}

TEST(CCmdUI, UpdateHandlersAndDisablingWithoutHandler)
{
    CDerivedTarget target;
    CCmdUI item;
    item.m_nID = ID_SAVE;
    EXPECT_TRUE(item.DoUpdate(&target, TRUE));
    EXPECT_FALSE(item.m_bEnabled);

    // No update handler, but a command handler: left enabled. Neither: disabled.
    CCmdUI open;
    open.m_nID = ID_OPEN;
    EXPECT_FALSE(open.DoUpdate(&target, TRUE));
    EXPECT_TRUE(open.m_bEnabled);
    CCmdUI orphan;
    orphan.m_nID = 40000;
    orphan.DoUpdate(&target, TRUE);
    EXPECT_FALSE(orphan.m_bEnabled);
}

namespace {

constexpr UINT ID_GONE = 32800;
constexpr UINT ID_NESTED = 32801;
constexpr UINT ID_NOBODY = 40000;
constexpr UINT ID_SYSTEM = 0xF060;

// Records what the menu walk asks; one handler takes its own item away, as a list that is empty does.
class CMenuTarget : public CCmdTarget {
public:
    void OnOpen() { }
    void OnUpdateGone(CCmdUI* pCmdUI)
    {
        asked.emplace_back(ID_GONE, pCmdUI->m_pSubMenu != nullptr);
        pCmdUI->m_pMenu->DeleteMenu(pCmdUI->m_nIndex, MF_BYPOSITION);
    }
    void OnUpdateOff(CCmdUI* pCmdUI)
    {
        asked.emplace_back(pCmdUI->m_nID, pCmdUI->m_pSubMenu != nullptr);
        pCmdUI->Enable(FALSE);
    }
    std::vector<std::pair<UINT, bool>> asked; // the command, and whether for a nested pop-up
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuTarget, CCmdTarget)
ON_COMMAND(ID_OPEN, OnOpen)
ON_UPDATE_COMMAND_UI(ID_GONE, OnUpdateGone)
ON_UPDATE_COMMAND_UI(ID_SAVE, OnUpdateOff)
ON_UPDATE_COMMAND_UI(ID_NESTED, OnUpdateOff)
END_MESSAGE_MAP()

} // namespace

TEST(CCmdUI, AMenuWalkAsksEachItemOnceAndDisablesOnlyWhatNobodyHandles)
{
    platform::user::TestScreen screen { 200, 100 };
    for (const BOOL disableIfNoHandler : { TRUE, FALSE }) {
        CMenu nested;
        ASSERT_TRUE(nested.CreatePopupMenu());
        nested.AppendMenu(MF_STRING, ID_NESTED, "Nested");
        CMenu popup;
        ASSERT_TRUE(popup.CreatePopupMenu());
        popup.AppendMenu(MF_STRING, ID_GONE, "Gone");
        popup.AppendMenu(MF_STRING, ID_SAVE, "Save");
        popup.AppendMenu(MF_SEPARATOR);
        popup.AppendMenu(MF_STRING, ID_OPEN, "Open");
        popup.AppendMenu(MF_STRING, ID_NOBODY, "Nobody");
        popup.AppendMenu(MF_STRING, ID_SYSTEM, "System");
        popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(nested.Detach()), "More");
        CMenuTarget target;
        AfxUpdateMenuItems(&popup, &target, disableIfNoHandler);

        // The item after the one taken away is still asked; a nested pop-up asks with its first command.
        EXPECT_EQ(target.asked, (std::vector<std::pair<UINT, bool>> { { ID_GONE, false }, { ID_SAVE, false }, { ID_NESTED, true } }));
        ASSERT_EQ(popup.GetMenuItemCount(), 6u);
        auto grayed = [&](UINT id) { return (popup.GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
        EXPECT_TRUE(grayed(ID_SAVE));
        EXPECT_FALSE(grayed(ID_OPEN));
        EXPECT_EQ(grayed(ID_NOBODY), disableIfNoHandler != FALSE);
        EXPECT_FALSE(grayed(ID_SYSTEM));
        // The nested pop-up's handler does not reach its item nor the pop-up's own item.
        EXPECT_EQ(popup.GetMenuState(5, MF_BYPOSITION) & MF_GRAYED, 0u);
        EXPECT_EQ(popup.GetSubMenu(5)->GetMenuState(ID_NESTED, MF_BYCOMMAND) & MF_GRAYED, 0u);
        popup.DestroyMenu();
    }
    CMenuTarget target;
    AfxUpdateMenuItems(nullptr, &target, TRUE);
    EXPECT_TRUE(target.asked.empty());
}
