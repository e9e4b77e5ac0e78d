#pragma once
// A browse edit whose button chooses a folder with the directory dialog; the folder chosen, with its
// trailing "\", becomes the edit's text.

#include "toolkit/controls/SECBrowseEditBase.h"

class SECBrowseDirEdit : public SECBrowseEditBase {
    DECLARE_DYNAMIC(SECBrowseDirEdit)
public:
    // The title of the directory dialog comes from the resources.
    SECBrowseDirEdit();

    // Opens the directory dialog at the folder the edit names (its default folder when the edit names
    // none that exists); the folder chosen replaces the text, cancelling leaves it.
    void OnBrowse() override;
    // TRUE when the path names an existing folder. A trailing "\" is removed from the path, and a drive
    // ("C:") becomes its root ("C:\").
    BOOL IsExistingDirectory(CString& rPath) const;

    // Passed to the directory dialog: bit 0 picks the classic dialog, otherwise the folder browser.
    UINT m_nMode { 1 };
};
