#pragma once
// The frame most tests of the toolkit's frames start from: a docking frame of 400 by 300 pixels on a
// test screen, the application's main window, with dock bars on the sides the test names.

#include <gtest/gtest.h>

#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/SECFrameWnd.h"

class DockingFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new SECFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, "frame", m_dwFrameStyle, CRect(0, 0, 400, 300)));
        if (m_dwDockSides)
            m_frame->EnableDocking(m_dwDockSides);
        m_app.m_pMainWnd = m_frame;
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
    }
    void Layout()
    {
        m_frame->RecalcLayout();
        m_screen.pump();
    }

    // Set by a test's constructor before SetUp.
    DWORD m_dwFrameStyle { WS_POPUP | WS_VISIBLE };
    DWORD m_dwDockSides { CBRS_ALIGN_ANY };
    platform::user::TestScreen m_screen { 640, 480 };
    CWinApp m_app { "frames" };
    SECFrameWnd* m_frame { nullptr };
};
