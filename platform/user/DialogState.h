#pragma once
// What the dialog manager keeps for each dialog window (beside the DWLP_* slots of its extra bytes),
// and the helpers the dialog functions and the controls share.

#include <memory>
#include <optional>
#include <vector>

#include "platform/user/WinUser.h"

namespace platform::user {

// How a modal dialog ends; shared by the modal loop and EndDialog, so the loop can read the result
// even when the dialog window is already gone.
struct ModalEnd {
    bool ended { false };
    INT_PTR result { 0 };
    HWND owner { nullptr };
    bool ownerDisabled { false };
    // The result the dialog ends with once its loop has nothing left to do and its owner, told of
    // that, gave it nothing either (a message box on a screen nobody sits at).
    std::optional<INT_PTR> idleAnswer;
};

struct DialogState {
    HFONT font { nullptr };
    bool ownsFont { false };
    SIZE baseUnits { 6, 13 };
    // The dialog's default push button (DM_SETDEFID); 0 for none.
    int defaultId { 0 };
    // The control that had the focus when the dialog was last deactivated or hidden.
    HWND savedFocus { nullptr };
    std::shared_ptr<ModalEnd> modal;
    // The menu the template named, destroyed with the dialog.
    HMENU menu { nullptr };
};

// The state of a dialog, null for any other window.
DialogState* DialogStateOf(HWND hwnd);
// Hands the state to the dialog window (freed when the window is destroyed).
void AttachDialogState(HWND hwnd, std::unique_ptr<DialogState> state);
// Takes the state away from a window being destroyed.
std::unique_ptr<DialogState> DetachDialogState(HWND hwnd);

// The controls of a dialog in tab order: its children in z-order, the children of a child with
// WS_EX_CONTROLPARENT taking that child's place.
std::vector<HWND> DialogControls(HWND dlg);
// The control with an id among all the dialog's controls (nested ones included).
HWND FindDialogControl(HWND dlg, int id);
// Gives a control the focus as the keyboard does: an edit control's text is selected first.
void SetDialogFocus(HWND dlg, HWND control);
// Draws the default frame on the push button that Enter would press now: the focused push button,
// else the dialog's default button.
void ShowDefaultButton(HWND dlg, HWND focus);
// The outermost dialog that holds a control (a page's sheet rather than the page), or null.
HWND DialogOf(HWND control);

} // namespace platform::user
