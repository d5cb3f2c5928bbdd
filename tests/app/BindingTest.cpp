#include <gtest/gtest.h>

#include "CEcrTilldeskApp.h"
#include "EcrGlobals.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "TestModelState.h"

namespace {

TestModelState* StateOf(const wchar_t* module)
{
    HMODULE lib = GetModuleHandleW(module);
    if (!lib)
        return nullptr;
    auto get = reinterpret_cast<PFN_GetTestModelState>(
        reinterpret_cast<void (*)()>(GetProcAddress(lib, "GetTestModelState")));
    return get ? get() : nullptr;
}

struct Binding : ::testing::Test
{
    void TearDown() override { theApp.EcrDll.UnloadModelDll(); }
};

} // namespace

TEST(DllBase, NamesTheCaptionFiles)
{
    EXPECT_STREQ(L"VORNK5DLL", DLLBASE(L".\\VornK5Dll.dll"));
    EXPECT_STREQ(L"VORNK2DLL", DLLBASE(L"C:\\Program Files\\Till\\VornK2Dll.dll"));
    EXPECT_STREQ(L"X", DLLBASE(L"x.dll.DLL"));
    EXPECT_STREQ(L"PLAIN", DLLBASE(L"plain"));
    EXPECT_STREQ(L"", DLLBASE(L""));
    EXPECT_STREQ(L"", DLLBASE(nullptr));
    // Only ASCII letters change case.
    EXPECT_STREQ(L"\x00e9T\x00e9", DLLBASE(L"\x00e9t\x00e9.dll"));
}

TEST_F(Binding, WithoutALibraryEveryExportIsAStub)
{
    EXPECT_EQ(nullptr, GetEcrDataFromWndNo(18));
    EXPECT_EQ(0, GetEcrDataCount());
    EXPECT_EQ(nullptr, GetEcrDataFromIndex(0));
    EXPECT_EQ(-1, GetEcrIndexFromData(nullptr));
    EXPECT_EQ(nullptr, CreateExDialog(1 | WNDNO_FLAG_REQUEST));
    EXPECT_EQ(0, SetEcrFolder(L"x"));
    EXPECT_TRUE(theApp.EcrDll.Path.IsEmpty());
}

TEST_F(Binding, PartialLibraryGetsThePointersAndRunsOnStubsOtherwise)
{
    theApp.LoadModelDll(L"partialmodel.dll");
    ASSERT_STREQ(L"partialmodel.dll", theApp.EcrDll.Path);
    TestModelState* state = StateOf(L"partialmodel.dll");
    ASSERT_NE(nullptr, state);
    EXPECT_EQ(1, state->setGClassAddrCalls);
    EXPECT_EQ(g_pEcrSetting, state->settings);
    EXPECT_EQ(g_ppCaptionMgr, state->holder);
    EXPECT_EQ(nullptr, GetEcrDataFromWndNo(18));
    EXPECT_EQ(-1, GetEcrIndexFromData(nullptr));

    // The same path again loads nothing and hands over nothing.
    theApp.LoadModelDll(L"partialmodel.dll");
    EXPECT_EQ(1, state->setGClassAddrCalls);
}

TEST_F(Binding, LoadHandsTheLibraryTheDataFolder)
{
    theApp.LoadModelDll(L"fullmodel.dll");
    TestModelState* state = StateOf(L"fullmodel.dll");
    ASSERT_NE(nullptr, state);
    EXPECT_STREQ(g_pEcrSetting->DataPath, state->folder);
}

TEST_F(Binding, AFolderChangeHandsTheLibraryTheSettingsOwnText)
{
    theApp.LoadModelDll(L"fullmodel.dll");
    TestModelState* state = StateOf(L"fullmodel.dll");
    ASSERT_NE(nullptr, state);
    CString old = g_pEcrSetting->DataPath;
    g_pEcrSetting->DataPath = L"C:\\elsewhere";
    PostEcrMessage(WM_ECR_FOLDER_CHANGED, reinterpret_cast<WPARAM>(g_pEcrSetting->DataPath.GetString()));
    PumpPending();
    EXPECT_EQ(g_pEcrSetting->DataPath.GetString(), state->folderText);
    EXPECT_STREQ(L"C:\\elsewhere", state->folder);
    g_pEcrSetting->DataPath = old;
}

TEST_F(Binding, AChangeUnloadsTheOldLibraryFirst)
{
    theApp.LoadModelDll(L"fullmodel.dll");
    ASSERT_NE(nullptr, GetModuleHandleW(L"fullmodel.dll"));
    theApp.LoadModelDll(L"partialmodel.dll");
    EXPECT_EQ(nullptr, GetModuleHandleW(L"fullmodel.dll"));
    EXPECT_STREQ(L"partialmodel.dll", theApp.EcrDll.Path);
}

TEST_F(Binding, MissingOrBrokenLibraryLeavesNoLibrary)
{
    theApp.LoadModelDll(L"partialmodel.dll");
    theApp.LoadModelDll(L"no-such-library.dll");
    EXPECT_TRUE(theApp.EcrDll.Path.IsEmpty());
    EXPECT_EQ(nullptr, theApp.EcrDll.Module);
    EXPECT_EQ(nullptr, GetModuleHandleW(L"partialmodel.dll"));

    // A file that is not a library at all.
    wchar_t name[MAX_PATH];
    GetTempPathW(MAX_PATH, name);
    lstrcatW(name, L"not-a-library.dll");
    HANDLE f = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, "MZ garbage", 10, &written, nullptr);
    CloseHandle(f);
    theApp.LoadModelDll(name);
    EXPECT_TRUE(theApp.EcrDll.Path.IsEmpty());
    EXPECT_EQ(nullptr, GetEcrDataFromWndNo(17));
    DeleteFileW(name);
}
