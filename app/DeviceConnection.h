#pragma once
// Opening the device of the current library through the synchronisation component: the identity the
// library chooser put into the application object, the library's connection string, customer 1.

struct IQVClientDevice;

// What opening the device gave.
enum DeviceConnectResult {
    kDeviceConnected = 0,      // *device holds the device, which knows the maker's and the device's names
    kNoConnectionObject = 1,   // the component's connection object could not be made
    kOpenDeviceFailed = 3,     // the device did not open (no answer, no address)
    kNoDeviceInterface = 4,    // the component gave no device object
};

// Opens the device; *device, expected null, receives it on kDeviceConnected and stays null otherwise.
int ConnectLibraryDevice(IQVClientDevice** device);
