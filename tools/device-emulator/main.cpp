// The device emulator as a program: one emulated device on this machine until SIGINT or SIGTERM.
//   device-emulator [port=1500] [folder=device] [udn=...] [name=...] [serial=...] [maker=...]
//                   [product=...] [revision=2] [pause=ms] [drop=A,B] [refuse=A] [delay=A:500,B:20] [Key.name=value]

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/device-emulator/DeviceEmulator.h"
#include "tools/device-emulator/DevicePaths.h"

int main(int argc, char** argv)
{
    emulator::EmulatorOptions options;
    std::string error;
    if (!emulator::ParseEmulatorArguments(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "device-emulator: %s\n", error.c_str());
        return 2;
    }

    // The signals are taken by sigwait below, never by a handler in the middle of the device's work.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    // The framework resolves transfer paths against the current directory, so a library elsewhere
    // becomes the directory the device works in.
    if (emulator::FolderInCurrentDirectory(options.folder).empty()) {
        std::error_code fileError;
        std::filesystem::create_directories(options.folder, fileError);
        if (fileError || chdir(options.folder.c_str()) != 0) {
            std::fprintf(stderr, "device-emulator: cannot use the library folder %s\n", options.folder.c_str());
            return 1;
        }
        options.folder = std::filesystem::path(".").string();
    }

    emulator::DeviceEmulator device(options);
    if (!device.Start(error)) {
        std::fprintf(stderr, "device-emulator: %s\n", error.c_str());
        return 1;
    }
    std::error_code fileError;
    std::fprintf(stderr, "device-emulator: %s listens on port %d with its library in %s\n", options.udn.c_str(),
        options.port, std::filesystem::absolute(options.folder, fileError).lexically_normal().c_str());

    int received = 0;
    sigwait(&signals, &received);
    device.Stop();
    return 0;
}
