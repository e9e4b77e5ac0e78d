#pragma once
// The window-message entries of message maps: the handler shapes (signatures) that CWnd::OnWndMsg
// knows how to call, and the ON_ macros that put a handler into a class's map. A handler is found by
// its message in the map of the most derived class first, then in its bases' maps.

#include "platform/afx/CCmdTarget.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/user/WinUser.h"

class CDC;
class CMenu;
class CScrollBar;
class CWnd;

// The shapes of window-message handlers; OnWndMsg takes the message's parameters apart for each.
enum AfxWinSig : UINT_PTR {
    AfxSig_v_v = AfxSig_firstWindow, // void ()
    AfxSig_i_CREATE, // int (LPCREATESTRUCT)
    AfxSig_b_CREATE, // BOOL (LPCREATESTRUCT)
    AfxSig_v_u_ii, // void (UINT, int, int): WM_SIZE
    AfxSig_v_ii, // void (int, int): WM_MOVE
    AfxSig_v_u_p, // void (UINT, CPoint): mouse messages
    AfxSig_l_p, // LRESULT (CPoint): WM_NCHITTEST
    AfxSig_v_u_u_u, // void (UINT, UINT, UINT): key messages
    AfxSig_b_D, // BOOL (CDC*): WM_ERASEBKGND
    AfxSig_b_W_u_u, // BOOL (CWnd*, UINT, UINT): WM_SETCURSOR
    AfxSig_i_W_u_u, // int (CWnd*, UINT, UINT): WM_MOUSEACTIVATE
    AfxSig_v_up, // void (UINT_PTR): WM_TIMER
    AfxSig_v_u_W_b, // void (UINT, CWnd*, BOOL): WM_ACTIVATE
    AfxSig_b_b, // BOOL (BOOL): WM_NCACTIVATE
    AfxSig_v_b, // void (BOOL)
    AfxSig_v_b_u, // void (BOOL, UINT): WM_SHOWWINDOW
    AfxSig_v_u_l, // void (UINT, LPARAM): WM_SYSCOMMAND, WM_PARENTNOTIFY
    AfxSig_v_W_p, // void (CWnd*, CPoint): WM_CONTEXTMENU
    AfxSig_b_u_s_p, // BOOL (UINT, short, CPoint): WM_MOUSEWHEEL
    AfxSig_v_u_u_Scroll, // void (UINT, UINT, CScrollBar*): WM_HSCROLL, WM_VSCROLL
    AfxSig_v_W, // void (CWnd*): focus and capture changes
    AfxSig_v_M_u_b, // void (CMenu*, UINT, BOOL): WM_INITMENUPOPUP
    AfxSig_v_M, // void (CMenu*): WM_INITMENU
    AfxSig_v_u_W, // void (UINT, CWnd*): WM_ENTERIDLE
    AfxSig_b_HELPINFO, // BOOL (HELPINFO*)
    AfxSig_v_MINMAX, // void (MINMAXINFO*)
    AfxSig_v_POS, // void (WINDOWPOS*)
    AfxSig_v_b_NCCALC, // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_u_v, // UINT (): WM_GETDLGCODE
    AfxSig_b_v, // BOOL (): WM_QUERYENDSESSION
    AfxSig_h_D_W_u, // HBRUSH (CDC*, CWnd*, UINT): the control colour messages
    AfxSig_v_b_dw, // void (BOOL, DWORD): WM_ACTIVATEAPP
    AfxSig_v_u_u_M, // void (UINT, UINT, HMENU): WM_MENUSELECT
    AfxSig_v_u_s, // void (UINT, LPCTSTR): WM_SETTINGCHANGE
    AfxSig_v_b_W_W, // void (BOOL, CWnd*, CWnd*): WM_MDIACTIVATE
    AfxSig_l_u_u_M, // LRESULT (UINT, UINT, CMenu*): WM_MENUCHAR
    AfxSig_v_HDROP, // void (HDROP): WM_DROPFILES
    AfxSig_l_w_l, // LRESULT (WPARAM, LPARAM): ON_MESSAGE, ON_REGISTERED_MESSAGE
    AfxSigNotify_v, // void (NMHDR*, LRESULT*): ON_NOTIFY, ON_NOTIFY_REFLECT
    AfxSigNotify_b, // BOOL (NMHDR*, LRESULT*): ON_NOTIFY_REFLECT_EX
    AfxSigNotify_RANGE, // void (UINT, NMHDR*, LRESULT*): ON_NOTIFY_RANGE
    AfxSigNotify_EX, // BOOL (UINT, NMHDR*, LRESULT*): ON_NOTIFY_EX, ON_NOTIFY_EX_RANGE
    AfxSig_v_i_DRAW, // void (int, LPDRAWITEMSTRUCT): WM_DRAWITEM
    AfxSig_v_i_MEASURE, // void (int, LPMEASUREITEMSTRUCT): WM_MEASUREITEM
    AfxSig_v_DRAW, // void (LPDRAWITEMSTRUCT): WM_DRAWITEM reflected to the control
    AfxSig_v_MEASURE, // void (LPMEASUREITEMSTRUCT): WM_MEASUREITEM reflected to the control
    AfxSig_lastWindow,
};

namespace afx {
// The message that stands for all control colour messages in maps (they differ only in the control kind).
constexpr UINT kCtlColorMessage = 0x0019;
// Messages reflected back to the control that sent them are numbered from here.
constexpr UINT kReflectBase = 0xBC00;
// The message number of ON_REGISTERED_MESSAGE entries (the real number is read through the entry).
constexpr UINT kRegisteredMessage = 0xC000;
} // namespace afx

constexpr UINT WM_REFLECT_BASE = afx::kReflectBase;

// What WM_NOTIFY handlers get through OnCmdMsg's pExtra.
struct AFX_NOTIFY {
    LRESULT* pResult { nullptr };
    NMHDR* pNMHDR { nullptr };
};

#define AFX_WND_HANDLER(Signature, memberFxn) std::bit_cast<AFX_PMSG>(static_cast<Signature>(&ThisClass::memberFxn))
#define AFX_WM_ENTRY(message, sig, Signature, memberFxn)                                                              \
    { message, 0, 0, 0, sig, AFX_WND_HANDLER(Signature, memberFxn) },

// Any message: LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                                                 \
    AFX_WM_ENTRY(message, AfxSig_l_w_l, LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn)
// Any message with a void memberFxn().
#define ON_MESSAGE_VOID(message, memberFxn) AFX_WM_ENTRY(message, AfxSig_v_v, void(CWnd::*)(), memberFxn)
// A message number held in a variable (RegisterWindowMessage): LRESULT memberFxn(WPARAM, LPARAM).
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                             \
    { afx::kRegisteredMessage, 0, 0, 0, reinterpret_cast<UINT_PTR>(&nMessageVariable),                                 \
        AFX_WND_HANDLER(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn) },

// void memberFxn(NMHDR*, LRESULT*) for notification code from control id.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                          \
    { WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<WORD>(id), static_cast<WORD>(id),      \
        AfxSigNotify_v, AFX_WND_HANDLER(void(CWnd::*)(NMHDR*, LRESULT*), memberFxn) },
// BOOL memberFxn(UINT id, NMHDR*, LRESULT*); FALSE lets the notification go on to the next target.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                                       \
    { WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<WORD>(id), static_cast<WORD>(id),      \
        AfxSigNotify_EX, AFX_WND_HANDLER(BOOL(CWnd::*)(UINT, NMHDR*, LRESULT*), memberFxn) },
// void memberFxn(UINT id, NMHDR*, LRESULT*) for the controls idFirst..idLast.
#define ON_NOTIFY_RANGE(wNotifyCode, idFirst, idLast, memberFxn)                                                       \
    { WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<WORD>(idFirst),                        \
        static_cast<WORD>(idLast), AfxSigNotify_RANGE,                                                                 \
        AFX_WND_HANDLER(void(CWnd::*)(UINT, NMHDR*, LRESULT*), memberFxn) },
// BOOL memberFxn(UINT id, NMHDR*, LRESULT*) for the controls idFirst..idLast.
#define ON_NOTIFY_EX_RANGE(wNotifyCode, idFirst, idLast, memberFxn)                                                    \
    { WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<WORD>(idFirst),                        \
        static_cast<WORD>(idLast), AfxSigNotify_EX,                                                                    \
        AFX_WND_HANDLER(BOOL(CWnd::*)(UINT, NMHDR*, LRESULT*), memberFxn) },
// In a control's own map: void memberFxn(NMHDR*, LRESULT*) for a notification it sent its parent.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                                      \
    { WM_NOTIFY + WM_REFLECT_BASE, static_cast<WORD>(static_cast<int>(wNotifyCode)), 0, 0, AfxSigNotify_v,            \
        AFX_WND_HANDLER(void(CWnd::*)(NMHDR*, LRESULT*), memberFxn) },
// The same with BOOL memberFxn(NMHDR*, LRESULT*): FALSE lets the parent handle it too.
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                                   \
    { WM_NOTIFY + WM_REFLECT_BASE, static_cast<WORD>(static_cast<int>(wNotifyCode)), 0, 0, AfxSigNotify_b,            \
        AFX_WND_HANDLER(BOOL(CWnd::*)(NMHDR*, LRESULT*), memberFxn) },
// void memberFxn(UINT id) for notification wNotifyCode from the controls idFirst..idLast.
#define ON_CONTROL_RANGE(wNotifyCode, idFirst, idLast, memberFxn)                                                      \
    { WM_COMMAND, static_cast<WORD>(wNotifyCode), static_cast<WORD>(idFirst), static_cast<WORD>(idLast),              \
        AfxSigCmd_RANGE, AFX_MSGMAP_HANDLER(void(CCmdTarget::*)(UINT), memberFxn) },
// The control notifications the dialogs and pages map, each ON_CONTROL with its code: void memberFxn().
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
// In a control's own map: void memberFxn() for a WM_COMMAND notification it sent its parent.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                                     \
    { WM_COMMAND + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0, AfxSigCmd_v,                                \
        AFX_MSGMAP_HANDLER(void(CCmdTarget::*)(), memberFxn) },
// The same with BOOL memberFxn(): FALSE lets the parent handle it too.
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                                  \
    { WM_COMMAND + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0, AfxSigCmd_b,                                \
        AFX_MSGMAP_HANDLER(BOOL(CCmdTarget::*)(), memberFxn) },

// The standard window messages, each calling the handler of the usual name.
#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, AfxSig_i_CREATE, int(CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() AFX_WM_ENTRY(WM_NCCREATE, AfxSig_b_CREATE, BOOL(CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig_v_v, void(CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_v_v, void(CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, AfxSig_v_v, void(CWnd::*)(), OnClose)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig_v_v, void(CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, AfxSig_v_v, void(CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_b_D, BOOL(CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AfxSig_v_u_ii, void(CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, AfxSig_v_ii, void(CWnd::*)(int, int), OnMove)
#define ON_WM_SHOWWINDOW() AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig_v_b_u, void(CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_ACTIVATE() AFX_WM_ENTRY(WM_ACTIVATE, AfxSig_v_u_W_b, void(CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP() AFX_WM_ENTRY(WM_ACTIVATEAPP, AfxSig_v_b_dw, void(CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_NCACTIVATE() AFX_WM_ENTRY(WM_NCACTIVATE, AfxSig_b_b, BOOL(CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_MOUSEACTIVATE()                                                                                          \
    AFX_WM_ENTRY(WM_MOUSEACTIVATE, AfxSig_i_W_u_u, int(CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, AfxSig_v_b, void(CWnd::*)(BOOL), OnEnable)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_v_W, void(CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_v_W, void(CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig_v_W, void(CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CANCELMODE() AFX_WM_ENTRY(WM_CANCELMODE, AfxSig_v_v, void(CWnd::*)(), OnCancelMode)
#define ON_WM_CHILDACTIVATE() AFX_WM_ENTRY(WM_CHILDACTIVATE, AfxSig_v_v, void(CWnd::*)(), OnChildActivate)
#define ON_WM_SETCURSOR() AFX_WM_ENTRY(WM_SETCURSOR, AfxSig_b_W_u_u, BOOL(CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, AfxSig_l_p, LRESULT(CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCCALCSIZE()                                                                                             \
    AFX_WM_ENTRY(WM_NCCALCSIZE, AfxSig_v_b_NCCALC, void(CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_GETMINMAXINFO()                                                                                          \
    AFX_WM_ENTRY(WM_GETMINMAXINFO, AfxSig_v_MINMAX, void(CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGING()                                                                                      \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_v_POS, void(CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()                                                                                       \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_v_POS, void(CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AfxSig_v_up, void(CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig_v_u_l, void(CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_PARENTNOTIFY() AFX_WM_ENTRY(WM_PARENTNOTIFY, AfxSig_v_u_l, void(CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, AfxSig_v_v, void(CWnd::*)(), OnSysColorChange)
#define ON_WM_SETTINGCHANGE()                                                                                          \
    AFX_WM_ENTRY(WM_SETTINGCHANGE, AfxSig_v_u_s, void(CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_CONTEXTMENU() AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig_v_W_p, void(CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_HELPINFO() AFX_WM_ENTRY(WM_HELP, AfxSig_b_HELPINFO, BOOL(CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_INITMENU() AFX_WM_ENTRY(WM_INITMENU, AfxSig_v_M, void(CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP()                                                                                          \
    AFX_WM_ENTRY(WM_INITMENUPOPUP, AfxSig_v_M_u_b, void(CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUCHAR() AFX_WM_ENTRY(WM_MENUCHAR, AfxSig_l_u_u_M, LRESULT(CWnd::*)(UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, AfxSig_v_HDROP, void(CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_MENUSELECT() AFX_WM_ENTRY(WM_MENUSELECT, AfxSig_v_u_u_M, void(CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_ENTERIDLE() AFX_WM_ENTRY(WM_ENTERIDLE, AfxSig_v_u_W, void(CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_ENTERMENULOOP() AFX_WM_ENTRY(WM_ENTERMENULOOP, AfxSig_v_b, void(CWnd::*)(BOOL), OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() AFX_WM_ENTRY(WM_EXITMENULOOP, AfxSig_v_b, void(CWnd::*)(BOOL), OnExitMenuLoop)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, AfxSig_u_v, UINT(CWnd::*)(), OnGetDlgCode)
#define ON_WM_QUERYENDSESSION() AFX_WM_ENTRY(WM_QUERYENDSESSION, AfxSig_b_v, BOOL(CWnd::*)(), OnQueryEndSession)
#define ON_WM_ENDSESSION() AFX_WM_ENTRY(WM_ENDSESSION, AfxSig_v_b, void(CWnd::*)(BOOL), OnEndSession)
#define ON_WM_CTLCOLOR()                                                                                               \
    AFX_WM_ENTRY(afx::kCtlColorMessage, AfxSig_h_D_W_u, HBRUSH(CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_MDIACTIVATE()                                                                                            \
    AFX_WM_ENTRY(WM_MDIACTIVATE, AfxSig_v_b_W_W, void(CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate)
#define ON_WM_HSCROLL()                                                                                                \
    AFX_WM_ENTRY(WM_HSCROLL, AfxSig_v_u_u_Scroll, void(CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL()                                                                                                \
    AFX_WM_ENTRY(WM_VSCROLL, AfxSig_v_u_u_Scroll, void(CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_DRAWITEM() AFX_WM_ENTRY(WM_DRAWITEM, AfxSig_v_i_DRAW, void(CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()                                                                                            \
    AFX_WM_ENTRY(WM_MEASUREITEM, AfxSig_v_i_MEASURE, void(CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
// An owner-drawn control's own DrawItem / MeasureItem, reached through its parent's reflection.
#define ON_WM_DRAWITEM_REFLECT()                                                                                       \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, AfxSig_v_DRAW, void(CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT()                                                                                    \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, AfxSig_v_MEASURE, void(CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)
#define ON_WM_MOUSEWHEEL()                                                                                             \
    AFX_WM_ENTRY(WM_MOUSEWHEEL, AfxSig_b_u_s_p, BOOL(CWnd::*)(UINT, short, CPoint), OnMouseWheel)

#define AFX_WM_KEY(message, memberFxn)                                                                                 \
    AFX_WM_ENTRY(message, AfxSig_v_u_u_u, void(CWnd::*)(UINT, UINT, UINT), memberFxn)
#define ON_WM_KEYDOWN() AFX_WM_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_WM_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_WM_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_WM_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_WM_KEY(WM_SYSCHAR, OnSysChar)

#define AFX_WM_MOUSE(message, memberFxn) AFX_WM_ENTRY(message, AfxSig_v_u_p, void(CWnd::*)(UINT, CPoint), memberFxn)
#define ON_WM_MOUSEMOVE() AFX_WM_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_WM_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WM_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_WM_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_WM_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_NCMOUSEMOVE() AFX_WM_MOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_WM_MOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_WM_MOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WM_MOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_WM_MOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_WM_MOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
