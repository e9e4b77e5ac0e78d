#pragma once
// A tooltip control: a popup that names a tool (a window, or a rectangle of one) after the pointer
// rests on it. The owner relays its mouse messages through RelayEvent.

#include "platform/afx/CWnd.h"
#include "platform/comctl/CommCtrl.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // Makes the popup owned by pParentWnd, with TTS_* styles.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // Adds a tool: the whole of pWnd (nIDTool 0 and no rectangle) or a rectangle of it. The text may
    // be LPSTR_TEXTCALLBACK, asked of pWnd with TTN_GETDISPINFO when shown.
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    // As above with the text from string resource nIDText.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    BOOL GetToolInfo(TOOLINFO& toolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    // Hands a mouse message of a tool's window to the control, which shows or hides the tip.
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate)); }
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(nDelay)); }
    void SetDelayTime(DWORD dwDuration, int iTime)
    {
        SendMessage(TTM_SETDELAYTIME, dwDuration, static_cast<LPARAM>(iTime));
    }
    int SetMaxTipWidth(int iWidth)
    {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, static_cast<LPARAM>(iWidth)));
    }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }

private:
    static void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool);
};
