#include "platform/comctl/ControlClasses.h"

#include "platform/comctl/Animation.h"
#include "platform/comctl/Header.h"
#include "platform/comctl/IpAddress.h"
#include "platform/comctl/ListView.h"
#include "platform/comctl/ProgressBar.h"
#include "platform/comctl/StatusBar.h"
#include "platform/comctl/TabControl.h"
#include "platform/comctl/ToolTip.h"
#include "platform/comctl/UpDown.h"

namespace platform::comctl {

void RegisterControlClasses()
{
    RegisterControl<StatusBar>(STATUSCLASSNAME, CS_DBLCLKS, -1);
    RegisterControl<ProgressBar>(PROGRESS_CLASS, 0, -1);
    RegisterControl<UpDown>(UPDOWN_CLASS, 0, COLOR_BTNFACE);
    RegisterControl<IpAddress>(WC_IPADDRESS, CS_DBLCLKS, -1);
    RegisterControl<ToolTip>(TOOLTIPS_CLASS, CS_SAVEBITS, -1);
    RegisterControl<Header>(WC_HEADER, CS_DBLCLKS, -1);
    RegisterControl<ListView>(WC_LISTVIEW, CS_DBLCLKS, -1);
    RegisterControl<Animation>(ANIMATE_CLASS, 0, -1);
    RegisterControl<TabControl>(WC_TABCONTROL, CS_DBLCLKS, COLOR_BTNFACE);
}

LRESULT SendNotifyTo(HWND to, HWND from, UINT code, NMHDR& header)
{
    header.hwndFrom = from;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
    header.code = code;
    if (!to)
        return 0;
    return SendMessage(to, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT SendNotify(HWND from, UINT code, NMHDR& header)
{
    return SendNotifyTo(GetParent(from), from, code, header);
}

HFONT ControlFont(HFONT chosen)
{
    return chosen ? chosen : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int ControlFontHeight(HWND control, HFONT chosen)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, ControlFont(chosen));
    TEXTMETRIC tm {};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return static_cast<int>(tm.tmHeight);
}

} // namespace platform::comctl
