#pragma once
// A test with a real library file made by the library's own creation code, theLibraryConnection open on
// it, the CD-database control registered with an empty database folder of the test's own, message boxes
// recorded, and a main-window stand-in that records what the import asks of it.

#include "library/LibraryLocations.h"
#include "library/MusicImportHost.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADODatabaseHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "library/tests/support/AppFixture.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "library/tests/support/NewLibrary.h"

#include "platform/base/FileApi.h"
#include "platform/base/Modules.h"
#include "platform/base/PathApi.h"
#include "platform/base/Paths.h"
#include "platform/base/Registry.h"
#include "platform/cddb/CDDBControl.h"
#include "platform/cddb/tests/Mp3Fixtures.h"
#include "platform/com/ObjBase.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

// Answers the import's questions as a test tells it and records what the import shows.
class RecordingImportHost : public MusicImportHost {
public:
    bool YesToAll() const override { return m_yesToAll; }
    void SetYesToAll(bool yesToAll) override { m_yesToAll = yesToAll; }
    void SetSyncRunning(bool running) override
    {
        m_syncRunning = running;
        if (running)
            ++m_lookups;
    }
    int AskOverwrite(LPCTSTR fileName) override
    {
        m_prompts.emplace_back(fileName);
        if (m_answers.empty())
            return IDYES;
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void SetStatusText(LPCTSTR text) override { m_statuses.emplace_back(text ? text : "<idle>"); }
    void PumpMessages() override { }
    void BeginWaitCursor() override { ++m_waitDepth; }
    void RestoreWaitCursor() override { }
    void EndWaitCursor() override { --m_waitDepth; }
    CString MakeUniqueAlbumName(LPCTSTR baseName) override
    {
        CString name(baseName);
        if (m_newAlbums++ > 0)
            name.Format("%s%d", baseName, m_newAlbums - 1);
        return name;
    }
    void AddAlbumToTree(long albumId, LPCTSTR title, LPCTSTR artist, long genreId) override
    {
        m_treeAlbums.emplace_back(title);
    }
    void RefreshPlaylists() override { ++m_playlistRefreshes; }
    void RefreshTree() override { ++m_treeRefreshes; }
    void RequeryView() override { ++m_requeries; }
    void BeginProgress() override { m_progress.push_back(-1); }
    void SetProgress(int percent) override { m_progress.push_back(percent); }
    void EndProgress() override { m_progress.push_back(0); }
    bool RaiseMatchWindow() override { return false; }

    std::deque<int> m_answers;
    std::vector<std::string> m_prompts;
    std::vector<std::string> m_statuses;
    std::vector<std::string> m_treeAlbums;
    bool m_yesToAll { false };
    bool m_syncRunning { false };
    int m_lookups { 0 };
    int m_waitDepth { 0 };
    int m_newAlbums { 0 };
    int m_playlistRefreshes { 0 };
    int m_treeRefreshes { 0 };
    int m_requeries { 0 };
    std::vector<int> m_progress; // -1 made, 0 set back, else the percentages
};

class MusicLibrary : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
        const HMODULE control = LoadLibrary("CDDBControl.dll");
        ASSERT_NE(control, nullptr);
        auto registerServer = platform::ProcCast<HRESULT (*)()>(GetProcAddress(control, "DllRegisterServer"));
        ASSERT_EQ(registerServer ? registerServer() : E_FAIL, S_OK);
        FreeLibrary(control);

        // A folder of the test's own, so that tests run in one process do not meet each other's files.
        m_previousFolder = std::filesystem::current_path();
        const std::filesystem::path own
            = m_previousFolder / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(own);
        std::filesystem::current_path(own);
        char folder[MAX_PATH] {};
        GetCurrentDirectory(MAX_PATH, folder);
        m_folder = folder;
        App().m_strDataSource = (m_folder + "\\").c_str();
        App().m_strMaker = "Aldercrest";
        App().m_strDeviceName = "Den";
        App().m_bCDDBControlPresent = TRUE;
        ASSERT_TRUE(testing_support::MakeNewLibrary(GetDatabasePath().GetString()));
        ASSERT_TRUE(CreateDirectory(GetLibraryRoot() + "Music", nullptr));
        ASSERT_TRUE(CreateDirectory(GetMp3Path(), nullptr));
        ASSERT_TRUE(theLibraryConnection.OpenDatabase(GetDatabasePath()));

        m_database = std::filesystem::current_path() / "cddb";
        std::filesystem::create_directories(m_database);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, kCdDatabaseSettingsKey, &key), ERROR_SUCCESS);
        const std::string database = m_database.string();
        RegSetValueEx(key, kCdDatabaseFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(database.c_str()),
            static_cast<DWORD>(database.size() + 1));
        RegCloseKey(key);
        m_boxes.emplace();
    }
    void TearDown() override
    {
        m_boxes.reset();
        theLibraryConnection.Close();
        CoFreeUnusedLibraries();
        CoUninitialize();
        std::filesystem::current_path(m_previousFolder);
        AppFixture::TearDown();
    }

    // The first field of the first row of a query; empty when there is none.
    static _variant_t Scalar(const std::string& sql) { return theLibraryConnection.ExecuteScalar(sql.c_str(), -1); }
    static long Number(const std::string& sql)
    {
        const _variant_t value = Scalar(sql);
        return value.vt == VT_I4 ? value.lVal : -999;
    }
    static std::string Text(const std::string& sql)
    {
        const _variant_t value = Scalar(sql);
        return value.vt == VT_BSTR ? std::string(static_cast<const char*>(_bstr_t(value))) : std::string("<none>");
    }

    // The program path of a file in the test's folder.
    std::string Here(const std::string& name) const { return m_folder + "\\" + name; }

    void WriteDisc(const std::string& category, const std::string& name, const std::string& text)
    {
        std::filesystem::create_directories(m_database / category);
        std::ofstream(m_database / category / name, std::ios::binary) << text;
    }
    void PutDiscInDrive(const std::string& id) { std::ofstream(m_database / "drive") << id << "\n"; }

    // Changes tags of a file through the control's own tag reader.
    static void SetTags(const std::string& path, const std::vector<std::pair<std::u16string, std::u16string>>& frames)
    {
        ITagReaderPtr reader;
        ASSERT_EQ(reader.CreateInstance(CLSID_TagReader), S_OK);
        ASSERT_EQ(reader->LoadFile(_bstr_t(path.c_str()), 0), S_OK);
        for (const auto& [id, text] : frames) {
            if (id == u"TCON")
                ASSERT_EQ(reader->put_GenreText(_bstr_t(text.c_str())), S_OK);
            else
                ASSERT_EQ(reader->SetFrame(_bstr_t(id.c_str()), _bstr_t(text.c_str())), S_OK);
        }
        ASSERT_EQ(reader->SaveTags(), S_OK);
    }

    const std::vector<std::string>& Boxes() const { return m_boxes->Texts(); }

    std::string m_folder;
    std::filesystem::path m_previousFolder;
    std::filesystem::path m_database;
    RecordingImportHost m_host;
    std::optional<MessageBoxRecorder> m_boxes;
};
