#include "library/ImportCopyJournal.h"

#include "library/LibraryLocations.h"
#include "library/_ADOConnectionHelper.h"

#include "platform/base/FileApi.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

CString JournalPath() { return MakeLibraryPath("Database\\Import copies.txt"); }

std::vector<CString> ListedCopies()
{
    std::vector<CString> copies;
    const FileHandle journal { platform::OpenFile(JournalPath(), "rt") };
    if (!journal)
        return copies;
    std::string line;
    for (int c = 0; (c = std::fgetc(journal.get())) != EOF;) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (!line.empty())
            copies.emplace_back(line.c_str());
        line.clear();
    }
    return copies;
}

// True when a track of the library, deleted or not, names the file (its path as the library keeps it).
bool NamedByTrack(const CString& copy)
{
    const _variant_t storedPath(MakeRelativePath(copy).GetString());
    const _variant_t count = theLibraryConnection.RunStoredQueryScalar(
        "PARAMETERS p0 Text ( 255 ); SELECT COUNT(*) FROM tMusicTracks WHERE FilePath = p0", &storedPath, 1, -1);
    // Without an answer the copy is kept: a file too many is better than a track without its file.
    return count.vt != VT_I4 || count.lVal != 0;
}

} // namespace

void ImportCopyJournal::Note(const CString& copy)
{
    const FileHandle journal { platform::OpenFile(JournalPath(), "at") };
    if (journal)
        std::fprintf(journal.get(), "%s\n", copy.GetString());
}

void ImportCopyJournal::Clear()
{
    if (GetFileAttributes(JournalPath()) != INVALID_FILE_ATTRIBUTES)
        DeleteFile(JournalPath());
}

void ImportCopyJournal::Recover()
{
    if (GetFileAttributes(JournalPath()) == INVALID_FILE_ATTRIBUTES || !theLibraryConnection.IsOpen())
        return;
    for (const CString& copy : ListedCopies()) {
        if (GetFileAttributes(copy) != INVALID_FILE_ATTRIBUTES && !NamedByTrack(copy))
            DeleteFile(copy);
    }
    Clear();
}
