#include "AtomicFile.h"

#include "FillPlaceholders.h"
#include "FullPathName.h"

namespace {

// Closes a file handle when it goes out of scope.
class FileHandle
{
public:
    explicit FileHandle(HANDLE h) : m_h(h) {}
    ~FileHandle() { if (Valid()) ::CloseHandle(m_h); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    bool Close()
    {
        HANDLE h = m_h;
        m_h = INVALID_HANDLE_VALUE;
        return ::CloseHandle(h) != FALSE;
    }

private:
    HANDLE m_h;
};

} // namespace

AtomicFile::ReadResult AtomicFile::Read(const CString& path, std::vector<BYTE>& bytes, size_t limit)
{
    bytes.clear();
    FileHandle file(OpenForReading(path));
    if (!file.Valid()) {
        DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing : ReadResult::Failed;
    }
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit)
        return ReadResult::Failed;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD done = 0;
    if (!bytes.empty() && (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) || done != bytes.size())) {
        bytes.clear();
        return ReadResult::Failed;
    }
    return ReadResult::Ok;
}

HANDLE AtomicFile::OpenForReading(const CString& path)
{
    return ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

namespace {

// Unique within the folder: the process id and a per-process count, so two
// writers of the same file never share a temporary.
CString TemporaryName(const CString& path)
{
    static volatile LONG counter = 0;
    CString temp;
    temp.Format(L"%s.%lx-%lx.tmp", path.GetString(), ::GetCurrentProcessId(),
                static_cast<unsigned long>(::InterlockedIncrement(&counter)));
    return temp;
}

// Removes the temporary and keeps the error that made the write fail.
bool Fail(const CString& temp)
{
    DWORD error = ::GetLastError();
    ::DeleteFileW(temp);
    ::SetLastError(error ? error : ERROR_WRITE_FAULT);
    return false;
}

} // namespace

bool AtomicFile::Write(const CString& path, const void* data, size_t size)
{
    // A read-only file is not replaced, as Windows refuses to (Wine would).
    DWORD attributes = ::GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    CString temp = TemporaryName(path);
    {
        FileHandle file(::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            return Fail(temp);
        DWORD done = 0;
        bool ok = size == 0 || ::WriteFile(file.Get(), data, static_cast<DWORD>(size), &done, nullptr);
        if (ok && done != size) {
            ::SetLastError(ERROR_DISK_FULL);
            ok = false;
        }
        ok = ok && ::FlushFileBuffers(file.Get());
        if (!ok) {
            DWORD error = ::GetLastError();
            file.Close();
            ::SetLastError(error);
            return Fail(temp);
        }
        if (!file.Close())
            return Fail(temp);
    }
    if (!::MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail(temp);
    return true;
}

namespace {

bool IsFolder(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// path is a full folder path (FullFolderPath). The folder above comes
// first; a root (a missing drive, say) is never created.
bool CreateFolderTree(const CString& path)
{
    if (IsFolder(path))
        return true;
    const CString above = FolderAbove(path);
    if (!above.IsEmpty() && !CreateFolderTree(above))
        return false;
    if (::CreateDirectoryW(path, nullptr))
        return true;
    const DWORD error = ::GetLastError();
    // Another writer may have made it meanwhile.
    if (IsFolder(path))
        return true;
    ::SetLastError(error);
    return false;
}

} // namespace

bool AtomicFile::CreateFolder(const CString& folder)
{
    // An empty folder is the current one.
    return folder.IsEmpty() || CreateFolderTree(FullFolderPath(folder));
}

CString AtomicFile::SystemReason(DWORD error)
{
    CString reason;
    wchar_t* text = nullptr;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (n && text) {
        reason = text;
        reason.Trim();
        // The messages close their own sentence after the bracket.
        const int last = reason.GetLength() - 1;
        if (last > 0 && (reason[last] == L'.' || reason[last] == L'\x3002' || reason[last] == L'\xFF0E'))
            reason.Delete(last);
    }
    if (text)
        ::LocalFree(text);
    if (reason.IsEmpty())
        reason.Format(L"error %lu", error);
    return reason;
}

CString AtomicFile::FailureMessage(const CString& path, DWORD error, const wchar_t* keptFormat,
                                   const wchar_t* noFileFormat)
{
    // A failed write never removes the file, so a file there now is the
    // previous one; without one (a new file, a data folder deleted meanwhile)
    // nothing is kept, and the text must not say so.
    const bool kept = ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
    const wchar_t* format = kept ? keptFormat : noFileFormat;
    const CString pattern = format && *format ? format
                            : kept            ? L"%1 could not be written (%2); the previous file is kept."
                                              : L"%1 could not be written (%2).";
    return FillPlaceholders(pattern, {path, SystemReason(error)});
}

CString AtomicFile::FolderFailureMessage(const CString& path, const CString& folder, DWORD error,
                                         const wchar_t* format)
{
    const CString pattern = format && *format ? format : L"%1 could not be written: the folder %3 could not be created (%2).";
    return FillPlaceholders(pattern, {path, SystemReason(error), FullFolderPath(folder)});
}
