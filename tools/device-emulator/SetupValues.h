#pragma once
// The owner's details that the device keeps for the desktop ("Setup.firstName" and the rest): a small
// store of texts, saved in the library folder whenever one changes. Every member may be used from any
// thread.

#include <filesystem>
#include <map>
#include <mutex>
#include <string>

namespace emulator {

// The prefix of the keys the device keeps here.
inline constexpr const char* kSetupPrefix = "Setup.";

class SetupValues {
public:
    // The store of the folder (its file Database/Setup.txt); nothing is read yet.
    explicit SetupValues(std::filesystem::path folder);

    // Reads the saved values; a missing file is an empty store. False when the file cannot be read.
    bool Load();
    // The value of a key, empty when unset.
    std::string Get(const std::string& key) const;
    // Sets a "Setup." key and saves the store; false (nothing changed) for another key or when the
    // store cannot be saved.
    bool Set(const std::string& key, const std::string& value);
    // Every value, by key.
    std::map<std::string, std::string> All() const;

private:
    bool SaveLocked() const;

    const std::filesystem::path m_file;
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_values;
};

} // namespace emulator
