#include <gtest/gtest.h>

#include <utility>

#include "FolderLock.h"
#include "TempFolder.h"

namespace {

CString Upper(const std::wstring& path)
{
    CString text(path.c_str());
    return text.MakeUpper();
}

} // namespace

TEST(FolderLock, AFolderHeldElsewhereIsRefusedHoweverItsPathIsWritten)
{
    TempFolder folder;
    FolderLock first(folder.Path().c_str());
    ASSERT_TRUE(first.Held());

    CurrentDirectoryScope cwd(folder.Path());
    for (const CString& other : {Upper(folder.Path()), CString(L"."), CString(L".\\"), Upper(folder.Path() + L"\\")}) {
        EXPECT_FALSE(FolderLock(other).Held()) << other.GetString();
        EXPECT_TRUE(first.Holds(other)) << other.GetString();
    }
    TempFolder another;
    EXPECT_TRUE(FolderLock(another.Path().c_str()).Held());
    EXPECT_FALSE(first.Holds(another.Path().c_str()));
}

TEST(FolderLock, ReleasedWhenTheHolderGoesOrHoldsAnother)
{
    TempFolder folder, another;
    {
        FolderLock first(folder.Path().c_str());
        ASSERT_TRUE(first.Held());
        FolderLock moved = std::move(first);
        EXPECT_FALSE(first.Held());
        EXPECT_FALSE(FolderLock(folder.Path().c_str()).Held());
        moved = FolderLock(another.Path().c_str());
        EXPECT_TRUE(moved.Held());
        EXPECT_TRUE(FolderLock(folder.Path().c_str()).Held());
        EXPECT_FALSE(FolderLock(another.Path().c_str()).Held());
    }
    EXPECT_TRUE(FolderLock(another.Path().c_str()).Held());
}

// A folder whose name is too long for a mutex name is still one folder.
TEST(FolderLock, LongPathsAreKeyedToo)
{
    const std::wstring deep = L"C:\\" + std::wstring(300, L'a');
    FolderLock first(deep.c_str());
    ASSERT_TRUE(first.Held());
    EXPECT_FALSE(FolderLock(Upper(deep)).Held());
    EXPECT_TRUE(FolderLock((deep + L"b").c_str()).Held());
}
