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
