#pragma once
// Preferences of how the device is found: the default broadcast or a list of custom broadcast masks,
// and the name the open library's device is shown by in the window caption.

#include "app/CPreferencePage.h"
#include "platform/afx/CIPAddressCtrl.h"
#include "platform/afx/CListBox.h"

class CDiscoveryPage : public CPreferencePage {
public:
    CDiscoveryPage();

    BOOL OnInitDialog() override;

    BOOL m_bCustomMasks { FALSE };
    CString m_strDeviceName;
    CListBox m_masks;
    CIPAddressCtrl m_address;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void WriteSettings() override;
    afx_msg void OnUseDefaultMasks();
    afx_msg void OnUseCustomMasks();
    afx_msg void OnAddMask();
    afx_msg void OnEditMask();
    afx_msg void OnRemoveMask();
    afx_msg void OnDeviceNameChanged();
    DECLARE_MESSAGE_MAP()

private:
    void EnableMaskControls(BOOL enable);
    // Empties the list and fills it from the stored masks.
    void FillMasks();
};

// A broadcast mask the device can use: not empty and not 0.0.0.0.
bool IsValidMask(const CString& mask);
