#include "app/CArtGrabber.h"

#include "app/CMainFrame.h"
#include "app/WideText.h"
#include "library/LibraryLocations.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxWin.h"
#include "platform/base/CodePage.h"
#include "platform/base/Event.h"
#include "platform/base/FileApi.h"
#include "platform/base/FindFile.h"
#include "platform/base/Wait.h"
#include "platform/com/CComBSTR.h"
#include "platform/com/ObjBase.h"
#include "sync/Lumasync.h"

#include <algorithm>
#include <map>

namespace {

constexpr UINT IDS_COPYING_COVER_ART = 204;
constexpr UINT kIdleText = 57345;
constexpr const char* kCoversFolder = "Music\\Covers\\";
// The album's CoverArt field holds 255 characters.
constexpr int kCoverArtSize = 255;
// Three transfers in a row that failed: the device has no more pictures to give.
constexpr int kMissesBeforeStop = 3;
constexpr long kQueryByName = 8;

struct NoCaseLess {
    bool operator()(const CString& a, const CString& b) const { return a.CompareNoCase(b) < 0; }
};

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

CArtGrabber::~CArtGrabber()
{
    Reset();
    if (m_hDone)
        CloseHandle(m_hDone);
}

CString CArtGrabber::CoverNameOf(const CString& devicePath, bool forFetching)
{
    int separator = devicePath.ReverseFind('/');
    if (separator < 0 && !forFetching)
        separator = devicePath.ReverseFind('\\');
    if (separator < 0)
        return CString();
    const CString name = devicePath.Mid(separator + 1);
    if (name.IsEmpty() || name.Find('\\') >= 0 || name.Find("..") >= 0
        || CString(kCoversFolder).GetLength() + name.GetLength() > kCoverArtSize)
        return CString();
    return name;
}

void CArtGrabber::SetAlbumCover(const CString& name, long albumId)
{
    // The name comes from the device: its quotes are doubled so that it stays one text of the statement.
    CString quoted = name;
    quoted.Replace("\"", "\"\"");
    CString sql;
    sql.Format("UPDATE tMusicMain SET CoverArt = \"%s%s\" WHERE QVCDID = %ld", kCoversFolder, quoted.GetString(), albumId);
    theLibraryConnection.ExecuteSql(sql, nullptr, 1);
}

LRESULT CArtGrabber::SendToMain(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hMainWnd ? ::SendMessage(m_hMainWnd, message, wParam, lParam) : 0;
}

bool CArtGrabber::GrabCoverArt()
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (!frame || !frame->m_pDevice)
        return false;
    Reset();
    m_bStop = false;
    m_bRunning = true;

    // The pictures in the covers folder, by name without regard to case, and whether an album names them.
    std::map<CString, bool, NoCaseLess> pictures;
    const CString covers = GetCoversPath();
    WIN32_FIND_DATA found {};
    HANDLE search = FindFirstFile(covers + "*.jpg", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.nFileSizeLow > 0 || found.nFileSizeHigh > 0) && found.dwFileAttributes != FILE_ATTRIBUTE_DIRECTORY)
                pictures.emplace(found.cFileName, false);
        } while (FindNextFile(search, &found));
        FindClose(search);
    }

    _ADORecordsetHelper rows;
    if (!theLibraryConnection.ExecuteSql("qMusicCoverArtList", rows.ReceivePointer(), kQueryByName) || !rows.HasRecordset()) {
        m_bRunning = false;
        return false;
    }
    if (rows.IsEOF()) {
        rows.Release();
        Reset();
        return false;
    }
    m_nCount = 0;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const _variant_t pathValue = rows.GetValue("ZUVUdureDaz");
        if (pathValue.vt != VT_BSTR)
            continue;
        CString path(static_cast<const char*>(_bstr_t(pathValue)));
        path.TrimRight(' ');
        const CString name = CoverNameOf(path, false);
        if (name.IsEmpty())
            continue;
        const _variant_t idValue = rows.GetValue("QVCDID");
        const auto picture = pictures.find(name);
        if (picture != pictures.end()) {
            picture->second = true;
            if (idValue.vt == VT_I4)
                SetAlbumCover(name, idValue.lVal);
            continue;
        }
        m_downloads.push_back({ path, idValue.vt == VT_I4 ? idValue.lVal : 0 });
        ++m_nCount;
    }
    rows.Release();
    // Sorted by path, so that albums sharing a picture fetch it once.
    std::stable_sort(m_downloads.begin(), m_downloads.end(),
        [](const Download& a, const Download& b) { return a.path.CompareNoCase(b.path) < 0; });
    for (const auto& [name, used] : pictures) {
        if (!used)
            DeleteFile(covers + name);
    }

    m_pDevice = frame->m_pDevice;
    m_hMainWnd = frame->m_hWnd;
    if (!m_hDone)
        m_hDone = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    ResetEvent(m_hDone);
    m_thread = std::thread([this] { GrabThread(); });
    return true;
}

void CArtGrabber::GrabThread()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const CString copying = LoadText(IDS_COPYING_COVER_ART);
    SendToMain(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(copying.GetString()));
    SendToMain(WM_PROGRESS_SHOW);
    const CString covers = GetCoversPath();
    CString previous;
    int misses = 0;
    long done = 0;
    for (const Download& download : m_downloads) {
        ++done;
        SendToMain(WM_PROGRESS_SETPOS, static_cast<WPARAM>(100 * done / m_nCount));
        const CString name = CoverNameOf(download.path, true);
        if (!name.IsEmpty()) {
            bool arrived = true;
            if (download.path.CompareNoCase(previous) != 0) {
                const HRESULT hr = m_pDevice->GetDeviceFile(WideText(download.path), WideText(covers + name));
                if (FAILED(hr)) {
                    m_bStop = true;
                    arrived = false;
                } else if (hr == S_FALSE) {
                    // The album keeps its old picture rather than one that is not there.
                    arrived = false;
                    if (++misses >= kMissesBeforeStop)
                        m_bStop = true;
                } else {
                    misses = 0;
                }
            }
            if (arrived) {
                previous = download.path;
                SetAlbumCover(name, download.albumId);
            }
        }
        if (m_bStop)
            break;
    }
    SendToMain(WM_PROGRESS_RESET);
    const CString idle = LoadText(kIdleText);
    SendToMain(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(idle.GetString()));
    SendToMain(WM_REFRESH_VIEW);
    m_pDevice = nullptr;
    // A pass that ends by itself lets go of the device (the next synchronisation connects again); one
    // being stopped leaves it to whoever stops it.
    if (!m_bStopping)
        SendToMain(WM_RELEASE_DEVICE);
    CoUninitialize();
    m_bRunning = false;
    SetEvent(m_hDone);
}

void CArtGrabber::StopThread()
{
    m_bStop = true;
    if (!m_thread.joinable())
        return;
    m_bStopping = true;
    // The worker sends to this thread's windows: serve those sends while waiting for it to end.
    while (MsgWaitForMultipleObjects(1, &m_hDone, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
        MSG msg;
        PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    m_thread.join();
    m_bStopping = false;
}

void CArtGrabber::Reset()
{
    StopThread();
    m_downloads.clear();
    m_nCount = 0;
    m_bRunning = false;
}

bool CArtGrabber::Cancel()
{
    m_bStop = true;
    if (m_hMainWnd)
        ::SendMessage(m_hMainWnd, WM_PROGRESS_RESET, 0, 0);
    Reset();
    return true;
}
