#include "tools/device-emulator/EmulatorOptions.h"

#include <charconv>

namespace emulator {

namespace {

bool ReadInt(const std::string& text, int low, int high, int& value)
{
    int parsed = 0;
    const char* last = text.data() + text.size();
    const auto [end, status] = std::from_chars(text.data(), last, parsed);
    if (text.empty() || status != std::errc() || end != last || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

} // namespace

bool ParseEmulatorArguments(const std::vector<std::string>& arguments, EmulatorOptions& options, std::string& error)
{
    for (const std::string& argument : arguments) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos || equals == 0) {
            error = "argument " + argument + " is not key=value";
            return false;
        }
        const std::string key = argument.substr(0, equals);
        const std::string value = argument.substr(equals + 1);
        std::string* text = nullptr;
        if (key == "folder")
            text = &options.folder;
        else if (key == "udn")
            text = &options.udn;
        else if (key == "name")
            text = &options.friendlyName;
        else if (key == "serial")
            text = &options.serialNumber;
        else if (key == "maker")
            text = &options.maker;
        else if (key == "product")
            text = &options.productName;

        if (text) {
            if (value.empty() && key != "product") {
                error = key + " must not be empty";
                return false;
            }
            *text = value;
        } else if (key == "port") {
            if (!ReadInt(value, 1, 65535, options.port)) {
                error = "port must be a number from 1 to 65535";
                return false;
            }
        } else if (key == "revision") {
            if (!ReadInt(value, 0, 99, options.revision)) {
                error = "revision must be a number from 0 to 99";
                return false;
            }
        } else if (key == "pause") {
            if (!ReadInt(value, 0, 1000, options.pauseMilliseconds)) {
                error = "pause must be a number of milliseconds from 0 to 1000";
                return false;
            }
        } else if (key == "drop" || key == "delay" || key == "refuse") {
            // Checked now, so that a typing error stops the start instead of being ignored later.
            RequestRules probe;
            if (!probe.Parse(key, value, error))
                return false;
            options.ruleArguments.emplace_back(key, value);
        } else if (key.find('.') != std::string::npos) {
            options.frameworkProperties.emplace_back(key, value);
        } else {
            error = "unknown argument " + key;
            return false;
        }
    }
    return true;
}

} // namespace emulator
