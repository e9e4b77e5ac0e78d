#pragma once
// Where every toolkit bar of a frame is (docked, floating, floating as an MDI child), its sizes and
// styles, and enough to create again the bars the frame made itself: collected from a frame, applied
// to a frame, and kept as an archive, in the application's profile or in a persistent tree.
//
// A damaged archive ends in CArchiveException and leaves the state empty (the class library's
// archive reading, with the toolkit's records); profile and tree values
// that are missing take their defaults. Applying a state never leaves a bar outside every dock bar.

#include "platform/afx/CDockState.h"

class CControlBar;
class CFrameWnd;
class CPtrList;
class SECControlBarInfo;
class SECControlBarManager;
class SECPTNFactory;
class SECPersistentTreeNode;

class SECDockState : public CDockState {
    DECLARE_DYNCREATE(SECDockState)
public:
    // More bar records than this in a profile or tree is damage.
    static constexpr int kMaxBarRecords = 0x4000;

    SECDockState() = default;
    explicit SECDockState(SECControlBarManager* pManager)
        : m_pControlBarManager(pManager)
    {
    }
    ~SECDockState() override = default;

    // Node "DockState" under the parent with one "Bar-<n>" node per bar worth keeping; FALSE for a null
    // parent or when the node cannot be made.
    virtual BOOL SaveToTree(SECPTNFactory& factory, SECPersistentTreeNode* pParent);
    // Section "<profile>-Summary" and one "<profile>-Bar<n>" section per bar worth keeping; sections left
    // from a longer earlier state are removed.
    virtual void SaveToProfile(LPCTSTR lpszProfileName);
    // Appends the bars of the parent's "DockState" node; FALSE when there is none.
    virtual BOOL LoadFromTree(SECPersistentTreeNode* pParent);
    // Appends the bars the profile names.
    virtual void LoadFromProfile(LPCTSTR lpszProfileName);
    // Collects the frame's bars (those in frame bars floating on their own excepted); FALSE for null.
    virtual BOOL GetFrameState(CFrameWnd* pFrame);
    // Applies the state to the frame; FALSE for null.
    virtual BOOL SetFrameState(CFrameWnd* pFrame);
    virtual SECControlBarInfo* CreateBarInfo(SECControlBarManager* pManager);
    // Finds or makes each record's bar (floating records get new floating frames); records whose bar
    // cannot be had are dropped.
    virtual void AttachBars(CFrameWnd* pFrame, BOOL bMDI);
    virtual void PlaceFloatingFrames();
    virtual void RestoreMDIChildPlacements(CFrameWnd* pFrame);
    // A new control bar of the named class, created in the frame as the record says; null when the class
    // is unknown, not a control bar, or its window cannot be created.
    virtual CControlBar* CreateBarFromInfo(LPCTSTR lpszClassName, CFrameWnd* pFrame, SECControlBarInfo* pInfo);
    // The run-time class of that exact name (case-sensitive); null when none can be created by name.
    virtual CRuntimeClass* FindRuntimeClass(LPCTSTR lpszClassName);

    // Keeps a bar's placeholder only in the dock bar it last docked in, removes repeated ids and ends
    // each id list in exactly one 0.
    void RemoveDuplicateBarIds();

    SECControlBarInfo* GetBarInfo(INT_PTR nIndex) const;
    INT_PTR GetBarCount() const { return m_arrBarInfo.GetSize(); }
    SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
    void SetCreatedBarList(CPtrList* pList) { m_pCreatedBars = pList; }

protected:
    // The archive form keeps the toolkit's records, each with the toolkit's fields.
    CControlBarInfo* NewBarInfo() override;
    void SerializeBarInfo(CArchive& ar, CControlBarInfo* pInfo) override;
    // The profile form writes each record with the toolkit's keys.
    BOOL SaveBarState(CControlBarInfo* pInfo, LPCTSTR lpszProfileName, int nIndex) override;
    // The control-bar manager of a toolkit frame.
    static SECControlBarManager* ManagerOf(CFrameWnd* pFrame);
    // A floating frame whose dock bar got no bar is destroyed, and a bar that lost its dock bar to the
    // state docks on its side again, so that a damaged state cannot hide bars for good.
    void RepairFrame(CFrameWnd* pFrame);
    // Keeps each bar in the first record that docks it.
    void ForgetRepeatedBars();

    SECControlBarManager* m_pControlBarManager { nullptr };
    CPtrList* m_pCreatedBars { nullptr };
};
