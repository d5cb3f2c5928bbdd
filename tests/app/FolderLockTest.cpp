#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <utility>
#include <vector>

#include "AtomicFile.h"
#include "FolderLock.h"
#include "TempFolder.h"

namespace {

CString Upper(const std::wstring& path)
{
    CString text(path.c_str());
    return text.MakeUpper();
}

// Other names that reach a folder, each through another drive letter: under
// Wine the letter of the Unix root (the prefix links z: to /, c: to its
// drive_c), elsewhere a letter defined for the folder as subst does, removed
// again at the end. A name counts when a file put in the folder shows
// through it.
class OtherNames
{
public:
    explicit OtherNames(const TempFolder& folder)
    {
        folder.Write(L"probe.txt", "x");
        for (const std::wstring& name : {UnixRootName(folder.Path()), DefinedLetter(folder.Path())})
            if (!name.empty() && ::GetFileAttributesW((name + L"\\probe.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
                m_names.push_back(name);
        ::DeleteFileW(folder.File(L"probe.txt").c_str());
    }
    ~OtherNames()
    {
        if (!m_letter.empty())
            ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, m_letter.c_str(), nullptr);
    }
    OtherNames(const OtherNames&) = delete;
    OtherNames& operator=(const OtherNames&) = delete;

    const std::vector<std::wstring>& List() const { return m_names; }

private:
    // Z:, the Unix root, reaches drive C: through the prefix's drive_c.
    static std::wstring UnixRootName(const std::wstring& folder)
    {
        wchar_t prefix[MAX_PATH] = {};
        const DWORD n = ::GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
        if (n == 0 || n >= MAX_PATH || folder.size() < 3 || towupper(folder[0]) != L'C' || folder.compare(1, 2, L":\\") != 0)
            return std::wstring();
        std::wstring name = L"Z:" + std::wstring(prefix) + L"/drive_c" + folder.substr(2);
        for (wchar_t& c : name)
            if (c == L'/')
                c = L'\\';
        return name;
    }
    std::wstring DefinedLetter(const std::wstring& folder)
    {
        const DWORD used = ::GetLogicalDrives();
        for (wchar_t letter = L'Y'; letter > L'D'; --letter)
            if (!(used & (1u << (letter - L'A')))) {
                const std::wstring drive = {letter, L':'};
                if (!::DefineDosDeviceW(0, drive.c_str(), folder.c_str()))
                    return std::wstring();
                m_letter = drive;
                return drive;
            }
        return std::wstring();
    }

    std::wstring m_letter;  // defined here, removed at the end
    std::vector<std::wstring> m_names;
};

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

// A folder is one folder under all its names: held under one, it is refused
// and known as held under the others, either way round.
TEST(FolderLock, EveryNameOfAFolderFindsItsMark)
{
    TempFolder folder;
    OtherNames others(folder);
    ASSERT_FALSE(others.List().empty()) << "no second name of the folder could be made";
    for (const std::wstring& other : others.List()) {
        SCOPED_TRACE(std::string(other.begin(), other.end()));
        {
            FolderLock first(folder.Path().c_str());
            ASSERT_TRUE(first.Held());
            EXPECT_FALSE(FolderLock(other.c_str()).Held());
            EXPECT_FALSE(FolderLock((other + L"\\").c_str()).Held());
            EXPECT_TRUE(first.Holds(other.c_str()));
        }
        FolderLock byOther(other.c_str());
        ASSERT_TRUE(byOther.Held());
        EXPECT_FALSE(FolderLock(folder.Path().c_str()).Held());
        EXPECT_TRUE(byOther.Holds(folder.Path().c_str()));
    }
    TempFolder another;
    FolderLock first(folder.Path().c_str());
    EXPECT_TRUE(FolderLock(another.Path().c_str()).Held());
    EXPECT_FALSE(first.Holds(another.Path().c_str()));
}

// A folder that does not exist yet, nor the one above it, is marked under
// the first folder above it that exists: under every name of that one it is
// refused, and the holder knows it as its own, before the first write
// creates the folders and after.
TEST(FolderLock, AFolderNotThereYetIsMarkedUnderEveryNameBeforeAndAfterItIsCreated)
{
    TempFolder parent;
    OtherNames others(parent);
    ASSERT_FALSE(others.List().empty()) << "no second name of the folder could be made";
    const std::wstring later = parent / L"New\\Later";
    FolderLock first(later.c_str());
    ASSERT_TRUE(first.Held());
    for (bool created : {false, true}) {
        if (created) {
            ASSERT_TRUE(AtomicFile::CreateFolder(later.c_str()));
        }
        EXPECT_FALSE(FolderLock(Upper(later)).Held());
        for (const std::wstring& other : others.List()) {
            const std::wstring name = other + L"\\new\\Later\\";
            SCOPED_TRACE(std::string(name.begin(), name.end()));
            EXPECT_FALSE(FolderLock(name.c_str()).Held());
            EXPECT_TRUE(first.Holds(name.c_str()));
        }
    }
    first = FolderLock();
    FolderLock now((others.List().front() + L"\\New\\Later").c_str());
    EXPECT_TRUE(now.Held());
    EXPECT_TRUE(now.Holds(later.c_str()));
    EXPECT_FALSE(FolderLock(later.c_str()).Held());
    EXPECT_TRUE(FolderLock((parent / L"New").c_str()).Held());
}
