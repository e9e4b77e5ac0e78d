// Every test of the component starts in an empty current folder, also when several run in one process:
// the tests make their library files, device folders and fetched files under fixed names there.

#include <filesystem>
#include <system_error>

#include <gtest/gtest.h>

namespace {

class FreshFolderPerTest final : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::current_path(error), error))
            std::filesystem::remove_all(entry.path(), error);
    }
};

// Appended before the tests run: static objects are made before main.
const bool g_registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshFolderPerTest);
    return true;
}();

} // namespace
