#pragma once
// What the tests of customisable toolbars share: an owner window that handles the toolbar's commands
// and records what it is sent, and a bar of the test toolbar's buttons placed in it.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECBmpMgr.h"
#include "toolkit/controls/SECCustomToolBar.h"

namespace toolbar_test {

// The commands of the test toolbars (ToolBarTest.rc) and its resources.
constexpr UINT ID_A = 200;
constexpr UINT ID_B = 201;
constexpr UINT ID_C = 202;
constexpr UINT IDR_LOOKS = 910;
constexpr UINT IDR_DEFAULT = 911;

// Handles the test commands (a command without entry in m_disabled is enabled) and records the
// commands and notifications that reach it.
class Owner : public CWnd {
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID < ID_A || nID > ID_C)
            return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (nCode == CN_UPDATE_COMMAND_UI) {
            auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
            pCmdUI->Enable(!m_disabled.count(nID));
            if (m_checks.count(nID))
                pCmdUI->SetCheck(m_checks[nID]);
            return TRUE;
        }
        if (nCode == CN_COMMAND && !pHandlerInfo)
            m_commands.push_back(nID);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
            m_notifications.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::map<UINT, bool> m_disabled;
    std::map<UINT, int> m_checks;
    std::vector<UINT> m_commands;
    std::vector<UINT> m_notifications;
};

// A bar laid out in one row at (10, 10) of an owner window at the screen's origin.
class ToolBarFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_bar.GetSafeHwnd())
            m_bar.DestroyWindow();
        if (m_owner.GetSafeHwnd())
            m_owner.DestroyWindow();
        m_screen.pump();
    }
    void Build(const std::vector<UINT>& ids, DWORD dwExStyle = 0)
    {
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 200), nullptr, 0));
        ASSERT_TRUE(m_bar.GetBmpMgr()->LoadToolbar(IDR_LOOKS));
        ASSERT_TRUE(m_bar.CreateEx(dwExStyle, &m_owner, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC, 0xE800));
        m_bar.SetOwner(&m_owner);
        m_bar.ResetButtonSizes();
        m_bar.SetButtons(ids.data(), static_cast<int>(ids.size()));
        Place();
    }
    void Place()
    {
        const CSize size = m_bar.CalcLayout(-1, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        m_bar.SetWindowPos(nullptr, 10, 10, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        m_bar.Invalidate();
        m_screen.pump();
    }
    // The centre of a button in screen coordinates.
    CPoint Centre(int nIndex)
    {
        CRect rect = m_bar.GetBtn(nIndex)->GetRect();
        m_bar.ClientToScreen(&rect);
        return rect.CenterPoint();
    }

    platform::user::TestScreen m_screen { 640, 480 };
    CWinApp m_app { "toolbars" };
    Owner m_owner;
    SECCustomToolBar m_bar;
};

inline std::string GoldenPath(const char* name) { return std::string(TS_CONTROLS_TEST_DIR) + "/golden/" + name; }

} // namespace toolbar_test
