#pragma once
// The file dialog's own window while the music import's dialog runs: the album choices are placed on
// it, so their clicks come here and set the dialog's mode.

#include "platform/afx/CWnd.h"

class CMFileDialog;

class CMFileSubClassWnd : public CWnd {
public:
    explicit CMFileSubClassWnd(CMFileDialog& dialog)
        : m_dialog(dialog)
    {
    }

    afx_msg void OnUseOriginalAlbum();
    afx_msg void OnAddToExistingAlbum();
    afx_msg void OnCreateNewAlbum();

protected:
    DECLARE_MESSAGE_MAP()

private:
    // Sets the mode, checks its button alone, and enables the album list only for an existing album.
    void SetMode(int mode);

    CMFileDialog& m_dialog;
};
