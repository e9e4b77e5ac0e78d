// The main() of a fuzz target outside the fuzzing build: runs the entry point once on every file of the
// folders (or the files) given, in name order, so a crash, leak or sanitizer report that a committed
// input once caused shows up in an ordinary test run. Like the tests, it works in a fresh temporary
// current directory with TUNESTEWARD_HOME inside it, removed afterwards.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> Inputs(int argc, char** argv)
{
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path given = fs::absolute(argv[i]);
        if (!fs::is_directory(given)) {
            inputs.push_back(given);
            continue;
        }
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(given))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        inputs.insert(inputs.end(), files.begin(), files.end());
    }
    return inputs;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<fs::path> inputs = Inputs(argc, argv);
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER-OR-FILE... (no inputs found)\n", argv[0]);
        return 2;
    }

    std::string pattern = (fs::temp_directory_path() / "tsfuzz-XXXXXX").string();
    const char* root = mkdtemp(pattern.data());
    if (!root) {
        std::perror("mkdtemp");
        return 2;
    }
    const fs::path base(root);
    fs::create_directories(base / "home");
    fs::create_directories(base / "cwd");
    setenv("TUNESTEWARD_HOME", (base / "home").c_str(), 1);
    fs::current_path(base / "cwd");

    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    for (const fs::path& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 2;
        }
        const std::vector<char> bytes { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
        std::fprintf(stderr, "Running %s\n", input.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::fprintf(stderr, "Replayed %zu inputs.\n", inputs.size());

    std::error_code ec;
    fs::current_path(base.parent_path(), ec);
    fs::remove_all(base, ec);
    return 0;
}
