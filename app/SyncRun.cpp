#include "app/SyncRun.h"

#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "app/WideText.h"
#include "library/AppRoutines.h"
#include "library/LibraryFileSwap.h"
#include "library/LibraryLocations.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADODatabaseHelper.h"
#include "platform/afx/AfxConnection.h"
#include "platform/base/CodePage.h"
#include "platform/base/FileApi.h"
#include "platform/base/PathApi.h"
#include "platform/com/CComBSTR.h"
#include "sync/Lumasync.h"
#include "toolkit/controls/SECFileSystem.h"

namespace {

constexpr const char* kConnectionPrefix = "Provider=Microsoft.JET.OLEDB.4.0;Data source=";
constexpr LONG kLibrarySteps = 0xF;
constexpr LONG kRadioSteps = 0x3000;
constexpr DWORD kCopyBufferSize = 10240;

bool Exists(LPCTSTR path) { return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

} // namespace

SyncRun::SyncRun(IQVClientDevice* device)
    : m_pDevice(device)
{
    m_strDatabasePath = GetDatabasePath();
    m_strCopyPath = GetLibraryRoot() + "Database\\copyDB.mdb";
    m_strCompactPath = GetLibraryRoot() + "Database\\CompactDB.mdb";
}

SyncRun::~SyncRun()
{
    Unadvise();
    if (m_nPhase != 3)
        DropWorkingFiles();
}

LONG SyncRun::Flags()
{
    const CPelicanApp* app = GetPelicanApp();
    return kLibrarySteps | (app && app->m_bRadioSupported ? kRadioSteps : 0);
}

bool SyncRun::Advise(IUnknown* sink)
{
    Unadvise();
    if (!AfxConnectionAdvise(m_pDevice, platform::IidOf<IQVClientDeviceEvents>(), sink, FALSE, &m_dwCookie))
        return false;
    m_pSink = sink;
    return true;
}

void SyncRun::Unadvise()
{
    if (m_dwCookie != 0)
        AfxConnectionUnadvise(m_pDevice, platform::IidOf<IQVClientDeviceEvents>(), m_pSink, FALSE, m_dwCookie);
    m_dwCookie = 0;
    m_pSink = nullptr;
}

bool SyncRun::PrepareDevice(const CString& databasePath)
{
    if (FAILED(m_pDevice->put_TuneStewardDBConnectionString(WideText(kConnectionPrefix + databasePath))))
        return false;
    const CString root = GetLibraryRoot();
    m_pDevice->put_MusicFolder(WideText(root + "Music"));
    m_pDevice->put_RadioFolder(WideText(root + "Radio"));
    return true;
}

SyncRun::Step SyncRun::SendChanges(const std::function<int()>& ask)
{
    m_nPhase = 1;
    if (!theLibraryConnection.IsOpen() && !theLibraryConnection.OpenDatabase(m_strDatabasePath))
        return { Next::End };
    const bool pending = _ADOConnectionHelper::HasPendingChanges();
    // From here on the component reads and writes the file through its own connection.
    theLibraryConnection.Close();
    if (!pending)
        return { Next::Rebuild };
    if (ask) {
        const int answer = ask();
        if (answer == IDNO)
            return { Next::Rebuild };
        if (answer != IDYES)
            return { Next::End };
    }
    if (!PrepareDevice(m_strDatabasePath))
        return { Next::End, IDS_SYNC_DEVICE_ERROR };
    LONG result = 0;
    if (FAILED(m_pDevice->SyncClientDeviceFromTuneSteward(Flags(), &result)))
        return { Next::End, IDS_SYNC_FAILED };
    return { Next::WaitForDevice };
}

SyncRun::Step SyncRun::StartRebuild()
{
    m_nPhase = 2;
    if (Exists(m_strCopyPath) && !DeleteFile(m_strCopyPath))
        return { Next::End };
    // A failed copy shows up as the emptying's failure.
    SECFileSystem().CopyFile(m_strDatabasePath, m_strCopyPath, kCopyBufferSize);
    {
        _ADODatabaseHelper helper;
        if (!helper.EmptyLibrary(m_strCopyPath) || !helper.UpgradeLibraryDatabase(m_strCopyPath)) {
            DropWorkingFiles();
            return { Next::End };
        }
    }
    if (Exists(m_strCompactPath) && !DeleteFile(m_strCompactPath)) {
        DeleteFile(m_strCopyPath);
        return { Next::End };
    }
    const bool compacted = _ADODatabaseHelper().CompactLibraryDatabase(
        kConnectionPrefix + m_strCopyPath, kConnectionPrefix + m_strCompactPath);
    DeleteFile(m_strCopyPath);
    if (!compacted) {
        DropWorkingFiles();
        return { Next::End };
    }
    if (!PrepareDevice(m_strCompactPath)) {
        DropWorkingFiles();
        return { Next::End, IDS_SYNC_DEVICE_ERROR };
    }
    LONG result = 0;
    if (FAILED(m_pDevice->SyncTuneStewardFromClientDevice(Flags(), &result))) {
        DropWorkingFiles();
        return { Next::End, IDS_SYNC_FAILED };
    }
    return { Next::WaitForDevice };
}

bool SyncRun::SwapDatabase(UINT* message)
{
    m_nPhase = 3;
    *message = 0;
    if (!ReplaceLibraryFile(m_strDatabasePath, m_strCompactPath)) {
        *message = IDS_SYNC_SWAP_FAILED;
        m_nPhase = 2;
        return false;
    }
    char folder[MAX_PATH] {};
    if (GetCurrentDirectory(MAX_PATH, folder) != 0)
        SECFileSystem().DeleteFiles(CString(folder) + "\\*.prp", SECFileSystem::normalEntries);
    SetLibraryModified(false);
    return true;
}

void SyncRun::DropWorkingFiles()
{
    if (Exists(m_strCopyPath))
        DeleteFile(m_strCopyPath);
    if (Exists(m_strCompactPath))
        DeleteFile(m_strCompactPath);
}
