// An import of several files as one batch of transactions: a failing file is undone whole (with its copy
// in the music folder) while the others stay; the work is committed as the commit interval passes and
// before every prompt, so another connection sees it and is not locked out.

#include "library/ImportBatch.h"
#include "library/ImportCommands.h"
#include "library/ImportCopyJournal.h"
#include "library/MusicImport.h"
#include "library/tests/support/MusicLibrary.h"

#include "platform/base/Clock.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

using mp3fixtures::MakeMp3;

namespace {

// Calls a probe where the import serves the message queue (once per MP3 file, before its writes) and
// where it asks to overwrite a file.
class ProbingHost : public RecordingImportHost {
public:
    void PumpMessages() override
    {
        if (m_onPump)
            m_onPump();
    }
    int AskOverwrite(LPCTSTR fileName) override
    {
        if (m_onPrompt)
            m_onPrompt();
        return RecordingImportHost::AskOverwrite(fileName);
    }

    std::function<void()> m_onPump;
    std::function<void()> m_onPrompt;
};

} // namespace

class ImportBatchTest : public MusicLibrary {
protected:
    void SetUp() override
    {
        MusicLibrary::SetUp();
        ASSERT_TRUE(m_other.OpenDatabase(GetDatabasePath()));
    }
    void TearDown() override
    {
        m_other.Close();
        MusicLibrary::TearDown();
    }

    // What another connection (the synchronisation component's) sees of the library: committed work only.
    long CommittedTracks()
    {
        const _variant_t count = m_other.ExecuteScalar("SELECT COUNT(*) FROM tMusicTracks", -1);
        return count.vt == VT_I4 ? count.lVal : -1;
    }
    // True when another connection can write at once (a held lock makes it wait, then fail).
    bool OtherCanWrite() { return m_other.ExecuteSql("UPDATE tMusicTracks SET Bitrate = Bitrate", nullptr, -1); }

    bool InMusicFolder(const char* name) const { return FileExists(GetMp3Path() + name); }
    static bool FileExists(const CString& path) { return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

    ProbingHost m_probing;
    _ADOConnectionHelper m_other;
};

TEST_F(ImportBatchTest, FailingFileIsUndoneWithItsCopyWhileTheOthersStay)
{
    App().m_bCopyMusicFiles = TRUE;
    MakeMp3("one.mp3", "-b 128 --add-id3v2 --tt One --ta Band --tl Good");
    MakeMp3("bad.mp3", "-b 128 --add-id3v2 --tt One --ta Band --tl 'Bad Album'");
    MakeMp3("two.mp3", "-b 128 --add-id3v2 --tt Two --ta Band --tl Good");
    // A second track titled "One" breaks the index: the middle file fails after its album was written.
    ASSERT_TRUE(theLibraryConnection.ExecuteSql("CREATE UNIQUE INDEX ixTitle ON tMusicTracks (TrackTitle)", nullptr, -1));

    ImportMusicFiles(m_probing, { Here("one.mp3").c_str(), Here("bad.mp3").c_str(), Here("two.mp3").c_str() },
        ImportAlbumMode::UseOriginalAlbum, 0);

    EXPECT_FALSE(Boxes().empty()) << "the failure is reported";
    EXPECT_EQ(CommittedTracks(), 2);
    EXPECT_EQ(Text("SELECT TrackTitle FROM tMusicTracks ORDER BY TrackTitle"), "One");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain"), 1) << "the failed file's album went with it";
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain WHERE Title = 'Bad Album'"), 0);
    EXPECT_TRUE(InMusicFolder("one.mp3"));
    EXPECT_TRUE(InMusicFolder("two.mp3"));
    EXPECT_FALSE(InMusicFolder("bad.mp3")) << "no copy is left for a track that is not stored";
    EXPECT_TRUE(OtherCanWrite());
}

TEST_F(ImportBatchTest, WorkIsCommittedAsTheIntervalPasses)
{
    const auto clock = std::make_shared<platform::ManualClock>();
    const platform::ScopedClock installed(clock);
    std::vector<CString> paths;
    for (int i = 0; i < 7; ++i) {
        const std::string name = "t" + std::to_string(i) + ".mp3";
        MakeMp3(name, "-b 128 --add-id3v2 --ta Band --tl Album --tt T" + std::to_string(i));
        paths.emplace_back(Here(name).c_str());
    }
    // Each file takes 100 ms of the clock; the probe runs at the start of each file.
    std::vector<long> seen;
    m_probing.m_onPump = [&] {
        seen.push_back(CommittedTracks());
        clock->Advance(std::chrono::milliseconds(100));
    };
    ImportMusicFiles(m_probing, paths, ImportAlbumMode::UseOriginalAlbum, 0);

    static_assert(ImportBatch::kCommitInterval == std::chrono::milliseconds(250));
    // The transaction opened by the first file is committed at the end of the third, when 300 ms have
    // passed; the end of the batch commits the rest.
    EXPECT_EQ(seen, (std::vector<long> { 0, 0, 0, 3, 3, 3, 6 }));
    EXPECT_EQ(CommittedTracks(), 7);
}

TEST_F(ImportBatchTest, PromptsFindNothingUncommitted)
{
    App().m_bCopyMusicFiles = TRUE;
    MakeMp3("a.mp3", "-b 128 --add-id3v2 --tt A --ta Band --tl Album");
    MakeMp3("b.mp3", "-b 128 --add-id3v2 --tt B --ta Band --tl Album");
    MakeMp3("c.mp3", "-b 128 --add-id3v2 --tt C --ta Band --tl Album");
    ASSERT_TRUE(CopyFile(Here("c.mp3").c_str(), CString(GetMp3Path() + "c.mp3"), FALSE));

    struct Seen {
        long tracks;
        bool canWrite;
    };
    std::vector<Seen> atPrompts;
    const auto probe = [&] { atPrompts.push_back({ CommittedTracks(), OtherCanWrite() }); };
    m_probing.m_onPrompt = probe;
    m_boxes.reset();
    const auto previous = platform::SetMessageBoxPresenter([&](const std::string&, const std::string&, UINT) {
        probe();
        return IDOK;
    });
    // The overwrite question for c.mp3, then the notice that a.mp3 is in the library already.
    ImportMusicFiles(m_probing, { Here("a.mp3").c_str(), Here("b.mp3").c_str(), Here("c.mp3").c_str(),
                                    Here("a.mp3").c_str() },
        ImportAlbumMode::UseOriginalAlbum, 0);
    platform::SetMessageBoxPresenter(previous);

    ASSERT_EQ(atPrompts.size(), 2u);
    EXPECT_EQ(atPrompts[0].tracks, 2);
    EXPECT_TRUE(atPrompts[0].canWrite);
    EXPECT_EQ(atPrompts[1].tracks, 3);
    EXPECT_TRUE(atPrompts[1].canWrite);
    EXPECT_EQ(CommittedTracks(), 3);
}

TEST_F(ImportBatchTest, AnotherThreadsWriteWaitsForTheCommitAndOutlivesAFailingFile)
{
    MakeMp3("one.mp3", "-b 128 --add-id3v2 --tt One --ta Band --tl Good");
    MakeMp3("bad.mp3", "-b 128 --add-id3v2 --tt One --ta Band --tl Good");
    ASSERT_TRUE(theLibraryConnection.ExecuteSql("CREATE UNIQUE INDEX ixTitle ON tMusicTracks (TrackTitle)", nullptr, -1));

    // The cover-art thread writes through the same connection while the failing file is under way.
    std::mutex mutex;
    std::condition_variable looked;
    bool heldByBatch = false;
    bool lookedAtLock = false;
    std::thread coverArt;
    int pumps = 0;
    m_probing.m_onPump = [&] {
        if (++pumps != 2)
            return;
        coverArt = std::thread([&] {
            {
                std::unique_lock lock(mutex);
                std::unique_lock transaction(theLibraryConnection.TransactionLock(), std::try_to_lock);
                heldByBatch = !transaction.owns_lock();
                lookedAtLock = true;
            }
            looked.notify_all();
            theLibraryConnection.ExecuteSql("UPDATE tMusicMain SET CoverArt = 'Music\\Covers\\x.jpg'", nullptr, -1);
        });
        std::unique_lock lock(mutex);
        looked.wait(lock, [&] { return lookedAtLock; });
    };
    ImportMusicFiles(m_probing, { Here("one.mp3").c_str(), Here("bad.mp3").c_str() }, ImportAlbumMode::UseOriginalAlbum, 0);
    coverArt.join();

    EXPECT_TRUE(heldByBatch) << "the write waits for the batch's commit";
    EXPECT_EQ(CommittedTracks(), 1);
    EXPECT_EQ(Text("SELECT CoverArt FROM tMusicMain"), "Music\\Covers\\x.jpg") << "the failing file did not undo it";
}

TEST_F(ImportBatchTest, CopiesOfABatchThatNeverCommittedAreDeletedByTheNextImport)
{
    App().m_bCopyMusicFiles = TRUE;
    MakeMp3("kept.mp3", "-b 128 --add-id3v2 --tt Kept --ta Band --tl Album");
    MakeMp3("next.mp3", "-b 128 --add-id3v2 --tt Next --ta Band --tl Album");
    ImportMusicFiles(m_probing, { Here("kept.mp3").c_str() }, ImportAlbumMode::UseOriginalAlbum, 0);
    // What a batch that crashed leaves: the list of its copies, one of them for a track never committed.
    ASSERT_TRUE(CopyFile(Here("next.mp3").c_str(), CString(GetMp3Path() + "lost.mp3"), FALSE));
    ImportCopyJournal::Note(GetMp3Path() + "kept.mp3");
    ImportCopyJournal::Note(GetMp3Path() + "lost.mp3");

    ImportMusicFiles(m_probing, { Here("next.mp3").c_str() }, ImportAlbumMode::UseOriginalAlbum, 0);

    EXPECT_FALSE(InMusicFolder("lost.mp3"));
    EXPECT_TRUE(InMusicFolder("kept.mp3")) << "a track names it";
    EXPECT_TRUE(InMusicFolder("next.mp3"));
    EXPECT_EQ(CommittedTracks(), 2);
}
