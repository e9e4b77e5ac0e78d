#pragma once
// Where a class-library dialog opens: a dialog whose OnInitDialog left it where the dialog manager put
// it goes to the middle of its owner, as the dialogs of desktop programs open; one placed on purpose
// stays (moved by its OnInitDialog, a child, or with an absolute or centred template).

#include "platform/afx/CWnd.h"

namespace afx {

class DialogPlacement {
public:
    // Notes where the dialog is before its OnInitDialog runs.
    explicit DialogPlacement(const CWnd& dialog);
    // After OnInitDialog: centres the dialog on its owner when it was not placed.
    void CentreIfUnplaced(CWnd& dialog) const;

private:
    CPoint m_before;
};

} // namespace afx
