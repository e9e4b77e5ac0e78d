#include "toolkit/frames/SECFilterRouting.h"

#include <algorithm>

#include "toolkit/frames/SECMsgFilter.h"
#include "toolkit/frames/ScxInfo.h"

LRESULT SECRouteThroughFilters(SECMsgFilter& root, HWND hWnd, const SECFilterRoutes& routes, UINT message,
    WPARAM wParam, LPARAM lParam, const std::function<LRESULT()>& process)
{
    const auto listed = [message](const std::vector<UINT>& messages) {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    };
    LRESULT lResult = 0;
    if (listed(routes.filtersFirst)) {
        if (root.Filter(message, wParam, lParam, &lResult) & SECMsgFilter::kHandled)
            return lResult;
        return process();
    }
    if (listed(routes.processFirst)) {
        const LRESULT lProcessed = process();
        // Processing may have destroyed the window and its filters with it.
        if (::IsWindow(hWnd))
            root.Filter(message, wParam, lParam, &lResult);
        return lProcessed;
    }
    return process();
}

BOOL SECFilterSysCommandEx(SECMsgFilter& root, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != nsSysCommandEx::GetSysCommandExMessage())
        return FALSE;
    *pResult = 0;
    root.Filter(message, wParam, lParam, pResult);
    return TRUE;
}
