#pragma once
// What the customise sheet's tests share: the sheet below the frame with its commands and toolbars
// pages, closed as the end of the modal sheet would close it, and commands sent to a page as its
// controls send them.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECToolBarCmdPage.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/controls/SECToolBarSheet.h"
#include "toolkit/controls/SECToolBarsPage.h"

namespace toolbar_test {

class SheetHolder {
public:
    virtual ~SheetHolder() = default;

protected:
    virtual platform::user::TestScreen& SheetScreen() = 0;
    virtual HWND SheetFrame() = 0;
    virtual SECToolBarManager* SheetManager() = 0;

    // The sheet below the frame, its commands page active with the categories defineGroups gives it.
    void OpenSheet(const std::function<void(SECToolBarCmdPage&)>& defineGroups)
    {
        m_sheet = std::make_unique<SECToolBarSheet>("Customize");
        m_cmdPage = std::make_unique<SECToolBarCmdPage>();
        m_cmdPage->SetManager(SheetManager());
        defineGroups(*m_cmdPage);
        m_barsPage = std::make_unique<SECToolBarsPage>();
        m_barsPage->SetManager(SheetManager());
        m_sheet->AddPage(m_cmdPage.get());
        m_sheet->AddPage(m_barsPage.get());
        ASSERT_TRUE(m_sheet->Create(CWnd::FromHandle(SheetFrame())));
        m_sheet->SetWindowPos(nullptr, 0, 305, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SheetScreen().pump();
    }
    // As the end of a modal sheet would: the frame is usable again.
    void CloseSheet(int nButton = PSBTN_CANCEL)
    {
        if (m_sheet && m_sheet->GetSafeHwnd())
            m_sheet->PressButton(nButton);
        SheetScreen().pump();
        m_sheet.reset();
        m_cmdPage.reset();
        m_barsPage.reset();
        if (::IsWindow(SheetFrame()))
            ::EnableWindow(SheetFrame(), TRUE);
    }
    void Command(CWnd& page, UINT nID, WORD nCode = BN_CLICKED)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(page.GetDlgItem(static_cast<int>(nID))->GetSafeHwnd()));
        SheetScreen().pump();
    }

    std::unique_ptr<SECToolBarSheet> m_sheet;
    std::unique_ptr<SECToolBarCmdPage> m_cmdPage;
    std::unique_ptr<SECToolBarsPage> m_barsPage;
};

} // namespace toolbar_test
