// The character table and register-text conversion under code page 932.
#include <gtest/gtest.h>

#include <string>

#include "CEcrCharTable.h"
#include "TempFolder.h"
#include "TestFiles.h"

namespace {

class CharTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(932u, CEcrCharTable::ThreadCodePage()) << "run with LC_ALL=ja_JP.UTF-8 (Wine's code page 932)";
    }

    CStringW ToText(const CEcrCharTable& table, const std::string& bytes)
    {
        CStringW text;
        table.EcrToUnicode(CStringA(bytes.data(), static_cast<int>(bytes.size())), text);
        return text;
    }
    std::string ToBytes(const CEcrCharTable& table, const wchar_t* text)
    {
        CStringA bytes;
        table.UnicodeToEcr(text, bytes);
        return std::string(bytes.GetString(), bytes.GetLength());
    }
    // The demo register's table (as resources/default/Cap ships it).
    void LoadDemo(CEcrCharTable& table)
    {
        table.AddLines(L"// comment\r\n\u00A5 = 5C\r\n\u20AC = 80\r\n\u00D7 = A0\r\n\u2116 = FD\r\n\u00F7 = FE\r\n");
        ASSERT_EQ(5, table.GetByteCount());
    }

    TempFolder dir;
};

// "日本語" and a few more in Shift-JIS.
const std::string kNihongo = "\x93\xfa\x96\x7b\x8c\xea";

}  // namespace

TEST_F(CharTableTest, LinesAreParsedAsSpecified)
{
    wchar_t ch = 0;
    BYTE b = 0;
    EXPECT_TRUE(CEcrCharTable::ParseLine(L"A=41", ch, b));
    EXPECT_EQ(L'A', ch);
    EXPECT_EQ(0x41, b);
    EXPECT_TRUE(CEcrCharTable::ParseLine(L"==3D", ch, b));  // split at the last "="
    EXPECT_EQ(L'=', ch);
    EXPECT_EQ(0x3D, b);
    EXPECT_TRUE(CEcrCharTable::ParseLine(L"  \u00A5\t=\t5c \r\n", ch, b));
    EXPECT_EQ(L'\u00A5', ch);
    EXPECT_EQ(0x5C, b);
    EXPECT_TRUE(CEcrCharTable::ParseLine(L"X=141", ch, b));  // the low 8 bits
    EXPECT_EQ(0x41, b);
    EXPECT_TRUE(CEcrCharTable::ParseLine(L"X=0xb1", ch, b));
    EXPECT_EQ(0xB1, b);
    EXPECT_TRUE(CEcrCharTable::ParseLine(L"AB=42", ch, b));  // further characters are ignored
    EXPECT_EQ(L'A', ch);
}

TEST_F(CharTableTest, LinesThatMapNothingSoundAreSkipped)
{
    wchar_t ch = 0;
    BYTE b = 0;
    for (const wchar_t* line : {L"//A=41", L"// comment", L"", L"no equals sign", L" // indented, no equals",
                                L"=41", L"   =41", L"A=", L"A=zz", L"A=4G", L"A=-1", L"A=0x", L"A=00", L"A=100",
                                L"\xD840\xDC0B=41"}) {
        EXPECT_FALSE(CEcrCharTable::ParseLine(line, ch, b)) << CStringA(line).GetString();
    }

    CEcrCharTable table;
    table.AddLines(L"=41\r\nA=zz\r\nB=00\r\n// C=43\r\nD=44\r\n");
    EXPECT_EQ(1, table.GetByteCount());
    EXPECT_STREQ(L"DA", ToText(table, "\x44\x41"));  // 0x41 is still "A", not NUL
}

TEST_F(CharTableTest, TheRestOfAnOverlongLineIsDiscarded)
{
    CEcrCharTable table;
    std::wstring comment = L"//" + std::wstring(1100, L'x') + L"=41";
    std::wstring spaced = L"Q" + std::wstring(1030, L' ') + L"=42";
    table.AddLines((comment + L"\r\n" + spaced + L"\nR=43\n").c_str());
    EXPECT_EQ(1, table.GetByteCount());
    EXPECT_STREQ(L"R", ToText(table, "\x43"));
}

TEST_F(CharTableTest, FilesInEveryAcceptedEncodingLoad)
{
    const std::wstring path = dir / L"T_ECR.CNV";
    const std::wstring text = L"// yen\r\n\u00A5=5C\r\n\u20AC=80\n";
    struct Case { const char* what; std::string bytes; };
    const Case cases[] = {
        {"UTF-16LE with BOM", Utf16(text)},
        {"UTF-16LE without BOM", Utf16(text, false)},
        {"UTF-8 with BOM", "\xEF\xBB\xBF// yen\r\n\xC2\xA5=5C\r\n\xE2\x82\xAC=80\n"},
        {"UTF-8 without BOM", "// yen\r\n\xC2\xA5=5C\r\n\xE2\x82\xAC=80\n"},
    };
    for (const Case& c : cases) {
        WriteBytes(path, c.bytes);
        CEcrCharTable table;
        EXPECT_TRUE(table.Load(path.c_str())) << c.what;
        EXPECT_EQ(2, table.GetByteCount()) << c.what;
        EXPECT_STREQ(L"\u00A5\u20AC", ToText(table, "\x5C\x80")) << c.what;
    }
    CEcrCharTable table;
    table.AddLines(L"A=41");
    EXPECT_FALSE(table.Load((dir / L"missing.CNV").c_str()));
    EXPECT_EQ(0, table.GetByteCount());
}

TEST_F(CharTableTest, WithoutATableWholeStringsGoThroughTheCodePage)
{
    CEcrCharTable table;
    const std::string bytes = kNihongo + "\xB1\xB2" + "ABC\x5C\xFF";  // + half-width katakana, yen/backslash, 0xFF
    CStringW text = ToText(table, bytes);
    wchar_t expected[32] = {};
    int n = ::MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), expected, 32);
    EXPECT_STREQ(CStringW(expected, n), text);
    EXPECT_STREQ(L"日本語ｱｲABC\\\uF8F3", text);
    EXPECT_EQ(bytes, ToBytes(table, text));
}

TEST_F(CharTableTest, TableHitsWinAndOtherBytesGoThroughTheCodePage)
{
    CEcrCharTable table;
    table.AddLines(L"\u2605=B1\r\n");  // only 0xB1: a star instead of half-width "ｱ"
    EXPECT_STREQ(L"\u2605A\uFF72", ToText(table, "\xB1\x41\xB2"));
    EXPECT_EQ("\xB1\x41\xB2", ToBytes(table, L"\u2605A\uFF72"));

    table.Clear();
    LoadDemo(table);
    EXPECT_STREQ(L"\u00A5100\u00D73=\u20AC5 \u21162", ToText(table, "\x5C" "100\xA0" "3=\x80" "5 \xFD" "2"));
    EXPECT_EQ("\x5C" "100\xA0" "3", ToBytes(table, L"\u00A5100\u00D73"));
    // The backslash has no byte of its own on this register: it prints as yen.
    EXPECT_EQ("\x5C", ToBytes(table, L"\\"));
    // F5's character U+F8F3 is byte 0xFF in code page 932, table or not.
    EXPECT_EQ("\xFF", ToBytes(table, L"\uF8F3"));
    EXPECT_STREQ(L"\uF8F3", ToText(table, "\xFF"));
}

TEST_F(CharTableTest, EveryUnmappedAsciiByteReadsAsTheCodePageReadsIt)
{
    CEcrCharTable table;
    LoadDemo(table);
    std::string bytes;
    std::wstring expected;
    for (int b = 1; b < 0x80; ++b) {
        const char one = static_cast<char>(b);
        bytes += one;
        wchar_t ch = 0;
        ASSERT_EQ(1, ::MultiByteToWideChar(932, 0, &one, 1, &ch, 1));
        expected += b == 0x5C ? L'\u00A5' : ch;  // the table's yen wins
    }
    // Between double-byte text, on both sides of a table hit.
    bytes = kNihongo + bytes + kNihongo;
    expected = L"日本語" + expected + L"日本語";
    EXPECT_STREQ(expected.c_str(), ToText(table, bytes));
}

TEST_F(CharTableTest, DoubleByteTextTypedByTheUserRoundTripsWithATable)
{
    CEcrCharTable table;
    LoadDemo(table);
    // "ソ", "表" and "能" end in byte 0x5C, which the table maps to the yen
    // sign; "あ" ends in 0xA0, mapped to the multiplication sign.
    const wchar_t* typed = L"日本語テキスト、ソ表能あ\u00A5１２０ｱｲｳ";
    std::string bytes = ToBytes(table, typed);
    EXPECT_EQ(std::string("\x93\xfa\x96\x7b\x8c\xea", 6), bytes.substr(0, 6));
    EXPECT_EQ(std::string("\x83\x5c\x95\x5c\x94\x5c\x82\xa0\x5c", 9), bytes.substr(16, 9));
    EXPECT_STREQ(typed, ToText(table, bytes));

    // Register text read, edited and written back stays the same bytes.
    const std::string stored = kNihongo + "\x5C" "500\xA0" "2" + "\x83\x5c";
    EXPECT_EQ(stored, ToBytes(table, ToText(table, stored)));
}

TEST_F(CharTableTest, LoneAndInvalidLeadBytesLoseNoNeighbour)
{
    CEcrCharTable table;
    LoadDemo(table);
    // A lead byte at the end, and one before a byte that is no trail byte.
    CStringW text = ToText(table, "A\x82");
    EXPECT_EQ(2, text.GetLength());
    EXPECT_EQ(L'A', text[0]);
    text = ToText(table, "\x82 B");
    ASSERT_EQ(3, text.GetLength());
    EXPECT_STREQ(L" B", text.Mid(1));
    // A lead byte the table maps keeps its mapping; the next byte stands alone.
    table.AddLines(L"\u2605=82");
    EXPECT_STREQ(L"\u2605\u00D7", ToText(table, "\x82\xA0"));
}

// A name the register cut in the middle of a character shows its readable
// part and the replacement mark, with or without a table; the byte after
// the lead byte (a blank, a quote) stays, and valid single bytes (FF, which
// F5 types, and the table's A0) are no damage.
TEST_F(CharTableTest, ALeadByteThatFormsNoCharacterShowsTheReplacementMark)
{
    CEcrCharTable plain, demo;
    LoadDemo(demo);
    for (const CEcrCharTable* table : {&plain, &demo}) {
        EXPECT_STREQ(L"\u30C8\u30DE\u30C8 S\uFFFD", ToText(*table, "\x83g\x83}\x83g S\xED"));
        EXPECT_STREQ(L"\u30C8\u30DE\u30C8 S\uFFFD \"", ToText(*table, "\x83g\x83}\x83g S\xED \""));
        EXPECT_STREQ(L"A\uFFFD\"B", ToText(*table, "A\x82\"B"));
        EXPECT_STREQ(L"\uF8F3", ToText(*table, "\xFF"));
        // A pair the code page assigns nothing is one unit, its trail byte
        // no half-width katakana.
        EXPECT_STREQ(L"\uFFFDA", ToText(*table, "\x86\xD0" "A"));
    }
    EXPECT_STREQ(L"\u00D7\uFFFD", ToText(demo, "\xA0\x82"));
}

TEST_F(CharTableTest, ACharacterWhoseLeadByteTheTableTakesIsStoredAsTheDefaultCharacter)
{
    CEcrCharTable table;
    table.AddLines(L"\u2605=82");
    // "あ" is 82 A0 in code page 932, but the register reads 0x82 as a star.
    EXPECT_EQ("?", ToBytes(table, L"あ"));
    EXPECT_EQ("\x82", ToBytes(table, L"\u2605"));
    EXPECT_EQ("\x83\x5C", ToBytes(table, L"ソ"));
}

// A character or a byte named twice keeps its first line both ways, so
// stored bytes and typed text convert back to themselves.
TEST_F(CharTableTest, TheFirstMappingOfACharacterOrAByteWins)
{
    CEcrCharTable table;
    LoadDemo(table);
    table.AddLines(L"\u2116 = A0\r\n\u2605 = FD\r\n\u2116 = FB\r\n");
    EXPECT_EQ(5, table.GetByteCount());
    EXPECT_EQ(5, table.GetCharCount());
    // 81 7E reads as the code page's multiplication sign, which the table
    // stores as A0; storing what A0 shows keeps A0.
    EXPECT_EQ("\xA0", ToBytes(table, ToText(table, "\x81\x7E")));
    EXPECT_EQ("\xA0\xFD\xFE", ToBytes(table, ToText(table, "\xA0\xFD\xFE")));
    EXPECT_STREQ(L"\u00D7\u2116\u2605", ToText(table, ToBytes(table, L"\u00D7\u2116\u2605")));

    table.AddLines(L"==3D");
    EXPECT_EQ("\x3D", ToBytes(table, L"="));
    EXPECT_STREQ(L"=", ToText(table, "\x3D"));
}
