// The caption manager against real caption files in a temporary folder.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CCaptionMgr.h"
#include "CCaptionValue.h"
#include "HighMemory.h"
#include "MessageBoxRecorder.h"
#include "TempFolder.h"
#include "TestFiles.h"

namespace {

// A caption value as the file holds it.
std::wstring Value(const wchar_t* text, const wchar_t* face = L" ", int height = 0, int tipOn = 0,
                   const wchar_t* tip = L" ")
{
    const wchar_t s = CCaptionValue::Separator;
    std::wstring v = std::to_wstring(height);
    for (int i = 0; i < 12; ++i)
        v += s, v += L"0";
    return v + s + face + s + text + s + std::to_wstring(tipOn) + s + tip;
}

// Whether a file's text holds the line. Wine rewrites the whole file from
// what it parsed: lines it read back keep their value without the blanks
// around it (the values the profile functions return are the same), empty
// lines go.
bool HasLine(const std::wstring& text, std::wstring line)
{
    if (text.find(line + L"\r\n") != std::wstring::npos)
        return true;
    while (!line.empty() && line.back() == L' ')
        line.pop_back();
    return text.find(line + L"\r\n") != std::wstring::npos;
}

class CaptionMgrTest : public ::testing::Test
{
protected:
    TempFolder dir;
    std::wstring eng = dir / L"VORNK2DLL_ENG.CAP";
    std::wstring jpn = dir / L"VORNK2DLL_JPN.CAP";

    // Writes a caption file by hand (UTF-16LE with byte-order mark).
    void WriteCaptionFile(const std::wstring& path, const std::wstring& text)
    {
        FlushProfileCache(path);
        WriteBytes(path, Utf16(text));
    }
    std::wstring ReadCaptionFile(const std::wstring& path)
    {
        FlushProfileCache(path);
        return FromUtf16(ReadBytes(path));
    }
    BOOL Select(CCaptionMgr& mgr, const wchar_t* language)
    {
        return mgr.SetCaptionFile(dir.Path().c_str(), L"VornK2Dll", language);
    }
};

// A sample file: captions read by the tests, captions never read, a long
// value and lines that are no captions.
std::wstring SampleFile()
{
    return L"[0]\r\n"
           L"1=" + Value(L"Do you really want to exit?") + L"\r\n"
           L"11=" + Value(L"Level 0") + L"\r\n"
           L"12=" + Value(L"Never read\\nby anyone", L"Arial", -12) + L"\r\n"
           L"[16]\r\n"
           L"1=" + Value(L"DEPT", L"MS UI Gothic", -12, 1, L"Departments") + L"\r\n"
           L"2=" + Value(L"PLU", L"MS UI Gothic", -12) + L"\r\n"
           L"3=garbage without fields\r\n"
           L"4=" + Value((L"Long " + std::wstring(3000, L'x') + L" end").c_str()) + L"\r\n"
           L"[268435456]\r\n"
           L"7=" + Value(L"Data item") + L"\r\n";
}

}  // namespace

TEST_F(CaptionMgrTest, NamesAreBuiltAndUpperCasedByTheAsciiRule)
{
    EXPECT_STREQ(L".\\CAP\\VORNK5DLL_JPN.CAP", CCaptionMgr::CaptionFileName(L".\\Cap", L"VornK5Dll", L"jpn"));
    EXPECT_STREQ(L".\\CAP\\VORNK5DLL_ECR.CNV", CCaptionMgr::CharConvFileName(L".\\Cap", L"VornK5Dll"));
    EXPECT_STREQ(L"C:\\DATEN\\KASSE\\é_ENG.CAP", CCaptionMgr::CaptionFileName(L"c:\\Daten\\kasse", L"é", L"Eng"));
}

TEST_F(CaptionMgrTest, AMissingFileIsCreatedWithOnlyTheByteOrderMark)
{
    CCaptionMgr mgr;
    EXPECT_FALSE(Select(mgr, L"Eng"));
    EXPECT_EQ(std::string("\xFF\xFE", 2), ReadBytes(eng));
    EXPECT_EQ(nullptr, mgr.GetCaption(0, 1));
    // Now it exists and is current.
    EXPECT_TRUE(Select(mgr, L"ENG"));
}

TEST_F(CaptionMgrTest, AnExistingFileIsNeverRecreated)
{
    const std::string bytes = Utf16(SampleFile());
    WriteBytes(eng, bytes);
    {
        CCaptionMgr mgr;
        EXPECT_TRUE(Select(mgr, L"ENG"));
    }
    EXPECT_EQ(bytes, ReadBytes(eng));

    // Held open without sharing by another program: still not truncated.
    HANDLE locked = ::CreateFileW(jpn.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    DWORD written = 0;
    ::WriteFile(locked, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    {
        CCaptionMgr mgr;
        EXPECT_TRUE(Select(mgr, L"JPN"));
    }
    ::CloseHandle(locked);
    EXPECT_EQ(bytes, ReadBytes(jpn));
}

TEST_F(CaptionMgrTest, NoFileIsSelectedOrCreatedWithoutALibraryName)
{
    CCaptionMgr mgr;
    EXPECT_FALSE(mgr.SetCaptionFile(dir.Path().c_str(), L"", L"ENG"));
    EXPECT_FALSE(FileExists(dir / L"_ENG.CAP"));
    EXPECT_STREQ(L"", mgr.GetCaptionFileName());
    EXPECT_EQ(nullptr, mgr.GetCaption(0, 1));
    // Nor in a folder that does not exist.
    EXPECT_FALSE(mgr.SetCaptionFile((dir / L"missing").c_str(), L"VornK2Dll", L"ENG"));
    EXPECT_EQ(nullptr, mgr.GetCaption(0, 1));
}

TEST_F(CaptionMgrTest, GetCaptionReadsParsesAndCaches)
{
    WriteCaptionFile(eng, SampleFile());
    CCaptionMgr mgr;
    ASSERT_TRUE(Select(mgr, L"ENG"));

    S_ECR_CAP* exit = mgr.GetCaption(0, 1);
    ASSERT_NE(nullptr, exit);
    EXPECT_STREQ(L"Do you really want to exit?", exit->Text);
    EXPECT_EQ(nullptr, exit->Font.GetSafeHandle());  // no font in the file: the dialog's stays

    S_ECR_CAP* dept = mgr.GetCaption(16, 1);
    ASSERT_NE(nullptr, dept);
    EXPECT_STREQ(L"DEPT", dept->Text);
    EXPECT_EQ(1, dept->TipOn);
    EXPECT_STREQ(L"Departments", dept->TipText);
    LOGFONTW lf = {};
    ASSERT_NE(0, dept->Font.GetLogFont(&lf));
    EXPECT_EQ(-12, lf.lfHeight);
    EXPECT_STREQ(L"MS UI Gothic", lf.lfFaceName);

    S_ECR_CAP* item = mgr.GetCaption(0x10000000, 7);
    ASSERT_NE(nullptr, item);
    EXPECT_STREQ(L"Data item", item->Text);

    // Served from the cache: the same record, even after the file changed.
    WriteCaptionFile(eng, L"[0]\r\n1=" + Value(L"Changed") + L"\r\n");
    EXPECT_EQ(exit, mgr.GetCaption(0, 1));
    EXPECT_STREQ(L"Do you really want to exit?", mgr.GetCaption(0, 1)->Text);
}

TEST_F(CaptionMgrTest, LongValuesAreReadWhole)
{
    WriteCaptionFile(eng, SampleFile());
    CCaptionMgr mgr;
    ASSERT_TRUE(Select(mgr, L"ENG"));
    S_ECR_CAP* cap = mgr.GetCaption(16, 4);
    ASSERT_NE(nullptr, cap);
    EXPECT_EQ(3009, cap->Text.GetLength());
    EXPECT_EQ(0, cap->Text.Right(4).Compare(L" end"));
}

TEST_F(CaptionMgrTest, MissingAndMalformedCaptionsGiveNullAndAreNotCached)
{
    WriteCaptionFile(eng, SampleFile());
    CCaptionMgr mgr;
    ASSERT_TRUE(Select(mgr, L"ENG"));
    EXPECT_EQ(nullptr, mgr.GetCaption(16, 3));  // "garbage without fields"
    EXPECT_EQ(nullptr, mgr.GetCaption(16, 99));
    EXPECT_EQ(nullptr, mgr.GetCaption(99, 1));

    // Not cached: once the file has it, it is found.
    std::wstring text = SampleFile() + L"[99]\r\n1=" + Value(L"Added later") + L"\r\n";
    WriteCaptionFile(eng, text);
    S_ECR_CAP* cap = mgr.GetCaption(99, 1);
    ASSERT_NE(nullptr, cap);
    EXPECT_STREQ(L"Added later", cap->Text);
}

TEST_F(CaptionMgrTest, FlushWithoutChangeLeavesTheFileByteIdentical)
{
    WriteCaptionFile(eng, SampleFile());
    const std::string before = ReadBytes(eng);
    {
        CCaptionMgr mgr;
        ASSERT_TRUE(Select(mgr, L"ENG"));
        for (int n : {1, 2, 3, 4})
            mgr.GetCaption(16, n);
        mgr.GetCaption(0, 1);
        mgr.FlushCaptions();
        mgr.GetCaption(0, 11);
    }  // the destructor flushes too
    FlushProfileCache(eng);
    EXPECT_EQ(before, ReadBytes(eng));
}

TEST_F(CaptionMgrTest, FlushWritesTheChangeAndKeepsEveryOtherLine)
{
    // Lines the writer would format differently: a "+" sign, an 18th field,
    // a face over 31 characters.
    std::wstring odd1 = L"5=+10" + Value(L"Odd one").substr(1);
    std::wstring odd2 = L"6=" + Value(L"Odd two") + CCaptionValue::Separator + L"field 18";
    std::wstring odd3 = L"7=" + Value(L"Odd three", std::wstring(40, L'F').c_str(), -9);
    WriteCaptionFile(eng, SampleFile() + L"[5]\r\n" + odd1 + L"\r\n" + odd2 + L"\r\n" + odd3 + L"\r\n");
    const std::wstring before = ReadCaptionFile(eng);

    CCaptionMgr mgr;
    ASSERT_TRUE(Select(mgr, L"ENG"));
    for (int n : {5, 6, 7})
        ASSERT_NE(nullptr, mgr.GetCaption(5, n));
    ASSERT_NE(nullptr, mgr.GetCaption(16, 4));  // the long one, read and unchanged
    S_ECR_CAP changed;
    changed.Text = L"Abteilung\r\nzwei Zeilen";
    changed.TipOn = 1;
    changed.TipText = L"Hinweis";
    mgr.SetCaption(16, 1, &changed);
    mgr.FlushCaptions();

    const std::wstring after = ReadCaptionFile(eng);
    EXPECT_TRUE(HasLine(after, L"1=" + Value(L"Abteilung\\nzwei Zeilen", L" ", 0, 1, L"Hinweis")));
    // Every line but the changed one is as it was, the odd ones, the long one
    // and the malformed one included.
    size_t start = 0;
    while (start < before.size()) {
        size_t end = before.find(L"\r\n", start);
        std::wstring line = before.substr(start, end - start);
        if (line.rfind(L"1=" + Value(L"DEPT", L"MS UI Gothic", -12, 1, L"Departments"), 0) != 0) {
            EXPECT_TRUE(HasLine(after, line)) << CStringA(line.substr(0, 60).c_str()).GetString();
        }
        start = end + 2;
    }
}

TEST_F(CaptionMgrTest, SetCaptionRoundTripsEveryKindOfRecord)
{
    CCaptionMgr mgr;
    Select(mgr, L"ENG");

    S_ECR_CAP withFont;
    LOGFONTW lf = {};
    lf.lfHeight = -15;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    wcscpy(lf.lfFaceName, L"MS UI Gothic");
    withFont.Font.CreateFontIndirect(&lf);
    withFont.Text = L"二行の\r\nキャプション";
    withFont.TipOn = 1;
    withFont.TipText = L"ツールチップ";
    mgr.SetCaption(1, 1, &withFont);

    S_ECR_CAP noFont;  // as the model library may build one
    noFont.Text = L"No font";
    mgr.SetCaption(1, 2, &noFont);

    S_ECR_CAP emptyFace;
    LOGFONTW lf2 = {};
    lf2.lfHeight = -20;
    emptyFace.Font.CreateFontIndirect(&lf2);
    mgr.SetCaption(1, 3, &emptyFace);  // empty text, empty face

    S_ECR_CAP longText;
    longText.Text = CString(L'x', 4000) + L"\n" + CString(L'y', 10);  // a lone LF too
    mgr.SetCaption(0x10000000, 4, &longText);

    // Switching files writes; switching back reads anew.
    Select(mgr, L"JPN");
    ASSERT_TRUE(Select(mgr, L"ENG"));

    S_ECR_CAP* a = mgr.GetCaption(1, 1);
    ASSERT_NE(nullptr, a);
    LOGFONTW got = {};
    ASSERT_NE(0, a->Font.GetLogFont(&got));
    EXPECT_EQ(-15, got.lfHeight);
    EXPECT_EQ(FW_BOLD, got.lfWeight);
    EXPECT_EQ(SHIFTJIS_CHARSET, got.lfCharSet);
    EXPECT_STREQ(L"MS UI Gothic", got.lfFaceName);
    EXPECT_STREQ(L"二行の\r\nキャプション", a->Text);
    EXPECT_EQ(1, a->TipOn);
    EXPECT_STREQ(L"ツールチップ", a->TipText);

    S_ECR_CAP* b = mgr.GetCaption(1, 2);
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(nullptr, b->Font.GetSafeHandle());
    EXPECT_STREQ(L"No font", b->Text);

    S_ECR_CAP* c = mgr.GetCaption(1, 3);
    ASSERT_NE(nullptr, c);
    ASSERT_NE(0, c->Font.GetLogFont(&got));
    EXPECT_EQ(-20, got.lfHeight);
    EXPECT_STREQ(L" ", c->Text);  // specified: an empty text reads back as one blank
    EXPECT_EQ(0, c->TipOn);

    S_ECR_CAP* d = mgr.GetCaption(0x10000000, 4);
    ASSERT_NE(nullptr, d);
    EXPECT_STREQ(CString(L'x', 4000) + L"\r\n" + CString(L'y', 10), d->Text);
    EXPECT_NE(std::wstring::npos, ReadCaptionFile(eng).find(L"[268435456]"));
}

TEST_F(CaptionMgrTest, AChangeInPlaceIsWrittenWhenItIsSet)
{
    WriteCaptionFile(eng, SampleFile());
    CCaptionMgr mgr;
    ASSERT_TRUE(Select(mgr, L"ENG"));
    S_ECR_CAP* cap = mgr.GetCaption(0, 11);
    ASSERT_NE(nullptr, cap);
    cap->Text = L"Level zero";
    EXPECT_TRUE(mgr.SetCaption(0, 11, cap));  // the same record
    EXPECT_EQ(cap, mgr.GetCaption(0, 11));
    mgr.FlushCaptions();
    EXPECT_TRUE(HasLine(ReadCaptionFile(eng), L"11=" + Value(L"Level zero")));
}

TEST_F(CaptionMgrTest, ReplacedFontsLiveUntilTheNextFlush)
{
    WriteCaptionFile(eng, SampleFile());
    CCaptionMgr mgr;
    ASSERT_TRUE(Select(mgr, L"ENG"));
    S_ECR_CAP* dept = mgr.GetCaption(16, 1);
    ASSERT_NE(nullptr, dept);
    HGDIOBJ old = dept->Font.GetSafeHandle();  // a control would hold this one
    ASSERT_NE(nullptr, old);

    S_ECR_CAP replacement;
    LOGFONTW lf = {};
    lf.lfHeight = -30;
    wcscpy(lf.lfFaceName, L"Arial");
    replacement.Font.CreateFontIndirect(&lf);
    replacement.Text = L"DEPT";
    mgr.SetCaption(16, 1, &replacement);

    EXPECT_EQ(dept, mgr.GetCaption(16, 1));
    EXPECT_NE(old, dept->Font.GetSafeHandle());
    EXPECT_NE(replacement.Font.GetSafeHandle(), dept->Font.GetSafeHandle());  // a copy of its own
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(old));

    mgr.FlushCaptions();
    EXPECT_EQ(0u, ::GetObjectType(old));
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(replacement.Font.GetSafeHandle()));
}

TEST_F(CaptionMgrTest, LanguageSwitchFlushesAndReadsTheOtherFile)
{
    WriteCaptionFile(eng, L"[0]\r\n1=" + Value(L"Do you really want to exit?") + L"\r\n11=" + Value(L"Basic") +
                              L"\r\n[16]\r\n14=" + Value(L"Back") + L"\r\n");
    WriteCaptionFile(jpn, L"[0]\r\n1=" + Value(L"終了してもよろしいですか？") + L"\r\n[16]\r\n14=" + Value(L"戻る") +
                              L"\r\n");
    CCaptionMgr mgr;
    ASSERT_TRUE(Select(mgr, L"ENG"));
    ASSERT_STREQ(L"Do you really want to exit?", mgr.GetCaption(0, 1)->Text);
    S_ECR_CAP back;
    back.Text = L"Return";
    mgr.SetCaption(16, 14, &back);

    EXPECT_TRUE(Select(mgr, L"JPN"));
    EXPECT_NE(std::wstring::npos, mgr.GetCaptionFileName().Find(L"VORNK2DLL_JPN.CAP"));
    ASSERT_NE(nullptr, mgr.GetCaption(0, 1));
    EXPECT_STREQ(L"終了してもよろしいですか？", mgr.GetCaption(0, 1)->Text);
    EXPECT_STREQ(L"戻る", mgr.GetCaption(16, 14)->Text);
    EXPECT_EQ(nullptr, mgr.GetCaption(0, 11));  // the Japanese file lacks it: the default shows

    // The English change was written at the switch, and only that file changed.
    const std::wstring engText = ReadCaptionFile(eng);
    EXPECT_TRUE(HasLine(engText, L"14=" + Value(L"Return")));
    EXPECT_TRUE(HasLine(engText, L"11=" + Value(L"Basic")));
    EXPECT_EQ(std::wstring::npos, ReadCaptionFile(jpn).find(L"Return"));

    // Nothing changed in Japanese: switching back writes nothing there.
    const std::string jpnBytes = ReadBytes(jpn);
    EXPECT_TRUE(Select(mgr, L"ENG"));
    EXPECT_STREQ(L"Return", mgr.GetCaption(16, 14)->Text);
    FlushProfileCache(jpn);
    EXPECT_EQ(jpnBytes, ReadBytes(jpn));
}

TEST_F(CaptionMgrTest, TheDestructorWritesChangedCaptions)
{
    {
        CCaptionMgr mgr;
        Select(mgr, L"ENG");
        S_ECR_CAP cap;
        cap.Text = L"Written at exit";
        mgr.SetCaption(0, 1, &cap);
    }
    EXPECT_TRUE(HasLine(ReadCaptionFile(eng), L"1=" + Value(L"Written at exit")));
    const std::string bytes = ReadBytes(eng);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(std::string("\xFF\xFE", 2), bytes.substr(0, 2));  // still UTF-16
}

// A file without a byte-order mark (here UTF-8, which the profile functions
// read as ANSI and find no caption in) keeps every caption when one changes:
// it is read in its own encoding and written back as UTF-16.
TEST_F(CaptionMgrTest, AFileWithoutAMarkKeepsEveryCaptionWhenOneChanges)
{
    std::wstring text = SampleFile() + L"[17]\r\n1=" + Value(L"\x90e8\x9580") + L"\r\n";
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
    FlushProfileCache(eng);
    WriteBytes(eng, utf8);
    {
        CCaptionMgr mgr;
        ASSERT_TRUE(Select(mgr, L"ENG"));
        S_ECR_CAP cap;
        cap.Text = L"Changed";
        mgr.SetCaption(0, 1, &cap);
    }
    EXPECT_EQ(std::string("\xFF\xFE", 2), ReadBytes(eng).substr(0, 2));
    CCaptionMgr mgr;
    ASSERT_TRUE(Select(mgr, L"ENG"));
    ASSERT_NE(nullptr, mgr.GetCaption(0, 1));
    EXPECT_STREQ(L"Changed", mgr.GetCaption(0, 1)->Text);
    ASSERT_NE(nullptr, mgr.GetCaption(17, 1));
    EXPECT_STREQ(L"\x90e8\x9580", mgr.GetCaption(17, 1)->Text);
    ASSERT_NE(nullptr, mgr.GetCaption(0, 12));
    EXPECT_STREQ(L"Never read\r\nby anyone", mgr.GetCaption(0, 12)->Text);
}

// A file that cannot be replaced stays whole, and the user hears of it once.
TEST_F(CaptionMgrTest, AFailedWriteKeepsTheFileAndIsToldOnce)
{
    WriteCaptionFile(eng, SampleFile());
    const std::string before = ReadBytes(eng);
    ASSERT_TRUE(SetFileAttributesW(eng.c_str(), FILE_ATTRIBUTE_READONLY));
    MessageBoxRecorder boxes;
    std::wstring name;
    {
        CCaptionMgr mgr;
        ASSERT_TRUE(Select(mgr, L"ENG"));
        name = mgr.GetCaptionFileName().GetString();
        S_ECR_CAP cap;
        cap.Text = L"Lost";
        mgr.SetCaption(0, 1, &cap);
        mgr.FlushCaptions();
    }
    SetFileAttributesW(eng.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(before, ReadBytes(eng));
    std::vector<MessageBoxRecorder::Box> asked = boxes.Boxes();
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(0u, asked[0].text.find(name + L" could not be written ("));
}

TEST_F(CaptionMgrTest, TheNamedMutexGuardsTheCacheAcrossThreads)
{
    WriteCaptionFile(eng, SampleFile());
    // Named after the manager's whole address in lower-case hexadecimal: an
    // address above 4 GB shows that no part of it is lost.
    HighObject<CCaptionMgr> high;
    EXPECT_EQ(sizeof(void*) == 8, high.AboveFourGigabytes());
    CCaptionMgr& mgr = *high;
    ASSERT_TRUE(Select(mgr, L"ENG"));

    std::wostringstream name;
    name << L"CCAPMGR_MUTEX" << std::hex << reinterpret_cast<UINT_PTR>(&mgr);
    HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, name.str().c_str());
    ASSERT_NE(nullptr, mutex) << "mutex " << CStringA(name.str().c_str()).GetString();
    ::CloseHandle(mutex);

    std::vector<std::thread> threads;
    std::vector<S_ECR_CAP*> seen(4);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                seen[t] = mgr.GetCaption(16, 2);
                S_ECR_CAP cap;
                cap.Text.Format(L"thread %d", t);
                mgr.SetCaption(100 + t, i % 5, &cap);
            }
        });
    for (std::thread& t : threads)
        t.join();
    for (S_ECR_CAP* cap : seen)
        EXPECT_EQ(mgr.GetCaption(16, 2), cap);
    EXPECT_STREQ(L"thread 3", mgr.GetCaption(103, 4)->Text);
}

TEST_F(CaptionMgrTest, CharacterTableIsLoadedOnceByName)
{
    const std::wstring cnv = dir / L"VORNK2DLL_ECR.CNV";
    WriteBytes(cnv, Utf16(L"\u00A5=5C\r\n"));
    CCaptionMgr mgr;
    EXPECT_TRUE(mgr.LoadCharConv(dir.Path().c_str(), L"VornK2Dll"));
    EXPECT_EQ(1, mgr.GetCharTable().GetByteCount());

    // Asked again by the same name: the file is not read again.
    WriteBytes(cnv, Utf16(L"\u00A5=5C\r\n\u20AC=80\r\n"));
    EXPECT_TRUE(mgr.LoadCharConv(dir.Path().c_str(), L"VORNK2DLL"));
    EXPECT_EQ(1, mgr.GetCharTable().GetByteCount());

    // ClearCharConv forgets the name, so the next load reads the file.
    mgr.ClearCharConv();
    EXPECT_EQ(0, mgr.GetCharTable().GetByteCount());
    EXPECT_STREQ(L"", mgr.GetCharConvFileName());
    EXPECT_TRUE(mgr.LoadCharConv(dir.Path().c_str(), L"VornK2Dll"));
    EXPECT_EQ(2, mgr.GetCharTable().GetByteCount());

    // A missing table empties the maps; the name is remembered as specified.
    EXPECT_FALSE(mgr.LoadCharConv(dir.Path().c_str(), L"Other"));
    EXPECT_EQ(0, mgr.GetCharTable().GetByteCount());
    EXPECT_TRUE(mgr.LoadCharConv(dir.Path().c_str(), L"Other"));
    EXPECT_FALSE(mgr.LoadCharConv(dir.Path().c_str(), L""));
}
