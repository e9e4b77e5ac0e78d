#pragma once
// The cover-art collector: after a device library was opened or synchronised it points every album at
// its picture in the library's covers folder, deletes pictures no album names, and fetches the
// missing ones from the device on a worker thread. A picture's name comes from the device, so names
// that could leave the covers folder or not fit the album's field are passed over.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

#include <atomic>
#include <thread>
#include <vector>

struct IQVClientDevice;

class CArtGrabber {
public:
    CArtGrabber() = default;
    CArtGrabber(const CArtGrabber&) = delete;
    CArtGrabber& operator=(const CArtGrabber&) = delete;
    ~CArtGrabber();

    // Starts a pass with the main frame's device; false (nothing changed) without a device, and false
    // when the albums cannot be read or there are none. The worker starts even when nothing is missing.
    bool GrabCoverArt();
    // Stops the pass: the device stays with the main frame.
    bool Cancel();
    // Asks the worker to stop after the album at hand and waits for it, serving the messages it sends
    // meanwhile, so the worker is never left blocked or killed.
    void StopThread();
    // StopThread, then forgets the queue.
    void Reset();
    // True while a pass is under way.
    bool IsRunning() const { return m_bRunning; }

    // The picture name a device path gives: the part after its last "/" (or, when fetching is not
    // asked for, "\"); empty when there is none or it is unsafe: holding "\", "/" or "..", or too long
    // for the album's CoverArt field.
    static CString CoverNameOf(const CString& devicePath, bool forFetching);

private:
    struct Download {
        CString path; // the album's device path of its picture
        long albumId { 0 };
    };

    // The worker: fetches the queued pictures and points their albums at them.
    void GrabThread();
    // Points the album at "Music\Covers\" + name.
    static void SetAlbumCover(const CString& name, long albumId);
    LRESULT SendToMain(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    std::thread m_thread;
    HANDLE m_hDone { nullptr };
    HWND m_hMainWnd { nullptr };
    std::vector<Download> m_downloads;
    std::atomic<bool> m_bRunning { false };
    std::atomic<bool> m_bStop { false };
    // Set while the user-interface thread stops the worker: the device then stays with the frame.
    std::atomic<bool> m_bStopping { false };
    long m_nCount { 0 };
    IQVClientDevice* m_pDevice { nullptr };
};
