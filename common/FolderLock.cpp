#include "FolderLock.h"

#include <utility>

#include "FullPathName.h"

namespace {

const wchar_t kPrefix[] = L"Global\\TilldeskDataFolder:";

// One name per folder: the full path without a trailing backslash, in long
// names, upper-cased as the file system compares names. A backslash is no
// character of a mutex name; a path too long for one is hashed.
CString NameOf(const CString& folder)
{
    CString path = FullPathName(folder);
    const DWORD needed = ::GetLongPathNameW(path, nullptr, 0);
    if (needed > 0) {
        CString longPath;
        const DWORD n = ::GetLongPathNameW(path, longPath.GetBuffer(static_cast<int>(needed)), needed);
        longPath.ReleaseBuffer(n > 0 && n < needed ? static_cast<int>(n) : 0);
        if (!longPath.IsEmpty())
            path = longPath;
    }
    while (path.GetLength() > 3 && path.Right(1) == L"\\")
        path.Delete(path.GetLength() - 1);
    path.MakeUpper();
    path.Replace(L'\\', L'/');
    CString name = kPrefix + path;
    if (name.GetLength() < MAX_PATH)
        return name;
    unsigned long long hash = 14695981039346656037ull;  // FNV-1a over the UTF-16 units
    for (int i = 0; i < path.GetLength(); ++i) {
        hash ^= static_cast<unsigned short>(path[i]);
        hash *= 1099511628211ull;
    }
    name.Format(L"%s#%d#%016llX", kPrefix, path.GetLength(), hash);
    return name;
}

} // namespace

FolderLock::FolderLock(const CString& folder) : m_name(NameOf(folder))
{
    // The mark is the mutex's existence, not its ownership: a mutex that
    // exists already, or one this user may not open, belongs to another holder.
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, m_name);
    const DWORD error = ::GetLastError();
    if (mutex && error != ERROR_ALREADY_EXISTS)
        m_mutex = mutex;
    else if (mutex)
        ::CloseHandle(mutex);
}

FolderLock::~FolderLock()
{
    Release();
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : m_mutex(std::exchange(other.m_mutex, nullptr)), m_name(other.m_name)
{
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept
{
    if (this != &other) {
        Release();
        m_mutex = std::exchange(other.m_mutex, nullptr);
        m_name = other.m_name;
    }
    return *this;
}

bool FolderLock::Holds(const CString& folder) const
{
    return Held() && NameOf(folder) == m_name;
}

void FolderLock::Release()
{
    if (m_mutex)
        ::CloseHandle(m_mutex);
    m_mutex = nullptr;
}
