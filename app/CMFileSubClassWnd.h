#pragma once
// The album choices the music import adds below its file dialog: three radio buttons (the album from
// each file's tags, one existing album, one new album) and the list of existing albums, enabled only
// for the second. The file chooser draws its own frame, so the choices live in a strip of their own
// below it, which takes the buttons' clicks.

#include "platform/afx/CButton.h"
#include "platform/afx/CComboBox.h"
#include "platform/afx/CWnd.h"

class CMFileDialog;

class CMFileSubClassWnd : public CWnd {
public:
    // The strip's own control id inside the dialog.
    static constexpr UINT kStripId = 2432;
    static constexpr int kStripHeight = 60;

    explicit CMFileSubClassWnd(CMFileDialog& dialog)
        : m_dialog(dialog)
    {
    }

    // Makes the strip along the bottom of the dialog's client area with its controls, in the dialog's
    // font; the album list filled from the library, its first item selected.
    BOOL Create(CWnd* pDialog, const CRect& strip);

    afx_msg void OnUseOriginalAlbum();
    afx_msg void OnAddToExistingAlbum();
    afx_msg void OnCreateNewAlbum();

    CButton m_useOriginal;
    CButton m_addToExisting;
    CButton m_createNew;
    CComboBox m_albums;

protected:
    // The album chosen is kept before the controls go with the dialog.
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void SetMode(int mode);

    CMFileDialog& m_dialog;
};
