#pragma once
// Turns a list box of a dialog into an editable list of strings. A header strip above the list shows a
// caption and up to four small buttons (New, Delete, Move Up, Move Down); the list box, subclassed,
// gets keyboard commands, in-place editing of an item and drag reordering. Every change goes to the
// hooks (On...) a derived editor overrides and, as WM_COMMAND notifications with the list box's id, to
// the dialog: kSelChange (posted), kItemDeleted and kItemMoved (sent).
//
// Unless SEC_LBE_NOPLACEHOLDER is given, the list always ends with one empty item that stands for a
// new one: typing into it adds an item, and it can be neither deleted nor moved, nor can anything be
// moved below it.

#include <array>
#include <memory>

#include "platform/afx/CBitmap.h"
#include "platform/afx/CButton.h"
#include "platform/afx/CToolTipCtrl.h"
#include "platform/afx/CWnd.h"

class SECListBoxEdit;
class SECListBoxEditorHelper;

// Style flags of SECListBoxEditor::Initialize.
constexpr DWORD SEC_LBE_EDITBUTTON = 0x1; // F2 edits; an item being edited has a "..." button
constexpr DWORD SEC_LBE_AUTOEDIT = 0x2; // typing a character edits the selected item with it
constexpr DWORD SEC_LBE_BUTTONS = 0x4; // the header shows its buttons
constexpr DWORD SEC_LBE_TOOLTIPS = 0x8; // the buttons have tooltips (with SEC_LBE_BUTTONS)
constexpr DWORD SEC_LBE_SHORTCUTS = 0x10; // Insert, Delete, Alt+Up and Alt+Down
constexpr DWORD SEC_LBE_DRAGTOMOVE = 0x20; // items are reordered by dragging
constexpr DWORD SEC_LBE_NOPLACEHOLDER = 0x40; // no empty item at the end
constexpr DWORD SEC_LBE_NEWBUTTON = 0x100;
constexpr DWORD SEC_LBE_DELETEBUTTON = 0x200;
constexpr DWORD SEC_LBE_UPBUTTON = 0x400;
constexpr DWORD SEC_LBE_DOWNBUTTON = 0x800;

class SECListBoxEditor : public CWnd {
    DECLARE_DYNAMIC(SECListBoxEditor)
public:
    // Notification codes the dialog receives in the high word of WM_COMMAND's wParam.
    static constexpr UINT kSelChange = 1;
    static constexpr UINT kItemDeleted = 10;
    static constexpr UINT kItemMoved = 11;

    SECListBoxEditor();
    ~SECListBoxEditor() override;

    virtual BOOL Initialize(UINT nListBoxID, CWnd* pParent, DWORD dwFlags);
    // Puts the header where the dialog's list box nListBoxID stands and the list box below it,
    // subclasses the list box and, without SEC_LBE_NOPLACEHOLDER, gives it its empty last item. FALSE
    // when the dialog has no such control.
    virtual BOOL Initialize(CWnd* pParent, UINT nListBoxID, DWORD dwFlags);
    // With space advance, a space or backspace typed in the list moves the focus to the next or previous
    // control instead of editing, and a space typed behind an edited item's text ends the edit.
    virtual void SetSpaceAdvance(BOOL bSpaceAdvance) { m_bSpaceAdvance = bSpaceAdvance; }
    // The in-place edit ended: the item's change goes to the hooks.
    virtual void EndEdit();

    // Hooks. The base tells the dialog that the selection may have changed when editing begins and ends
    // (selecting the last item when none is selected), deletes an item edited to a blank text and gives
    // the list a new empty last item when the old one was filled, and always agrees to a deletion.
    virtual void OnBeginEdit();
    virtual void OnEndEdit();
    virtual void OnItemChanged(int nIndex, CString strOldText, CString strNewText);
    virtual void OnItemAdded(int nIndex, CString strText);
    virtual void OnItemMoved(int nFrom, int nTo, CString strText, BOOL bDragged);
    // FALSE keeps the item.
    virtual BOOL OnItemDelete(int nIndex, CString strText);

    // The commands; each works on the one selected item.
    virtual BOOL AddNewItem();
    virtual BOOL DeleteSelectedItems();
    virtual BOOL MoveItemDown();
    virtual BOOL MoveItemUp();
    // Edits the selected item; a character becomes its whole new text (0: the item's text is kept).
    virtual void EditItem(UINT nChar);

    virtual int CalcHeaderHeight();
    virtual void LayoutButtons();
    virtual void UpdateToolTips();
    // Splits the header's rectangle between header and list box when something made it taller.
    virtual void RecalcLayout();
    virtual void SetButtons(DWORD dwFlags);
    virtual void StartEdit(int nIndex, BOOL bIsNew, LPCTSTR lpszInitialText);
    // Moves item nIndex one place up, with its item data.
    virtual void ShiftItemUp(int nIndex);
    // FALSE for an index out of range, the empty last item, or a deletion the hook refuses.
    virtual BOOL DeleteItem(int nIndex);
    virtual void SetSpaceAdvanceCount(int nCount) { m_nSpaceCount = nCount; }
    // The "..." button of an edited item was pressed; the base does nothing.
    virtual void OnBrowse() { }

    SECListBoxEditorHelper* GetListBox() const { return m_pListBox.get(); }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    enum Button { buttonNew, buttonDelete, buttonUp, buttonDown, buttonCount };

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnEnable(BOOL bEnable);
    DECLARE_MESSAGE_MAP()

    // The last item, when it is the empty one that stands for a new item.
    BOOL IsPlaceholder(int nIndex) const;
    // The item the commands work on; LB_ERR when none (or several) are selected.
    int GetSelectedItem() const;
    void Notify(UINT nCode, BOOL bPost);

    CButton m_wndBrowse;
    CToolTipCtrl m_wndToolTip;
    std::unique_ptr<SECListBoxEditorHelper> m_pListBox;
    std::unique_ptr<SECListBoxEdit> m_pEdit;
    std::array<CRect, buttonCount> m_rcButtons {};
    std::array<BOOL, buttonCount> m_bButtonPresent { TRUE, TRUE, TRUE, TRUE };
    std::array<CBitmap, buttonCount> m_bmpButtons;
    DWORD m_dwFlags { 0 };
    BOOL m_bInitialized { FALSE };
    int m_nHeaderHeight { 0 };
    BOOL m_bAdding { FALSE };
    CString m_strStartingText;
    BOOL m_bEditCancelled { FALSE };
    int m_nLastFrom { -1 };
    int m_nLastTo { -1 };
    BOOL m_bSpaceAdvance { FALSE };
    int m_nSpaceCount { 1 };

private:
    friend class SECListBoxEditorHelper;

    // Moves the selected item one place up (-1) or down (1), as Move Up and Move Down do.
    BOOL MoveSelectedItem(int nDirection);
    void RunButton(Button button);
    // The button's image with its highlight line, and the same pressed in.
    void PrepareButtonImage(Button button);
    BOOL MakePressedImage(Button button, CBitmap& pressed);
    CSize BitmapSize(Button button) const;
};
