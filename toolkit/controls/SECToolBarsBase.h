#pragma once
// What the toolbars page of the customise sheet does, apart from being a page: the frame's toolbars in
// a check list (checked while shown), the selected bar's name, new bars, resetting a default bar or
// deleting a user's bar, and the options every bar follows, applied at once and given back on cancel.

#include "platform/afx/CCheckListBox.h"

class CDialog;
class SECToolBarManager;

class SECToolBarsBase {
public:
    SECToolBarsBase() = default;
    virtual ~SECToolBarsBase() = default;
    SECToolBarsBase(const SECToolBarsBase&) = delete;
    SECToolBarsBase& operator=(const SECToolBarsBase&) = delete;

    // Takes the manager's options as the current and the initial ones.
    void SetManager(SECToolBarManager* pManager);
    void ApplyCurrent();
    void RestoreInitial();
    void FillList();
    void UpdateControls();
    void OnBarNotify(UINT nBarID, int nCode);
    void CommitName();
    void OnNew();
    void OnResetOrDelete();
    void OnCheckChange();
    // A check box of the options changed (its control id).
    void OnOption(UINT nID);

    CCheckListBox m_barList;
    SECToolBarManager* m_pManager { nullptr };
    BOOL m_bToolTips { TRUE };
    BOOL m_bCoolLook { FALSE };
    BOOL m_bLargeBtns { FALSE };
    BOOL m_bInitialToolTips { TRUE };
    BOOL m_bInitialCoolLook { FALSE };
    BOOL m_bInitialLargeBtns { FALSE };
    CDialog* m_pDialog { nullptr };

protected:
    // Tells the sheet's other pages which style changed.
    virtual void StyleChanged(WPARAM nWhat) { }

private:
    // The list item of a bar, -1 for none.
    int FindItem(UINT nBarID) const;
    UINT SelectedBarId() const;
    static BOOL IsUserBar(UINT nID);
};
