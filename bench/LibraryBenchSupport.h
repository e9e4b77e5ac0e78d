#pragma once
// What the benchmarks that work on a library share: an import host that answers without windows, the
// CD-database control registered, and a stopwatch.

#include "library/MusicImportHost.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Modules.h"
#include "platform/com/ObjBase.h"

#include <chrono>

// The main window's part, answered without windows.
class QuietImportHost : public MusicImportHost {
public:
    bool YesToAll() const override { return m_yesToAll; }
    void SetYesToAll(bool yesToAll) override { m_yesToAll = yesToAll; }
    void SetSyncRunning(bool) override { }
    int AskOverwrite(LPCTSTR) override { return IDYES; }
    void SetStatusText(LPCTSTR) override { }
    void PumpMessages() override { }
    void BeginWaitCursor() override { }
    void RestoreWaitCursor() override { }
    void EndWaitCursor() override { }
    CString MakeUniqueAlbumName(LPCTSTR baseName) override { return baseName; }
    void AddAlbumToTree(long, LPCTSTR, LPCTSTR, long) override { }
    void RefreshPlaylists() override { }
    void RefreshTree() override { }
    void RequeryView() override { }
    void BeginProgress() override { }
    void SetProgress(int) override { }
    void EndProgress() override { }
    bool RaiseMatchWindow() override { return false; }

private:
    bool m_yesToAll { false };
};

inline double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline bool RegisterControl()
{
    const HMODULE control = LoadLibrary("CDDBControl.dll");
    if (!control)
        return false;
    auto registerServer = platform::ProcCast<HRESULT (*)()>(GetProcAddress(control, "DllRegisterServer"));
    const bool registered = registerServer && SUCCEEDED(registerServer());
    FreeLibrary(control);
    return registered;
}

