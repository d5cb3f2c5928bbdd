// The shared whole-file writer and the profile-file editor on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "AtomicFile.h"
#include "ProfileText.h"
#include "TempFolder.h"

namespace {

int FileCount(const TempFolder& folder)
{
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(folder.File(L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

std::wstring Utf16Text(const std::string& bytes)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

} // namespace

// A failed write keeps the old file, leaves no temporary, keeps the system's
// reason and says it with the file's name; it says the previous file is kept
// only when there is one.
TEST(AtomicFile, FailuresKeepTheOldFileAndSayWhy)
{
    TempFolder folder;
    CString path = folder.File(L"data.bin").c_str();
    folder.Write(L"data.bin.new", "a stale temporary of an older writer");
    ASSERT_TRUE(AtomicFile::Write(path, "first", 5));
    EXPECT_EQ("first", folder.Read(L"data.bin"));
    EXPECT_EQ(2, FileCount(folder));

    ASSERT_TRUE(SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(AtomicFile::Write(path, "second", 6));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("first", folder.Read(L"data.bin"));
    EXPECT_EQ(2, FileCount(folder));

    CString missing = folder.File(L"no folder\\data.bin").c_str();
    EXPECT_FALSE(AtomicFile::Write(missing, "x", 1));
    DWORD error = GetLastError();
    EXPECT_NE(0u, error);
    EXPECT_EQ(missing + L" could not be written (" + AtomicFile::SystemReason(error) + L").",
              AtomicFile::FailureMessage(missing, error));
    EXPECT_NE(-1, AtomicFile::FailureMessage(path, ERROR_ACCESS_DENIED).Find(L"; the previous file is kept."));

    // A caption places the file and the reason anywhere; nothing else in it is read.
    const CString reason = AtomicFile::SystemReason(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(reason.IsEmpty());
    EXPECT_EQ(reason + L" / " + path + L" %s %d %",
              AtomicFile::FailureMessage(path, ERROR_ACCESS_DENIED, L"%2 / %1 %s %d %", L"no file"));
    EXPECT_EQ(L"new " + missing, AtomicFile::FailureMessage(missing, ERROR_ACCESS_DENIED, L"kept", L"new %1"));
}

// The system's reason goes into the brackets of a message without its own
// full stop, in either language, so the message ends in exactly one.
TEST(AtomicFile, TheSystemsReasonLosesItsFullStopInEitherLanguage)
{
    const LCID locale = GetThreadLocale();
    struct Language
    {
        LANGID id;
        const wchar_t* format;
        const wchar_t* end;
    };
    for (const Language& language : {Language{MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), L"%1 に書き込めませんでした（%2）。", L"）。"},
                                     Language{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), nullptr, L")."}}) {
        ASSERT_TRUE(SetThreadLocale(MAKELCID(language.id, SORT_DEFAULT)));
        for (DWORD error : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED}) {
            const std::wstring reason = AtomicFile::SystemReason(error).GetString();
            SCOPED_TRACE(testing::Message() << language.id << " " << error << " " << reason);
            ASSERT_FALSE(reason.empty());
            EXPECT_EQ(std::wstring::npos, reason.find_first_of(L"\r\n"));
            EXPECT_EQ(std::wstring::npos, std::wstring(L".。．").find(reason.back()));
            // The system answers in the thread's language.
            const bool japanese = std::any_of(reason.begin(), reason.end(), [](wchar_t c) { return c >= 0x3000; });
            EXPECT_EQ(language.format != nullptr, japanese);
            const std::wstring message = AtomicFile::FailureMessage(L"C:\\x", error, language.format, language.format).GetString();
            EXPECT_EQ(message.size() - wcslen(language.end), message.rfind(language.end));
            EXPECT_EQ(reason, message.substr(message.size() - wcslen(language.end) - reason.size(), reason.size()));
        }
    }
    SetThreadLocale(locale);
}

// A folder for files is made with every missing folder above it, however
// its path is written; one below a file cannot be, and the message names the
// file and the folder's full path.
TEST(AtomicFile, CreatesAFolderWithTheFoldersAboveIt)
{
    TempFolder folder;
    CurrentDirectoryScope cwd(folder.Path());
    const std::wstring deep = folder / L"one\\two\\three";
    const auto isFolder = [](const std::wstring& path) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    for (const std::wstring& path : {deep, deep, std::wstring(L".\\rel\\sub\\"), std::wstring()})
        EXPECT_TRUE(AtomicFile::CreateFolder(path.c_str())) << std::string(path.begin(), path.end());
    EXPECT_TRUE(isFolder(deep));
    EXPECT_TRUE(isFolder(folder / L"rel\\sub"));

    folder.Write(L"file", "kept");
    EXPECT_FALSE(AtomicFile::CreateFolder(L"file\\Data"));
    const DWORD error = GetLastError();
    EXPECT_NE(0u, error);
    EXPECT_EQ("kept", folder.Read(L"file"));
    const CString target = L"file\\Data\\DEPT.VK2";
    EXPECT_EQ(target + L" could not be written: the folder " + (folder / L"file\\Data").c_str() + L" could not be created (" +
                  AtomicFile::SystemReason(error) + L").",
              AtomicFile::FolderFailureMessage(target, L"file\\Data\\", error));
    EXPECT_EQ(L"(" + AtomicFile::SystemReason(error) + L") " + (folder / L"file\\Data").c_str() + L" / " + target,
              AtomicFile::FolderFailureMessage(target, L"file\\Data", error, L"(%2) %3 / %1"));
}

// Lines, comments and order stay; keys are found without regard to case and
// added at the end of their section; every encoding is read and written back
// as UTF-16.
TEST(ProfileText, ChangesOnlyWhatIsSet)
{
    TempFolder folder;
    CString path = folder.File(L"a.ini").c_str();
    folder.Write(L"a.ini", "; top\n[One]\nKey=old\nother = 2\n\n[Two]\r\nx=1\r\n");
    ProfileText ini;
    ASSERT_TRUE(ini.Load(path));
    ini.Set(L"one", L"KEY", L"new");
    ini.Set(L"One", L"Added", L"3");
    ini.Set(L"Three", L"y", L"\x65e5");
    ASSERT_TRUE(ini.Save(path));
    std::string bytes = folder.Read(L"a.ini");
    ASSERT_EQ("\xFF\xFE", bytes.substr(0, 2));
    EXPECT_EQ(L"; top\r\n[One]\r\nKEY=new\r\nother = 2\r\nAdded=3\r\n\r\n[Two]\r\nx=1\r\n\r\n[Three]\r\ny=\x65e5\r\n",
              Utf16Text(bytes.substr(2)));
    wchar_t value[16];
    GetPrivateProfileStringW(L"Three", L"y", L"", value, 16, path);
    EXPECT_STREQ(L"\x65e5", value) << "the profile functions read the new file";

    const struct { const char* name; std::string bytes; } encodings[] = {
        {"UTF-16BE", std::string("\xFE\xFF\0[\0A\0]\0\n\0k\0=\x65\xE5", 16)},
        {"UTF-8 with a mark", "\xEF\xBB\xBF[A]\nk=\xE6\x97\xA5"},
        {"UTF-8 without a mark", "[A]\nk=\xE6\x97\xA5"},
        {"UTF-16LE without a mark", std::string("[\0A\0]\0\n\0k\0=\0\xE5\x65", 14)},
    };
    for (const auto& e : encodings) {
        folder.Write(L"a.ini", e.bytes);
        ASSERT_TRUE(ini.Load(path)) << e.name;
        ini.Set(L"A", L"n", L"1");
        ASSERT_TRUE(ini.Save(path)) << e.name;
        EXPECT_EQ(L"[A]\r\nk=\x65e5\r\nn=1\r\n", Utf16Text(folder.Read(L"a.ini").substr(2))) << e.name;
    }
}
