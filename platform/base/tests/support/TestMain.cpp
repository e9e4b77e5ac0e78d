// Every test runs in a folder of its own, also when several run in one process (CTest runs a whole
// suite per process): the current directory and TUNESTEWARD_HOME (registry hives, settings) point into
// a fresh folder under the run's temporary folder, which is removed afterwards. Tests make their files
// under fixed names, and the registry looks its hives up by path on every call.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

class FolderPerTest final : public ::testing::EmptyTestEventListener {
public:
    explicit FolderPerTest(std::filesystem::path base)
        : m_base(std::move(base))
    {
    }

    void OnTestStart(const ::testing::TestInfo&) override
    {
        const auto folder = m_base / std::to_string(++m_nTests);
        std::filesystem::create_directories(folder / "home");
        std::filesystem::create_directories(folder / "cwd");
        setenv("TUNESTEWARD_HOME", (folder / "home").c_str(), 1);
        std::filesystem::current_path(folder / "cwd");
    }

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        std::error_code ec;
        std::filesystem::current_path(m_base, ec);
        if (!std::getenv("TUNESTEWARD_KEEP_TEST_DIR"))
            std::filesystem::remove_all(m_base / std::to_string(m_nTests), ec);
    }

private:
    std::filesystem::path m_base;
    int m_nTests { 0 };
};

} // namespace

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
    // Code that runs outside a test (static objects, environments) still finds a home of its own.
    std::filesystem::create_directories(base / "home");
    setenv("TUNESTEWARD_HOME", (base / "home").c_str(), 1);
    std::filesystem::current_path(base);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FolderPerTest(base));

    const int result = RUN_ALL_TESTS();

    std::error_code ec;
    std::filesystem::current_path(base.parent_path(), ec);
    if (!std::getenv("TUNESTEWARD_KEEP_TEST_DIR"))
        std::filesystem::remove_all(base, ec);
    return result;
}
