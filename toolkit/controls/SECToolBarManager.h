#pragma once
// The toolbars of a frame: the definitions of its default bars, the bars it creates from them and the
// user's own bars, one image store and one drawing context shared by all of them, the options every
// bar follows (tooltips, cool look, large buttons), the customise mode, and the state those options
// keep. The frame's dock state asks it for the custom toolbars' record type and extension, and to
// make the bars again when a saved layout is loaded.

#include <memory>
#include <vector>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CControlBar.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CString.h"
#include "toolkit/controls/SECBtnDrawContext.h"
#include "toolkit/frames/SECControlBarManager.h"

class CWnd;
class SECBmpMgr;
class SECCustomToolBar;
class SECMenuBar;
struct SECBtnMapEntry;

// Saved dock state's record types of the custom toolbar and the menu bar.
constexpr DWORD SEC_BARTYPE_TOOLBAR = 14946;
constexpr DWORD SEC_BARTYPE_MENUBAR = 14947;
// The default toolbar, the last id a user's bar may take, and the menu bar.
constexpr UINT SEC_IDW_DEFAULTTOOLBAR = 0xE800;
constexpr UINT SEC_IDW_LASTUSERBAR = 0xE8FE;
constexpr UINT SEC_IDW_MENUBAR = 0xE8FF;
// Bar style of every bar the manager creates, and the cool look's extended bits.
constexpr DWORD SEC_TOOLBAR_STYLE = 0x50002804;
constexpr DWORD SEC_COOLLOOK_BITS = 0x300;

class SECToolBarManager : public SECControlBarManager {
    DECLARE_DYNAMIC(SECToolBarManager)
public:
    // The record of the button whose command is being fired, shared with the bar that fires it.
    struct PressedButton {
        int nRefCount { 1 };
        CRect rect;
        BOOL bInCommand { FALSE };
    };

    // What DefineDefaultToolBar keeps for each bar CreateDefaultBars makes.
    struct DefaultBar {
        UINT nID { 0 };
        CString strTitle;
        std::vector<UINT> buttons;
        DWORD dwAlignment { 0 };
        UINT nDockBarID { 0 };
        UINT nNeighbourID { 0 };
        BOOL bDocked { TRUE };
        BOOL bVisible { TRUE };
    };

    explicit SECToolBarManager(CFrameWnd* pFrameWnd = nullptr, CWnd* pOwner = nullptr);
    ~SECToolBarManager() override;

    BOOL LoadNodeState(SECPersistentTreeNode* pNode) override;
    void LoadState(LPCTSTR lpszName) override;
    BOOL SaveNodeState(SECPTNFactory& factory, SECPersistentTreeNode* pParent) override;
    void SaveState(LPCTSTR lpszName) override;
    DWORD GetBarTypeId(CControlBar* pBar) override;
    SECControlBarInfoEx* CreateBarInfoEx(SECControlBarInfo* pInfo) override;
    CControlBar* CreateBarFromInfo(SECControlBarInfo* pInfo) override;

    virtual SECCustomToolBar* FindBarAtRect(const CRect& rect);
    virtual SECCustomToolBar* FindBarById(UINT nID);
    virtual void CreateDefaultBars();
    virtual void Relayout();
    virtual void ReattachBars();

    // The buttons of a toolbar resource (separators as 0) become a default bar; FALSE when the resource
    // is missing.
    BOOL DefineDefaultToolBar(UINT nID, LPCTSTR lpszTitle, UINT nResourceID, std::vector<UINT>* pIDs = nullptr,
        DWORD dwAlignment = CBRS_ALIGN_ANY, UINT nDockBarID = AFX_IDW_DOCKBAR_TOP, UINT nNeighbourID = 0,
        BOOL bDocked = TRUE, BOOL bVisible = TRUE);
    BOOL LoadToolBarResource(UINT nSmallID, UINT nLargeID = 0);
    void EnableToolTips(BOOL bEnable);
    void EnableCoolLook(BOOL bEnable, DWORD dwExStyle = SEC_COOLLOOK_BITS);
    void EnableLargeBtns(BOOL bEnable);
    BOOL ToolTipsEnabled() const { return m_bToolTips; }
    BOOL CoolLookEnabled() const { return m_bCoolLook; }
    BOOL LargeBtnsEnabled() const { return m_bLargeBtns; }
    BOOL GetDefaultBarButtons(UINT nID, std::vector<UINT>& ids) const;
    // A new empty bar with the first free id from 0xE820; null when every id is taken.
    SECCustomToolBar* CreateUserToolBar(LPCTSTR lpszTitle = nullptr);
    void SetMenuButtonIds(const UINT* pIDs, int nCount);
    // Parses the menus for the frame's menu bar; the manager keeps the button entries and its menu
    // button ids become theirs. FALSE when the frame is not the toolkit's, has no menu bar, or nothing
    // was built.
    BOOL SetMenuInfo(const std::vector<UINT>& menuIds);
    // The frame's menu bar (the toolkit's frame), null for none.
    SECMenuBar* GetFrameMenuBar() const;
    const std::vector<UINT>& GetMenuButtonIds() const { return m_menuIds; }
    void EnterConfigMode();
    void ExitConfigMode();
    BOOL InConfigMode() const { return m_bConfigMode; }
    void SetCustomizeMode(BOOL bOn);
    BOOL IsCustomizeMode() const { return m_bCustomize; }
    void AddListener(CWnd* pWnd);
    void RemoveListener(CWnd* pWnd);
    void NotifyListeners(UINT nBarID, int nCode);
    void SetCustomizeWnd(CWnd* pWnd) { m_pCustomizeWnd = pWnd; }
    void GetCustomizeWndRect(CRect& rect) const;
    void SetButtonStyleAll(UINT nID, int nOperation, UINT nAdd, UINT nRemove);
    // One reference more to the record; the caller releases it with ReleasePressedButton.
    PressedButton* GetPressedButtonRecord();
    static void ReleasePressedButton(PressedButton* pRecord);
    void SetBarImageSize(SECCustomToolBar* pBar);
    void GetButtonMaps(const SECBtnMapEntry*& pAppMap, const SECBtnMapEntry*& pMenuMap) const;
    void SetAppButtonMap(const SECBtnMapEntry* pMap) { m_pAppBtnMap = pMap; }

    // Floats a bar of the frame at a screen point, in the toolkit's floating frame when the frame is the
    // toolkit's.
    void FloatBar(CControlBar* pBar, CPoint point, DWORD dwStyle);
    // A bar that takes or leaves this manager (SECCustomToolBar::SetManager).
    void AttachBar(SECCustomToolBar* pBar);
    void ForgetBar(SECCustomToolBar* pBar);

    // The bar holding the customise selection.
    SECCustomToolBar* GetSelectedBar() const { return m_pSelectedBar; }
    void SetSelectedBar(SECCustomToolBar* pBar) { m_pSelectedBar = pBar; }
    SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
    SECBtnDrawContext& GetDrawContext() { return m_drawContext; }
    CWnd* GetOwner() const { return m_pOwner; }
    // The frame's custom toolbars, in the frame's order.
    std::vector<SECCustomToolBar*> GetToolBars() const;
    // The bar style for the manager's bars with the options as they are.
    DWORD GetBarStyle() const;
    DWORD GetExBarStyle() const { return m_bCoolLook ? m_dwCoolLookBits : 0; }
    // The message the listeners get (wParam bar id, lParam SECBarNotifyCode).
    static UINT BarNotifyMessage();

    CRuntimeClass* m_pBarClass { nullptr };

protected:
    // A new bar of the bar class with owner, manager and image store; null when the class cannot make one.
    SECCustomToolBar* NewBar();
    void ApplyCoolLook(BOOL bOn, DWORD dwBits);
    void DelayFrameLayout();
    // Attaches the frame's menu bar and creates its window (id 0xE8FF, docking everywhere); null when
    // there is none or it cannot be created.
    SECMenuBar* CreateMenuBar(LPCTSTR lpszTitle);

    // The bars that use this manager.
    std::vector<SECCustomToolBar*> m_attached;
    std::vector<HWND> m_disabledWnds;
    std::vector<DefaultBar> m_defaultBars;
    std::vector<HWND> m_listeners;
    CWnd* m_pCustomizeWnd { nullptr };
    BOOL m_bConfigMode { FALSE };
    BOOL m_bCustomize { FALSE };
    BOOL m_bToolTips { TRUE };
    BOOL m_bFlyBy { TRUE };
    BOOL m_bCoolLook { FALSE };
    DWORD m_dwCoolLookBits { SEC_COOLLOOK_BITS };
    BOOL m_bLargeBtns { FALSE };
    const SECBtnMapEntry* m_pAppBtnMap { nullptr };
    std::vector<SECBtnMapEntry> m_menuBtnMap;
    SECCustomToolBar* m_pSelectedBar { nullptr };
    PressedButton* m_pPressed { nullptr };
    std::vector<UINT> m_menuIds;
    SECBmpMgr* m_pBmpMgr { nullptr };
    SECBtnDrawContext m_drawContext;
    CWnd* m_pOwner { nullptr };
};
