#pragma once
// Popup menus that show each command's toolbar image beside its text. Attached to a frame, the plug-in
// turns the plain text items of every popup the frame opens into owner-drawn items, measures and draws
// them with the menu font and the system colours, answers their mnemonic keys (the system has no text
// of an owner-drawn item to match), and gives the menus their text items back when it goes. The images
// come from the image store the toolbars share, so a command looks the same in a menu and on a button.

#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/afx/CFont.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CRect.h"
#include "toolkit/controls/SECBmpMenuItemInfo.h"
#include "toolkit/frames/SECWndPlugIn.h"

class CDC;
class SECBmpMgr;

class SECBmpMenuPlugIn : public quorvale::foundation::SECWndPlugIn {
    DECLARE_DYNAMIC(SECBmpMenuPlugIn)
public:
    // The items the plug-in made owner-drawn in one menu, with their records.
    struct SECBmpMenuInfo {
        HMENU hMenu { nullptr };
        std::vector<std::unique_ptr<SECBmpMenuItemInfo>> items;
        SECBmpMenuItemInfo* Find(UINT nID) const;
        BOOL Holds(ULONG_PTR data) const;
    };

    // Colours of the menus, read from the system and shared by every plug-in.
    struct SysColors {
        COLORREF menuText { 0 };
        COLORREF highlightText { 0 };
        COLORREF grayText { 0 };
        COLORREF menu { 0 };
        COLORREF highlight { 0 };
        COLORREF btnShadow { 0 };
        COLORREF btnHighlight { 0 };
        COLORREF btnFace { 0 };
    };

    // bOwnBitmaps: the plug-in draws radio items with its own dot and checked items with its own mark.
    explicit SECBmpMenuPlugIn(BOOL bOwnBitmaps = FALSE);
    // Gives every menu that still exists its text items back.
    ~SECBmpMenuPlugIn() override;
    SECBmpMenuPlugIn(const SECBmpMenuPlugIn&) = delete;
    SECBmpMenuPlugIn& operator=(const SECBmpMenuPlugIn&) = delete;

    // Takes a share of another image store (the toolbar manager's) in place of the current one.
    void SetBmpMgr(SECBmpMgr* pBmpMgr);
    SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
    // The frame's call after its own WM_INITMENUPOPUP handling: lParam as the message has it.
    void OnInitMenuPopup(HMENU hMenu, LPARAM lParam);
    // The plug-in never touches the items of this command.
    void ExcludeCommand(UINT nID);
    BOOL IsExcluded(UINT nID) const { return m_excluded.count(nID) != 0; }
    HFONT GetMenuFont();
    HFONT GetBoldMenuFont();

    // Drops the records of items and menus that are gone.
    virtual void PurgeMenus();
    virtual BOOL CreateMenuFont();
    virtual BOOL CreateBoldMenuFont();
    // A monochrome mask of the image at column xSrc of pSrcDC, white where it is button face or button
    // highlight, in maskDC (which then holds hMask, the caller's to delete after the DC). FALSE when the
    // context or the bitmap cannot be made.
    virtual BOOL CreateMask(CDC* pSrcDC, int nWidth, int nHeight, int xSrc, CDC& maskDC, HBITMAP& hMask);
    virtual void DrawDitheredImage(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc);
    virtual void DrawDisabledImage(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc);
    // The image box at the left of an item; the rectangle's left edge moves past it.
    virtual void DrawItemImage(
        LPDRAWITEMSTRUCT lpDIS, CDC* pDC, CRect& rect, HBITMAP hBitmap, int nImage, int nWidth, int nHeight);

    // The handler of WM_INITMENUPOPUP: converts the popup's plain text items.
    void InitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);

    static void LoadSysColors();
    static const SysColors& GetSysColors() { return s_colors; }
    // The dot radio items show, shared by the plug-ins with their own bitmaps; null while none has it.
    static HBITMAP GetRadioDotBitmap() { return s_hRadioDot; }
    // The record of a menu met, null for one never converted.
    const SECBmpMenuInfo* GetMenuInfo(HMENU hMenu) const;

protected:
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnInitMenuPopupMsg(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnSysColorChange();

    // The record an owner-drawn item's data points at, when it is one of the plug-in's (of hMenu's, when
    // given) and its command is not excluded; null otherwise.
    SECBmpMenuItemInfo* RecordOf(HMENU hMenu, ULONG_PTR data) const;
    // The check mark of checked items without an image of their own.
    HBITMAP CheckMarkBitmap();
    BOOL CreateDitherBrush();

    std::unordered_map<HMENU, std::unique_ptr<SECBmpMenuInfo>> m_menus;
    std::unordered_set<UINT> m_excluded;
    BOOL m_bOwnBitmaps { FALSE };
    SECBmpMgr* m_pBmpMgr { nullptr };
    CFont m_menuFont;
    CFont m_boldMenuFont;
    HBRUSH m_hDitherBrush { nullptr };
    HBITMAP m_hCheckMark { nullptr };
    BOOL m_bOwnCheckMark { FALSE };

    DECLARE_MESSAGE_MAP()

private:
    // Makes the class-wide radio dot for one more holder.
    static void CreateRadioDotBitmap();
    static void ReleaseRadioDotBitmap();

    static SysColors s_colors;
    static HBITMAP s_hRadioDot;
    static int s_nRadioDotHolders;
};
