// Importing generated MP3 files into an empty library (frame data, tags through the CD-database control,
// album look-up, two inserts per file on the library's own journal and sync settings, the files as one
// import batch), beside reading the same files' tags with TagLib alone. Goal: a ratio of at most 3.

#include "bench/LibraryBenchSupport.h"
#include "library/ImportBatch.h"
#include "library/LibraryLocations.h"
#include "library/MusicImport.h"
#include "library/MusicImportHost.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADODatabaseHelper.h"

#include "app/CPelicanApp.h"
#include "platform/base/FileApi.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Modules.h"
#include "platform/base/PathApi.h"
#include "platform/base/Paths.h"
#include "platform/com/ObjBase.h"

#include <benchmark/benchmark.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Makes count tagged MP3 files, one album per twelve tracks; their POSIX paths.
std::vector<std::string> MakeFiles(const std::filesystem::path& folder, long count)
{
    const std::string wav = (folder / "tone.wav").string();
    const std::string first = (folder / "first.mp3").string();
    if (std::system(("sox -n -r 44100 -c 2 '" + wav + "' synth 2 sine 440").c_str()) != 0
        || std::system(
               ("lame --quiet -b 128 --add-id3v2 --ta Artist --tl Album --tt Track '" + wav + "' '" + first + "'")
                   .c_str())
            != 0)
        return {};
    std::vector<std::string> files;
    for (long i = 0; i < count; ++i) {
        const std::string path = (folder / ("file" + std::to_string(i) + ".mp3")).string();
        std::filesystem::copy_file(first, path, std::filesystem::copy_options::overwrite_existing);
        TagLib::FileRef file(path.c_str());
        file.tag()->setAlbum("Album " + TagLib::String::number(static_cast<int>(i / 12)));
        file.tag()->setTitle("Track " + TagLib::String::number(static_cast<int>(i)));
        file.tag()->setTrack(static_cast<unsigned>(i % 12 + 1));
        file.save();
        files.push_back(path);
    }
    return files;
}

void BM_ImportMp3FilesBesideTagLib(benchmark::State& state)
{
    const BenchRunFolder run("import-bench");
    const auto& folder = run.path();
    const long count = static_cast<long>(state.range(0));
    const std::vector<std::string> files = MakeFiles(folder, count);
    if (files.empty() || FAILED(platform::EnsureDataAccessRegistered()) || !RegisterControl()) {
        state.SkipWithError("the files could not be made or the classes registered");
        return;
    }

    CPelicanApp app;
    app.m_strDataSource = (platform::ToProgramPath(folder.string()) + "\\").c_str();
    app.m_strMaker = "Aldercrest";
    app.m_strDeviceName = "Bench";
    app.m_bCDDBControlPresent = TRUE;
    QuietImportHost host;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder / "Aldercrest");
        if (!_ADODatabaseHelper().CreateLibraryDatabase(GetDatabasePath())
            || !theLibraryConnection.OpenDatabase(GetDatabasePath())) {
            state.SkipWithError("the library could not be made");
            break;
        }
        state.ResumeTiming();

        const auto importStart = std::chrono::steady_clock::now();
        {
            // The files are one import, as a folder or a choice of files is.
            ImportBatch batch;
            for (const std::string& file : files) {
                if (AddFileToLibrary(host, platform::ToProgramPath(file).c_str(), kAlbumFromTags) != 1) {
                    state.SkipWithError("a file was not imported");
                    break;
                }
            }
        }
        const double import = Seconds(importStart);

        const auto tagStart = std::chrono::steady_clock::now();
        std::size_t characters = 0;
        for (const std::string& file : files) {
            const TagLib::FileRef tags(file.c_str());
            characters += tags.tag()->album().size() + tags.tag()->artist().size() + tags.tag()->title().size();
        }
        benchmark::DoNotOptimize(characters);
        const double tagLib = Seconds(tagStart);

        state.counters["import_files_per_s"] = static_cast<double>(count) / import;
        state.counters["taglib_files_per_s"] = static_cast<double>(count) / tagLib;
        state.counters["ratio"] = import / tagLib;
        theLibraryConnection.Close();
    }
}

} // namespace

BENCHMARK(BM_ImportMp3FilesBesideTagLib)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
