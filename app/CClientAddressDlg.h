#pragma once
// The library chooser of the Open Library command: it searches the network for the maker's devices,
// offers them beside the local sample library, restores each device's saved password, and on OK makes
// the chosen library the application's current one (a new device gets its folders and library file and
// is connected; the local library is made writable and brought up to date).

#include "app/CBaseDialog.h"
#include "platform/afx/CAnimateCtrl.h"
#include "platform/afx/CComboBox.h"

class CMainFrame;

class CClientAddressDlg : public CBaseDialog {
public:
    // The search message the dialog posts to itself once it shows.
    static constexpr UINT WM_SEARCH_DEVICES = WM_APP + 1;

    // Empties the application's device list; the connection on OK goes to the frame's device.
    explicit CClientAddressDlg(CMainFrame* pFrame);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CComboBox m_cbDevices;
    BOOL m_bSavePassword { FALSE };
    CString m_strPassword;
    CAnimateCtrl m_animSearch;
    // Handed to the component's discovery when the custom masks are switched on; empty otherwise.
    CString m_strBroadcastMasks;

protected:
    afx_msg LRESULT OnSearchDevices(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSelchangeDevice();
    void OnOK() override;
    DECLARE_MESSAGE_MAP()

private:
    // Adds the entry to the application's list and its display text to the box, with the entry's index
    // as the item's data.
    int AddDeviceEntry(LPCTSTR description, LPCTSTR deviceName, LPCTSTR password, LPCTSTR maker, LPCTSTR address,
        LPCTSTR dataSource, LPCTSTR product, LPCTSTR udn, BYTE savePassword);
    // Lists the devices discovery finds; false when the component or its listing failed (no selection then).
    bool ListNetworkDevices();
    // Selects the LastDevice setting's entry, else the first one.
    void SelectLastDevice();
    // Copies the chosen entry into the application and stores its password settings.
    void TakeSelection();
    // The folders and file of a device library met for the first time, then the connection.
    void OpenNetworkLibrary();
    // Makes the local library's file writable and brings it up to date.
    void OpenLocalLibrary();

    CMainFrame* m_pFrame { nullptr };
    bool m_bSearched { false };
};
