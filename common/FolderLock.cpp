#include "FolderLock.h"

#include <utility>

#include "FullPathName.h"

namespace {

const wchar_t kPathPrefix[] = L"Global\\TilldeskDataFolder:";
const wchar_t kIdentityPrefix[] = L"Global\\TilldeskDataFolderId:";

// One name per path: the full path without a trailing backslash, in long
// names, upper-cased as the file system compares names. A backslash is no
// character of a mutex name; a path too long for one is hashed.
CString PathName(const CString& folder)
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
    CString name = kPathPrefix + path;
    if (name.GetLength() < MAX_PATH)
        return name;
    unsigned long long hash = 14695981039346656037ull;  // FNV-1a over the UTF-16 units
    for (int i = 0; i < path.GetLength(); ++i) {
        hash ^= static_cast<unsigned short>(path[i]);
        hash *= 1099511628211ull;
    }
    name.Format(L"%s#%d#%016llX", kPathPrefix, path.GetLength(), hash);
    return name;
}

// One name per folder, whatever it is called (another drive letter, a
// mapped or network path, a junction): its volume's serial number and its
// file index. Empty when the folder cannot be opened (it does not exist, it
// is a file, access is denied) or its file system gives it no index.
CString IdentityName(const CString& folder)
{
    // Backup semantics open a folder; it is not kept open, so it can still be
    // renamed or removed.
    HANDLE handle = ::CreateFileW(FullPathName(folder), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return CString();
    BY_HANDLE_FILE_INFORMATION info = {};
    const BOOL known = ::GetFileInformationByHandle(handle, &info);
    ::CloseHandle(handle);
    if (!known || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0))
        return CString();
    CString name;
    name.Format(L"%s%08lX-%08lX%08lX", kIdentityPrefix, info.dwVolumeSerialNumber, info.nFileIndexHigh,
                info.nFileIndexLow);
    return name;
}

// Whether a mutex of that name exists, in any process and for any user.
bool MutexExists(const CString& name)
{
    HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, name);
    if (mutex) {
        ::CloseHandle(mutex);
        return true;
    }
    return ::GetLastError() == ERROR_ACCESS_DENIED;
}

} // namespace

FolderLock::FolderLock(const CString& folder)
{
    const CString byPath = PathName(folder);
    const CString byIdentity = IdentityName(folder);
    m_name = byIdentity.IsEmpty() ? byPath : byIdentity;
    // The mark is the mutex's existence, not its ownership: a mutex that
    // exists already, or one this user may not open, belongs to another holder.
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, m_name);
    const DWORD error = ::GetLastError();
    if (mutex && error != ERROR_ALREADY_EXISTS)
        m_mutex = mutex;
    else if (mutex)
        ::CloseHandle(mutex);
    // A copy that opened this path before the folder existed holds its path.
    if (m_mutex && !byIdentity.IsEmpty() && MutexExists(byPath))
        Release();
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
    return Held() && (IdentityName(folder) == m_name || PathName(folder) == m_name);
}

void FolderLock::Release()
{
    if (m_mutex)
        ::CloseHandle(m_mutex);
    m_mutex = nullptr;
}
