#include "FolderLock.h"

#include <utility>
#include <vector>

#include "FullPathName.h"

namespace {

const wchar_t kPathPrefix[] = L"Global\\TilldeskDataFolder:";
const wchar_t kIdentityPrefix[] = L"Global\\TilldeskDataFolderId:";
const wchar_t kBelowPrefix[] = L"Global\\TilldeskDataFolderBelow:";

// The full path without a closing backslash, in long names where the folder
// exists.
CString LongFolderPath(const CString& folder)
{
    const CString path = FullFolderPath(folder);
    const DWORD needed = ::GetLongPathNameW(path, nullptr, 0);
    if (needed == 0)
        return path;
    CString longPath;
    const DWORD n = ::GetLongPathNameW(path, longPath.GetBuffer(static_cast<int>(needed)), needed);
    longPath.ReleaseBuffer(n > 0 && n < needed ? static_cast<int>(n) : 0);
    return longPath.IsEmpty() ? path : longPath;
}

// A mutex name of the prefix and a text, upper-cased as the file system
// compares names. A backslash is no character of a mutex name; a text too
// long for one is hashed.
CString Named(const wchar_t* prefix, CString text)
{
    text.MakeUpper();
    text.Replace(L'\\', L'/');
    CString name = prefix + text;
    if (name.GetLength() < MAX_PATH)
        return name;
    unsigned long long hash = 14695981039346656037ull;  // FNV-1a over the UTF-16 units
    for (int i = 0; i < text.GetLength(); ++i) {
        hash ^= static_cast<unsigned short>(text[i]);
        hash *= 1099511628211ull;
    }
    name.Format(L"%s#%d#%016llX", prefix, text.GetLength(), hash);
    return name;
}

// A folder's identity, whatever it is called (another drive letter, a
// mapped or network path, a junction): its volume's serial number and its
// file index. Empty when the folder cannot be opened (it does not exist, it
// is a file, access is denied) or its file system gives it no index.
CString Identity(const CString& folder)
{
    // Backup semantics open a folder; it is not kept open, so it can still be
    // renamed or removed.
    HANDLE handle = ::CreateFileW(folder, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return CString();
    BY_HANDLE_FILE_INFORMATION info = {};
    const BOOL known = ::GetFileInformationByHandle(handle, &info);
    ::CloseHandle(handle);
    if (!known || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0))
        return CString();
    CString identity;
    identity.Format(L"%08lX-%08lX%08lX", info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
    return identity;
}

// The names a folder may be marked under, the one a new mark takes first:
// the folder's identity; then, for each folder above it that can be opened,
// nearest first, that folder's identity and the rest of the path; last the
// full path. A folder that does not exist yet is marked under the first
// folder above it that does, so every name of that one finds the mark, and
// still does once the folder is created below it.
std::vector<CString> NamesOf(const CString& folder)
{
    const CString path = LongFolderPath(folder);
    std::vector<CString> names;
    const CString identity = Identity(path);
    if (!identity.IsEmpty())
        names.push_back(kIdentityPrefix + identity);
    for (CString above = FolderAbove(path); !above.IsEmpty(); above = FolderAbove(above)) {
        const CString aboveIdentity = Identity(above);
        CString rest = path.Mid(above.GetLength());
        rest.TrimLeft(L"\\");
        if (!aboveIdentity.IsEmpty())
            names.push_back(Named(kBelowPrefix, aboveIdentity + L"/" + rest));
    }
    names.push_back(Named(kPathPrefix, path));
    return names;
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
    const std::vector<CString> names = NamesOf(folder);
    m_name = names.front();
    // The mark is the mutex's existence, not its ownership: a mutex that
    // exists already, or one this user may not open, belongs to another holder.
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, m_name);
    const DWORD error = ::GetLastError();
    if (mutex && error != ERROR_ALREADY_EXISTS)
        m_mutex = mutex;
    else if (mutex)
        ::CloseHandle(mutex);
    // A copy that opened the folder under another of its names holds that one.
    for (size_t i = 1; m_mutex && i < names.size(); ++i)
        if (MutexExists(names[i]))
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
    if (!Held())
        return false;
    for (const CString& name : NamesOf(folder))
        if (name == m_name)
            return true;
    return false;
}

void FolderLock::Release()
{
    if (m_mutex)
        ::CloseHandle(m_mutex);
    m_mutex = nullptr;
}
