#pragma once
// The toolkit frames' context-help loop, in which the menu bar still opens its menus and its caption
// buttons of a maximised MDI child have help of their own. Shared by the single- and the
// multiple-document frame, which derive from different class-library frames.

#include "platform/afx/CFrameWnd.h"

class SECMenuBar;

namespace SECFrameHelp {

// The states of help mode (the class library's flag).
constexpr BOOL kHelpInactive = 0;
constexpr BOOL kHelpActive = 1;
constexpr BOOL kHelpEntering = 2;

// The context-help command: enters help mode on the next pass, then runs the loop until a help
// context is chosen or help mode is left, and asks for that help.
void RunContextHelp(CFrameWnd& frame, SECMenuBar* pMenuBar);
// The loop's message filter: FALSE leaves help mode.
BOOL ProcessHelpMsg(CFrameWnd& frame, SECMenuBar* pMenuBar, MSG& msg, DWORD* pContext);

} // namespace SECFrameHelp
