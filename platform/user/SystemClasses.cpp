// The window classes every program finds registered: dialogs and the standard controls.

#include "platform/user/ControlSupport.h"
#include "platform/user/WinMdi.h"
#include "platform/user/WindowClass.h"

namespace platform::user {

namespace {

LRESULT dialogClassProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefDlgProc(h, m, w, l); }

struct SystemClass {
    LPCSTR name;
    WNDPROC proc;
    UINT style;
    int windowExtra;
    int background; // a system colour + 1, 0 for none
};

} // namespace

void AddSystemClasses(ClassTable& table)
{
    const SystemClass classes[] = {
        { WC_DIALOG, dialogClassProc, CS_DBLCLKS | CS_SAVEBITS, DLGWINDOWEXTRA, COLOR_BTNFACE + 1 },
        { WC_BUTTON, ButtonProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*), 0 },
        { WC_STATIC, StaticProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*), 0 },
        { WC_EDIT, EditProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*), 0 },
        { WC_LISTBOX, ListBoxProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*), 0 },
        { WC_COMBOLIST, ListBoxProc, CS_DBLCLKS | CS_SAVEBITS, sizeof(void*), 0 },
        { WC_COMBOBOX, ComboBoxProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*), 0 },
        { WC_SCROLLBAR, ScrollBarProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*), 0 },
        { WC_MDICLIENT, MdiClientProc, 0, sizeof(void*), COLOR_APPWORKSPACE + 1 },
    };
    for (const SystemClass& c : classes) {
        auto cls = std::make_shared<WindowClass>();
        cls->name = c.name;
        cls->proc = c.proc;
        cls->style = c.style | CS_GLOBALCLASS;
        cls->windowExtraBytes = c.windowExtra;
        cls->background = c.background ? reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(c.background)) : nullptr;
        DWORD error = 0;
        table.add(std::move(cls), error);
    }
}

} // namespace platform::user
