#include "library/ImportBatch.h"

#include "library/ImportCopyJournal.h"
#include "library/_ADOConnectionHelper.h"

#include "platform/base/Clock.h"
#include "platform/base/FileApi.h"
#include "platform/cddb/CDDBControl.h"


namespace {

thread_local ImportBatch* t_running = nullptr;

// Marks a step of the batch's own for as long as it runs (steps may nest).
class Stepping {
public:
    explicit Stepping(bool& flag)
        : m_flag(flag)
        , m_outer(flag)
    {
        m_flag = true;
    }
    ~Stepping() { m_flag = m_outer; }
    Stepping(const Stepping&) = delete;
    Stepping& operator=(const Stepping&) = delete;

private:
    bool& m_flag;
    bool m_outer;
};

} // namespace

ImportBatch::ImportBatch()
    : m_owner(t_running)
    , m_transactionLock(theLibraryConnection.TransactionLock(), std::defer_lock)
    , m_tagReaderClass(CLSID_TagReader)
{
    if (m_owner != nullptr)
        return;
    t_running = this;
    // Copies an earlier batch made for tracks it never committed (it crashed) are deleted.
    ImportCopyJournal::Recover();
}

ImportBatch::~ImportBatch()
{
    if (m_owner != nullptr)
        return;
    Commit(true);
    t_running = nullptr;
}

const KeptClassObject* ImportBatch::TagReaderClass()
{
    if (t_running == nullptr)
        return nullptr;
    if (!t_running->m_tagReaderKept) {
        t_running->m_tagReaderClass.Keep();
        t_running->m_tagReaderKept = true;
    }
    return &t_running->m_tagReaderClass;
}

ImportBatch::File::File(ImportBatch& batch)
    : m_batch(batch.Owner())
{
    m_batch.BeginFile();
}

ImportBatch::File::~File() { m_batch.EndFile(m_kept, m_copy); }

bool ImportBatch::File::Keep()
{
    m_kept = !m_batch.m_fileFailed;
    return m_kept;
}

ImportBatch::Prompt::Prompt(Kind kind)
{
    if (t_running != nullptr && t_running->Suspend(kind))
        m_batch = t_running;
}

ImportBatch::Prompt::~Prompt()
{
    if (m_batch != nullptr)
        m_batch->Resume();
}

void ImportBatch::BeginFile()
{
    m_fileOpen = true;
    m_fileFailed = false;
    OpenSavepoint();
}

void ImportBatch::EndFile(bool kept, const CString& copy)
{
    kept = kept && !m_fileFailed;
    m_fileOpen = false;
    m_fileFailed = false;
    if (m_savepointOpen) {
        const Stepping step(m_stepping);
        m_savepointOpen = false;
        if (kept && !theLibraryConnection.CommitTrans())
            kept = false;
        if (!kept)
            theLibraryConnection.RollbackTrans();
    }
    if (!kept) {
        if (!copy.IsEmpty())
            DeleteFile(copy);
    } else if (m_open && !copy.IsEmpty()) {
        m_pendingCopies.push_back(copy);
    }
    Commit(false);
}

void ImportBatch::OpenSavepoint()
{
    const Stepping step(m_stepping);
    if (!m_open) {
        m_transactionLock.lock();
        m_open = theLibraryConnection.BeginTrans();
        if (!m_open) {
            m_transactionLock.unlock();
            return;
        }
        m_openedAt = platform::CurrentUptime();
    }
    m_savepointOpen = theLibraryConnection.BeginTrans();
}

void ImportBatch::Commit(bool force)
{
    if (!m_open || (!force && platform::CurrentUptime() - m_openedAt < kCommitInterval))
        return;
    const Stepping step(m_stepping);
    if (!theLibraryConnection.CommitTrans()) {
        // The tracks of the transaction are gone, and with them the reason for their copies.
        theLibraryConnection.RollbackTrans();
        for (const CString& copy : m_pendingCopies)
            DeleteFile(copy);
    }
    m_pendingCopies.clear();
    // A file under way (a prompt commits in its middle) may have made its copy already.
    if (!m_fileOpen)
        ImportCopyJournal::Clear();
    m_open = false;
    m_transactionLock.unlock();
}

bool ImportBatch::Suspend(Prompt::Kind kind)
{
    if (m_stepping)
        return false;
    if (kind == Prompt::Kind::Failure && m_fileOpen && !m_fileFailed) {
        // Whatever the file goes on to write is undone at its end, in the savepoint opened after the box.
        m_fileFailed = true;
        if (m_savepointOpen) {
            const Stepping step(m_stepping);
            m_savepointOpen = false;
            theLibraryConnection.RollbackTrans();
        }
    }
    if (m_prompts++ > 0)
        return true;
    if (m_savepointOpen) {
        // The questions come before the file's writes, so this keeps nothing half done.
        const Stepping step(m_stepping);
        m_savepointOpen = false;
        theLibraryConnection.CommitTrans();
    }
    Commit(true);
    return true;
}

void ImportBatch::Resume()
{
    if (--m_prompts > 0)
        return;
    if (m_fileOpen)
        OpenSavepoint();
}
