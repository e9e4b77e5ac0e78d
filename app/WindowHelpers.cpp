#include "app/WindowHelpers.h"

#include <cstdlib>

#include "library/AppRoutines.h"
#include "library/ResultChecking.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/ado/Ado.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CComboBox.h"
#include "platform/afx/CDataExchange.h"
#include "platform/afx/CIPAddressCtrl.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CWinThread.h"
#include "platform/afx/CWnd.h"
#include "platform/com/BstrT.h"

namespace {

constexpr long kAdCmdStoredName = 2;
constexpr int kClassNameLength = 64;

} // namespace

bool IsEditControl(CWnd* pWnd)
{
    if (!pWnd || !pWnd->m_hWnd)
        return false;
    char name[kClassNameLength] {};
    ::GetClassName(pWnd->m_hWnd, name, kClassNameLength);
    return CString(name) == "Edit";
}

bool ForEachClipRow(_Recordset* recordset, bool withIds, const std::function<void(const CString&, bool, long)>& takeRow)
{
    if (!recordset)
        return false;
    try {
        _ADORecordsetHelper rows(recordset);
        const long count = rows.RecordCount();
        for (long i = 0; i < count; ++i) {
            BSTR raw = nullptr;
            CheckResult(recordset->GetString(adClipString, 1, _bstr_t(","), _bstr_t("\n"), _bstr_t(""), &raw),
                theLibraryConnection.GetConnection());
            _bstr_t row;
            row.Attach(raw);
            CString text(static_cast<const char*>(row));
            if (!text.IsEmpty())
                text = text.Left(text.GetLength() - 1);
            long id = 0;
            bool hasId = false;
            if (withIds) {
                if (const int comma = text.ReverseFind(','); comma >= 0) {
                    id = std::atol(text.Mid(comma + 1));
                    text = text.Left(comma);
                    hasId = true;
                }
            }
            takeRow(text, hasId, id);
        }
    } catch (const _com_error&) {
        return false;
    }
    return true;
}

bool FillComboFromRecordset(CComboBox& box, _Recordset* recordset, bool withIds)
{
    return ForEachClipRow(recordset, withIds, [&box](const CString& text, bool hasId, long id) {
        const int index = box.InsertString(-1, text);
        if (hasId && index >= 0)
            box.SetItemData(index, static_cast<DWORD_PTR>(id));
    });
}

bool FillComboFromSql(CComboBox& box, LPCTSTR sql, bool withIds)
{
    _ADORecordsetHelper rows;
    // The callers name the rows' source: a stored query or a table.
    if (!theLibraryConnection.ExecuteSql(sql, rows.ReceivePointer(), kAdCmdStoredName))
        return false;
    const bool filled = FillComboFromRecordset(box, rows.Get(), withIds);
    rows.Release();
    return filled;
}

void DDX_IPAddressText(CDataExchange* pDX, CIPAddressCtrl& control, CString& text)
{
    if (pDX->m_bSaveAndValidate) {
        if (control.IsBlank()) {
            text.Empty();
            return;
        }
        DWORD address = 0;
        control.GetAddress(address);
        text = FormatIpAddress(static_cast<BYTE>(address >> 24), static_cast<BYTE>(address >> 16),
            static_cast<BYTE>(address >> 8), static_cast<BYTE>(address));
        return;
    }
    BYTE b0 = 0, b1 = 0, b2 = 0, b3 = 0;
    // A text that is no address clears the control rather than showing bytes never set.
    if (text.IsEmpty() || !ParseIpAddress(text, b0, b1, b2, b3))
        control.ClearAddress();
    else
        control.SetAddress(b0, b1, b2, b3);
}

void PumpMessages()
{
    CWinThread* thread = AfxGetThread();
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        // The quit message goes back with its exit code, for the main loop to end on.
        if (thread && !thread->PumpMessage()) {
            ::PostQuitMessage(static_cast<int>(thread->m_msgCur.wParam));
            return;
        }
        if (!thread) {
            if (!::GetMessage(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    if (thread)
        for (LONG count = 0; thread->OnIdle(count); ++count) { }
}

int FindMenuItemByText(CMenu* pMenu, LPCTSTR text)
{
    if (!pMenu || !text)
        return -1;
    const int count = static_cast<int>(pMenu->GetMenuItemCount());
    for (int i = 0; i < count; ++i) {
        CString itemText;
        pMenu->GetMenuString(static_cast<UINT>(i), itemText, MF_BYPOSITION);
        if (!itemText.IsEmpty() && itemText == text)
            return i;
    }
    return -1;
}

int FindMenuItemById(CMenu* pMenu, UINT id)
{
    if (!pMenu)
        return -1;
    const int count = static_cast<int>(pMenu->GetMenuItemCount());
    for (int i = 0; i < count; ++i)
        if (pMenu->GetMenuItemID(i) == id)
            return i;
    return -1;
}
