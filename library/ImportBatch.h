#pragma once
// An import of many files (a folder, a choice or a drop of files, a playlist's tracks) as one batch of
// transactions on theLibraryConnection. Separately committed, fully synced inserts cost a file sync each;
// the batch commits instead at the end of the first file that ends a commit interval after its
// transaction began, and at its own end. A crash thus loses at most the files of the last interval, each
// file whole or not at all, and another connection (the synchronisation component's) waits for the
// library's lock no longer than one interval and one file.
//
// Each file's writes run in a savepoint of their own (ImportBatch::File): a file that fails is undone
// without ending the transaction or the batch. Before every prompt, message box and CD-database look-up
// the batch commits (ImportBatch::Prompt), so no lock is held while the user or the look-up takes its
// time; the box reporting a database error first undoes the file it met, which then fails whole. The
// copies made in the library's music folder for tracks that end up not stored (a failed file, a failed
// commit) are deleted again, and those of a batch that crashed by the next batch (ImportCopyJournal).
//
// A batch belongs to the thread that made it. A batch made while another runs on the same thread joins
// that one, so a single AddFileToLibrary is a batch of its own and a loop holding a batch makes its calls
// one batch. While the transaction is open the batch holds theLibraryConnection's transaction lock, so the
// statements of other threads wait for the next commit.

#include "library/KeptClassObject.h"
#include "platform/afx/CString.h"

#include <chrono>
#include <mutex>
#include <vector>

class ImportBatch {
public:
    // The longest a transaction stays open before the next file's end commits it.
    static constexpr std::chrono::milliseconds kCommitInterval { 250 };

    ImportBatch();
    // The batch's owner commits what is left.
    ~ImportBatch();
    ImportBatch(const ImportBatch&) = delete;
    ImportBatch& operator=(const ImportBatch&) = delete;

    // One file's writes in a savepoint of its own. Kept() releases them into the batch's transaction;
    // otherwise they are rolled back when the object goes, and the file copied for the track is deleted.
    class File {
    public:
        explicit File(ImportBatch& batch);
        ~File();
        File(const File&) = delete;
        File& operator=(const File&) = delete;

        // The file that was copied into the music folder for this track: deleted again unless the track
        // is committed.
        void SetCopy(const CString& path) { m_copy = path; }
        // The track is stored: its writes stay. False when a database error met during the file has undone
        // them already (the file then counts as failed).
        bool Keep();

    private:
        ImportBatch& m_batch;
        CString m_copy;
        bool m_kept { false };
    };

    // Commits the batch running on the calling thread (when there is one) for as long as the object lives,
    // around a prompt, a message box or a look-up; a file in progress goes on in a new savepoint afterwards.
    class Prompt {
    public:
        enum class Kind {
            Question, // a question, a notice or a look-up: the file's work so far stays
            Failure, // the report of a database error: the file in progress fails whole
        };
        explicit Prompt(Kind kind = Kind::Question);
        ~Prompt();
        Prompt(const Prompt&) = delete;
        Prompt& operator=(const Prompt&) = delete;

    private:
        ImportBatch* m_batch { nullptr };
    };

    // The class object of the CD-database control's tag reader, kept for the files of the batch running
    // on the calling thread; null without a batch. Each file still gets a reader of its own.
    static const KeptClassObject* TagReaderClass();

private:
    ImportBatch& Owner() { return m_owner != nullptr ? *m_owner : *this; }
    void BeginFile();
    void EndFile(bool kept, const CString& copy);
    // Opens the transaction when none is open, then the file's savepoint.
    void OpenSavepoint();
    // Commits when the interval has passed, or at once with force; a failed commit rolls back, and the
    // copies made for the files it held are deleted.
    void Commit(bool force);
    // A prompt begins: commits unless another prompt runs already. False, and nothing done, inside the
    // batch's own steps (their error boxes).
    bool Suspend(Prompt::Kind kind);
    void Resume();

    ImportBatch* m_owner { nullptr }; // the batch this one joined; null for the owner itself
    std::unique_lock<std::recursive_mutex> m_transactionLock;
    std::chrono::milliseconds m_openedAt {};
    bool m_open { false }; // the transaction is begun
    bool m_savepointOpen { false };
    bool m_fileOpen { false }; // a File is under way
    bool m_fileFailed { false }; // the File under way met a database error
    bool m_stepping { false }; // inside a step of the batch's own; its error boxes change nothing
    int m_prompts { 0 }; // prompts under way; the transaction stays closed meanwhile
    std::vector<CString> m_pendingCopies; // copies made for the files written since the last commit
    KeptClassObject m_tagReaderClass;
    bool m_tagReaderKept { false }; // asked for when the first file's tags are read
};
