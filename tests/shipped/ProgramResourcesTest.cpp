// The built program carries every dialog template and resource it creates
// screens and dialogs from: the tests link each area's resources into their
// own executables, so only the program file itself can show one missing.
// Every program's manifest names the architecture of its own build.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <string>
#include <vector>

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

namespace {

// The architecture a manifest of this build must name.
#ifdef _WIN64
const std::string kArchitecture = "amd64";
#else
const std::string kArchitecture = "x86";
#endif

// EnumResourceNamesW callback: adds one manifest's text to the list in `list`.
// A function of its own, as a lambda does not convert to the 32-bit build's
// WINAPI callback.
BOOL CALLBACK CollectManifest(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR list)
{
    HRSRC found = ::FindResourceW(module, name, type);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    if (bytes)
        reinterpret_cast<std::vector<std::string>*>(list)->emplace_back(bytes, ::SizeofResource(module, found));
    return TRUE;
}

// The manifests a file embeds, as their text; none when it embeds none.
std::vector<std::string> ManifestsOf(const std::wstring& path)
{
    std::vector<std::string> manifests;
    HMODULE file = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    EXPECT_NE(file, nullptr) << "cannot open " << testing::PrintToString(path) << ", error " << ::GetLastError();
    if (!file)
        return manifests;
    ::EnumResourceNamesW(file, reinterpret_cast<LPCWSTR>(RT_MANIFEST), CollectManifest,
                         reinterpret_cast<LONG_PTR>(&manifests));
    ::FreeLibrary(file);
    return manifests;
}

// The value of an attribute inside one element's text; empty when absent.
std::string Attribute(const std::string& element, const std::string& name)
{
    for (size_t at = element.find(name + "=\""); at != std::string::npos; at = element.find(name + "=\"", at + 1)) {
        if (at == 0 || !std::isspace(static_cast<unsigned char>(element[at - 1])))
            continue;  // the end of a longer attribute's name
        size_t from = at + name.size() + 2;
        return element.substr(from, element.find('"', from) - from);
    }
    return {};
}

struct Identity
{
    std::string name, architecture;
};

// The assembly identities of a manifest in their order: the program's own
// first, then those of its dependencies.
std::vector<Identity> IdentitiesIn(const std::string& manifest)
{
    std::vector<Identity> identities;
    for (size_t at = manifest.find("<assemblyIdentity"); at != std::string::npos;
         at = manifest.find("<assemblyIdentity", at + 1)) {
        std::string element = manifest.substr(at, manifest.find('>', at) - at);
        identities.push_back({Attribute(element, "name"), Attribute(element, "processorArchitecture")});
    }
    return identities;
}

// Every file built beside the tests with the given extension.
std::vector<std::wstring> BuiltFiles(const wchar_t* pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(found.cFileName);
    while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

} // namespace

TEST(Manifests, TheShippedProgramsAskForTheCommonControlsOfTheirOwnArchitecture)
{
    for (const wchar_t* program : {L"Tilldesk.exe", L"Tillwire.exe", L"Tillmark.exe", L"Tillpad.exe", L"Cellvane.exe"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(program)));
        std::vector<std::string> manifests = ManifestsOf(program);
        ASSERT_EQ(manifests.size(), 1u);
        std::vector<Identity> identities = IdentitiesIn(manifests[0]);
        ASSERT_EQ(identities.size(), 2u) << manifests[0];
        EXPECT_EQ(identities[0].architecture, kArchitecture) << "the program's own identity";
        EXPECT_EQ(identities[1].name, "Microsoft.Windows.Common-Controls");
        EXPECT_TRUE(identities[1].architecture == kArchitecture || identities[1].architecture == "*")
            << "the common controls are asked for as " << identities[1].architecture;
    }
}

TEST(Manifests, EveryBuiltProgramAndLibraryNamesItsBuildsArchitecture)
{
    // The stand-ins, tests, benchmarks and mutation drivers are built beside
    // the program; each that embeds a manifest must start on this build too.
    size_t checked = 0;
    for (const wchar_t* pattern : {L"*.exe", L"*.dll"}) {
        for (const std::wstring& file : BuiltFiles(pattern)) {
            for (const std::string& manifest : ManifestsOf(file)) {
                for (const Identity& identity : IdentitiesIn(manifest)) {
                    EXPECT_TRUE(identity.architecture == kArchitecture || identity.architecture == "*")
                        << testing::PrintToString(file) << " names " << identity.name << " as "
                        << identity.architecture;
                }
                ++checked;
            }
        }
    }
    EXPECT_GE(checked, 20u) << "the test programs beside this one were not found";
}
