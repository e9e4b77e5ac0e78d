#pragma once
// What the benchmarks that work on a library share: an import host that answers without windows, the
// CD-database control registered, and a stopwatch.

#include "library/MusicImportHost.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Modules.h"
#include "platform/com/ObjBase.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

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

// The middle of the values (the mean of the two middle ones for an even count); 0 for none. A
// benchmark's figure is its steady state: the median leaves out the first run's cold caches and a
// shared machine's passing loads.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
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


// A run's own folder under the temporary folder, with the registry's home in it (the classes are
// registered there, never in the user's), the component model started and message boxes answered OK.
// The folder goes with the object.
class BenchRunFolder {
public:
    explicit BenchRunFolder(const std::string& name)
        : m_folder(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder / "home");
        setenv("TUNESTEWARD_HOME", (m_folder / "home").c_str(), 1);
        CoInitialize(nullptr);
        m_boxes = platform::SetMessageBoxPresenter([](const std::string&, const std::string&, UINT) { return IDOK; });
    }
    ~BenchRunFolder()
    {
        platform::SetMessageBoxPresenter(m_boxes);
        std::filesystem::remove_all(m_folder);
    }
    BenchRunFolder(const BenchRunFolder&) = delete;
    BenchRunFolder& operator=(const BenchRunFolder&) = delete;
    const std::filesystem::path& path() const { return m_folder; }

private:
    std::filesystem::path m_folder;
    platform::MessageBoxPresenter m_boxes;
};
