// The caption value: 17 fields joined by U+2FFF, both directions.
#include <gtest/gtest.h>

#include <cstring>

#include "CCaptionValue.h"

namespace {

// Joins fields with the separator, as a caption file holds them.
CString Join(std::initializer_list<const wchar_t*> fields)
{
    CString s;
    bool first = true;
    for (const wchar_t* f : fields) {
        if (!first)
            s += CCaptionValue::Separator;
        s += f;
        first = false;
    }
    return s;
}

LOGFONTW Gothic12Bold()
{
    LOGFONTW lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = FF_SWISS | VARIABLE_PITCH;
    wcscpy(lf.lfFaceName, L"MS UI Gothic");
    return lf;
}

}  // namespace

TEST(CaptionValue, FormatWritesSeventeenFieldsWithEscapedLineBreaks)
{
    CCaptionValue v;
    v.Font = Gothic12Bold();
    v.Text = L"Line 1\r\nLine 2";
    v.TipOn = 1;
    v.TipText = L"Tip";
    EXPECT_STREQ(Join({L"-12", L"0", L"0", L"0", L"700", L"0", L"0", L"0", L"128", L"0", L"0", L"3", L"34",
                       L"MS UI Gothic", L"Line 1\\nLine 2", L"1", L"Tip"}),
                 v.Format());
}

TEST(CaptionValue, ParseReadsWhatFormatWrote)
{
    CCaptionValue v;
    v.Font = Gothic12Bold();
    v.Font.lfItalic = 1;
    v.Font.lfEscapement = 900;
    v.Text = L"Zwei\r\nZeilen; [x] = \"y\" \\ ok";
    v.TipOn = 1;
    v.TipText = L"レジスター\r\n２行目";

    CCaptionValue back;
    ASSERT_TRUE(back.Parse(v.Format()));
    EXPECT_EQ(0, std::memcmp(&v.Font, &back.Font, sizeof v.Font));
    EXPECT_STREQ(v.Text, back.Text);
    EXPECT_EQ(1, back.TipOn);
    EXPECT_STREQ(v.TipText, back.TipText);
}

TEST(CaptionValue, EmptyTextsAreBlanksAndAnEmptyFaceSurvives)
{
    CCaptionValue v;
    v.Font = Gothic12Bold();
    v.Font.lfFaceName[0] = 0;  // a font without a face name
    CString written = v.Format();
    EXPECT_STREQ(Join({L"-12", L"0", L"0", L"0", L"700", L"0", L"0", L"0", L"128", L"0", L"0", L"3", L"34", L" ",
                       L" ", L"0", L" "}),
                 written);

    CCaptionValue back;
    ASSERT_TRUE(back.Parse(written));
    EXPECT_EQ(-12, back.Font.lfHeight);
    EXPECT_STREQ(L"", back.Font.lfFaceName);
    EXPECT_TRUE(back.HasFont());
    // As specified, an empty text reads back as one blank; the fields after
    // it did not shift.
    EXPECT_STREQ(L" ", back.Text);
    EXPECT_EQ(0, back.TipOn);
    EXPECT_STREQ(L" ", back.TipText);
}

TEST(CaptionValue, RecordWithoutFontStaysWithoutFont)
{
    S_ECR_CAP cap;
    cap.Text = L"Only text";
    CCaptionValue v = CCaptionValue::FromRecord(cap);
    EXPECT_FALSE(v.HasFont());
    CString written = v.Format();
    EXPECT_STREQ(Join({L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L" ",
                       L"Only text", L"0", L" "}),
                 written);

    CCaptionValue back;
    ASSERT_TRUE(back.Parse(written));
    S_ECR_CAP read;
    back.ToRecord(read);
    EXPECT_EQ(nullptr, read.Font.GetSafeHandle());
    EXPECT_STREQ(L"Only text", read.Text);
}

TEST(CaptionValue, RecordFontRoundTripsThroughTheLogFont)
{
    S_ECR_CAP cap;
    LOGFONTW lf = Gothic12Bold();
    ASSERT_TRUE(cap.Font.CreateFontIndirect(&lf));
    cap.Text = L"Bold";
    CCaptionValue v = CCaptionValue::FromRecord(cap);
    EXPECT_EQ(0, std::memcmp(&lf, &v.Font, offsetof(LOGFONTW, lfFaceName)));
    EXPECT_STREQ(L"MS UI Gothic", v.Font.lfFaceName);

    S_ECR_CAP copy;
    v.ToRecord(copy);
    ASSERT_NE(nullptr, copy.Font.GetSafeHandle());
    EXPECT_NE(cap.Font.GetSafeHandle(), copy.Font.GetSafeHandle());
    LOGFONTW got = {};
    copy.Font.GetLogFont(&got);
    EXPECT_EQ(-12, got.lfHeight);
    EXPECT_STREQ(L"MS UI Gothic", got.lfFaceName);
}

TEST(CaptionValue, AHandleThatIsNoFontGivesNoFont)
{
    S_ECR_CAP cap;
    cap.Font.Attach(::CreateSolidBrush(RGB(1, 2, 3)));  // a library's mistake
    cap.Text = L"T";
    CCaptionValue v = CCaptionValue::FromRecord(cap);
    EXPECT_FALSE(v.HasFont());
}

TEST(CaptionValue, EveryKindOfLineBreakIsWrittenAsBackslashN)
{
    CCaptionValue v;
    v.Text = L"a\r\nb\rc\nd";  // CR LF, a lone CR, a lone LF
    CString written = v.Format();
    EXPECT_EQ(-1, written.FindOneOf(L"\r\n"));
    CCaptionValue back;
    ASSERT_TRUE(back.Parse(written));
    EXPECT_STREQ(L"a\r\nb\r\nc\r\nd", back.Text);
}

TEST(CaptionValue, BackslashNInTheFileIsALineBreakAndBackslashesAreDoubled)
{
    CCaptionValue v;
    ASSERT_TRUE(v.Parse(Join({L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"Arial",
                              L"C:\\new folder", L"0", L" "})));
    EXPECT_STREQ(L"C:\r\new folder", v.Text);

    // A backslash of the text comes back as itself, before "n" too; a lone
    // one of an older file stays.
    v.Text = L"C:\\new\\\\n\r\nD:\\";
    CString written = v.Format();
    CCaptionValue back;
    ASSERT_TRUE(back.Parse(written));
    EXPECT_STREQ(v.Text, back.Text);
    EXPECT_STREQ(L"C:\\data", CCaptionValue::UnescapeLineBreaks(L"C:\\data"));
}

TEST(CaptionValue, MissingTrailingFieldsKeepTheInitialValues)
{
    CCaptionValue v;
    ASSERT_TRUE(v.Parse(Join({L"-9", L"0", L"0", L"0", L"400", L"0", L"0", L"0", L"1", L"0", L"0", L"0", L"0", L"Arial"})));
    EXPECT_STREQ(L"Arial", v.Font.lfFaceName);
    EXPECT_STREQ(L"", v.Text);
    EXPECT_EQ(0, v.TipOn);
    EXPECT_STREQ(L"", v.TipText);

    ASSERT_TRUE(v.Parse(Join({L"-9", L"0", L"0", L"0", L"400", L"0", L"0", L"0", L"1", L"0", L"0", L"0", L"0", L"Arial",
                              L"Text", L"1"})));
    EXPECT_STREQ(L"Text", v.Text);
    EXPECT_EQ(1, v.TipOn);
    EXPECT_STREQ(L"", v.TipText);
}

TEST(CaptionValue, RunsOfSeparatorsCountAsOneAsSpecified)
{
    CString value = Join({L"", L"", L"-9", L"", L"0", L"0", L"0", L"400", L"0", L"0", L"0", L"1", L"0", L"0", L"0",
                          L"0", L"Arial", L"", L"Text", L"0", L"Tip", L"extra", L"fields"});
    CCaptionValue v;
    ASSERT_TRUE(v.Parse(value));
    EXPECT_EQ(-9, v.Font.lfHeight);
    EXPECT_EQ(400, v.Font.lfWeight);
    EXPECT_STREQ(L"Text", v.Text);
    EXPECT_STREQ(L"Tip", v.TipText);
}

TEST(CaptionValue, MalformedValuesAreRefusedAndChangeNothing)
{
    CCaptionValue v;
    v.Text = L"before";
    const CString bad[] = {
        L"",
        L"Hello",
        L" ",
        // 13 fields: no face
        Join({L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0"}),
        // the tooltip switch is no number: the fields are shifted
        Join({L"-12", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"Arial", L"T", L"Tip"}),
    };
    for (const CString& value : bad) {
        EXPECT_FALSE(v.Parse(value)) << CStringA(value).GetString();
        EXPECT_STREQ(L"before", v.Text);
    }
}

TEST(CaptionValue, MalformedFontNumbersGiveZeroAndKeepTheText)
{
    const CString cases[] = {
        Join({L"-12", L"x", L"0", L"0", L"700", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"Arial", L"Text"}),
        Join({L"-12", L"0", L"0", L"0", L"700", L"0", L"0", L"0", L"12pt", L"0", L"0", L"0", L"0", L"Arial", L"Text"}),
        // a byte field out of range, a number beyond int
        Join({L"-12", L"0", L"0", L"0", L"700", L"0", L"0", L"0", L"300", L"0", L"0", L"0", L"0", L"Arial", L"Text"}),
        Join({L"-12", L"99999999999", L"0", L"0", L"700", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"Arial",
              L"Text"}),
    };
    for (const CString& value : cases) {
        CCaptionValue v;
        ASSERT_TRUE(v.Parse(value)) << CStringA(value).GetString();
        EXPECT_STREQ(L"Text", v.Text);
        EXPECT_EQ(-12, v.Font.lfHeight);
        EXPECT_EQ(0, v.Font.lfWidth);
        EXPECT_EQ(700, v.Font.lfWeight);
        EXPECT_EQ(0, v.Font.lfCharSet);
        EXPECT_STREQ(L"Arial", v.Font.lfFaceName);
    }
}

TEST(CaptionValue, FaceNamesAreCutTo31Characters)
{
    CString face(L'F', 40);
    CCaptionValue v;
    ASSERT_TRUE(v.Parse(Join({L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", face, L"T"})));
    EXPECT_EQ(31, static_cast<int>(wcslen(v.Font.lfFaceName)));
}

TEST(CaptionValue, AFaceWithALineBreakWritesBackTheSame)
{
    // Found by the mutation suite: a line break written into a face grew by
    // its escape at every write, cutting the name one more character.
    CString face = CString(L'F', 28) + L"\\nct";
    CCaptionValue v;
    ASSERT_TRUE(v.Parse(Join({L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", face, L"T"})));
    EXPECT_EQ(std::wstring(CString(L'F', 28) + L"ct"), std::wstring(v.Font.lfFaceName));
    CCaptionValue again;
    ASSERT_TRUE(again.Parse(v.Format()));
    EXPECT_EQ(v.Format(), again.Format());
}

TEST(CaptionValue, LongTextsAreKeptWhole)
{
    CCaptionValue v;
    v.Text = CString(L'長', 6000) + L"\r\n" + CString(L'x', 3000);
    CCaptionValue back;
    ASSERT_TRUE(back.Parse(v.Format()));
    EXPECT_EQ(9002, back.Text.GetLength());
    EXPECT_STREQ(v.Text, back.Text);
}

TEST(CaptionValue, TheSeparatorCannotEnterAText)
{
    CCaptionValue v;
    v.Text = CString(L"a") + CCaptionValue::Separator + L"b";
    v.TipOn = 1;
    v.TipText = L"tip";
    CCaptionValue back;
    ASSERT_TRUE(back.Parse(v.Format()));
    EXPECT_STREQ(L"ab", back.Text);
    EXPECT_EQ(1, back.TipOn);
    EXPECT_STREQ(L"tip", back.TipText);
}
