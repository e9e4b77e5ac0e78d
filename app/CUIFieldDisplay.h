#pragma once
// How the list shows one database field: whether its column is shown, and its caption.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

class CUIFieldDisplay {
public:
    CUIFieldDisplay() = default;
    // The caption comes from the string table; id 0 leaves it empty.
    CUIFieldDisplay(BYTE visible, UINT captionId);

    BYTE m_bVisible { TRUE };
    CString m_strCaption;
    UINT m_nCaptionId { 0 };
};
