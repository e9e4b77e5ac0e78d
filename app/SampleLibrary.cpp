#include "app/SampleLibrary.h"

#include "library/LibraryLocations.h"
#include "library/_ADODatabaseHelper.h"
#include "platform/ado/Ado.h"
#include "platform/base/FileApi.h"
#include "platform/com/ObjBase.h"

SampleLibraryPlacement PlaceSampleLibrary()
{
    if (FAILED(platform::EnsureDataAccessRegistered()))
        return SampleLibraryPlacement::NoDataAccess;
    const CString root = GetSampleLibraryRoot();
    const CString database = root + "Database\\Tune Steward.mdb";
    if (GetFileAttributes(database) != INVALID_FILE_ATTRIBUTES)
        return SampleLibraryPlacement::AlreadyThere;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool made = false;
    {
        _ADODatabaseHelper helper;
        made = CreateLibraryFolders(root) && helper.CreateLibraryDatabase(database);
    }
    CoUninitialize();
    return made ? SampleLibraryPlacement::Placed : SampleLibraryPlacement::NotMade;
}
