#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "FakeCaptionManager.h"
#include "FieldCodec.h"

namespace {

using Bytes = std::vector<BYTE>;

S_ECR_FIELD MakeField(DWORD type, DWORD flags, int width)
{
    S_ECR_FIELD f = {};
    f.Flags = type | flags;
    f.Width = width;
    return f;
}

std::wstring Format(const S_ECR_FIELD& f, const Bytes& bytes, bool exact = false)
{
    CString text;
    BOOL ok = exact ? FormatFieldExact(&f, bytes.data(), text) : FormatField(&f, bytes.data(), text);
    EXPECT_TRUE(ok);
    return text.GetString();
}

Bytes Parse(const S_ECR_FIELD& f, const wchar_t* text, size_t size)
{
    Bytes bytes(size, 0xEE);
    EXPECT_TRUE(ParseField(&f, CString(text), bytes.data()));
    return bytes;
}

Bytes Amount(uint64_t magnitude, bool negative)
{
    Bytes b(6);
    uint32_t low = static_cast<uint32_t>(magnitude);
    uint16_t high = static_cast<uint16_t>(((magnitude >> 32) & 0x7FFF) | (negative ? 0x8000 : 0));
    std::memcpy(b.data(), &low, 4);
    std::memcpy(b.data() + 4, &high, 2);
    return b;
}

struct RoundTrip
{
    const char* name;
    DWORD type;
    DWORD flags;
    int width;
    Bytes bytes;
    bool exact;
};

// Format then parse gives back the stored bytes, for every type and flag.
TEST(FieldCodec, FormatThenParseKeepsTheBytes)
{
    const RoundTrip cases[] = {
        {"u8", FIELD_U8, 0, 3, {0xFA}, false},
        {"u8 bcd", FIELD_U8, FIELD_BCD, 2, {0x99}, false},
        {"u8 zero pad", FIELD_U8, FIELD_ZERO_PAD, 3, {0x05}, false},
        {"s8 negative", FIELD_S8, 0, 4, {0xFB}, false},
        {"s8 bcd high bit", FIELD_S8, FIELD_BCD, 2, {0x99}, false},
        {"u16", FIELD_U16, 0, 5, {0xFF, 0xFF}, false},
        {"u16 bcd zero pad", FIELD_U16, FIELD_BCD | FIELD_ZERO_PAD, 4, {0x34, 0x12}, false},
        {"s16 negative", FIELD_S16, 0, 6, {0x2E, 0xFB}, false},
        {"s16 bcd high bit", FIELD_S16, FIELD_BCD, 4, {0x99, 0x99}, false},
        {"u32 above 2^31", FIELD_U32, 0, 10, {0xFF, 0xFF, 0xFF, 0xFF}, false},
        {"u32 bcd", FIELD_U32, FIELD_BCD | FIELD_ZERO_PAD, 8, {0x78, 0x56, 0x34, 0x12}, false},
        {"s32 minimum", FIELD_S32, 0, 11, {0x00, 0x00, 0x00, 0x80}, false},
        {"s32 bcd high bit", FIELD_S32, FIELD_BCD, 8, {0x00, 0x00, 0x00, 0x80}, false},
        {"amount positive", FIELD_AMOUNT, 0, 10, Amount(15000, false), false},
        {"amount negative", FIELD_AMOUNT, FIELD_ZERO_PAD, 10, Amount(123456780, true), false},
        {"amount four decimals", FIELD_AMOUNT, 0, 10, Amount(12345, false), true},
        {"amount bcd", FIELD_AMOUNT, FIELD_BCD, 10, Amount(0x123450, true), false},
        {"s64 positive", FIELD_S64, 0, 14, {0x07, 0x6F, 0x47, 0x34, 0x7D, 0x04, 0x00, 0x00}, false},
        {"s64 negative", FIELD_S64, 0, 14, {0x39, 0x30, 0, 0, 0, 0, 0, 0x80}, false},
        {"s64 bcd positive", FIELD_S64, FIELD_BCD | FIELD_ZERO_PAD, 14, {0x94, 0x78, 0x56, 0x34, 0x12, 0x90, 0x04, 0x00}, false},
        {"s64 bcd negative", FIELD_S64, FIELD_BCD, 14, {0x23, 0x01, 0, 0, 0, 0, 0, 0x80}, false},
        {"s64 bcd negative letters", FIELD_S64, FIELD_BCD, 14, {0xAB, 0x12, 0, 0, 0, 0, 0, 0x80}, false},
        {"s64 bcd negative zero pad", FIELD_S64, FIELD_BCD | FIELD_ZERO_PAD, 14, {0x0F, 0x01, 0, 0, 0, 0, 0, 0x80}, false},
        {"s64 largest negative", FIELD_S64, 0, 20, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, false},
        {"text", FIELD_TEXT, FIELD_ALIGN_LEFT, 6, {'T', 'e', 'a', ' ', ' ', ' '}, false},
        {"plain text", FIELD_TEXT, FIELD_PLAIN_TEXT, 4, {'A', 0x82, 0xA0, ' '}, false},
    };
    FakeCaptionManager captions;
    for (const RoundTrip& c : cases) {
        S_ECR_FIELD f = MakeField(c.type, c.flags, c.width);
        std::wstring text = Format(f, c.bytes, c.exact);
        EXPECT_EQ(Parse(f, text.c_str(), c.bytes.size()), c.bytes) << c.name << ": " << std::string(text.begin(), text.end());
    }
}

// Sign and magnitude hold no -2^63: it and anything below keep the largest
// magnitude instead of the sign bit alone (shown as 0).
TEST(FieldCodec, SixtyFourBitValuesAtOrBelowTheLowestClamp)
{
    S_ECR_FIELD s64 = MakeField(FIELD_S64, 0, 20);
    const Bytes lowest = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(Parse(s64, L"-9223372036854775808", 8), lowest);
    EXPECT_EQ(Parse(s64, L"-99999999999999999999", 8), lowest);
    EXPECT_EQ(Format(s64, lowest), L"-9223372036854775807");
    EXPECT_EQ(Parse(s64, L"99999999999999999999", 8), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(Format(MakeField(FIELD_S64, FIELD_BCD | FIELD_ZERO_PAD, 6), {0x0F, 0x01, 0, 0, 0, 0, 0, 0x80}), L"-0010F");
}

// Numbers are written by hand for speed: they must read as printf writes
// them, over many values of every width, sign, pad and rounding case.
TEST(FieldCodec, NumbersAreWrittenAsPrintfWritesThem)
{
    uint64_t seed = 88172645463325252ULL;
    auto next = [&seed] {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        return seed;
    };
    wchar_t expected[96];
    for (int i = 0; i < 20000; ++i) {
        uint64_t r = next();
        int width = static_cast<int>(r % 13);
        int32_t v32 = static_cast<int32_t>(next() >> (r % 32));
        for (DWORD flags : {DWORD(0), FIELD_ZERO_PAD, FIELD_BCD, FIELD_BCD | FIELD_ZERO_PAD}) {
            const wchar_t* format = (flags & FIELD_ZERO_PAD) ? ((flags & FIELD_BCD) ? L"%0*X" : L"%0*d") : ((flags & FIELD_BCD) ? L"%X" : L"%d");
            if (flags & FIELD_ZERO_PAD)
                _snwprintf(expected, 96, format, width, v32);
            else
                _snwprintf(expected, 96, format, v32);
            Bytes b(4);
            std::memcpy(b.data(), &v32, 4);
            ASSERT_EQ(Format(MakeField(FIELD_S32, flags, width), b), expected) << v32 << " " << width << " " << flags;
        }
        uint64_t magnitude = next() % ((uint64_t(1) << 47) - 1) >> (r % 40);
        bool negative = (r >> 8) & 1;
        double value = static_cast<double>(magnitude) / 10000.0;
        _snwprintf(expected, 96, L"%.3f", negative ? -value : value);
        ASSERT_EQ(Format(MakeField(FIELD_AMOUNT, 0, 10), Amount(magnitude, negative)), expected) << magnitude;
        _snwprintf(expected, 96, L"%.4f", negative ? -value : value);
        ASSERT_EQ(Format(MakeField(FIELD_AMOUNT, 0, 10), Amount(magnitude, negative), true), expected) << magnitude;
    }
}

TEST(FieldCodec, DocumentedExamples)
{
    S_ECR_FIELD bcd = MakeField(FIELD_U16, FIELD_ZERO_PAD | FIELD_BCD, 4);
    EXPECT_EQ(Format(bcd, {0x34, 0x12}), L"1234");
    EXPECT_EQ(Parse(bcd, L"1234", 2), (Bytes{0x34, 0x12}));

    EXPECT_EQ(Format(MakeField(FIELD_U8, 0, 3), {5}), L"5");
    EXPECT_EQ(Format(MakeField(FIELD_U8, FIELD_ZERO_PAD, 3), {5}), L"005");

    S_ECR_FIELD amount = MakeField(FIELD_AMOUNT, 0, 10);
    EXPECT_EQ(Format(amount, Amount(15000, false)), L"1.500");
    EXPECT_EQ(Parse(amount, L"-1.5", 6), Amount(15000, true));
    EXPECT_EQ(Format(amount, Amount(15000, true)), L"-1.500");
    EXPECT_EQ(Format(amount, Amount(12346, false)), L"1.235") << "three of the four decimals are shown";

    S_ECR_FIELD s64 = MakeField(FIELD_S64, FIELD_BCD, 8);
    EXPECT_EQ(Parse(s64, L"-123", 8), (Bytes{0x23, 0x01, 0, 0, 0, 0, 0, 0x80}));
    EXPECT_EQ(Format(s64, {0x23, 0x01, 0, 0, 0, 0, 0, 0x80}), L"-123");

    FakeCaptionManager captions;
    S_ECR_FIELD text = MakeField(FIELD_TEXT, 0, 5);
    EXPECT_EQ(Format(text, {'A', 'B', 0, 0, 0}), L"AB");
    EXPECT_EQ(Parse(text, L"AB", 5), (Bytes{'A', 'B', ' ', ' ', ' '}));
    EXPECT_EQ(Format(text, {'A', ' ', 'B', ' ', ' '}), L"A B");
}

TEST(FieldCodec, UnknownTypeOrNoAddressFailsWithoutWriting)
{
    for (DWORD type : {3ul, 21ul, 255ul}) {
        S_ECR_FIELD f = MakeField(type, 0, 4);
        Bytes bytes(8, 0x11);
        CString text;
        EXPECT_FALSE(FormatField(&f, bytes.data(), text));
        EXPECT_EQ(text, L"?");
        EXPECT_FALSE(ParseField(&f, CString(L"12"), bytes.data()));
        EXPECT_EQ(bytes, Bytes(8, 0x11));
    }
    S_ECR_FIELD f = MakeField(FIELD_U8, 0, 3);
    CString text(L"old");
    EXPECT_FALSE(FormatField(&f, nullptr, text));
    EXPECT_EQ(text, L"?");
    EXPECT_FALSE(ParseField(&f, CString(L"1"), nullptr));
}

// Amounts round to the nearest ten-thousandth and clamp instead of wrapping.
TEST(FieldCodec, AmountsRoundAndClamp)
{
    S_ECR_FIELD amount = MakeField(FIELD_AMOUNT, 0, 10);
    EXPECT_EQ(Parse(amount, L"0.043", 6), Amount(430, false));
    EXPECT_EQ(Parse(amount, L"1.001", 6), Amount(10010, false));
    EXPECT_EQ(Parse(amount, L"99999999999", 6), Amount((uint64_t(1) << 47) - 1, false));
    EXPECT_EQ(Parse(amount, L"-99999999999", 6), Amount((uint64_t(1) << 47) - 1, true));
    EXPECT_EQ(Parse(amount, L"-0", 6), Amount(0, false));
    EXPECT_EQ(Parse(amount, L"abc", 6), Amount(0, false));

    S_ECR_FIELD bcd = MakeField(FIELD_AMOUNT, FIELD_BCD, 10);
    EXPECT_EQ(Parse(bcd, L"1.5", 6), Amount(0x15000, false));
    EXPECT_EQ(Parse(bcd, L"99999999999", 6), Amount(0x799999999999, false));
}

// BCD on signed types shows the value widened to 32 bits; reading it back
// must keep the low bits, not clamp them.
TEST(FieldCodec, SignedBcdKeepsItsBits)
{
    S_ECR_FIELD s8 = MakeField(FIELD_S8, FIELD_BCD, 2);
    EXPECT_EQ(Format(s8, {0x99}), L"FFFFFF99");
    EXPECT_EQ(Parse(s8, L"FFFFFF99", 1), (Bytes{0x99}));
    S_ECR_FIELD s32 = MakeField(FIELD_S32, FIELD_BCD, 8);
    EXPECT_EQ(Parse(s32, L"80000000", 4), (Bytes{0, 0, 0, 0x80}));
    // Ordinary decimal input still clamps at the 32-bit limits.
    S_ECR_FIELD plain = MakeField(FIELD_S32, 0, 11);
    EXPECT_EQ(Parse(plain, L"99999999999", 4), (Bytes{0xFF, 0xFF, 0xFF, 0x7F}));
    S_ECR_FIELD u32 = MakeField(FIELD_U32, 0, 10);
    EXPECT_EQ(Parse(u32, L"-1", 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
}

// Widths outside 0..64 never reach past 64 bytes; width 0 writes nothing.
TEST(FieldCodec, TextWidthIsBounded)
{
    FakeCaptionManager captions;
    S_ECR_FIELD wide = MakeField(FIELD_TEXT, 0, 500);
    Bytes bytes(80, 0xEE);
    ASSERT_TRUE(ParseField(&wide, CString(L"X"), bytes.data()));
    EXPECT_EQ(bytes[0], 'X');
    EXPECT_EQ(bytes[63], ' ');
    EXPECT_EQ(bytes[64], 0xEE);
    Bytes source(80, 'Q');
    EXPECT_EQ(Format(wide, source).size(), 64u);

    for (int width : {0, -3}) {
        S_ECR_FIELD none = MakeField(FIELD_TEXT, 0, width);
        Bytes untouched(4, 0xEE);
        EXPECT_TRUE(ParseField(&none, CString(L"abc"), untouched.data()));
        EXPECT_EQ(untouched, Bytes(4, 0xEE));
        EXPECT_EQ(Format(none, {'a', 'b'}), L"");
    }
}

// A double-byte character that would cross the width is left out whole.
TEST(FieldCodec, ShiftJisTextIsCutBetweenCharacters)
{
    FakeCaptionManager captions;
    S_ECR_FIELD f = MakeField(FIELD_TEXT, 0, 5);
    Bytes stored = Parse(f, L"\u65E5\u672C\u8A9E", 5);  // three kanji, six bytes
    EXPECT_EQ(stored, (Bytes{0x93, 0xFA, 0x96, 0x7B, ' '}));
    EXPECT_EQ(Format(f, stored), L"\u65E5\u672C");

    S_ECR_FIELD two = MakeField(FIELD_TEXT, 0, 2);
    EXPECT_EQ(Parse(two, L"A\u65E5", 2), (Bytes{'A', ' '}));
    // U+F8F3 is the single byte 0xFF, never a lead byte.
    EXPECT_EQ(Parse(two, L"A\uF8F3", 2), (Bytes{'A', 0xFF}));
    // A trail byte in the lead-byte range (0x9F) still belongs to its character.
    EXPECT_EQ(Parse(two, L"\u30BF", 2), (Bytes{0x83, 0x5E}));
    EXPECT_EQ(Parse(two, L"\u71F9", 2), (Bytes{0xE0, 0x9F}));
}

// Register text goes through the character table unless the field is plain
// text, in both directions; with no caption manager the code page is used.
TEST(FieldCodec, CharacterTableAndPlainText)
{
    S_ECR_FIELD table = MakeField(FIELD_TEXT, 0, 3);
    S_ECR_FIELD plain = MakeField(FIELD_TEXT, FIELD_PLAIN_TEXT, 3);
    {
        FakeCaptionManager captions;
        captions.Map(0xB1, L'\u2605');
        EXPECT_EQ(Format(table, {0xB1, 'A', ' '}), L"\u2605A");
        EXPECT_EQ(Format(plain, {0xB1, 'A', ' '}), L"\uFF71A");
        EXPECT_EQ(Parse(table, L"\u2605A", 3), (Bytes{0xB1, 'A', ' '}));
        EXPECT_EQ(Parse(plain, L"\uFF71A", 3), (Bytes{0xB1, 'A', ' '}));
    }
    EXPECT_EQ(Format(table, {0x82, 0xA0, ' '}), L"\u3042");
    EXPECT_EQ(Parse(table, L"\u3042", 3), (Bytes{0x82, 0xA0, ' '}));
}

} // namespace
