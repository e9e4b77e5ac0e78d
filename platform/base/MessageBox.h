#pragma once
// Message boxes. What shows them is replaceable: tests install a presenter that records the text, caption
// and style and answers with a chosen button; the window layer installs the real dialog. Until then the
// default presenter writes "caption: text" to stderr and answers with the style's default button.

#include <functional>
#include <string>

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

// Buttons (the low four bits).
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_CANCELTRYCONTINUE = 0x00000006;
constexpr UINT MB_TYPEMASK = 0x0000000F;
// Icons.
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x000000F0;
// Default button.
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_DEFBUTTON4 = 0x00000300;
constexpr UINT MB_DEFMASK = 0x00000F00;
// Modality and placement.
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;
constexpr UINT MB_MODEMASK = 0x00003000;
constexpr UINT MB_HELP = 0x00004000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;

// Results: the button chosen.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDTRYAGAIN = 10;
constexpr int IDCONTINUE = 11;


// Shows a message box owned by hWnd (may be NULL) and returns the button chosen; a null caption reads
// "Error", a null text is empty. 0 with ERROR_INVALID_MSGBOX_STYLE for unknown button bits.
int MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
// Plays the sound for a kind of message; there is no sound here. Always TRUE.
BOOL MessageBeep(UINT uType);

namespace platform {

using MessageBoxPresenter = std::function<int(const std::string& text, const std::string& caption, UINT type)>;
// Installs the presenter of every message box (an empty function restores the default) and returns the
// previous one.
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);
// The window given to the MessageBox call that is being presented on the calling thread (null outside
// one, or when it was given none): the presenter's owner for the box.
HWND MessageBoxOwner();
// The button a message box of this style answers with when nobody chooses (its default button); 0 for
// unknown button bits.
int DefaultMessageBoxButton(UINT type);

} // namespace platform
