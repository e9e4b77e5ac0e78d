#pragma once
// The "..." push button of a browse edit: made beside the edit, it tells the edit when it is pressed,
// and its object goes with its window.

#include "platform/afx/CButton.h"

class SECBrowseEditBase;

class SECBrowseButton : public CButton {
    DECLARE_DYNAMIC(SECBrowseButton)
public:
    explicit SECBrowseButton(SECBrowseEditBase* pEdit);

    // Makes the edit 26 pixels narrower and puts the button into the last 25 pixels of its former place,
    // with a control id no other item of the dialog uses, right after the edit in the tab order. FALSE
    // when the button cannot be made; the caller then deletes the object.
    BOOL AttachToEdit();

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

private:
    static constexpr int kNarrowing = 26;
    static constexpr int kButtonWidth = 25;

    SECBrowseEditBase* m_pEdit { nullptr };
    UINT m_nID { 0 };
    // From the moment the window exists, the object goes with it.
    BOOL m_bOwnedByWindow { FALSE };
};
