#include <gtest/gtest.h>

#include "RegisterText.h"

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
