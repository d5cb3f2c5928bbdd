#include <gtest/gtest.h>

#include "RegisterText.h"
#include "TextDecoding.h"

TEST(RegisterText, RunsInTheJapaneseCodePage)
{
    ASSERT_EQ(ThreadCodePage(), 932u) << "the test needs LC_ALL=ja_JP.UTF-8";
}

TEST(RegisterText, FitStopsBeforeASplitCharacter)
{
    const char text[] = "a\x82\xa0" "b\x93\xfa";
    EXPECT_EQ(FitRegisterBytes(text, 6, 6), 6);
    EXPECT_EQ(FitRegisterBytes(text, 6, 5), 4);
    EXPECT_EQ(FitRegisterBytes(text, 6, 2), 1);
    EXPECT_EQ(FitRegisterBytes(text, 6, 0), 0);
    // A lone lead byte at the end counts as one byte.
    EXPECT_EQ(FitRegisterBytes("ab\x82", 3, 3), 3);
}

// ASCII skips the conversion call; text beyond it still goes through the
// code page. Where code page 932 holds a kanji twice, a changed text stores
// the IBM row (FA/FB), whichever row it was read from.
TEST(RegisterText, AsciiAndDoubleByteTextBothWays)
{
    EXPECT_STREQ("Tea \\ 100", TextToAnsi(L"Tea \\ 100"));
    EXPECT_STREQ(L"Tea \\ 100", AnsiToText("Tea \\ 100", 9));
    EXPECT_STREQ("\x97\xCE\x92\x83", TextToAnsi(L"\u7DD1\u8336"));
    EXPECT_STREQ(L"\u7DD1\u8336", AnsiToText("\x97\xCE\x92\x83", 4));
    CString nec = AnsiToText("\xED\x40", 2);
    CString ibm = AnsiToText("\xFA\x5C", 2);
    ASSERT_EQ(nec, ibm);
    EXPECT_STREQ("\xFA\x5C", TextToAnsi(nec));
}

// Bytes that form no character (a name cut in the middle of a character)
// read as the replacement mark, and the byte after a lone lead byte stays;
// the single bytes the register uses (FF, which F5 types) are characters.
TEST(RegisterText, ALeadByteThatFormsNoCharacterShowsTheReplacementMark)
{
    EXPECT_STREQ(L"Tea\uFFFD", AnsiToText("Tea\x82", 4));
    EXPECT_STREQ(L"\u7DD1\uFFFD\",\"1", AnsiToText("\x97\xCE\x92\",\"1", 7));
    EXPECT_STREQ(L"\uFFFD \uFFFD", AnsiToText("\xED \xED", 3));
    EXPECT_STREQ(L"\uF8F3", AnsiToText("\xFF", 1));
    EXPECT_STREQ(L"\uFFFD", RegisterToText("\x82", 1, true));
}

// Only the bytes that form no character are marked, whatever the code page:
// UTF-8 (the system's code page where Windows is set to use it) keeps the
// characters around a bad byte or a cut sequence, and in code page 932 a lead
// byte with a trail byte that the code page assigns nothing is one unit, not
// a mark and a half-width katakana.
TEST(RegisterText, EachCharacterReadsWholeBesideBytesThatFormNone)
{
    EXPECT_EQ(L"\u7DD1\uFFFD", DecodeAnsi(CP_UTF8, "\xE7\xB7\x91\xFF", 4));
    EXPECT_EQ(L"\uFFFD\u7DD1\uFFFD\",\"\U0001F600", DecodeAnsi(CP_UTF8, "\x80\xE7\xB7\x91\xE8\x8C\",\"\xF0\x9F\x98\x80", 13));
    EXPECT_EQ(L"Tea\uFFFD", DecodeAnsi(CP_UTF8, "Tea\xE8\x8C", 5));

    EXPECT_EQ(L"\uFFFDA", DecodeAnsi(932, "\x81\xCF" "A", 3));
    EXPECT_EQ(L"\u7DD1\uFFFD\u30C8\uFFFD", DecodeAnsi(932, "\x97\xCE\x86\xD0\x83g\x82", 7));
    EXPECT_STREQ(L"\uFFFD\uFFFD\uF8F3", AnsiToText("\x81\xCF\x82\xFF", 4));
}
