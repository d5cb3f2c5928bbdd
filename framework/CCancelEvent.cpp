#include "CCancelEvent.h"

CCancelEvent::CreateResult CCancelEvent::Create(const wchar_t* name)
{
    Close();
    if (HANDLE existing = ::OpenEventW(EVENT_ALL_ACCESS, FALSE, name)) {
        ::CloseHandle(existing);
        return CreateResult::InUse;
    }
    HANDLE created = ::CreateEventW(nullptr, FALSE, FALSE, name);
    if (!created)
        return CreateResult::Failed;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {  // made by another run just now
        ::CloseHandle(created);
        return CreateResult::InUse;
    }
    m_handle = created;
    return CreateResult::Created;
}

void CCancelEvent::Close()
{
    if (m_handle)
        ::CloseHandle(m_handle);
    m_handle = nullptr;
}

void CCancelEvent::Signal() const
{
    if (m_handle)
        ::SetEvent(m_handle);
}

bool CCancelEvent::TakePending() const
{
    return m_handle && ::WaitForSingleObject(m_handle, 0) == WAIT_OBJECT_0;
}
