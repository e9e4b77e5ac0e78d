#pragma once
// An animation control: plays a clip from the resources or a file.

#include "platform/afx/CWnd.h"
#include "platform/comctl/CommCtrl.h"

class CAnimateCtrl : public CWnd {
    DECLARE_DYNAMIC(CAnimateCtrl)
public:
    // Makes the control as child nID of pParentWnd.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Opens a clip (a file name, or a resource named or numbered); FALSE when it cannot be read.
    BOOL Open(LPCTSTR lpszFileName) { return static_cast<BOOL>(SendMessage(ACM_OPEN, 0, reinterpret_cast<LPARAM>(lpszFileName))); }
    BOOL Open(UINT nID) { return Open(MAKEINTRESOURCE(nID)); }
    BOOL Close() { return Open(static_cast<LPCTSTR>(nullptr)); }
    // Plays frames nFrom to nTo (-1: the last) nRep times (-1: for ever).
    BOOL Play(UINT nFrom, UINT nTo, UINT nRep)
    {
        return static_cast<BOOL>(SendMessage(ACM_PLAY, static_cast<WPARAM>(static_cast<int>(nRep)), MAKELPARAM(nFrom, nTo)));
    }
    BOOL Stop() { return static_cast<BOOL>(SendMessage(ACM_STOP)); }
    BOOL Seek(UINT nTo) { return Play(nTo, nTo, 1); }
};
