#include "FieldRules.h"

#include <cmath>
#include <cwchar>

#include "CEcrValidator.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldCodec.h"
#include "RegisterText.h"
#include "S_ECR_SETTING.h"

namespace {

constexpr int kRangeCaption = 43;
constexpr int kCutTextCaption = 60;

// Reads text as a plain decimal number (sign, digits, point, exponent).
// `whole` tells whether nothing but the number was there; hexadecimal,
// infinities and NaN are not numbers here, so no check can pass a value the
// codec would store differently.
double ReadNumber(const CString& text, bool& whole)
{
    const wchar_t* begin = text.GetString();
    wchar_t* end = nullptr;
    double value = std::wcstod(begin, &end);
    whole = *end == L'\0' && std::isfinite(value);
    for (const wchar_t* p = begin; p < end; ++p) {
        if (wcschr(L"xXiInN", *p)) {
            whole = false;
            break;
        }
    }
    return value;
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
    // The words come from the caption file; the numbers are always formatted here.
    CString message = CaptionText(WNDNO_COMMON, kRangeCaption, L"Range is");
    message.AppendFormat(L" %.0f - %.0f", field.Minimum, field.Maximum);
    return message;
}

BOOL CheckFieldValue(S_ECR_TABLE* table, int field, int record, const CString& text, CString& message)
{
    message.Empty();
    if (!table || field < 0 || field >= table->FieldCount)
        return TRUE;
    const S_ECR_FIELD& f = table->Fields()[field];
    bool whole = false;
    double value = ReadNumber(text, whole);
    switch (f.CheckMode) {
    case CHECK_RANGE:
        if (f.Minimum == f.Maximum)
            return TRUE;
        if (!whole || value > f.Maximum || value < f.Minimum) {
            message = RangeMessage(f);
            return FALSE;
        }
        return TRUE;
    case CHECK_VALIDATOR: {
        // A table without a validator has nothing to refuse.
        if (!table->Validator)
            return TRUE;
        CString refusal;
        S_ECR_CHECK check = {table, field, record, text.GetString(), std::isfinite(value) ? value : 0.0, &refusal};
        if (table->Validator->Validate(&check))
            return TRUE;
        message = refusal;
        return FALSE;
    }
    default:
        return TRUE;
    }
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
    CString limit = CaptionText(WNDNO_COMMON, kCutTextCaption,
                                L"at most %d bytes fit (a double-byte character takes two). Kept:");
    CString bytes;
    bytes.Format(L"%d", FieldByteLength(field));
    // Replaced as text: a caption is no format string to trust.
    limit.Replace(L"%d", bytes);
    return LabelText(field.Label) + L": " + limit + L"\n\"" + kept + L"\"";
}
