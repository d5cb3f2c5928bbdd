#include <gtest/gtest.h>

#include "object.h"
#include "strings.h"

TEST(CString, FormatTakesWideStringsAndRuntimeWidths)
{
    CString s;
    s.Format(L"%s\\%s_%s.Cap", L".\\Cap", L"VORNK2DLL", L"ENG");
    EXPECT_STREQ(L".\\Cap\\VORNK2DLL_ENG.Cap", s);

    s.Format(L"Code=%08xH %d %I64x", 0x2010000u, -5, 0x123456789ABull);
    EXPECT_STREQ(L"Code=02010000H -5 123456789ab", s);

    s.Format(L"Range is %.0f - %.0f", 1.0, 99999.0);
    EXPECT_STREQ(L"Range is 1 - 99999", s);

    s.Format(L"%s", L"");
    EXPECT_TRUE(s.IsEmpty());

    // A long result grows the buffer rather than being cut.
    CString big(L'x', 5000);
    s.Format(L"[%s]", big.GetString());
    EXPECT_EQ(5002, s.GetLength());
    s.AppendFormat(L"%d", 7);
    EXPECT_EQ(L'7', s[5002]);

    CStringA a;
    a.Format("%s=%02X", "A", 0x41);
    EXPECT_STREQ("A=41", a);
}

TEST(CString, SubstringsClampOutOfRangeArguments)
{
    CString s(L"VornK2Dll.dll");
    EXPECT_STREQ(L"K2Dll.dll", s.Mid(4));
    EXPECT_STREQ(L"K2", s.Mid(4, 2));
    EXPECT_STREQ(L"", s.Mid(40));
    EXPECT_STREQ(L"Vorn", s.Mid(-3, 4));
    EXPECT_STREQ(L"VornK2Dll.dll", s.Left(100));
    EXPECT_STREQ(L"", s.Left(-1));
    EXPECT_STREQ(L".dll", s.Right(4));
    EXPECT_STREQ(L"VornK2Dll.dll", s.Right(99));
}

TEST(CString, SearchAndReplace)
{
    CString s(L"a=b=c");
    EXPECT_EQ(1, s.Find(L'='));
    EXPECT_EQ(3, s.Find(L'=', 2));
    EXPECT_EQ(3, s.ReverseFind(L'='));
    EXPECT_EQ(-1, s.Find(L"=x"));
    EXPECT_EQ(2, s.Find(L"b=c"));
    EXPECT_EQ(-1, s.Find(L"c", 99));

    CString path(L"x.DLL.DLL");
    EXPECT_EQ(2, path.Replace(L".DLL", L""));
    EXPECT_STREQ(L"x", path);

    CString lines(L"one\r\ntwo\r\n");
    EXPECT_EQ(2, lines.Replace(L"\r\n", L"\\n"));
    EXPECT_STREQ(L"one\\ntwo\\n", lines);
    EXPECT_EQ(0, lines.Replace(L"", L"z"));  // an empty pattern changes nothing

    CString grow(L"aaa");
    grow.Replace(L"a", L"aa");
    EXPECT_STREQ(L"aaaaaa", grow);
    EXPECT_EQ(6, grow.Replace(L'a', L'b'));
}

TEST(CString, CaseTrimAndCompare)
{
    CString s(L"  VornK2Dll.dll \t");
    s.Trim();
    EXPECT_STREQ(L"VornK2Dll.dll", s);
    s.MakeUpper();
    EXPECT_STREQ(L"VORNK2DLL.DLL", s);
    EXPECT_EQ(0, s.CompareNoCase(L"vornk2dll.DLL"));
    EXPECT_NE(0, s.Compare(L"vornk2dll.DLL"));
    EXPECT_TRUE(s == L"VORNK2DLL.DLL");
    EXPECT_TRUE(CString(L"a") < CString(L"b"));

    CString slashes(L"//x//");
    slashes.Trim(L"/");
    EXPECT_STREQ(L"x", slashes);
    CString full(L"\x3000\x65e5\x672c");  // full-width blank, then Japanese
    full.TrimLeft();
    EXPECT_STREQ(L"\x65e5\x672c", full);
}

TEST(CString, BufferAccessKeepsLengthConsistent)
{
    CString s;
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    EXPECT_STREQ(L"hello", s);

    p = s.GetBuffer(260);
    p[2] = 0;
    s.ReleaseBuffer(-1);
    EXPECT_STREQ(L"he", s);

    s.GetBufferSetLength(3)[2] = L'y';
    EXPECT_EQ(3, s.GetLength());
    EXPECT_EQ(L'y', s[2]);

    // A string assigned from itself, or from inside itself, stays intact.
    s = L"abcdef";
    s = s.GetString() + 2;
    EXPECT_STREQ(L"cdef", s);
    s += s;
    EXPECT_STREQ(L"cdefcdef", s);
}

TEST(CString, EditingMembers)
{
    CString s(L"PLU");
    s.Insert(0, L"[");
    s.Insert(99, L']');
    EXPECT_STREQ(L"[PLU]", s);
    s.Delete(1, 2);
    EXPECT_STREQ(L"[U]", s);
    s.Delete(2, 99);
    EXPECT_STREQ(L"[U", s);
    EXPECT_EQ(1, s.Remove(L'['));
    int pos = 0;
    CString list(L"a,,b,c");
    EXPECT_STREQ(L"a", list.Tokenize(L",", pos));
    EXPECT_STREQ(L"b", list.Tokenize(L",", pos));
    EXPECT_STREQ(L"c", list.Tokenize(L",", pos));
    list.Tokenize(L",", pos);
    EXPECT_EQ(-1, pos);
    EXPECT_THROW(s.GetAt(5), CException*);
}

TEST(CString, ConvertsThroughTheAnsiCodePage)
{
    // The tests run with the Japanese code page (932).
    ASSERT_EQ(932u, GetACP());
    CString wide(L"\x65e5\x672c PLU");  // two kanji, a blank, ASCII
    CStringA narrow(wide);
    ASSERT_EQ(8, narrow.GetLength());
    EXPECT_EQ(static_cast<char>(0x93), narrow[0]);
    EXPECT_EQ(static_cast<char>(0xFA), narrow[1]);
    EXPECT_EQ(static_cast<char>(0x96), narrow[2]);
    EXPECT_EQ(static_cast<char>(0x7B), narrow[3]);
    CString back(narrow);
    EXPECT_STREQ(wide, back);

    // Upper-casing narrow text leaves double-byte characters alone.
    CStringA mixed("\x82\x61" "ab");  // full-width B (lead 0x82, trail 0x61), then ab
    mixed.MakeUpper();
    EXPECT_STREQ("\x82\x61" "AB", mixed);
}

extern "C" {
typedef void(WINAPI* FillFn)(CString*, const wchar_t*);
typedef void(WINAPI* FreeFn)(CString*);
}

TEST(CString, CanBeFilledAndFreedAcrossTheLibraryBoundary)
{
    HMODULE lib = LoadLibraryW(L"strfill.dll");
    ASSERT_NE(nullptr, lib);
    auto fill = reinterpret_cast<FillFn>(reinterpret_cast<void (*)()>(GetProcAddress(lib, "FillString")));
    auto release = reinterpret_cast<FreeFn>(reinterpret_cast<void (*)()>(GetProcAddress(lib, "FreeString")));
    ASSERT_NE(nullptr, fill);
    ASSERT_NE(nullptr, release);
    {
        CString s(L"old value that the library frees");
        fill(&s, L"from the library");
        EXPECT_STREQ(L"from the library!", s);
        s += L" and grown here";  // the program reallocates library memory
        EXPECT_STREQ(L"from the library! and grown here", s);
    }  // and frees it
    CString t(L"program memory");
    release(&t);
    EXPECT_TRUE(t.IsEmpty());
    FreeLibrary(lib);
}
