#include "AtomicFile.h"

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
    FileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

bool AtomicFile::Write(const CString& path, const void* data, size_t size)
{
    CString temp = path + L".new";
    {
        FileHandle file(::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            return false;
        DWORD done = 0;
        bool ok = (size == 0 || (::WriteFile(file.Get(), data, static_cast<DWORD>(size), &done, nullptr) && done == size))
                  && ::FlushFileBuffers(file.Get());
        if (!file.Close() || !ok) {
            ::DeleteFileW(temp);
            return false;
        }
    }
    if (!::MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp);
        return false;
    }
    return true;
}
