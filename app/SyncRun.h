#pragma once
// One synchronisation's work on the device and the library files, apart from its window: phase 1 sends
// the library's flagged changes to the device, phase 2 rebuilds the library from the device into a
// fresh copy, and the swap puts that copy in the live file's place. Each step starts a run of the
// component that ends with its SyncDone event, which the window waits for; the window shows the
// messages the steps name.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

#include <atomic>
#include <functional>

struct IQVClientDevice;
struct IUnknown;

class SyncRun {
public:
    // What the window does after a step.
    enum class Next {
        WaitForDevice, // a run of the component goes on; its SyncDone leads to the next phase
        Rebuild,       // nothing was sent: phase 2 follows at once
        End,           // the synchronisation failed or was cancelled (see message)
    };
    struct Step {
        Next next { Next::End };
        UINT message { 0 }; // the string to show first, 0 for none
    };

    // The run works with the device; the caller keeps its reference.
    explicit SyncRun(IQVClientDevice* device);
    SyncRun(const SyncRun&) = delete;
    SyncRun& operator=(const SyncRun&) = delete;
    // Disconnects the sink and drops what a run that did not reach its swap left beside the library.
    ~SyncRun();

    // The steps the runs take: albums and playlists (0xF), and radio only while it is supported.
    static LONG Flags();

    // Connects the sink's IDispatch to the device's events until Unadvise; false when refused.
    bool Advise(IUnknown* sink);
    void Unadvise();

    // Phase 1. Opens the library's connection when it is closed to see whether anything is flagged,
    // then closes it (the component writes the file from now on). ask, when given, answers IDYES,
    // IDNO or IDCANCEL to sending the changes first; No skips to the rebuild, losing them.
    Step SendChanges(const std::function<int()>& ask = {});
    // Phase 2: a copy of the live file is emptied, upgraded and compacted into the rebuilt file, which
    // the device then fills. A failure leaves neither working file behind.
    Step StartRebuild();
    // Puts the rebuilt file in the live file's place, removes the component's "*.prp" files from the
    // current folder and clears the library's modified flag. False (message set) when the swap failed:
    // the live file is then as it was.
    bool SwapDatabase(UINT* message);
    // Removes the working copy and the rebuilt file: after a stop or a failure nothing of the run stays.
    void DropWorkingFiles();

    // 0 created, 1 sending, 2 rebuilding, 3 swapped.
    int Phase() const { return m_nPhase; }

private:
    // Gives the device the database file and the library's folders for its next run.
    bool PrepareDevice(const CString& databasePath);

    IQVClientDevice* m_pDevice { nullptr };
    IUnknown* m_pSink { nullptr };
    DWORD m_dwCookie { 0 };
    // Read by the component's event thread when SyncDone arrives.
    std::atomic<int> m_nPhase { 0 };
    CString m_strDatabasePath;
    CString m_strCopyPath;
    CString m_strCompactPath;
};
