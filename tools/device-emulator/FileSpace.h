#pragma once
// Room on the device for files the desktop is about to send: a file check reserves a place (a new
// file name below Music/) under a space id, and the desktop releases the reservation once the
// transfer has ended. Every member may be used from any thread.

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace emulator {

struct Reservation {
    std::string spaceID;
    // Where the file goes, below the device's root.
    std::string fileName;
    long long size { 0 };
    int item { 0 };
};

class FileSpace {
public:
    // The space of the library folder.
    explicit FileSpace(std::filesystem::path folder);

    // Reserves room for a file of the size; none for a negative size.
    std::optional<Reservation> Reserve(long long size, int item);
    // Ends a reservation; false when the id names none.
    bool Release(const std::string& spaceID);
    // The reservations still held, by space id.
    std::vector<Reservation> Reservations() const;

private:
    const std::filesystem::path m_folder;
    mutable std::mutex m_mutex;
    std::map<std::string, Reservation> m_reservations;
    int m_counter { 0 };
};

} // namespace emulator
