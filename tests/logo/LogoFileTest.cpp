#include <gtest/gtest.h>

#include "LogoFile.h"
#include "TempFolder.h"
#include "TestFiles.h"

namespace {

// Files in a folder, by count.
int FileCount(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    int count = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++count;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return count;
}

} // namespace

TEST(LogoFile, BlankIsTheGivenNumberOfZeroBytes)
{
    TempFolder folder;
    folder.Write(L"LOGO1.ECR", std::string(10, '\x55'));
    ASSERT_TRUE(LogoFile::WriteBlank(folder.File(L"LOGO1.ECR").c_str(), 375));
    EXPECT_TRUE(std::string(375, '\0') == folder.Read(L"LOGO1.ECR"));
    // Nothing is left behind beside it.
    EXPECT_EQ(1, FileCount(folder.Path()));
}

TEST(LogoFile, FailuresLeaveTheOldLogoWhole)
{
    TempFolder folder;
    const std::string old(4608, '\x0F');
    folder.Write(L"LOGO1.ECR", old);
    CString target = folder.File(L"LOGO1.ECR").c_str();

    // A size of 0 writes nothing.
    EXPECT_FALSE(LogoFile::WriteBlank(target, 0));
    EXPECT_TRUE(old == folder.Read(L"LOGO1.ECR"));
    // A missing source copies nothing.
    EXPECT_FALSE(LogoFile::CopyOver(folder.File(L"MISSING_LOGO1.ECR").c_str(), target));
    EXPECT_TRUE(old == folder.Read(L"LOGO1.ECR"));

    // A read-only logo file is not replaced.
    folder.Write(L"NEW_LOGO1.ECR", std::string(4608, '\x01'));
    ASSERT_TRUE(SetFileAttributesW(target, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(LogoFile::WriteBlank(target, 4608));
    EXPECT_FALSE(LogoFile::CopyOver(folder.File(L"NEW_LOGO1.ECR").c_str(), target));
    SetFileAttributesW(target, FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(old == folder.Read(L"LOGO1.ECR"));
    EXPECT_EQ(2, FileCount(folder.Path()));  // no temporary file stays

    // A folder that does not exist takes nothing.
    EXPECT_FALSE(LogoFile::WriteBlank(folder.File(L"nowhere\\LOGO1.ECR").c_str(), 16));
}

TEST(LogoFile, CopyReplacesTheTargetByteForByte)
{
    TempFolder folder;
    std::string picture;
    for (int i = 0; i < 4608; ++i)
        picture += static_cast<char>(i * 7);
    folder.Write(L"PHOTO_LOGO1.ECR", picture);
    folder.Write(L"LOGO1.ECR", std::string(4608, '\0'));
    ASSERT_TRUE(LogoFile::CopyOver(folder.File(L"PHOTO_LOGO1.ECR").c_str(), folder.File(L"LOGO1.ECR").c_str()));
    EXPECT_TRUE(picture == folder.Read(L"LOGO1.ECR"));
    EXPECT_TRUE(picture == folder.Read(L"PHOTO_LOGO1.ECR"));
}
