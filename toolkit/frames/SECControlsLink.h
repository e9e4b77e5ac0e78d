#pragma once
// The frames are built before the toolbars and menus of the toolkit's controls, which sit on top of
// them. What the frames ask of those classes comes through this table, which the controls fill when
// they are linked into the program; an entry left empty makes the frames act as they do for a program
// without that class. Class tests go by run-time class name for the same reason.

#include <functional>
#include <memory>

#include "platform/afx/CObject.h"

class CControlBar;
class CWnd;
class SECControlBarManager;
class SECMenuBar;

namespace quorvale::foundation {
class SECWndPlugIn;
}

struct SECControlsLink {
    using SECWndPlugIn = quorvale::foundation::SECWndPlugIn;

    // A new menu-bar feature that has been given the menu bar.
    std::function<SECWndPlugIn*(SECMenuBar*)> newMenuBarFeature;
    // A new bitmap-menu plug-in with its own bitmaps.
    std::function<SECWndPlugIn*()> newBmpMenuPlugIn;
    // When the manager is a toolbar manager, the bitmap-menu plug-in takes its button-image store.
    std::function<void(SECWndPlugIn*, SECControlBarManager*)> shareBmpMgr;
    // While the menu bar tracks a popup.
    std::function<BOOL()> isTrackingMenu;
    // The bitmap-menu plug-in's popup initialisation.
    std::function<void(SECWndPlugIn*, WPARAM, LPARAM)> bmpMenuInitPopup;
    // While the manager is a toolbar manager whose bars are being customised.
    std::function<BOOL(SECControlBarManager*)> inConfigMode;
    // Rebuilds a customisable toolbar's button images for new system colours; nothing for other bars.
    std::function<void(CControlBar*)> sysColorChange;
    // The menu bar as a bar, and the id of the menu it shows.
    std::function<CControlBar*(SECMenuBar*)> menuBarWindow;
    std::function<UINT(SECMenuBar*)> menuBarMenuId;
    // The menu-bar feature switches its menu bar to a menu id.
    std::function<void(SECWndPlugIn*, UINT)> switchMenu;
    // An MDI menu bar refreshes its buttons of the maximised child; whether they changed.
    std::function<BOOL(SECMenuBar*)> refreshMDIButtons;

    static SECControlsLink& Get();
};

// Whether the object's class is the named one or derives from it; FALSE while no class of that name is
// linked in.
BOOL SECIsKindOfName(const CObject* pObject, LPCSTR lpszClassName);

// The menu plug-in of a toolkit frame, attached to it: the menu-bar feature when the frame has a menu
// bar, else with bitmap menus the bitmap-menu plug-in (sharing the toolbar manager's images); null
// when the frame wants neither or the controls are not linked in.
std::unique_ptr<quorvale::foundation::SECWndPlugIn> SECAttachMenuPlugIn(
    CWnd* pFrame, SECMenuBar* pMenuBar, BOOL bBmpMenus, SECControlBarManager* pManager);
