#pragma once
// Small window helpers the program's dialogs and long operations share: filling a combo box from
// library rows, recognising edit controls, exchanging a dotted address with an IP address control,
// keeping the window responsive during long work, and finding menu items.

#include <functional>

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

class CComboBox;
class CDataExchange;
class CIPAddressCtrl;
class CMenu;
class CWnd;
struct _Recordset;

// True when the window's class name is exactly "Edit" (false for null).
bool IsEditControl(CWnd* pWnd);
// Reads the record set's rows in order, each as its fields joined by commas (Null as empty); with ids the
// text after the last comma is taken off as the row's id (hasId false when the row has no comma). False
// when the rows cannot be read (reported by the result check); the rows read before stay taken.
bool ForEachClipRow(_Recordset* recordset, bool withIds, const std::function<void(const CString& text, bool hasId, long id)>& takeRow);
// Appends one item per row of the record set, in its order: the row's fields joined by commas; with ids
// the text after the last comma is the item's data and the text before it the item. False when the
// rows cannot be read (the failure is reported by the result check).
bool FillComboFromRecordset(CComboBox& box, _Recordset* recordset, bool withIds);
// The same over the rows of a stored query or SQL text run on the open library; false when it fails.
bool FillComboFromSql(CComboBox& box, LPCTSTR sql, bool withIds);
// Loading: an empty text clears the control, otherwise its four numbers become the address. Saving: a
// blank control gives the empty text, otherwise the dotted address.
void DDX_IPAddressText(CDataExchange* pDX, CIPAddressCtrl& control, CString& text);
// Runs every waiting message of the thread, then the application's idle work. A quit message seen on
// the way is posted again for the main loop.
void PumpMessages();
// The position of the first item whose text equals the text exactly (an empty item text never
// matches), or of the first item with the command id; -1 when none.
int FindMenuItemByText(CMenu* pMenu, LPCTSTR text);
int FindMenuItemById(CMenu* pMenu, UINT id);
