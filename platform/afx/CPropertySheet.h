#pragma once
// A property sheet: tabs over a stack of pages, with OK, Cancel and Apply (unless PSH_NOAPPLYNOW) when
// it runs modally. Create makes it modeless: a popup of its own, or with WS_CHILD a child window that
// fills the place its parent gives it (a frame's pane, a dialog, another page), without buttons.
// Pages are made when their tab is first chosen; a page that refuses to be left keeps its tab.

#include <vector>

#include "platform/afx/CPropertyPage.h"
#include "platform/afx/CTabCtrl.h"
#include "platform/afx/CWnd.h"

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet() = default;
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;
    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // Runs the sheet modally: IDOK or IDCANCEL; -1 when it has no pages or cannot be made.
    virtual INT_PTR DoModal();
    // Makes the sheet modeless; dwStyle (DWORD)-1 is a captioned popup, WS_CHILD makes it a child of
    // pParentWnd. FALSE when it has no pages or cannot be made.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);

    // Pages are the caller's: the sheet never deletes them. Adding or removing works on a sheet that
    // shows, too; removing the active page activates a neighbour.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const { return GetPage(m_nActive); }
    int GetActiveIndex() const { return m_nActive; }
    // Activates a page (before the sheet shows: the first page it shows); FALSE when the index is bad
    // or the active page refuses to be left.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    CTabCtrl* GetTabControl() { return m_tabCtrl.m_hWnd ? &m_tabCtrl : nullptr; }
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    // Acts as if the button were pressed (PSBTN_OK, PSBTN_APPLYNOW, PSBTN_CANCEL); FALSE for others.
    BOOL PressButton(int nButton);
    // Ends a modal sheet with nEndID; destroys a modeless one.
    void EndDialog(int nEndID);

    // Ctrl+Tab and Ctrl+Page Down go to the next page, with Shift or Page Up to the one before; the
    // rest of the keyboard interface is the dialog manager's.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Builds the tabs and the buttons and shows the first page.
    virtual BOOL OnInitDialog();

    PROPSHEETHEADER m_psh;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    friend class CPropertyPage;
    // Makes the sheet's window from a template of its own; the pages fix its size in OnInitDialog.
    BOOL CreateSheet(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle);
    // Shows page nPage (making it the first time) and hides the one before; no refusal is asked.
    BOOL ShowPage(int nPage);
    // The active page lets itself be left and every made page accepts; the failing page is shown.
    BOOL Apply();
    void Cancel();
    // A page's modified flag changed: Apply is enabled while any page is modified.
    void PageChanged();
    // The size the biggest page needs, in pixels.
    SIZE PageSize() const;
    void Layout();
    void CreateButtons();
    void InsertTab(int nPage);

    std::vector<CPropertyPage*> m_pages;
    CTabCtrl m_tabCtrl;
    int m_nActive { 0 };
    CString m_strCaption;
    CWnd* m_pParentWnd { nullptr };
    bool m_bModeless { false };
    std::vector<HWND> m_buttons;
};
