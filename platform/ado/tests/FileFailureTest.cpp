// What a connection does when its file fails it: missing, locked by another connection, out of
// room, or not writable. Each is an error with the provider's text, and the file keeps what it held.

#include "platform/ado/tests/AdoTestSupport.h"
#include "platform/base/Clock.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace adotest;
using namespace std::chrono_literals;

namespace {

// The description of the connection's newest provider error; empty when the list is empty.
std::string LastError(_Connection* connection)
{
    ErrorsPtr errors;
    if (connection->get_Errors(&errors) != S_OK)
        return {};
    LONG count = 0;
    errors->get_Count(&count);
    if (count == 0)
        return {};
    ErrorPtr error;
    if (errors->get_Item(_variant_t(LONG { count - 1 }), &error) != S_OK)
        return {};
    BSTR description = nullptr;
    error->get_Description(&description);
    return std::string(static_cast<const char*>(_bstr_t(description, false)));
}

HRESULT RunSql(_Connection* connection, const std::string& sql)
{
    _RecordsetPtr unused;
    return connection->Execute(_bstr_t(sql.c_str()), nullptr, adCmdText, &unused);
}

std::vector<std::string> Titles(_Connection* connection)
{
    _RecordsetPtr rows;
    EXPECT_EQ(connection->Execute(_bstr_t("SELECT Title FROM tMusicMain ORDER BY QVCDID"), nullptr, adCmdText, &rows), S_OK);
    return rows ? FirstColumn(rows) : std::vector<std::string> {};
}

const std::vector<std::string> kTitles { "Blue", "Rose", "Arrival" };

TEST(FileFailureTest, MissingFileOrFolderFailsWithAnErrorAndCreatesNothing)
{
    MakeLibrary();
    for (const char* path : { "absent.mdb", "no-such-folder/absent.mdb" }) {
        SCOPED_TRACE(path);
        _ConnectionPtr connection;
        ASSERT_EQ(connection.CreateInstance(CLSID_Connection), S_OK);
        const std::string text = std::string("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
        EXPECT_LT(connection->Open(_bstr_t(text.c_str()), nullptr, nullptr, adOptionUnspecified), 0);
        EXPECT_NE(LastError(connection).find(path), std::string::npos) << LastError(connection);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    EXPECT_FALSE(std::filesystem::exists("no-such-folder"));
}

// A manual clock that tells when a wait is about to block on it, so a test moves time only while
// somebody sleeps and every step is seen by the sleeper.
class SteppedClock final : public platform::Clock {
public:
    std::chrono::milliseconds Uptime() const override { return m_clock.Uptime(); }
    std::chrono::system_clock::time_point Now() const override { return m_clock.Now(); }
    std::optional<std::chrono::steady_clock::time_point> RealInstant(std::chrono::milliseconds uptime) const override
    {
        ++m_blocks; // called under the wait's lock, just before it blocks
        return m_clock.RealInstant(uptime);
    }

    // Waits until a wait blocks after the last step (or 'stop' is set), then moves time by 'step'.
    void StepWhenBlocked(std::chrono::milliseconds step, const std::atomic<bool>& stop)
    {
        while (m_blocks == m_seen && !stop)
            std::this_thread::yield();
        m_seen = m_blocks.load();
        m_clock.Advance(step);
    }

private:
    platform::ManualClock m_clock;
    mutable std::atomic<std::uint64_t> m_blocks { 0 };
    std::uint64_t m_seen { 0 };
};

// The holder keeps a write lock; the writer's statement waits on the installed clock, so moving a
// manual clock ends the wait at once instead of after real seconds.
class LockedFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeLibrary();
        writer = OpenConnection();
        holder = OpenConnection();
        ASSERT_EQ(RunSql(holder, "UPDATE tMusicMain SET Title='Held' WHERE QVCDID=1"), S_OK);
        LONG level = 0;
        ASSERT_EQ(holder->BeginTrans(&level), S_OK);
        ASSERT_EQ(RunSql(holder, "UPDATE tMusicMain SET Title='Holder' WHERE QVCDID=2"), S_OK);
    }

    // Runs the writer's update on another thread and moves the clock in steps while it waits; once
    // the clock has moved 'when', runs 'meanwhile' here. Returns the writer's result and how far the
    // clock had moved when it returned.
    std::pair<HRESULT, std::chrono::milliseconds> WriteWhileHeld(std::chrono::milliseconds when = 0ms, std::function<void()> meanwhile = {})
    {
        std::atomic<bool> written { false };
        HRESULT result = S_OK;
        std::thread writing([&] {
            result = RunSql(writer, "UPDATE tMusicMain SET Title='Writer' WHERE QVCDID=3");
            written = true;
        });
        // Read from the clock itself: the writer may finish between a step and a look at 'written'.
        const std::chrono::milliseconds start = clock->Uptime();
        while (!written) {
            if (meanwhile && clock->Uptime() - start >= when) {
                meanwhile();
                meanwhile = {};
            }
            clock->StepWhenBlocked(50ms, written);
        }
        writing.join();
        return { result, clock->Uptime() - start };
    }

    std::shared_ptr<SteppedClock> clock = std::make_shared<SteppedClock>();
    platform::ScopedClock scoped { clock };
    _ConnectionPtr writer;
    _ConnectionPtr holder;
};

TEST_F(LockedFileTest, WriteFailsAsBusyAfterTheTimeoutAndTheHoldersDataStays)
{
    const auto [result, moved] = WriteWhileHeld();
    EXPECT_LT(result, 0);
    EXPECT_GE(moved, platform::ado::Database::kBusyTimeout);
    EXPECT_NE(LastError(writer).find("locked"), std::string::npos) << LastError(writer);

    ASSERT_EQ(holder->CommitTrans(), S_OK);
    EXPECT_EQ(Titles(writer), (std::vector<std::string> { "Held", "Holder", "Arrival" }));
}

TEST_F(LockedFileTest, WriteGoesThroughWhenTheLockIsFreedWithinTheTimeout)
{
    // Giving the lock up needs no wait of the holder's own, so it may run on the stepping thread.
    const auto [result, moved] = WriteWhileHeld(2s, [this] { EXPECT_EQ(holder->RollbackTrans(), S_OK); });
    EXPECT_EQ(result, S_OK) << LastError(writer);
    EXPECT_LT(moved, platform::ado::Database::kBusyTimeout);
    EXPECT_EQ(Titles(holder), (std::vector<std::string> { "Held", "Rose", "Writer" }));
}

// A child process whose files may not grow past a limit writes rows one by one until the engine
// refuses; the parent then opens the file and finds every row committed before that.
TEST(FileFailureTest, FullDiskFailsTheWriteAndKeepsCommittedRows)
{
    MakeLibrary();
    const auto startSize = std::filesystem::file_size("albums.db");
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Exit codes: 0 the write failed with an error, 1 setup failed, 2 the limit was never hit,
        // 3 a failure came without a provider error.
        close(pipeEnds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = static_cast<rlim_t>(startSize) + 64 * 1024;
        const rlimit cap { limit, limit };
        if (setrlimit(RLIMIT_FSIZE, &cap) != 0)
            _exit(1);
        _ConnectionPtr connection = OpenConnection();
        const std::string note(2000, 'n');
        for (std::int32_t committed = 0; committed < 10'000; ++committed) {
            const std::string sql = "INSERT INTO tMusicMain (Title, [Note]) VALUES ('row" + std::to_string(committed) + "', '" + note + "')";
            if (FAILED(RunSql(connection, sql))) {
                const bool reported = !LastError(connection).empty();
                (void)!write(pipeEnds[1], &committed, sizeof committed);
                _exit(reported ? 0 : 3);
            }
        }
        _exit(2);
    }
    close(pipeEnds[1]);
    std::int32_t committed = -1;
    const auto got = read(pipeEnds[0], &committed, sizeof committed);
    close(pipeEnds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(got, static_cast<ssize_t>(sizeof committed));
    EXPECT_GT(committed, 0);

    _ConnectionPtr connection = OpenConnection();
    std::vector<std::string> expected = kTitles;
    for (std::int32_t i = 0; i < committed; ++i)
        expected.push_back("row" + std::to_string(i));
    EXPECT_EQ(Titles(connection), expected);
    auto db = platform::ado::Database::Open("albums.db", false);
    const auto check = db->QueryNative("PRAGMA integrity_check");
    ASSERT_EQ(check.rows.size(), 1u);
    EXPECT_EQ(std::get<std::string>(check.rows[0][0]), "ok");
}

TEST(FileFailureTest, ReadOnlyFileRefusesWritesAndKeepsItsRows)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop writes, and connections have no read-only mode";
    MakeLibrary();
    ASSERT_EQ(chmod("albums.db", 0444), 0);
    _ConnectionPtr connection = OpenConnection();
    EXPECT_LT(RunSql(connection, "UPDATE tMusicMain SET Title='Changed'"), 0);
    EXPECT_FALSE(LastError(connection).empty());
    EXPECT_EQ(Titles(connection), kTitles);
}

} // namespace
