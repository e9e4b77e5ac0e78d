#pragma once
// A child window that shows one of several windows (the windows of its tabs) in its content area,
// with a tab strip to switch between them. It makes tab windows from run-time classes, adds, removes,
// renames and activates tabs, keeps the focus with the active window and tells its owner.

#include <memory>

#include "platform/afx/CCreateContext.h"
#include "platform/afx/CRuntimeClass.h"
#include "platform/afx/CWnd.h"
#include "toolkit/controls/SECTabControlBase.h"

class SECTabWndBase : public CWnd {
public:
    static constexpr UINT tabControlId = 0xEA30;
    static constexpr UINT firstTabWindowId = 0xEB00;

    SECTabWndBase() = default;
    ~SECTabWndBase() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST);
    virtual CWnd* CreateScrollBar(DWORD dwStyle, UINT nID);
    virtual BOOL CreateTabCtrl(DWORD dwStyle, UINT nID);
    virtual CWnd* InsertTab(CRuntimeClass* pViewClass, int nIndex, LPCTSTR lpszLabel, CCreateContext* pContext = nullptr,
        UINT nID = static_cast<UINT>(-1));
    virtual void InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel);
    virtual CWnd* AddTab(CRuntimeClass* pViewClass, LPCTSTR lpszLabel, CCreateContext* pContext = nullptr,
        UINT nID = static_cast<UINT>(-1));
    virtual void AddTab(CWnd* pWnd, LPCTSTR lpszLabel);
    virtual void SetTabIcon(int nIndex, LPCTSTR lpszResource, int cx = 16, int cy = 16);
    virtual void SetTabIcon(int nIndex, UINT nResource, int cx = 16, int cy = 16);
    virtual void SetTabIcon(int nIndex, HICON hIcon);
    virtual void OnTabAdded(CWnd*, int) { }
    virtual void DeleteTab(int nIndex);
    virtual void DeleteTab(CWnd* pWnd);
    virtual void RenameTab(int nIndex, LPCTSTR lpszLabel);
    virtual void RenameTab(CWnd* pWnd, LPCTSTR lpszLabel);
    virtual BOOL ActivateTab(int nIndex);
    virtual BOOL ActivateTab(CWnd* pWnd);
    virtual BOOL ActivateTab(CWnd* pWnd, int nIndex);
    virtual void ClearSelection();
    virtual void ScrollToTab(int nIndex);
    virtual void ScrollToTab(CWnd* pWnd);
    virtual void SetFocusToActive();
    virtual CWnd* SetNotifyWnd(CWnd* pWnd);
    virtual CWnd* GetNotifyWnd() const { return m_pNotifyWnd; }
    virtual int GetInsideRect(CRect& rect) const;
    virtual void RecalcLayout() { }

    int GetTabCount() const { return m_pTabCtrl ? m_pTabCtrl->GetTabCount() : 0; }
    BOOL IsValidTab(int nIndex) const { return m_pTabCtrl && m_pTabCtrl->IsValidTab(nIndex); }
    BOOL IsTabWnd(const CWnd* pWnd) const;
    BOOL FindTab(const CWnd* pWnd, int& nIndex) const { return m_pTabCtrl && m_pTabCtrl->FindTab(pWnd, nIndex); }
    BOOL GetTabInfo(int nIndex, LPCTSTR& lpszLabel, BOOL& bSelected, CWnd*& pWnd, DWORD& dwData1,
        DWORD& dwData2) const;
    BOOL GetActiveTab(int& nIndex) const { return m_pTabCtrl && m_pTabCtrl->GetActiveTab(nIndex); }
    CWnd* GetActiveWnd() const { return m_pActiveWnd; }
    SECTabControlBase* GetTabControl() const { return m_pTabCtrl.get(); }

    afx_msg void OnDestroy();
    afx_msg void OnChildActivate();
    afx_msg LRESULT OnTabSelect(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTabReactivate(WPARAM wParam, LPARAM lParam);

protected:
    CWnd* CreateTabWindow(CRuntimeClass* pViewClass, CCreateContext* pContext, UINT nID);

    std::unique_ptr<SECTabControlBase> m_pTabCtrl;
    CWnd* m_pActiveWnd { nullptr };
    CWnd* m_pWndCreating { nullptr };
    CWnd* m_pNotifyWnd { nullptr };
    // Windows this tab window made from run-time classes: gone with their window.
    std::vector<std::unique_ptr<CWnd>> m_ownedWindows;

    DECLARE_MESSAGE_MAP()
};
