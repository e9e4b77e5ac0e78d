// Replacing the live library file with the one rebuilt from the device: the success path, the failures
// that must leave the live file as it was, and a process killed at each step of the swap.

#include "library/LibraryFileSwap.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADODatabaseHelper.h"
#include "library/tests/support/AppFixture.h"
#include "library/tests/support/NewLibrary.h"
#include "library/tests/support/TestFolder.h"

#include "platform/base/FileApi.h"
#include "platform/base/Paths.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class LibraryFileSwap : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
        const std::string folder = testing_support::CurrentDirectory() + "\\Database\\";
        m_live = folder + "Tune Steward.mdb";
        m_rebuilt = folder + "CompactDB.mdb";
        ASSERT_TRUE(testing_support::MakeNewLibrary(m_live));
        ASSERT_TRUE(testing_support::MakeNewLibrary(m_rebuilt));
        AddGroup(m_live, "kept edit");
        AddGroup(m_rebuilt, "kept edit");
        AddGroup(m_rebuilt, "from the device");
        m_liveBytes = Bytes(m_live);
    }
    void TearDown() override
    {
        theLibraryConnection.Close();
        AppFixture::TearDown();
    }

    static void AddGroup(const std::string& path, const char* name)
    {
        ASSERT_TRUE(theLibraryConnection.OpenDatabase(path.c_str()));
        ASSERT_TRUE(theLibraryConnection.ExecuteSql(
            (std::string("INSERT INTO tGroup (GroupName) VALUES ('") + name + "')").c_str(), nullptr, 1));
        theLibraryConnection.Close();
    }
    static std::string Bytes(const std::string& path)
    {
        std::ifstream file(platform::ToNativePath(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    static bool Exists(const std::string& path) { return GetFileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    // The groups of the live file, after it opened and passed its upgrade as the program's opening does.
    std::string LiveGroups() const
    {
        if (!_ADODatabaseHelper().UpgradeLibraryDatabase(m_live.c_str()) || !theLibraryConnection.OpenDatabase(m_live.c_str()))
            return "<does not open>";
        _RecordsetPtr rows;
        std::string groups;
        if (theLibraryConnection.ExecuteSql("SELECT GroupName FROM tGroup ORDER BY GroupID", &rows, 1)) {
            VARIANT_BOOL end = VARIANT_TRUE;
            while (SUCCEEDED(rows->get_EOF(&end)) && !end) {
                FieldsPtr fields;
                rows->get_Fields(&fields);
                FieldPtr field;
                fields->get_Item(_variant_t(0L), &field);
                _variant_t value;
                field->get_Value(&value);
                groups += std::string(groups.empty() ? "" : ", ") + static_cast<const char*>(_bstr_t(value));
                rows->MoveNext();
            }
        }
        rows = nullptr;
        theLibraryConnection.Close();
        return groups;
    }

    std::string m_live;
    std::string m_rebuilt;
    std::string m_liveBytes;
};

} // namespace

TEST_F(LibraryFileSwap, TheRebuiltFileTakesTheLiveFilesPlaceAndNothingElseRemains)
{
    ASSERT_TRUE(ReplaceLibraryFile(m_live.c_str(), m_rebuilt.c_str()));
    EXPECT_EQ(LiveGroups(), "kept edit, from the device");
    EXPECT_FALSE(Exists(m_rebuilt));
    EXPECT_FALSE(Exists(LibraryBackupPath(m_live.c_str()).GetString()));
}

// Each way the swap can fail leaves the live file byte for byte as it was, and neither the rebuilt
// file nor a backup behind.
TEST_F(LibraryFileSwap, AFailedSwapKeepsTheLiveFileAsItWas)
{
    const std::string backup = LibraryBackupPath(m_live.c_str()).GetString();
    const struct {
        const char* what;
        std::function<void()> arrange;
        std::function<void()> undo;
    } cases[] = {
        { "the live file cannot be replaced", [&] { SetFileAttributes(m_live.c_str(), FILE_ATTRIBUTE_READONLY); },
            [&] { SetFileAttributes(m_live.c_str(), FILE_ATTRIBUTE_NORMAL); } },
        { "the rebuilt file is missing", [&] { DeleteFile(m_rebuilt.c_str()); }, [] { } },
        { "no backup can be made", [&] { CreateDirectory(backup.c_str(), nullptr); }, [&] { RemoveDirectory(backup.c_str()); } },
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        if (!Exists(m_rebuilt)) {
            ASSERT_TRUE(testing_support::MakeNewLibrary(m_rebuilt));
        }
        each.arrange();
        EXPECT_FALSE(ReplaceLibraryFile(m_live.c_str(), m_rebuilt.c_str()));
        each.undo();
        EXPECT_EQ(Bytes(m_live), m_liveBytes);
        EXPECT_FALSE(Exists(m_rebuilt));
        EXPECT_FALSE(Exists(backup));
    }
}

// A process killed at any step of the swap leaves one whole library with the user's edits in the live
// file's place, and the next swap still succeeds.
TEST_F(LibraryFileSwap, AProcessKilledAtAnyStepLeavesAWholeLibrary)
{
    for (const LibrarySwapStep killedAt : { LibrarySwapStep::Started, LibrarySwapStep::BackupMade,
             LibrarySwapStep::RebuiltInPlace, LibrarySwapStep::BackupDropped }) {
        SCOPED_TRACE(static_cast<int>(killedAt));
        std::filesystem::remove(platform::ToNativePath(m_live));
        ASSERT_TRUE(testing_support::MakeNewLibrary(m_live));
        AddGroup(m_live, "kept edit");
        if (!Exists(m_rebuilt)) {
            ASSERT_TRUE(testing_support::MakeNewLibrary(m_rebuilt));
            AddGroup(m_rebuilt, "kept edit");
            AddGroup(m_rebuilt, "from the device");
        }
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            ReplaceLibraryFile(m_live.c_str(), m_rebuilt.c_str(), [&](LibrarySwapStep step) {
                if (step == killedAt)
                    std::raise(SIGKILL);
            });
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const bool replaced = killedAt >= LibrarySwapStep::RebuiltInPlace;
        EXPECT_EQ(LiveGroups(), replaced ? "kept edit, from the device" : "kept edit");

        // Whatever the killed swap left (a backup, the rebuilt file), the next one takes its place.
        if (!Exists(m_rebuilt)) {
            ASSERT_TRUE(testing_support::MakeNewLibrary(m_rebuilt));
        }
        EXPECT_TRUE(ReplaceLibraryFile(m_live.c_str(), m_rebuilt.c_str()));
        EXPECT_FALSE(Exists(LibraryBackupPath(m_live.c_str()).GetString()));
    }
}
