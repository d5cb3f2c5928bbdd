#include "LogoFile.h"

#include <vector>

#include "AtomicFile.h"

namespace {

// More than any register logo takes.
constexpr size_t kLargestLogo = 16 * 1024 * 1024;

// Some systems replace a read-only file on a rename: a read-only logo is
// meant to stay as it is everywhere.
bool IsReadOnly(const CString& path)
{
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

} // namespace

namespace LogoFile {

bool WriteBlank(const CString& target, size_t size)
{
    if (size == 0 || IsReadOnly(target))
        return false;
    const std::vector<BYTE> blank(size, 0);
    return AtomicFile::Write(target, blank.data(), blank.size());
}

bool CopyOver(const CString& source, const CString& target)
{
    std::vector<BYTE> bytes;
    if (IsReadOnly(target) || AtomicFile::Read(source, bytes, kLargestLogo) != AtomicFile::ReadResult::Ok)
        return false;
    return AtomicFile::Write(target, bytes.data(), bytes.size());
}

} // namespace LogoFile
