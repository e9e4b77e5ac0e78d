// The device-emulator program: it serves until it is told to stop and refuses arguments it cannot use.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/device-emulator/tests/EmulatorHarness.h"

#include <gtest/gtest.h>

extern char** environ;

using namespace emulator::test;
namespace fs = std::filesystem;

namespace {

// The program beside this test binary.
std::string ProgramPath() { return (fs::read_symlink("/proc/self/exe").parent_path() / "device-emulator").string(); }

pid_t Spawn(const std::vector<std::string>& arguments)
{
    std::vector<std::string> texts { ProgramPath() };
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

// The program's exit status once it has ended; -1 when it did not end within the rounds.
int WaitForExit(pid_t pid, int rounds = 2000)
{
    for (int i = 0; i < rounds; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        usleep(5000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

class DeviceEmulatorProgramTest : public EmulatorTestBase, public ::testing::Test { };

TEST_F(DeviceEmulatorProgramTest, ServesUntilTerminatedAndEndsCleanly)
{
    for (int signal : { SIGTERM, SIGINT }) {
        const int programPort = FreeUdpPort();
        const pid_t pid = Spawn({ "port=" + std::to_string(programPort), "folder=device", "name=Program" });
        ASSERT_GT(pid, 0);

        const std::vector<std::string> peerArguments { "desk", "router.port=" + std::to_string(programPort),
            "Socket.broadcastAddress=127.0.0.1" };
        std::vector<const char*> argv;
        for (const std::string& argument : peerArguments)
            argv.push_back(argument.c_str());
        peer = std::make_unique<Peer>(static_cast<int>(argv.size()), argv.data());
        ASSERT_EQ(peer->Init(), 0);
        // The program may not listen yet when the first request goes out: ask again now and then.
        int round = 0;
        const bool found = PumpUntil([&] {
            if (round++ % 100 == 0)
                peer->Discover();
            return !peer->discovered.empty();
        });
        EXPECT_TRUE(found);
        if (found) {
            EXPECT_EQ(peer->discovered[0].GetString("friendlyName"), "Program");
        }
        peer.reset();

        kill(pid, signal);
        EXPECT_EQ(WaitForExit(pid), 0) << "signal " << signal;
    }
}

TEST_F(DeviceEmulatorProgramTest, RefusesArgumentsItCannotUse)
{
    StartDevice();
    const std::pair<std::vector<std::string>, int> cases[] = {
        { { "port=none" }, 2 },
        { { "delay=Music.query" }, 2 },
        { { "colour=red" }, 2 },
        { { "port=" + std::to_string(port), "folder=second" }, 1 },
    };
    for (const auto& [arguments, status] : cases) {
        const pid_t pid = Spawn(arguments);
        ASSERT_GT(pid, 0);
        EXPECT_EQ(WaitForExit(pid), status) << arguments[0];
    }
}

} // namespace
