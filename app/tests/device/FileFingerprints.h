#pragma once
// Files compared by size and a digest of their bytes: equal files give equal texts, and a failing
// comparison prints a line rather than the whole file.

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>

namespace fingerprints {

inline std::string Bytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline std::string Fingerprint(const std::string& bytes)
{
    return std::to_string(bytes.size()) + ":" + std::to_string(std::hash<std::string> {}(bytes));
}

// The fingerprints of every file below the folder with the extension.
inline std::multiset<std::string> FileContents(const std::filesystem::path& folder, const std::string& extension)
{
    std::multiset<std::string> contents;
    if (!std::filesystem::exists(folder))
        return contents;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == extension)
            contents.insert(Fingerprint(Bytes(entry.path())));
    }
    return contents;
}

} // namespace fingerprints
