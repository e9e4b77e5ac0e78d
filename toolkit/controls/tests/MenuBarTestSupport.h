#pragma once
// What the menu bar's tests share: a toolkit frame with a toolbar manager and a menu bar showing the
// test menu, docked at the top as the program's main frame has it; input pumped through the
// application's pre-translation as the program's message loop does; and scripted steps that run
// inside a popup's loop at each idle moment of it.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/afx/CWinApp.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/frames/SECFrameWnd.h"

namespace menubar_test {

constexpr UINT IDR_MENU = 120;
constexpr UINT IDR_FIVE = 121;
constexpr UINT IDR_EXTENDED = 122;
constexpr UINT IDR_DAMAGED = 123;
constexpr UINT ID_OPEN = 300;
constexpr UINT ID_EXIT = 301;
constexpr UINT ID_FIRST = 302;
constexpr UINT ID_COPY = 310;
constexpr UINT ID_STATUS = 320;

// Records the commands and popups that reach it; each idle moment of a menu loop runs the next
// scripted step, and with none left ends the menu, so that a test never waits on a menu left open.
class MenuFrame : public SECFrameWnd {
public:
    MenuFrame()
    {
        m_pMenuBar = m_bar.get();
        EnableBmpMenus(TRUE, TRUE);
        m_pManager = std::make_unique<SECToolBarManager>(this);
        SetControlBarManager(m_pManager.get());
    }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID < ID_OPEN || nID > ID_STATUS)
            return SECFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (nCode == CN_UPDATE_COMMAND_UI) {
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            return TRUE;
        }
        if (nCode == CN_COMMAND && !pHandlerInfo) {
            m_commands.push_back(nID);
            if (nID == ID_EXIT)
                DestroyWindow();
        }
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_ENTERIDLE:
            if (m_nStep < m_steps.size())
                m_steps[m_nStep++]();
            else {
                ++m_nIdleAfterSteps;
                ::EndMenu();
            }
            return 0;
        case WM_INITMENUPOPUP:
            m_popups.push_back(PopupName(reinterpret_cast<HMENU>(wParam)));
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != SC_KEYMENU && (wParam & 0xFFF0) != SC_MOUSEMENU) {
                m_sysCommands.push_back(static_cast<UINT>(wParam & 0xFFF0));
                return 0;
            }
            break;
        default:
            break;
        }
        return SECFrameWnd::WindowProc(message, wParam, lParam);
    }
    std::string PopupName(HMENU hMenu) const
    {
        const HMENU hTop = GetResourceMenu(IDR_MENU);
        static const char* const names[] = { "File", "Edit", "View" };
        for (int i = 0; i < 3; ++i)
            if (::GetSubMenu(hTop, i) == hMenu)
                return names[i];
        if (::GetSubMenu(::GetSubMenu(hTop, 0), 1) == hMenu)
            return "Recent";
        return hMenu == ::GetSystemMenu(m_hWnd, FALSE) ? "system" : "other";
    }

    std::unique_ptr<SECMenuBar> m_bar { std::make_unique<SECMenuBar>() };
    std::unique_ptr<SECToolBarManager> m_pManager;
    std::vector<UINT> m_commands;
    std::vector<UINT> m_sysCommands;
    std::vector<std::string> m_popups;
    std::vector<std::function<void()>> m_steps;
    size_t m_nStep { 0 };
    int m_nIdleAfterSteps { 0 };
};

class MenuBarFixture : public ::testing::Test {
protected:
    void SetUp() override { MakeFrame(); }
    // The frame as the program makes it at its start.
    void MakeFrame()
    {
        m_frame = new MenuFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MENU, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
        m_frame->MoveWindow(0, 0, 400, 300);
        m_app.m_pMainWnd = m_frame;
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_frame->m_pManager->SetMenuInfo({ IDR_MENU }));
        ASSERT_TRUE(Bar().SwitchMenu(IDR_MENU));
        m_frame->m_pManager->CreateDefaultBars();
        m_frame->ShowWindow(SW_SHOW);
        m_frame->SetActiveWindow();
        m_frame->SetFocus();
        m_frame->RecalcLayout();
        Pump();
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_hFrame))
            m_frame->DestroyWindow();
        m_screen.pump();
    }

    SECMenuBar& Bar() { return *m_frame->m_bar; }
    // Every message through the application's pre-translation, as its message loop would.
    void Pump()
    {
        m_hFrame = m_frame ? m_frame->GetSafeHwnd() : nullptr;
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!m_app.PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
    }
    static void Key(int vk)
    {
        platform::user::InjectKey(vk, true);
        platform::user::InjectKey(vk, false);
    }
    static void AltWith(int vk)
    {
        platform::user::InjectKey(VK_MENU, true);
        Key(vk);
        platform::user::InjectKey(VK_MENU, false);
    }
    // The centre of a menu button in screen coordinates.
    CPoint Centre(int nIndex)
    {
        CRect rect = Bar().GetBtn(nIndex)->GetRect();
        Bar().ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    static void MoveTo(CPoint point) { platform::user::InjectMouseMove(point); }
    void Script(std::vector<std::function<void()>> steps)
    {
        m_frame->m_steps = std::move(steps);
        m_frame->m_nStep = 0;
    }

    platform::user::TestScreen m_screen { 640, 480 };
    CWinApp m_app { "menubar" };
    MenuFrame* m_frame { nullptr };
    HWND m_hFrame { nullptr };
};

inline std::string GoldenPath(const char* name) { return std::string(TS_CONTROLS_TEST_DIR) + "/golden/" + name; }

} // namespace menubar_test
