// The classic look's metrics and system parameters, from one table.

#include <cstring>

#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"

namespace {

struct Metric {
    int index;
    int value;
};

// Fixed metrics; those that follow the screen's size are computed below.
constexpr Metric kMetrics[] = {
    { SM_CXVSCROLL, 16 },
    { SM_CYHSCROLL, 16 },
    { SM_CYCAPTION, 19 },
    { SM_CXBORDER, 1 },
    { SM_CYBORDER, 1 },
    { SM_CXDLGFRAME, 3 },
    { SM_CYDLGFRAME, 3 },
    { SM_CYVTHUMB, 16 },
    { SM_CXHTHUMB, 16 },
    { SM_CXICON, 32 },
    { SM_CYICON, 32 },
    { SM_CXCURSOR, 32 },
    { SM_CYCURSOR, 32 },
    { SM_CYMENU, 19 },
    { SM_MOUSEPRESENT, 1 },
    { SM_CYVSCROLL, 16 },
    { SM_CXHSCROLL, 16 },
    { SM_DEBUG, 0 },
    { SM_SWAPBUTTON, 0 },
    { SM_CXMIN, 112 },
    { SM_CYMIN, 27 },
    { SM_CXSIZE, 18 },
    { SM_CYSIZE, 18 },
    { SM_CXFRAME, 4 },
    { SM_CYFRAME, 4 },
    { SM_CXMINTRACK, 112 },
    { SM_CYMINTRACK, 27 },
    { SM_CXDOUBLECLK, 4 },
    { SM_CYDOUBLECLK, 4 },
    { SM_CXICONSPACING, 75 },
    { SM_CYICONSPACING, 75 },
    { SM_MENUDROPALIGNMENT, 0 },
    { SM_CXEDGE, 2 },
    { SM_CYEDGE, 2 },
    { SM_CXMINSPACING, 160 },
    { SM_CYMINSPACING, 24 },
    { SM_CXSMICON, 16 },
    { SM_CYSMICON, 16 },
    { SM_CYSMCAPTION, 16 },
    { SM_CXSMSIZE, 12 },
    { SM_CYSMSIZE, 15 },
    { SM_CXMENUSIZE, 18 },
    { SM_CYMENUSIZE, 18 },
    { SM_ARRANGE, 8 },
    { SM_CXMINIMIZED, 160 },
    { SM_CYMINIMIZED, 24 },
    { SM_NETWORK, 1 },
    { SM_CLEANBOOT, 0 },
    { SM_CXDRAG, 4 },
    { SM_CYDRAG, 4 },
    { SM_SHOWSOUNDS, 0 },
    { SM_CXMENUCHECK, 13 },
    { SM_CYMENUCHECK, 13 },
    { SM_MOUSEWHEELPRESENT, 1 },
    { SM_XVIRTUALSCREEN, 0 },
    { SM_YVIRTUALSCREEN, 0 },
    { SM_CMONITORS, 1 },
    { SM_CXFOCUSBORDER, 1 },
    { SM_CYFOCUSBORDER, 1 },
};

LOGFONT classicFont(LONG weight)
{
    LOGFONT font;
    font.lfHeight = -11;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    return font;
}

} // namespace

int GetSystemMetrics(int index)
{
    auto& screen = platform::user::Screen::Instance();
    const int w = screen.width(), h = screen.height();
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN:
        return w;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return h;
    case SM_CYFULLSCREEN:
        return h - 19;
    case SM_CXMAXTRACK:
        return w + 12;
    case SM_CYMAXTRACK:
        return h + 12;
    case SM_CXMAXIMIZED:
        return w + 8;
    case SM_CYMAXIMIZED:
        return h + 8;
    default:
        break;
    }
    for (const Metric& m : kMetrics)
        if (m.index == index)
            return m.value;
    return 0;
}

BOOL SystemParametersInfo(UINT action, UINT, PVOID param, UINT)
{
    auto setBool = [&](BOOL value) {
        if (!param)
            return FALSE;
        *static_cast<BOOL*>(param) = value;
        return TRUE;
    };
    auto setInt = [&](int value) {
        if (!param)
            return FALSE;
        *static_cast<int*>(param) = value;
        return TRUE;
    };
    switch (action) {
    case SPI_GETWORKAREA: {
        if (!param)
            return FALSE;
        auto& screen = platform::user::Screen::Instance();
        *static_cast<RECT*>(param) = { 0, 0, screen.width(), screen.height() };
        return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS: {
        auto* info = static_cast<NONCLIENTMETRICS*>(param);
        if (!info || info->cbSize != sizeof(NONCLIENTMETRICS)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        info->iBorderWidth = 1;
        info->iScrollWidth = 16;
        info->iScrollHeight = 16;
        info->iCaptionWidth = 18;
        info->iCaptionHeight = 18;
        info->lfCaptionFont = classicFont(FW_BOLD);
        info->iSmCaptionWidth = 12;
        info->iSmCaptionHeight = 15;
        info->lfSmCaptionFont = classicFont(FW_BOLD);
        info->iMenuWidth = 18;
        info->iMenuHeight = 18;
        info->lfMenuFont = classicFont(FW_NORMAL);
        info->lfStatusFont = classicFont(FW_NORMAL);
        info->lfMessageFont = classicFont(FW_NORMAL);
        return TRUE;
    }
    case SPI_GETBORDER:
        return setInt(1);
    case SPI_GETWHEELSCROLLLINES:
        return setInt(3);
    case SPI_GETKEYBOARDDELAY:
        return setInt(1);
    case SPI_GETKEYBOARDSPEED:
        return setInt(31);
    case SPI_GETSCREENSAVETIMEOUT:
        return setInt(0);
    case SPI_GETMENUSHOWDELAY:
        return setInt(400);
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
        return setInt(4);
    case SPI_GETMOUSEHOVERTIME:
        return setInt(400);
    case SPI_GETFOCUSBORDERWIDTH:
    case SPI_GETFOCUSBORDERHEIGHT:
        return setInt(1);
    case SPI_ICONHORIZONTALSPACING:
    case SPI_ICONVERTICALSPACING:
        return setInt(75);
    case SPI_GETKEYBOARDCUES:
        return setBool(TRUE);
    case SPI_GETBEEP:
    case SPI_GETICONTITLEWRAP:
        return setBool(TRUE);
    case SPI_GETMENUDROPALIGNMENT:
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETMENUANIMATION:
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETHOTTRACKING:
    case SPI_GETMENUFADE:
    case SPI_GETSELECTIONFADE:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETTOOLTIPFADE:
    case SPI_GETCURSORSHADOW:
    case SPI_GETFLATMENU:
    case SPI_GETDROPSHADOW:
    case SPI_GETSHOWIMEUI:
        return setBool(FALSE);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

DWORD GetVersion()
{
    // Version 5.1 of the NT line, build 2600: the classic look's platform, "at least 4" for every check.
    return 0x0A280105;
}
