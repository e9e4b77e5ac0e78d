#pragma once
// A frame's menu as a dockable, customisable toolbar. Every top-level item of one or more menu
// resources becomes a drop-down button; one bit per menu says which buttons belong to it, so that the
// bar shows only the current menu's buttons and switches menus (one per document type) without being
// rebuilt. The popups are not the bar's: a pressed button asks the frame for its popup, and the
// frame's menu feature tracks it.

#include <deque>
#include <map>
#include <vector>

#include "platform/afx/CFont.h"
#include "platform/afx/CString.h"
#include "toolkit/controls/SECCustomToolBar.h"

// The id SwitchMenu takes for "the menu of the main window's own resource".
constexpr UINT SEC_IDR_MAINFRAME_MENU = 20514;
// Command ids of the menu bar's buttons start here (never sent as commands).
constexpr UINT SEC_MENUBTN_FIRSTID = 0x80000001;
// The style of a menu button's map entry: enabled without a handler, centred in its row.
constexpr UINT SEC_MENUBTN_STYLE = SEC_TBBS_NODISABLE | SEC_TBBS_VCENTER;

class SECMenuBar : public SECCustomToolBar {
    DECLARE_DYNCREATE(SECMenuBar)
public:
    using MenuBits = std::map<UINT, DWORD>;
    // The top-level texts of the parsed menus; entries point into them, so they never move.
    using MenuTexts = std::deque<CString>;
    using Entries = std::vector<SECBtnMapEntry>;

    SECMenuBar();
    ~SECMenuBar() override;

    // The style always hides the bar during in-place activation and stretches it over its row.
    BOOL CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle = nullptr) override;

    // The index of the first visible menu button with that mnemonic (case ignored); -1 for none.
    virtual int FindMnemonicButton(TCHAR ch) const;
    // Shows the menu buttons sharing a bit with the mask, hides the others; with bRedraw the frame
    // lays out and the bar repaints at once.
    virtual void ApplyMenu(DWORD dwMask, BOOL bRedraw);
    // New button objects from the manager's menu-button list, or from the bar's own entries.
    virtual void ResetMenuButtons(BOOL bNoRelayout);
    // Parses the menus into the bar's own entries and sets the buttons; FALSE when nothing was built.
    virtual BOOL LoadMenus(const std::vector<UINT>& menuIds);

    // Shows the menu of the id (SEC_IDR_MAINFRAME_MENU: of the main window's resource); FALSE, with
    // nothing changed, for an id the bar has not parsed.
    BOOL SwitchMenu(UINT nMenuID);
    UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }
    DWORD GetCurrentMask() const { return m_dwCurrentMask; }
    // The bit of a parsed menu, 0 for none.
    DWORD GetMenuBit(UINT nMenuID) const;
    void SetIgnoreHide(BOOL bIgnore) { m_bIgnoreHide = bIgnore; }
    BOOL GetIgnoreHide() const { return m_bIgnoreHide; }
    // The next (or previous) menu: the highlight moves in keyboard mode, else its popup drops (the
    // frame's window menu past the ends).
    void MoveToMenu(BOOL bNext);
    // Asks the frame, through the bar's notification, to drop its window menu.
    void DropSystemMenu();
    // In keyboard mode: drops the highlighted menu (the window menu when none is highlighted).
    void OpenHotMenu();
    void SetFullWidth(BOOL bFullWidth) { m_bFullWidth = bFullWidth; }

    // The entries of every top-level item of the menus, ids from SEC_MENUBTN_FIRSTID, one bit per menu
    // that loaded (a missing menu takes none), terminated by an entry without class. Empty when no
    // item was found.
    static Entries BuildMenuEntries(MenuBits& bits, MenuTexts& texts, const std::vector<UINT>& menuIds);
    // Forgets the bar's own entries, texts and bits and builds the entries of the menus anew (the
    // texts and bits stay with the bar, the entries go to the caller).
    Entries RebuildMenus(const std::vector<UINT>& menuIds);

    HFONT GetFont() const override;
    BOOL IsCoolLook() const override { return TRUE; }
    void InsertButton(int nIndex, UINT nID, BOOL bSeparator = FALSE, BOOL bNoRecalc = FALSE) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void DelayShow(BOOL bShow) override;
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

protected:
    // Parses one RT_MENU resource: counts its top-level items and, with pEntries, fills one entry per
    // item from *pNextId on. FALSE when the resource is missing or damaged.
    static BOOL ParseMenuResource(UINT nMenuID, MenuTexts* pTexts, SECBtnMapEntry* pEntries, UINT* pNextId,
        DWORD dwBit, int& nCount);
    void SetButtonsFromEntries();
    void CreateSystemMenuFont();
    // The docking frame lays out, and the bar repaints.
    void Relayout(BOOL bUpdateNow);

    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

    MenuBits m_menuBits;
    MenuTexts m_menuTexts;
    Entries m_entries;
    BOOL m_bFloated { FALSE };
    CFont m_menuFont;
    DWORD m_dwCurrentMask { 0xFFFFFFFF };
    UINT m_nCurrentMenuId { 0 };
    BOOL m_bFullWidth { FALSE };
    BOOL m_bIgnoreHide { FALSE };

    DECLARE_MESSAGE_MAP()
};
