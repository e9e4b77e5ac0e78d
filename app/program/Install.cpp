// What an installer does before the first start, run in the program's home folder: registers the
// platform's data-access engine (which the program expects the machine to have, as it has the other
// system components) and places the local sample library there when none is there, a new library file
// with its folders made by the library's own creation code. The program itself never creates the
// sample library; without it Open Library says the local library file does not exist.
#include <cstdio>

#include "library/LibraryLocations.h"
#include "library/_ADODatabaseHelper.h"
#include "platform/ado/Ado.h"
#include "platform/base/FileApi.h"
#include "platform/com/ObjBase.h"

int main()
{
    if (FAILED(platform::EnsureDataAccessRegistered())) {
        std::fprintf(stderr, "The data-access engine could not be registered.\n");
        return 1;
    }
    const CString root = GetSampleLibraryRoot();
    const CString database = root + "Database\\Tune Steward.mdb";
    if (GetFileAttributes(database) != INVALID_FILE_ATTRIBUTES)
        return 0;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool made = false;
    {
        _ADODatabaseHelper helper;
        made = CreateLibraryFolders(root) && helper.CreateLibraryDatabase(database);
    }
    CoUninitialize();
    if (!made) {
        std::fprintf(stderr, "The sample library could not be made in the current folder.\n");
        return 1;
    }
    std::printf("Placed the sample library \"Local Library\" in the current folder.\n");
    return 0;
}
