#include "FolderTree.h"

#include <algorithm>
#include <map>
#include <string>

#include <windows.h>

#include <shellapi.h>

#include "TestFiles.h"

namespace {

constexpr size_t kContext = 8;  // bytes shown before and after a difference

bool EndsWith(const std::wstring& name, const wchar_t* suffix)
{
    const size_t n = wcslen(suffix);
    return name.size() >= n && _wcsicmp(name.c_str() + name.size() - n, suffix) == 0;
}

void Collect(const std::wstring& root, const std::wstring& relative, std::vector<std::wstring>& files)
{
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((root + L"\\" + relative + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Collect(root, relative + name + L"\\", files);
        else if (!EndsWith(name, L".exe") && !EndsWith(name, L".log"))
            files.push_back(relative + name);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
}

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string Narrow(const std::wstring& text)
{
    const int length = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, out.data(), n, nullptr, nullptr);
    return out;
}

std::string HexByte(unsigned char byte)
{
    static const char digits[] = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 15]};
}

// The bytes from `from` to `to` in hexadecimal, the one at `mark` in brackets.
std::string Hex(const std::string& bytes, size_t from, size_t to, size_t mark)
{
    std::string text;
    for (size_t i = from; i < to && i < bytes.size(); ++i) {
        const std::string byte = HexByte(static_cast<unsigned char>(bytes[i]));
        text += i == mark ? "[" + byte + "] " : byte + " ";
    }
    if (mark >= bytes.size())
        text += "[end]";
    return text;
}

// "" when the bytes are the same; else where and how they first differ.
std::string FirstDifference(const std::string& reference, const std::string& written)
{
    const auto mismatch = std::mismatch(reference.begin(), reference.end(), written.begin(), written.end());
    if (mismatch.first == reference.end() && mismatch.second == written.end())
        return "";
    const size_t at = static_cast<size_t>(mismatch.first - reference.begin());
    const size_t from = at > kContext ? at - kContext : 0;
    const std::string head = "first differs at byte " + std::to_string(at) + "; sizes " +
                             std::to_string(reference.size()) + " (reference) and " + std::to_string(written.size()) +
                             " (written)";
    return head + "\n    reference: " + Hex(reference, from, at + kContext + 1, at) +
           "\n    written:   " + Hex(written, from, at + kContext + 1, at);
}

} // namespace

bool CopyTree(const std::wstring& from, const std::wstring& to)
{
    // The source list ends in two NULs: the string's own and the one added here.
    const std::wstring source = from + L"\\*" + L'\0';
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_COPY;
    op.pFrom = source.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_NO_UI;
    return ::SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

std::vector<std::wstring> FilesUnder(const std::wstring& root)
{
    std::vector<std::wstring> files;
    Collect(root, L"", files);
    std::sort(files.begin(), files.end(), [](const std::wstring& a, const std::wstring& b) {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    });
    return files;
}

std::vector<std::string> CompareFolders(const std::wstring& reference, const std::wstring& written)
{
    std::map<std::wstring, std::wstring> writtenFiles;  // upper-cased name -> name as written
    for (const std::wstring& name : FilesUnder(written))
        writtenFiles[Upper(name)] = name;

    std::vector<std::string> problems;
    for (const std::wstring& name : FilesUnder(reference)) {
        const auto match = writtenFiles.find(Upper(name));
        if (match == writtenFiles.end()) {
            problems.push_back(Narrow(name) + ": in the reference, not written");
            continue;
        }
        const std::string difference =
            FirstDifference(ReadBytes(reference + L"\\" + name), ReadBytes(written + L"\\" + match->second));
        if (!difference.empty())
            problems.push_back(Narrow(name) + ": " + difference);
        writtenFiles.erase(match);
    }
    for (const auto& extra : writtenFiles)
        problems.push_back(Narrow(extra.second) + ": written, not in the reference");
    return problems;
}
