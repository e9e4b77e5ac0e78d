#pragma once
// An IP address control: four fields of 0 to 255.

#include "platform/afx/CWnd.h"
#include "platform/comctl/CommCtrl.h"

class CIPAddressCtrl : public CWnd {
    DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    // Makes the control as child nID of pParentWnd.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetAddress(DWORD dwAddress) { SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(dwAddress)); }
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3)
    {
        SetAddress(static_cast<DWORD>(MAKEIPADDRESS(nField0, nField1, nField2, nField3)));
    }
    // The number of fields that are not blank; the address in dwAddress.
    int GetAddress(DWORD& dwAddress) const
    {
        return static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&dwAddress)));
    }
    void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
    BOOL IsBlank() const { return static_cast<BOOL>(SendMessage(IPM_ISBLANK)); }
    void SetFieldRange(int nField, BYTE nLower, BYTE nUpper)
    {
        SendMessage(IPM_SETRANGE, static_cast<WPARAM>(nField), MAKEWORD(nLower, nUpper));
    }
    void SetFieldFocus(WORD nField) { SendMessage(IPM_SETFOCUS, nField); }
};
