#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CEcrValidator.h"
#include "EcrWndNo.h"
#include "FakeCaptionManager.h"
#include "FieldCodec.h"
#include "FieldRules.h"
#include "S_ECR_SETTING.h"

S_ECR_SETTING* g_pEcrSetting = nullptr;

namespace {

// A table header with room for its descriptors.
struct TestTable
{
    explicit TestTable(int fields, int records, int recordSize)
        : memory(sizeof(S_ECR_TABLE) + fields * sizeof(S_ECR_FIELD)), data(records * recordSize)
    {
        table = reinterpret_cast<S_ECR_TABLE*>(memory.data());
        table->FieldCount = fields;
        table->RecordCount = records;
        table->RecordSize = recordSize;
        table->RecordData = data.data();
    }
    S_ECR_FIELD& Field(int i) { return table->Fields()[i]; }

    std::vector<unsigned char> memory;
    std::vector<BYTE> data;
    S_ECR_TABLE* table = nullptr;
};

// Refuses every value above 100 with its own text and records what it saw.
class LimitValidator final : public CEcrValidator
{
public:
    int Validate(S_ECR_CHECK* check) override
    {
        seen = *check;
        seenText = check->Text;
        if (check->Value <= 100)
            return 1;
        *check->Message = L"Too much for this key";
        return 0;
    }
    S_ECR_CHECK seen = {};
    CString seenText;
};

TEST(FieldRules, LabelTextPrefersTheDataItemCaption)
{
    S_ECR_LABEL label = {7, L"Price"};
    EXPECT_EQ(LabelText(label), L"Price");  // no caption manager
    FakeCaptionManager captions;
    EXPECT_EQ(LabelText(label), L"Price");  // no such caption
    captions.AddCaption(WNDNO_DATA_ITEMS, 7, L"Unit price");
    captions.AddCaption(WNDNO_COMMON, 8, L"Other window");
    EXPECT_EQ(LabelText(label), L"Unit price");
    label.CaptionNo = 8;
    EXPECT_EQ(LabelText(label), L"Price");
}

TEST(FieldRules, RangeMessageTakesItsWordsFromTheCaptionFile)
{
    S_ECR_FIELD f = {};
    f.Minimum = -50;
    f.Maximum = 50;
    EXPECT_EQ(RangeMessage(f), L"Range is -50 - 50");
    FakeCaptionManager captions;
    captions.AddCaption(WNDNO_COMMON, 43, L"入力範囲は");
    EXPECT_EQ(RangeMessage(f), L"入力範囲は -50 - 50");
    EXPECT_EQ(CaptionText(WNDNO_COMMON, 44, L"fallback"), L"fallback");
}

TEST(FieldRules, DecimalsMessageTakesItsWordsFromTheCaptionFile)
{
    S_ECR_FIELD amount = {};
    amount.Flags = FIELD_AMOUNT;
    S_ECR_FIELD count = {};
    count.Flags = FIELD_U16;
    EXPECT_EQ(DecimalsMessage(amount), L"At most 3 decimals");
    EXPECT_EQ(DecimalsMessage(count), L"Whole numbers only");
    FakeCaptionManager captions;
    captions.AddCaption(WNDNO_COMMON, 47, L"小数は %1 桁までです");
    captions.AddCaption(WNDNO_COMMON, 48, L"整数で入力してください");
    EXPECT_EQ(DecimalsMessage(amount), L"小数は 3 桁までです");
    EXPECT_EQ(DecimalsMessage(count), L"整数で入力してください");
}

// English words one byte apart from several. A caption file without the
// caption for one keeps its own language.
TEST(FieldRules, CutTextMessageWordsOneByteApart)
{
    S_ECR_FIELD mark = {};
    mark.Flags = FIELD_TEXT;
    wcscpy(mark.Label.DefaultText, L"Mark");
    mark.Width = 1;
    EXPECT_EQ(CutTextMessage(mark, L"A"), L"Mark: at most 1 byte fits (a double-byte character takes two). Kept:\n\"A\"");
    mark.Width = 2;
    EXPECT_EQ(CutTextMessage(mark, L"AB"), L"Mark: at most 2 bytes fit (a double-byte character takes two). Kept:\n\"AB\"");
    FakeCaptionManager captions;
    captions.AddCaption(WNDNO_COMMON, 60, L"入力できるのは %d バイトまでです。残した文字:");
    mark.Width = 1;
    EXPECT_EQ(CutTextMessage(mark, L"A"), L"Mark: 入力できるのは 1 バイトまでです。残した文字:\n\"A\"");
    captions.AddCaption(WNDNO_COMMON, 61, L"%d byte only:");
    EXPECT_EQ(CutTextMessage(mark, L"A"), L"Mark: 1 byte only:\n\"A\"");
}

TEST(FieldRules, DisplayLevelComesFromTheSettings)
{
    EXPECT_EQ(EffectiveDisplayLevel(), 0);
    S_ECR_FIELD field = {};
    field.Level = 2;
    EXPECT_TRUE(IsFieldVisible(field, 2));
    EXPECT_TRUE(IsFieldVisible(field, -1));
    EXPECT_FALSE(IsFieldVisible(field, 3));
}

TEST(FieldRules, RangeCheckWantsAWholeNumberInRange)
{
    TestTable t(1, 1, 4);
    S_ECR_FIELD& f = t.Field(0);
    f.CheckMode = CHECK_RANGE;
    f.Minimum = 0;
    f.Maximum = 10;
    CString message;
    EXPECT_TRUE(CheckFieldValue(t.table, 0, 0, L"10", message));
    EXPECT_TRUE(message.IsEmpty());
    EXPECT_TRUE(CheckFieldValue(t.table, 0, 0, L"", message)) << "empty counts as 0";
    EXPECT_TRUE(CheckFieldValue(t.table, 0, 0, L"2.5", message));
    for (const wchar_t* bad : {L"11", L"-1", L"12a", L"0x5", L"nan", L"inf", L"abc", L"5 5"}) {
        EXPECT_FALSE(CheckFieldValue(t.table, 0, 0, bad, message)) << bad;
        EXPECT_EQ(message, L"Range is 0 - 10") << bad;
    }
    f.Minimum = f.Maximum = 3;
    EXPECT_TRUE(CheckFieldValue(t.table, 0, 0, L"anything", message)) << "equal bounds check nothing";
    f.CheckMode = CHECK_NONE;
    f.Maximum = 4;
    EXPECT_TRUE(CheckFieldValue(t.table, 0, 0, L"99", message));
}

// A number field takes only a text that the codec stores as that very
// number, in range or not, and says what it takes when refusing.
TEST(FieldRules, NumberFieldsTakeOnlyWhatTheyStoreAsTyped)
{
    TestTable t(1, 1, 8);
    S_ECR_FIELD& f = t.Field(0);
    f.CheckMode = CHECK_RANGE;
    struct Case
    {
        DWORD flags;
        double minimum, maximum;  // equal: no range of the field's own
        const wchar_t* text;
        const wchar_t* refusal;   // null: accepted
    } cases[] = {
        {FIELD_S32, -999999, 999999, L"12.7", L"Whole numbers only"},
        {FIELD_S32, -999999, 999999, L"12.", L"Whole numbers only"},
        {FIELD_S32, -999999, 999999, L"999999.5", L"Range is -999999 - 999999"},
        {FIELD_S32, -999999, 999999, L"1e3", L"Range is -999999 - 999999"},
        {FIELD_S32, -999999, 999999, L"-12", nullptr},
        {FIELD_U8 | FIELD_BCD, 0, 99, L"9.9", L"Whole numbers only"},
        {FIELD_U8 | FIELD_BCD, 0, 99, L"1A", L"Range is 0 - 99"},
        {FIELD_U8 | FIELD_BCD, 0, 99, L"99", nullptr},
        {FIELD_AMOUNT, 0, 999999, L"1.23456", L"At most 3 decimals"},
        {FIELD_AMOUNT, 0, 999999, L"12.3456", L"At most 3 decimals"},
        {FIELD_AMOUNT, 0, 999999, L"1000000.5", L"Range is 0 - 999999"},
        {FIELD_AMOUNT, 0, 999999, L"999999.0001", L"Range is 0 - 999999"},
        {FIELD_AMOUNT, 0, 999999, L"-0.0001", L"Range is 0 - 999999"},
        {FIELD_AMOUNT, 0, 999999, L"1.2.3", L"Range is 0 - 999999"},
        {FIELD_AMOUNT, 0, 999999, L"12.34500", nullptr},
        {FIELD_AMOUNT, 0, 0, L"12.3456", L"At most 3 decimals"},
        {FIELD_AMOUNT, 0, 0, L"99999999999.5", L"Range is -14073748836 - 14073748836"},
        {FIELD_U16, 0, 0, L"12.5", L"Whole numbers only"},
        {FIELD_U16, 0, 0, L"70000", L"Range is 0 - 65535"},
        {FIELD_U16, 0, 0, L"70000.5", L"Range is 0 - 65535"},
        {FIELD_U16, 0, 0, L"", nullptr},
        {FIELD_S64 | FIELD_BCD, 0, 0, L"8000000000000000", L"Range is -7999999999999999 - 7999999999999999"},
        {FIELD_U32, 0, 0, L"-1", nullptr},
    };
    for (const Case& c : cases) {
        f.Flags = c.flags;
        f.Minimum = c.minimum;
        f.Maximum = c.maximum;
        CString message;
        const BOOL accepted = CheckFieldValue(t.table, 0, 0, c.text, message);
        if (c.refusal) {
            EXPECT_FALSE(accepted) << c.text;
            EXPECT_EQ(std::wstring(message.GetString()), c.refusal) << c.text;
            continue;
        }
        // What was accepted is stored as the number the check read.
        EXPECT_TRUE(accepted) << c.text;
        double typed = 0, stored = 0;
        CString shown;
        ASSERT_TRUE(ParseField(&f, c.text, t.data.data()));
        ASSERT_TRUE(FormatFieldExact(&f, t.data.data(), shown));
        ReadFieldNumber(f, c.text, kShownDecimals, typed);
        EXPECT_TRUE(ReadFieldNumber(f, shown, kExactDecimals, stored)) << c.text;
        EXPECT_EQ(typed, stored) << c.text << " shows " << shown.GetString();
    }
}

TEST(FieldRules, ValidatorDecidesAndGivesItsMessage)
{
    TestTable t(2, 3, 4);
    t.Field(1).CheckMode = CHECK_VALIDATOR;
    CString message;
    EXPECT_TRUE(CheckFieldValue(t.table, 1, 2, L"500", message)) << "no validator accepts";

    LimitValidator validator;
    t.table->Validator = &validator;
    EXPECT_TRUE(CheckFieldValue(t.table, 1, 2, L"42.5", message));
    EXPECT_EQ(validator.seen.Table, t.table);
    EXPECT_EQ(validator.seen.FieldIndex, 1);
    EXPECT_EQ(validator.seen.RecordIndex, 2);
    EXPECT_EQ(validator.seenText, L"42.5");
    EXPECT_DOUBLE_EQ(validator.seen.Value, 42.5);
    EXPECT_FALSE(CheckFieldValue(t.table, 1, 2, L"101", message));
    EXPECT_EQ(message, L"Too much for this key");
    EXPECT_TRUE(CheckFieldValue(t.table, 1, 0, L"text", message));
    EXPECT_DOUBLE_EQ(validator.seen.Value, 0.0) << "text that is no number reads as 0";
}

TEST(FieldRules, ShadingLooksAtTheShownValue)
{
    S_ECR_FIELD f = {};
    f.Minimum = 1;
    f.Maximum = 10;
    EXPECT_FALSE(IsShadedOutOfRange(f, L"12")) << "no range shading";
    f.Flags = FIELD_RANGE_SHADE;
    EXPECT_TRUE(IsShadedOutOfRange(f, L"12"));
    EXPECT_TRUE(IsShadedOutOfRange(f, L"0"));
    EXPECT_FALSE(IsShadedOutOfRange(f, L"10"));
    EXPECT_FALSE(IsShadedOutOfRange(f, L"1.000"));
}

// Register text is Shift-JIS here (the test runs under code page 932).
TEST(FieldRules, CutKeepsWholeDoubleByteCharacters)
{
    S_ECR_FIELD f = {};
    f.Flags = FIELD_TEXT;
    f.Width = 4;
    EXPECT_EQ(FitFieldText(f, L"ABCDEF"), L"ABCD");
    EXPECT_EQ(FitFieldText(f, L"ABCあ"), L"ABC") << "a character across the width goes";
    // Both end on a trail byte that is itself in the lead-byte range.
    EXPECT_EQ(FitFieldText(f, L"ABム"), L"ABム");
    EXPECT_EQ(FitFieldText(f, L"ABぁ"), L"ABぁ");
    EXPECT_EQ(FitFieldText(f, L"ABムX"), L"ABム");
    EXPECT_EQ(FieldTextBytes(f, L"ABム"), CStringA("AB\x83\x80"));

    // The codec stores exactly what the cut keeps.
    BYTE bytes[4] = {};
    ASSERT_TRUE(ParseField(&f, L"ABCあ", bytes));
    EXPECT_EQ(0, std::memcmp(bytes, "ABC ", 4));
    ASSERT_TRUE(ParseField(&f, L"Aぁ", bytes));
    EXPECT_EQ(0, std::memcmp(bytes, "A\x82\x9F ", 4));

    S_ECR_FIELD number = {};
    number.Flags = FIELD_U32;
    number.Width = 2;
    EXPECT_EQ(FitFieldText(number, L"12345"), L"12345") << "numbers are not cut";
}

} // namespace
