#pragma once
// Uploads files to a device with the framework's file transfer alone: a plain process that registers
// with the device's router and puts one file after the other, as a synchronisation's uploads do, but
// with nothing around them. Kept free of the networking headers, which clash with the platform's.

#include <memory>
#include <string>

class VftpUploader {
public:
    // A process that reaches the router on the loopback port; gapMilliseconds sets both message gaps,
    // a negative value leaves the framework's defaults.
    VftpUploader(int routerPort, int gapMilliseconds);
    ~VftpUploader();
    VftpUploader(const VftpUploader&) = delete;
    VftpUploader& operator=(const VftpUploader&) = delete;

    // Opens the socket and registers with the router; false when the router does not answer.
    bool Start();
    // Puts the local file to the device path and waits for its end; true when it completed.
    bool Put(const std::string& localPath, const std::string& devicePath);

private:
    class Process;
    std::unique_ptr<Process> m_process;
};
