#include "FieldRules.h"

#include <cwchar>

#include "CEcrValidator.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldCodec.h"
#include "FillPlaceholders.h"
#include "RegisterText.h"
#include "S_ECR_SETTING.h"

namespace {

constexpr int kRangeCaption = 43;
constexpr int kCutTextCaption = 60;
constexpr int kCutTextOneByteCaption = 61;
constexpr int kDecimalsCaption = 47;
constexpr int kWholeNumberCaption = 48;

bool HasRange(const S_ECR_FIELD& field)
{
    return field.CheckMode == CHECK_RANGE && field.Minimum != field.Maximum;
}

} // namespace

CString LabelText(const S_ECR_LABEL& label)
{
    CString name(label.DefaultText, static_cast<int>(wcsnlen(label.DefaultText, 64)));
    return CaptionText(WNDNO_DATA_ITEMS, label.CaptionNo, name);
}

int EffectiveDisplayLevel()
{
    return g_pEcrSetting ? g_pEcrSetting->Level : 0;
}

bool IsFieldVisible(const S_ECR_FIELD& field, int level)
{
    return field.Level >= level;
}

CString RangeMessage(const S_ECR_FIELD& field)
{
    // A number field says what it takes: its own range within what its type
    // holds, or the type's bounds when it has no range of its own.
    double minimum = field.Minimum, maximum = field.Maximum;
    double lowest = 0, highest = 0;
    if (FieldTypeBounds(field, lowest, highest)) {
        const bool own = HasRange(field);
        minimum = own && minimum > lowest ? minimum : lowest;
        maximum = own && maximum < highest ? maximum : highest;
    }
    return RangeMessage(minimum, maximum);
}

CString RangeMessage(double minimum, double maximum)
{
    // The words come from the caption file; the numbers are always formatted here.
    CString message = CaptionText(WNDNO_COMMON, kRangeCaption, L"Range is");
    message.AppendFormat(L" %.0f - %.0f", minimum, maximum);
    return message;
}

BOOL CheckFieldValue(S_ECR_TABLE* table, int field, int record, const CString& text, CString& message)
{
    message.Empty();
    if (!table || field < 0 || field >= table->FieldCount)
        return TRUE;
    const S_ECR_FIELD& f = table->Fields()[field];
    // Read as the store reads it (empty stores 0), so that nothing passes
    // that would be stored as another number.
    double value = 0;
    const NumberReading reading = ReadFieldNumberAs(f, text.IsEmpty() ? CString(L"0") : text, kShownDecimals, value);
    if (f.CheckMode == CHECK_VALIDATOR && table->Validator) {
        CString refusal;
        S_ECR_CHECK check = {table, field, record, text.GetString(), value, &refusal};
        if (!table->Validator->Validate(&check)) {
            message = refusal;
            return FALSE;
        }
    }
    const bool number = f.Type() != FIELD_TEXT && FieldByteLength(f) > 0;
    const bool ranged = HasRange(f);
    if (!number && !ranged)
        return TRUE;
    // The range is named only where it is the reason: text that is no
    // number, or a number outside it. A number within it that has too many
    // decimals says how many the field keeps.
    if (reading == NumberReading::NotANumber || reading == NumberReading::BeyondType ||
        (ranged && (value > f.Maximum || value < f.Minimum))) {
        message = RangeMessage(f);
        return FALSE;
    }
    if (reading == NumberReading::TooManyDecimals) {
        message = DecimalsMessage(f);
        return FALSE;
    }
    return TRUE;
}

CString DecimalsMessage(const S_ECR_FIELD& field)
{
    if (field.Type() != FIELD_AMOUNT)
        return CaptionText(WNDNO_COMMON, kWholeNumberCaption, L"Whole numbers only");
    CString decimals;
    decimals.Format(L"%d", kShownDecimals);
    return FillPlaceholders(CaptionText(WNDNO_COMMON, kDecimalsCaption, L"At most %1 decimals"), {decimals});
}

bool IsShadedOutOfRange(const S_ECR_FIELD& field, const CString& shown)
{
    if (!(field.Flags & FIELD_RANGE_SHADE))
        return false;
    double value = std::wcstod(shown.GetString(), nullptr);
    return field.Minimum > value || value > field.Maximum;
}

CString FitFieldText(const S_ECR_FIELD& field, const CString& text)
{
    if (field.Type() != FIELD_TEXT)
        return text;
    CStringA stored = FieldTextBytes(field, text);
    return RegisterToText(stored, stored.GetLength(), (field.Flags & FIELD_PLAIN_TEXT) != 0);
}

CString CutTextMessage(const S_ECR_FIELD& field, const CString& kept)
{
    const int length = FieldByteLength(field);
    CString limit = CountCaptionText(WNDNO_COMMON, length, kCutTextCaption,
                                     L"at most %d bytes fit (a double-byte character takes two). Kept:",
                                     kCutTextOneByteCaption,
                                     L"at most %d byte fits (a double-byte character takes two). Kept:");
    CString bytes;
    bytes.Format(L"%d", length);
    // Replaced as text: a caption is no format string to trust.
    limit.Replace(L"%d", bytes);
    return LabelText(field.Label) + L": " + limit + L"\n\"" + kept + L"\"";
}
