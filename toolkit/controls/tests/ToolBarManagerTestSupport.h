#pragma once
// What the tests of the toolbar manager and its customise sheet share: a docking frame whose manager
// defines two default bars (Standard at the top: 200, separator, 201, 202; Second at the bottom: 200,
// 201), a profile of its own, a restart of frame and manager, and a description of the bars.

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "platform/base/HomeFolder.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/controls/tests/ToolBarTestSupport.h"
#include "toolkit/frames/tests/FramesTestFixture.h"

namespace toolbar_test {

constexpr UINT ID_SECOND_BAR = 0xE801;

class ManagerFrameTest : public DockingFrameTest {
protected:
    void SetUp() override
    {
        DockingFrameTest::SetUp();
        m_app.SetCurrentHandles();
        std::free(const_cast<char*>(m_app.m_pszProfileName));
        m_app.m_pszProfileName = ::strdup("toolbars.ini");
        std::filesystem::remove(platform::HomeFolder() / "toolbars.ini");
        MakeManager();
    }
    void TearDown() override
    {
        DockingFrameTest::TearDown();
        m_manager.reset();
        std::filesystem::remove(platform::HomeFolder() / "toolbars.ini");
    }
    void MakeManager()
    {
        m_manager = std::make_unique<SECToolBarManager>(m_frame);
        m_frame->SetControlBarManager(m_manager.get());
        ASSERT_TRUE(m_manager->LoadToolBarResource(IDR_LOOKS));
        ASSERT_TRUE(m_manager->DefineDefaultToolBar(SEC_IDW_DEFAULTTOOLBAR, "Standard", IDR_DEFAULT));
        ASSERT_TRUE(m_manager->DefineDefaultToolBar(
            ID_SECOND_BAR, "Second", IDR_LOOKS, nullptr, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_BOTTOM));
    }
    // The frame and manager as a program starting again finds them.
    void Restart()
    {
        DockingFrameTest::TearDown();
        m_manager.reset();
        DockingFrameTest::SetUp();
        MakeManager();
    }
    SECCustomToolBar* Bar(UINT nID) { return m_manager->FindBarById(nID); }
    // Each bar's id, title, buttons (0 a separator) and whether it floats.
    std::string Describe()
    {
        std::ostringstream out;
        for (SECCustomToolBar* pBar : m_manager->GetToolBars()) {
            CString title;
            pBar->GetWindowText(title);
            out << std::hex << pBar->GetDlgCtrlID() << std::dec << " " << static_cast<LPCTSTR>(title) << ":";
            for (int i = 0; i < pBar->GetBtnCount(); ++i)
                out << " " << (pBar->GetBtn(i)->TestStyle(TBBS_SEPARATOR) ? 0U : pBar->GetBtn(i)->m_nID);
            out << (pBar->IsFloating() ? " floating" : "") << (pBar->IsVisible() ? "" : " hidden") << "\n";
        }
        return out.str();
    }
    // The centre of a bar's button, screen coordinates.
    static CPoint Centre(SECCustomToolBar* pBar, int nIndex)
    {
        CRect rect = pBar->GetBtn(nIndex)->GetRect();
        pBar->ClientToScreen(&rect);
        return rect.CenterPoint();
    }

    std::unique_ptr<SECToolBarManager> m_manager;
};

} // namespace toolbar_test
