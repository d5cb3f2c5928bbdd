#include "thread.h"

#include <process.h>

namespace {

struct StartData
{
    CWorkerThread::Procedure procedure;
    LPVOID param;
};

unsigned __stdcall ThreadEntry(void* p)
{
    StartData start = *static_cast<StartData*>(p);
    delete static_cast<StartData*>(p);
    return start.procedure(start.param);
}

ThreadResumeHandler g_resume = ::ResumeThread;

} // namespace

ThreadResumeHandler SetThreadResumeHandler(ThreadResumeHandler handler)
{
    ThreadResumeHandler old = g_resume;
    g_resume = handler ? handler : ::ResumeThread;
    return old;
}

CWorkerThread::~CWorkerThread()
{
    Release();
}

BOOL CWorkerThread::Create(Procedure procedure, LPVOID param)
{
    if (m_handle || !procedure)
        return FALSE;
    auto* start = new StartData{procedure, param};
    unsigned id = 0;
    // The runtime's own thread start, so the worker may use the C runtime.
    uintptr_t handle = ::_beginthreadex(nullptr, 0, ThreadEntry, start, CREATE_SUSPENDED, &id);
    if (!handle) {
        delete start;
        return FALSE;
    }
    m_handle = reinterpret_cast<HANDLE>(handle);
    m_id = id;
    return TRUE;
}

BOOL CWorkerThread::Resume()
{
    if (!m_handle)
        return FALSE;
    if (g_resume(m_handle) != static_cast<DWORD>(-1))
        return TRUE;
    // It stays suspended and never touches its work.
    Release();
    return FALSE;
}

BOOL CWorkerThread::IsRunning() const
{
    return m_handle && ::WaitForSingleObject(m_handle, 0) == WAIT_TIMEOUT;
}

void CWorkerThread::WaitPumping()
{
    if (!m_handle)
        return;
    for (;;) {
        DWORD woke = ::MsgWaitForMultipleObjects(1, &m_handle, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + 1)
            break;  // ended, or the handle is unusable
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // handles sent messages
    }
    Release();
}

void CWorkerThread::Release()
{
    if (m_handle)
        ::CloseHandle(m_handle);
    m_handle = nullptr;
    m_id = 0;
}
