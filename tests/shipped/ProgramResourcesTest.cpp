// The built program carries every dialog template and resource it creates
// screens and dialogs from: the tests link each area's resources into their
// own executables, so only the program file itself can show one missing.
#include <gtest/gtest.h>

#include <windows.h>

#include "CommResources.h"
#include "FrameworkResources.h"
#include "KeyboardResources.h"
#include "LogoResources.h"
#include "TablesResources.h"
#include "resource.h"

namespace {

// Every dialog template the program creates; a new screen or dialog adds its id.
const UINT kTemplates[] = {
    IDD_ABOUTBOX,         IDD_ECRTILLDESK_DIALOG, IDD_SELECT_DIALOG,  IDD_FLEXLIST_DIALOG,
    IDD_TILLWIRE_DIALOG,  IDD_LOGO_DIALOG,        IDD_ECRCNV_DIALOG,  IDD_KEYBOARD_DIALOG,
    IDD_TILLMARK_VIEW_DIALOG, IDD_TILLMARK_CNV_DIALOG, IDD_BOARDSET_DIALOG, IDD_INPUT_VALUE,
    IDD_CAPTION_EDITER,   IDD_CARD,
};

struct ProgramFile : ::testing::Test
{
    void SetUp() override
    {
        // The tests run beside the program in the build's bin folder.
        module = ::LoadLibraryExW(L"Tilldesk.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << "Tilldesk.exe cannot be opened, error " << ::GetLastError();
    }
    void TearDown() override
    {
        if (module)
            ::FreeLibrary(module);
    }
    HMODULE module = nullptr;
};

} // namespace

TEST_F(ProgramFile, HoldsEveryDialogTemplateItCreates)
{
    for (UINT id : kTemplates) {
        HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
        EXPECT_NE(found, nullptr) << "template " << id;
        if (found) {
            EXPECT_GT(::SizeofResource(module, found), sizeof(DLGTEMPLATE)) << "template " << id;
        }
    }
}

TEST_F(ProgramFile, HoldsTheIconTheAboutTextAndTheManifest)
{
    EXPECT_NE(::FindResourceW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), reinterpret_cast<LPCWSTR>(RT_GROUP_ICON)),
              nullptr);
    wchar_t about[128] = {};
    EXPECT_GT(::LoadStringW(module, IDS_ABOUTBOX, about, 128), 0);
    EXPECT_NE(::FindResourceW(module, MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_MANIFEST)), nullptr);
}
