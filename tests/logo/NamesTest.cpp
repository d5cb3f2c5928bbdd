#include <gtest/gtest.h>

#include "LogoNames.h"
#include "TillmarkCodes.h"

TEST(LogoNames, OutputNameIsTheUpperCasedSourceWithTheLogoSuffix)
{
    EXPECT_STREQ(L"PHOTO_LOGO1.ECR", LogoOutputName(L"photo.bmp", L"LOGO1"));
    EXPECT_STREQ(L"LOGO_LOGO2.ECR", LogoOutputName(L"Logo.Bmp", L"LOGO2"));
    EXPECT_STREQ(L"BLUNK_LOGO1.ECR", LogoOutputName(L"Blunk.bmp", L"LOGO1"));
    // Every occurrence is replaced, and only ASCII letters change case.
    EXPECT_STREQ(L"A_LOGO1.ECR_LOGO1.ECR", LogoOutputName(L"a.bmp.bmp", L"LOGO1"));
    EXPECT_STREQ(L"CAFÉ_LOGO1.ECR", LogoOutputName(L"cafÉ.bmp", L"LOGO1"));
    // A name without the extension stays as it is, upper-cased.
    EXPECT_STREQ(L"PICTURE.PNG", LogoOutputName(L"picture.png", L"LOGO1"));
}

TEST(LogoNames, ConvertedFilesOfALogoEndInItsNameInAnyCase)
{
    EXPECT_TRUE(IsLogoFileOf(L"PHOTO_LOGO1.ECR", L"LOGO1"));
    EXPECT_TRUE(IsLogoFileOf(L"photo_logo1.ecr", L"LOGO1"));
    EXPECT_FALSE(IsLogoFileOf(L"PHOTO_LOGO2.ECR", L"LOGO1"));
    EXPECT_FALSE(IsLogoFileOf(L"PHOTO_XLOGO1.ECR", L"LOGO1"));
    EXPECT_FALSE(IsLogoFileOf(L"PHOTO_LOGO1.ECR.BAK", L"LOGO1"));
    EXPECT_FALSE(IsLogoFileOf(L"LOGO1.ECR", L"LOGO1"));
}

TEST(TillmarkCodes, SuccessSpansTheBaseUpTo6464AboveIt)
{
    EXPECT_TRUE(IsTillmarkSuccess(0x01000000));
    EXPECT_TRUE(IsTillmarkSuccess(0x01006464));
    EXPECT_FALSE(IsTillmarkSuccess(0x01006465));
    EXPECT_FALSE(IsTillmarkSuccess(0x00FFFFFF));
    EXPECT_FALSE(IsTillmarkSuccess(TILLMARK_CANCELLED));
    EXPECT_FALSE(IsTillmarkSuccess(TILLMARK_NO_BITMAP));
}
