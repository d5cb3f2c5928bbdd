// Worker threads.
#pragma once

#include <windows.h>

// How a created thread is let run (ResumeThread), behind a seam tests
// replace to see what a thread that never starts does. Returns the previous
// one; null restores ResumeThread.
using ThreadResumeHandler = DWORD(WINAPI*)(HANDLE thread);
ThreadResumeHandler SetThreadResumeHandler(ThreadResumeHandler handler);

// One worker thread. It is created suspended, so the starter can finish
// marking the work as running before the worker takes its first step; the
// object owns the thread handle.
class CWorkerThread
{
public:
    using Procedure = UINT (*)(LPVOID param);

    CWorkerThread() = default;
    // Closes the handle; the thread must have ended (see WaitPumping).
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Creates the thread suspended; FALSE when it could not be created or
    // one is still held.
    BOOL Create(Procedure procedure, LPVOID param);
    // Lets a created thread run. When it cannot, the thread (which ran
    // nothing) is let go, so nobody waits for it; FALSE then.
    BOOL Resume();
    // Whether a created thread has not ended yet.
    BOOL IsRunning() const;
    // Waits until the thread has ended, then releases it. Messages other
    // threads send to this thread's windows are handled meanwhile (a worker
    // may be waiting on one); posted messages stay queued.
    void WaitPumping();

    HANDLE Handle() const { return m_handle; }
    DWORD Id() const { return m_id; }

private:
    void Release();

    HANDLE m_handle = nullptr;
    DWORD m_id = 0;
};
