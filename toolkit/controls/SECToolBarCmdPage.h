#pragma once
// The customise sheet's "Commands" page: the buttons the application offers, in categories, each a
// small toolbar from which buttons are dragged onto the frame's toolbars. While the page is active
// the toolbar manager customises, so every bar of the frame takes drops; a button selected anywhere
// shows its command's description here.

#include <memory>
#include <vector>

#include "platform/afx/CListBox.h"
#include "platform/afx/CPropertyPage.h"
#include "toolkit/controls/SECBtnGroup.h"

class SECToolBarManager;

class SECToolBarCmdPage : public CPropertyPage {
    DECLARE_DYNAMIC(SECToolBarCmdPage)
public:
    using CGroupArray = std::vector<std::unique_ptr<SECBtnGroup>>;

    SECToolBarCmdPage();
    SECToolBarCmdPage(UINT nIDTemplate, UINT nIDCaption);
    ~SECToolBarCmdPage() override;

    // A category of buttons: the commands' images as a toolbar.
    void DefineBtnGroup(LPCTSTR lpszTitle, int nCount, const UINT* pIDs);
    // A category listing the main frame's menus whose menu buttons show with its current menu; nothing
    // without a manager, a menu bar or such a button.
    void DefineMenuGroup(LPCTSTR lpszTitle);
    void SetManager(SECToolBarManager* pManager);
    // Shows the first line of a string resource as the description; nothing for -1 or no string.
    void ShowDescription(UINT nID);

    const CGroupArray& GetGroups() const { return m_groups; }
    int GetShownGroup() const { return m_nShown; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnReset() override;

protected:
    afx_msg void OnSelChangeCategory();
    afx_msg LRESULT OnBarNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStyleChanging(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The manager customises with the sheet as the window drags may end over, or stops.
    void EnterModes(BOOL bOn);

    CGroupArray m_groups;
    SECToolBarManager* m_pManager { nullptr };
    int m_nShown { -1 };
    CListBox m_categories;
    // The commands of the menu category.
    std::vector<UINT> m_menuIds;
};
