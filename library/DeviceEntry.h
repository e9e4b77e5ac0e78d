#pragma once
// One library the library chooser can open: the local sample library or a device that discovery reported.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

struct DeviceEntry {
    CString m_strDisplay; // shown in the chooser: the device key's "DeviceName", else the description
    CString m_strDeviceName; // the device's serial number as discovery reports it; "DivideDuzereDud" locally
    CString m_strPassword; // the saved password, already unscrambled, or empty
    CString m_strMaker; // the device maker's name
    CString m_strAddress; // network address; "127.0.0.1" for the local library
    CString m_strDataSource; // folder that holds the device's library (the device key's "DataSource")
    CString m_strProduct; // the device's product name; empty for the local library
    CString m_strUdn; // the device's unique device name; "Local Library" for the local library
    BYTE m_bSavePassword = 0; // 1 when the device key's "SaveDevicePassword" was "T" at listing time
};
