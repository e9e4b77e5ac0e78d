#pragma once
// How a toolkit frame hands its messages to its root filter around its own processing: some messages
// go to the filters first and end there when they take them; others are processed first and then
// shown to the filters (which draw their caption controls over the caption); the extended system
// commands, which no window processes itself, are the filters' alone.

#include <functional>
#include <vector>

#include "platform/user/WinUser.h"

class SECMsgFilter;

struct SECFilterRoutes {
    std::vector<UINT> filtersFirst;
    std::vector<UINT> processFirst;
};

// The window's answer to the message, processed by process where the routes leave it to the window.
LRESULT SECRouteThroughFilters(SECMsgFilter& root, HWND hWnd, const SECFilterRoutes& routes, UINT message,
    WPARAM wParam, LPARAM lParam, const std::function<LRESULT()>& process);
// TRUE with the filters' answer in *pResult for an extended system command; FALSE for any other message.
BOOL SECFilterSysCommandEx(SECMsgFilter& root, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
