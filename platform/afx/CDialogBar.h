#pragma once
// A control bar made from a dialog template: the template's controls on a strip that takes the whole
// length of its side of the frame and the template's size across it. Its buttons' commands go to the
// bar's owner (the frame), which routes them as it routes menu commands; at idle time the same
// commands' update handlers enable and name the buttons.

#include "platform/afx/CControlBar.h"

class CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;

    // nStyle holds the bar style (CBRS_*) and WS_VISIBLE. FALSE, leaving no window behind, when the
    // template is missing or its controls cannot be made or filled.
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
    {
        return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
    }

    // Stretched: the whole length, and the template's height (or width) across; else the template's size.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // The template's window size.
    CSize m_sizeDefault;
};
