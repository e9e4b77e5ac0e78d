#include "tools/device-emulator/DevicePaths.h"

#include <algorithm>

namespace emulator {

namespace {

constexpr std::string_view kFirmwareFolder = "7.0.5/";
constexpr std::string_view kSchemes[] = { "vqp://", "file://" };
constexpr std::string_view kReferencePrefix = "file://localhost/";

} // namespace

std::string DevicePath(std::string_view reference)
{
    for (std::string_view scheme : kSchemes) {
        if (reference.starts_with(scheme)) {
            const std::size_t slash = reference.find('/', scheme.size());
            reference = slash == std::string_view::npos ? std::string_view {} : reference.substr(slash + 1);
            break;
        }
    }
    if (reference.starts_with(kFirmwareFolder))
        reference.remove_prefix(kFirmwareFolder.size());
    if (reference.empty() || reference.front() == '/' || reference.find('\0') != std::string_view::npos)
        return {};
    const std::filesystem::path path(reference);
    if (std::any_of(path.begin(), path.end(), [](const std::filesystem::path& part) { return part == ".."; }))
        return {};
    return std::string(reference);
}

std::string DeviceReference(const std::string& devicePath) { return std::string(kReferencePrefix) + devicePath; }

std::string FolderInCurrentDirectory(const std::filesystem::path& folder)
{
    std::error_code error;
    const std::filesystem::path base = std::filesystem::weakly_canonical(std::filesystem::current_path(error), error);
    if (error)
        return {};
    const std::filesystem::path full = std::filesystem::weakly_canonical(base / folder, error);
    if (error)
        return {};
    const std::filesystem::path relative = full.lexically_relative(base);
    if (relative.empty())
        return {};
    const auto up = std::find_if(relative.begin(), relative.end(), [](const auto& part) { return part == ".."; });
    if (up != relative.end())
        return {};
    return relative.lexically_normal().string();
}

} // namespace emulator
