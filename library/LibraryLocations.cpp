#include "library/LibraryLocations.h"

#include "app/CPelicanApp.h"
#include "library/ConnectionString.h"
#include "library/FileRoutines.h"
#include "library/PathRoutines.h"
#include "platform/base/FileApi.h"
#include "platform/base/PathApi.h"

#include <string>
#include <vector>

namespace {

// The device name of the local sample library; its folder carries the name as the user's file has it.
constexpr const char* kSampleLibraryName = "DivideDuzereDud";
// Characters a folder name cannot hold; each becomes "_".
constexpr const char* kFolderNameReserved = " ./\\[]:+|<>=;,*?\"";

CString FolderSafe(const CString& name)
{
    CString safe = name;
    for (const char* c = kFolderNameReserved; *c != '\0'; ++c)
        safe.Replace(*c, '_');
    return safe;
}

CString CurrentDirectory()
{
    std::vector<char> buffer(MAX_PATH);
    DWORD length = GetCurrentDirectory(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = GetCurrentDirectory(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (length == 0 || length >= buffer.size())
        return CString();
    return CString(buffer.data(), static_cast<int>(length));
}

bool FileExists(LPCTSTR path)
{
    const DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

CString Text(LPCTSTR text) { return CString(text != nullptr ? text : ""); }

} // namespace

CString GetDataSourceDirectory()
{
    CPelicanApp* app = GetPelicanApp();
    CString dataSource = app != nullptr ? app->m_strDataSource : CString();
    if (dataSource.IsEmpty()) {
        dataSource = CurrentDirectory() + "\\";
        if (app != nullptr)
            app->m_strDataSource = dataSource;
    }
    return dataSource.Left(dataSource.ReverseFind('\\') + 1);
}

CString GetLibraryFolderName()
{
    CPelicanApp* app = GetPelicanApp();
    if (app == nullptr)
        return CString();
    if (app->m_strDeviceName.CompareNoCase(kSampleLibraryName) == 0)
        return app->m_strDeviceName;
    return FolderSafe(app->m_strMaker) + "\\" + FolderSafe(app->m_strDeviceName);
}

CString GetLibraryRoot() { return GetDataSourceDirectory() + GetLibraryFolderName() + "\\"; }

CString GetDatabasePath() { return GetLibraryRoot() + "Database\\Tune Steward.mdb"; }

CString GetDatabaseConnectionString() { return MakeConnectionString(GetDatabasePath()); }

CString GetCoversPath() { return GetLibraryRoot() + "Music\\Covers\\"; }

CString GetMp3Path() { return GetLibraryRoot() + "Music\\MP3s\\"; }

CString GetSampleCoversPath()
{
    CPelicanApp* app = GetPelicanApp();
    if (app != nullptr && !app->m_strDefaultArtDirectory.IsEmpty())
        return app->m_strDefaultArtDirectory;
    return GetSampleLibraryRoot() + "Music\\Covers\\";
}

CString GetSampleLibraryRoot() { return GetDataSourceDirectory() + kSampleLibraryName + "\\"; }

bool CreateLibraryFolders(const CString& root)
{
    for (const char* folder : { "Database", "Radio\\Radios", "Radio\\Covers", "Music\\CDs", "Music\\Covers", "Music\\MP3s",
             "Music\\Playlists" }) {
        if (!CreateDirectoryPath(root + folder))
            return false;
    }
    return true;
}

CString GetGenreCoverPath(long genreId)
{
    static constexpr const char* kDefaultCover = "Default Cover.jpg";
    CString file = kDefaultCover;
    CPelicanApp* app = GetPelicanApp();
    if (genreId > 0 && app != nullptr) {
        for (INT_PTR i = 0; i < app->m_genres.GetSize(); ++i) {
            if (app->m_genres[i].m_nGenreId == genreId) {
                file = app->m_genres[i].m_strCoverArt;
                break;
            }
        }
    }
    const CString folder = GetSampleCoversPath();
    const CString candidate = folder + file;
    if (FileExists(candidate))
        return candidate;
    return folder + kDefaultCover;
}

CString MakeLibraryPath(LPCTSTR relativePath) { return GetLibraryRoot() + Text(relativePath); }

CString MakeRelativePath(LPCTSTR path) { return TailOfPath(path, GetLibraryRoot()); }

