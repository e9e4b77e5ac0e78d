#include "platform/comctl/ControlClasses.h"

namespace platform::comctl {

void RegisterControlClasses()
{
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

} // namespace platform::comctl
