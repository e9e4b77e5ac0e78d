// Each test process runs in a folder of its own: the current directory and TUNESTEWARD_HOME
// (registry hives, settings) point into a fresh temporary folder that is removed afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    std::string pattern = (std::filesystem::temp_directory_path() / "tstest-XXXXXX").string();
    const char* root = mkdtemp(pattern.data());
    if (!root) {
        std::perror("mkdtemp");
        return 2;
    }
    const std::filesystem::path base(root);
    std::filesystem::create_directories(base / "home");
    std::filesystem::create_directories(base / "cwd");
    setenv("TUNESTEWARD_HOME", (base / "home").c_str(), 1);
    std::filesystem::current_path(base / "cwd");

    const int result = RUN_ALL_TESTS();

    std::error_code ec;
    std::filesystem::current_path(base.parent_path(), ec);
    if (!std::getenv("TUNESTEWARD_KEEP_TEST_DIR"))
        std::filesystem::remove_all(base, ec);
    return result;
}
