// The caption files and character table shipped with the demo model, as the
// build lays them out in bin\Cap.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "CCaptionMgr.h"
#include "TestFiles.h"

namespace {

const std::wstring kCapDir = ProgramFolder() + L"\\Cap";

// Every (section, key) of a profile file.
std::set<std::pair<std::wstring, std::wstring>> Keys(const std::wstring& path)
{
    std::set<std::pair<std::wstring, std::wstring>> keys;
    std::wstring names(1 << 16, L'\0');
    DWORD n = ::GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), path.c_str());
    for (const wchar_t* s = names.c_str(); s < names.c_str() + n && *s; s += wcslen(s) + 1) {
        std::wstring entries(1 << 16, L'\0');
        DWORD m = ::GetPrivateProfileSectionW(s, entries.data(), static_cast<DWORD>(entries.size()), path.c_str());
        for (const wchar_t* e = entries.c_str(); e < entries.c_str() + m && *e; e += wcslen(e) + 1) {
            std::wstring entry = e;
            keys.emplace(s, entry.substr(0, entry.find(L'=')));
        }
    }
    return keys;
}

}  // namespace

TEST(DefaultCaptionFiles, AreUtf16WithAByteOrderMark)
{
    for (const wchar_t* name : {L"VORNK2DLL_ENG.CAP", L"VORNK2DLL_JPN.CAP", L"VORNK2DLL_ECR.CNV"}) {
        std::string bytes = ReadBytes(kCapDir + L"\\" + name);
        ASSERT_GT(bytes.size(), 100u) << CStringA(name).GetString();
        EXPECT_EQ(std::string("\xFF\xFE", 2), bytes.substr(0, 2));
        EXPECT_EQ(std::wstring::npos, FromUtf16(bytes).find(L"\n\n\n"));
    }
}

TEST(DefaultCaptionFiles, EnglishAndJapaneseHoldTheSameCaptions)
{
    auto eng = Keys(kCapDir + L"\\VORNK2DLL_ENG.CAP");
    auto jpn = Keys(kCapDir + L"\\VORNK2DLL_JPN.CAP");
    EXPECT_GT(eng.size(), 100u);
    EXPECT_EQ(eng, jpn);
}

TEST(DefaultCaptionFiles, TheManagerReadsEveryCaptionOfBothLanguages)
{
    CCaptionMgr mgr;
    for (const wchar_t* language : {L"ENG", L"JPN"}) {
        ASSERT_TRUE(mgr.SetCaptionFile(kCapDir.c_str(), L"VORNK2DLL", language));
        for (const auto& [section, key] : Keys(mgr.GetCaptionFileName().GetString())) {
            S_ECR_CAP* cap = mgr.GetCaption(std::stoi(section), std::stoi(key));
            ASSERT_NE(nullptr, cap) << CStringA(section.c_str()).GetString() << "/" << CStringA(key.c_str()).GetString();
            EXPECT_FALSE(cap->Text.Trim().IsEmpty());
            EXPECT_EQ(nullptr, cap->Font.GetSafeHandle());  // the dialogs' own fonts stay
        }
    }

    ASSERT_TRUE(mgr.SetCaptionFile(kCapDir.c_str(), L"VORNK2DLL", L"ENG"));
    EXPECT_STREQ(L"Do you really want to exit?", mgr.GetCaption(0, 1)->Text);
    EXPECT_STREQ(L"Select (&S)", mgr.GetCaption(1, 1)->Text);
    EXPECT_STREQ(L"DEPT", mgr.GetCaption(16, 1)->Text);
    EXPECT_EQ(1, mgr.GetCaption(16, 1)->TipOn);
    EXPECT_NE(-1, mgr.GetCaption(16, 15)->Text.Find(L"\r\n"));
    EXPECT_STREQ(L"Communication", mgr.GetCaption(16, 18)->Text);  // not "hidethisitem"
    for (int level = 11; level <= 15; ++level)
        EXPECT_NE(nullptr, mgr.GetCaption(0, level));
    EXPECT_EQ(nullptr, mgr.GetCaption(0, 16));  // the level list ends after 15

    ASSERT_TRUE(mgr.SetCaptionFile(kCapDir.c_str(), L"VORNK2DLL", L"JPN"));
    EXPECT_STREQ(L"終了してもよろしいですか？", mgr.GetCaption(0, 1)->Text);
    EXPECT_STREQ(L"戻る", mgr.GetCaption(16, 14)->Text);
    EXPECT_NE(-1, mgr.GetCaption(16, 15)->Text.Find(L"\r\n"));
}

TEST(DefaultCaptionFiles, TheDemoCharacterTableLoads)
{
    ASSERT_EQ(932u, CEcrCharTable::ThreadCodePage());
    CCaptionMgr mgr;
    ASSERT_TRUE(mgr.LoadCharConv(kCapDir.c_str(), L"VORNK2DLL"));
    EXPECT_EQ(5, mgr.GetCharTable().GetByteCount());
    CStringW text;
    mgr.EcrToUnicode(CStringA("\x5C" "120\xA0" "3"), text);
    EXPECT_STREQ(L"\u00A5120\u00D73", text);
    CStringA bytes;
    mgr.UnicodeToEcr(L"\u20AC\u2116\u00F7\uF8F3", bytes);
    EXPECT_STREQ("\x80\xFD\xFE\xFF", bytes);
}
