#include <gtest/gtest.h>

#include <atomic>

#include "platform/afx/CWinApp.h"
#include "platform/afx/CWinThread.h"
#include "platform/base/Event.h"
#include "platform/base/Thread.h"
#include "platform/base/Wait.h"

namespace {

UINT ReportOwnThread(LPVOID param)
{
    *static_cast<CWinThread**>(param) = AfxGetThread();
    return 42;
}

// A worker object that tells when it has been deleted.
class CSignallingThread : public CWinThread {
public:
    CSignallingThread(AFX_THREADPROC proc, HANDLE deleted)
        : CWinThread(proc, nullptr)
        , m_deleted(deleted)
    {
    }
    ~CSignallingThread() override { SetEvent(m_deleted); }

private:
    HANDLE m_deleted;
};

} // namespace

TEST(CWinThread, SuspendedWorkerKeptForItsExitCode)
{
    CWinThread* seen = nullptr;
    CWinThread* thread = AfxBeginThread(ReportOwnThread, &seen, 0, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_NE(thread->m_nThreadID, 0u);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(thread->ResumeThread(), 1u);
    ASSERT_EQ(WaitForSingleObject(*thread, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(seen, thread);
    delete thread;
}

TEST(CWinThread, AutoDeletingWorkerDeletesItselfWhenDone)
{
    HANDLE deleted = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    auto* thread = new CSignallingThread([](LPVOID) -> UINT { return 0; }, deleted);
    ASSERT_TRUE(thread->CreateThread());
    EXPECT_EQ(WaitForSingleObject(deleted, INFINITE), WAIT_OBJECT_0);
    CloseHandle(deleted);
}

TEST(CWinThread, TheApplicationIsTheMainThreadsObject)
{
    CWinApp app("Threads");
    EXPECT_EQ(AfxGetThread(), &app);
    EXPECT_FALSE(app.m_bAutoDelete);
    CWinThread* seen = &app;
    CWinThread* thread = AfxBeginThread(
        [](LPVOID param) -> UINT {
            *static_cast<CWinThread**>(param) = AfxGetThread();
            return 0;
        },
        &seen, 0, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    WaitForSingleObject(thread->m_hThread, INFINITE);
    EXPECT_EQ(seen, thread);
    delete thread;
}
