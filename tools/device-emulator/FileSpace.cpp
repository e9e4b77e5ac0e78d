#include "tools/device-emulator/FileSpace.h"

#include <algorithm>

namespace emulator {

namespace {

constexpr const char* kMusicFolder = "Music/";
// The device stores what it is sent under numbered names of its own; the desktop keeps the name it
// is given.
constexpr const char* kFileStem = "T";
constexpr const char* kFileExtension = ".mp3";

} // namespace

FileSpace::FileSpace(std::filesystem::path folder)
    : m_folder(std::move(folder))
{
}

std::optional<Reservation> FileSpace::Reserve(long long size, int item)
{
    if (size < 0)
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    for (;;) {
        const int number = ++m_counter;
        const std::string fileName = std::string(kMusicFolder) + kFileStem + std::to_string(number) + kFileExtension;
        const bool taken = std::any_of(m_reservations.begin(), m_reservations.end(),
            [&](const auto& entry) { return entry.second.fileName == fileName; });
        std::error_code error;
        if (taken || std::filesystem::exists(m_folder / fileName, error))
            continue;
        Reservation reservation { "S" + std::to_string(number), fileName, size, item };
        m_reservations[reservation.spaceID] = reservation;
        return reservation;
    }
}

bool FileSpace::Release(const std::string& spaceID)
{
    std::lock_guard lock(m_mutex);
    return m_reservations.erase(spaceID) == 1;
}

std::vector<Reservation> FileSpace::Reservations() const
{
    std::lock_guard lock(m_mutex);
    std::vector<Reservation> reservations;
    for (const auto& [id, reservation] : m_reservations)
        reservations.push_back(reservation);
    return reservations;
}

} // namespace emulator
