#pragma once
// The strip of tabs of a tab window: it keeps the tabs and the active one and tells its parent about
// activation (WM_USER+1000 with an activation record), double clicks (+1001), clearing (+1002) and
// clicks on the active tab (+1003). The 3-D control draws it.

#include <memory>
#include <vector>

#include "platform/afx/CWnd.h"
#include "toolkit/controls/SECTab.h"

// What WM_USER+1000 carries when the active tab changed.
struct SECTabActivation {
    UINT nID { 0 };
    int nNewTab { -1 };
    int nOldTab { -1 };
    CWnd* pNewWnd { nullptr };
    CWnd* pOldWnd { nullptr };
};

constexpr UINT TCM_TABSEL = WM_USER + 1000;
constexpr UINT TCM_TABDBLCLK = WM_USER + 1001;
constexpr UINT TCM_TABSELCLR = WM_USER + 1002;
constexpr UINT TCM_TABREACTIVATE = WM_USER + 1003;

class SECTabControlBase : public CWnd {
public:
    SECTabControlBase() = default;
    ~SECTabControlBase() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual void Initialize(DWORD dwStyle);
    virtual std::unique_ptr<SECTab> CreateNewTab();
    virtual void RecalcLayout() { }
    virtual void OnSizeLayout() { RecalcLayout(); }
    virtual void DestroyGDIObjects() { }
    virtual SECTab* InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pWnd = nullptr, DWORD dwData1 = 0,
        DWORD dwData2 = 0);
    virtual SECTab* AddTab(LPCTSTR lpszLabel, CWnd* pWnd = nullptr, DWORD dwData1 = 0, DWORD dwData2 = 0);
    virtual void SetTabIcon(int, LPCTSTR, int = 16, int = 16) { }
    virtual void SetTabIcon(int, UINT, int = 16, int = 16) { }
    virtual void SetTabIcon(int, HICON) { }
    virtual void DeleteTab(int nIndex);
    virtual void RenameTab(int nIndex, LPCTSTR lpszLabel);
    virtual void ActivateTab(int nIndex);
    virtual void NotifyReselect();
    virtual void SelectTab(int nIndex);
    virtual void ClearSelection();
    virtual void ScrollToTab(int) { }
    virtual void InvalidateTab(int nIndex);

    int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
    SECTab* GetTab(int nIndex) const;
    BOOL IsValidTab(int nIndex) const { return nIndex >= 0 && nIndex < GetTabCount(); }
    BOOL FindTab(const CWnd* pWnd, int& nIndex) const;
    BOOL GetTabInfo(int nIndex, LPCTSTR& lpszLabel, BOOL& bSelected, CWnd*& pWnd, DWORD& dwData1,
        DWORD& dwData2) const;
    BOOL GetActiveTab(int& nIndex) const;

    afx_msg void OnDestroy();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSize(UINT nType, int cx, int cy);

protected:
    std::vector<std::unique_ptr<SECTab>> m_tabs;
    int m_nActiveTab { 0 };
    BOOL m_bActiveTab { FALSE };
    HCURSOR m_hCursor { nullptr };

    DECLARE_MESSAGE_MAP()
};
