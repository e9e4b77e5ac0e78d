#pragma once
// MP3 files made at test time: a short tone from sox encoded by lame with the options a test names.
// Files are written into the test's current folder; nothing here is committed as audio.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace mp3fixtures {

// The full POSIX path of a file in the test's current folder.
inline std::string HerePath(const std::string& name) { return (std::filesystem::current_path() / name).string(); }

// Encodes a tone of the given length with lame and the extra options (tags, rate); the file's full path,
// or empty (with a test failure) when the tools fail.
inline std::string MakeMp3(const std::string& name, const std::string& lameOptions, int seconds = 1, int channels = 2)
{
    const std::string wav = HerePath("tone-" + std::to_string(seconds) + "-" + std::to_string(channels) + ".wav");
    if (!std::filesystem::exists(wav)) {
        const std::string sox = "sox -n -r 44100 -c " + std::to_string(channels) + " '" + wav + "' synth "
            + std::to_string(seconds) + " sine 440";
        if (std::system(sox.c_str()) != 0) {
            ADD_FAILURE() << "sox failed: " << sox;
            return {};
        }
    }
    const std::string mp3 = HerePath(name);
    const std::string lame = "lame --quiet " + lameOptions + " '" + wav + "' '" + mp3 + "'";
    if (std::system(lame.c_str()) != 0) {
        ADD_FAILURE() << "lame failed: " << lame;
        return {};
    }
    return mp3;
}

// Writes bytes to a file in the test's current folder and returns its full path.
inline std::string WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes)
{
    const std::string path = HerePath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

} // namespace mp3fixtures
