#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/CCmdTarget.h"
#include "platform/afx/CCmdUI.h"

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
