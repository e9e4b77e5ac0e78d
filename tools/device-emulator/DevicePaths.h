#pragma once
// The device's references to its own files and documents, and where they live in the library folder.
// The component names the same file in several forms: "vqp://udn/7.0.5/Database/a.jpg",
// "file://localhost/Database/a.jpg" and "Database/a.jpg" all mean Database/a.jpg below the device's
// root; "7.0.5/" is the firmware's name for that root.

#include <filesystem>
#include <string>
#include <string_view>

namespace emulator {

// The path below the device's root that a reference names, without scheme, host and firmware folder;
// empty when it names nothing there (empty, absolute, or stepping up with "..").
std::string DevicePath(std::string_view reference);

// The document reference the device hands out for a path below its root.
std::string DeviceReference(const std::string& devicePath);

// The folder as the framework's transfer rule sees it: relative to the current directory and
// normalised ("." for the directory itself); empty when the folder lies outside it.
std::string FolderInCurrentDirectory(const std::filesystem::path& folder);

} // namespace emulator
