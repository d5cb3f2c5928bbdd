#include "LogoFile.h"

#include <vector>

namespace {

// An empty temporary file in the target's folder, removed again unless
// Commit moved it over the target.
class TempBeside
{
public:
    explicit TempBeside(const CString& target) : m_target(target)
    {
        CString folder = target;
        int slash = folder.ReverseFind(L'\\');
        folder = slash >= 0 ? folder.Left(slash) : CString(L".");
        wchar_t path[MAX_PATH] = {};
        if (::GetTempFileNameW(folder, L"lgo", 0, path))
            m_path = path;
    }
    ~TempBeside()
    {
        if (!m_path.IsEmpty())
            ::DeleteFileW(m_path);
    }
    TempBeside(const TempBeside&) = delete;
    TempBeside& operator=(const TempBeside&) = delete;

    const CString& Path() const { return m_path; }
    bool Commit()
    {
        // Some systems replace a read-only file on a rename: a read-only
        // logo is meant to stay as it is everywhere.
        DWORD attributes = ::GetFileAttributesW(m_target);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return false;
        if (m_path.IsEmpty() || !::MoveFileExW(m_path, m_target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
        m_path.Empty();
        return true;
    }

private:
    CString m_target;
    CString m_path;
};

bool WriteAll(const CString& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && ::FlushFileBuffers(file);
    return ::CloseHandle(file) && ok;
}

} // namespace

namespace LogoFile {

bool WriteBlank(const CString& target, size_t size)
{
    if (size == 0)
        return false;
    TempBeside temp(target);
    return !temp.Path().IsEmpty() && WriteAll(temp.Path(), std::vector<BYTE>(size, 0)) && temp.Commit();
}

bool CopyOver(const CString& source, const CString& target)
{
    TempBeside temp(target);
    return !temp.Path().IsEmpty() && ::CopyFileW(source, temp.Path(), FALSE) && temp.Commit();
}

} // namespace LogoFile
