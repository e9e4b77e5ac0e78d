#pragma once
// A test screen with one plain top-level window that layout trees paint into and lay child windows out in.

#include <gtest/gtest.h>

#include "platform/afx/CWnd.h"
#include "platform/user/TestScreen.h"

class LayoutWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASS wc {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.lpszClassName = "LayoutWindowTest";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
        ::RegisterClass(&wc);
        const HWND hWnd = ::CreateWindow("LayoutWindowTest", "layout", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
            m_size.cx, m_size.cy, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(hWnd, nullptr);
        m_host.Attach(hWnd);
    }
    void TearDown() override
    {
        const HWND hWnd = m_host.Detach();
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
        m_screen.pump();
    }
    HWND Host() const { return m_host.m_hWnd; }

    SIZE m_size { 240, 160 };
    platform::user::TestScreen m_screen { 480, 320 };
    CWnd m_host;
};
