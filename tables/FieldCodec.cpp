#include "FieldCodec.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "RegisterText.h"

namespace {

constexpr uint64_t kAmountMagnitudeMax = (uint64_t(1) << 47) - 1;
constexpr uint64_t kAmountBcdMagnitudeMax = 799999999999;  // twelve digits, the top one below 8
constexpr uint64_t kSign64 = uint64_t(1) << 63;

template <typename T>
T Load(const BYTE* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

template <typename T>
void Store(BYTE* bytes, T value)
{
    std::memcpy(bytes, &value, sizeof value);
}

int ClampedWidth(const S_ECR_FIELD& field)
{
    return field.Width < 0 ? 0 : (field.Width > ECR_TEXT_MAX ? ECR_TEXT_MAX : field.Width);
}

// "%[0][width][l|I64](X|d)" for the field.
CString NumberFormat(const S_ECR_FIELD& field, bool hex)
{
    CString format(L"%");
    if (field.Flags & FIELD_ZERO_PAD)
        format += L'0';
    int width = ClampedWidth(field);
    if (width > 0)
        format.AppendFormat(L"%d", width);
    if (field.Type() == FIELD_U32 || field.Type() == FIELD_S32)
        format += L'l';
    else if (field.Type() == FIELD_S64)
        format += L"I64";
    format += hex ? L'X' : L'd';
    return format;
}

// Packed decimal digits read as the decimal number they spell.
uint64_t UnpackDigits(uint64_t packed)
{
    CString hex;
    hex.Format(L"%I64x", packed);
    return _wcstoui64(hex, nullptr, 10);
}

// A decimal number packed into hexadecimal digits.
uint64_t PackDigits(uint64_t value)
{
    char digits[32];
    _snprintf(digits, sizeof digits, "%10I64u", value);
    digits[sizeof digits - 1] = 0;
    return _strtoui64(digits, nullptr, 16);
}

CString FormatText(const S_ECR_FIELD& field, const BYTE* bytes)
{
    int width = ClampedWidth(field);
    const char* chars = reinterpret_cast<const char*>(bytes);
    int length = static_cast<int>(strnlen(chars, width));
    CString text = RegisterToText(chars, length, (field.Flags & FIELD_PLAIN_TEXT) != 0);
    text.TrimRight();
    return text;
}

CString FormatAmount(const S_ECR_FIELD& field, const BYTE* bytes, int decimals)
{
    uint32_t low = Load<uint32_t>(bytes);
    uint16_t high = Load<uint16_t>(bytes + 4);
    uint64_t magnitude = (uint64_t(high & 0x7FFF) << 32) | low;
    if (field.Flags & FIELD_BCD)
        magnitude = UnpackDigits(magnitude);
    double value = static_cast<double>(magnitude) / 10000.0;
    if (high & 0x8000)
        value = -value;
    CString text;
    text.Format(decimals == 3 ? L"%6.3f" : L"%.4f", value);
    return text;
}

CString FormatInt64(const S_ECR_FIELD& field, const BYTE* bytes)
{
    uint64_t raw = Load<uint64_t>(bytes);
    bool bcd = (field.Flags & FIELD_BCD) != 0;
    CString text;
    if (!(raw & kSign64)) {
        text.Format(NumberFormat(field, bcd), static_cast<long long>(raw));
        return text;
    }
    uint64_t magnitude = raw & ~kSign64;
    if (!bcd) {
        text.Format(NumberFormat(field, false), -static_cast<long long>(magnitude));
        return text;
    }
    // The digits as stored, letters included, so that the text stores the
    // same bytes again; zero padding keeps the width with the sign.
    text.Format(L"%I64X", static_cast<long long>(magnitude));
    int width = ClampedWidth(field);
    if ((field.Flags & FIELD_ZERO_PAD) && text.GetLength() < width - 1)
        text = CString(L'0', width - 1 - text.GetLength()) + text;
    return L"-" + text;
}

BOOL Format(const S_ECR_FIELD* field, const BYTE* bytes, CString& text, int decimals)
{
    text.Empty();
    if (!field || !bytes) {
        text = L"?";
        return FALSE;
    }
    bool bcd = (field->Flags & FIELD_BCD) != 0;
    switch (field->Type()) {
    case FIELD_TEXT:
        text = FormatText(*field, bytes);
        return TRUE;
    case FIELD_U8:
        text.Format(NumberFormat(*field, bcd), static_cast<int>(Load<uint8_t>(bytes)));
        break;
    case FIELD_S8:
        text.Format(NumberFormat(*field, bcd), static_cast<int>(Load<int8_t>(bytes)));
        break;
    case FIELD_U16:
        text.Format(NumberFormat(*field, bcd), static_cast<int>(Load<uint16_t>(bytes)));
        break;
    case FIELD_S16:
        text.Format(NumberFormat(*field, bcd), static_cast<int>(Load<int16_t>(bytes)));
        break;
    case FIELD_U32:
    case FIELD_S32:
        text.Format(NumberFormat(*field, bcd), Load<int32_t>(bytes));
        break;
    case FIELD_AMOUNT:
        text = FormatAmount(*field, bytes, decimals);
        break;
    case FIELD_S64:
        text = FormatInt64(*field, bytes);
        break;
    default:
        text = L"?";
        return FALSE;
    }
    text.TrimLeft();
    return TRUE;
}

// Signed and BCD input of the 8-, 16- and 32-bit types. BCD reads unsigned so
// that a shown value widened to 32 bits ("FFFFFF99") stores its low bits again.
uint32_t ReadInt32(const char* ansi, bool bcd, bool unsignedRead)
{
    if (bcd)
        return static_cast<uint32_t>(strtoul(ansi, nullptr, 16));
    if (unsignedRead)
        return static_cast<uint32_t>(strtoul(ansi, nullptr, 10));
    return static_cast<uint32_t>(strtol(ansi, nullptr, 10));
}

void ParseText(const S_ECR_FIELD& field, const CString& text, BYTE* bytes)
{
    CStringA stored = FieldTextBytes(field, text);
    std::memset(bytes, ' ', ClampedWidth(field));
    std::memcpy(bytes, stored.GetString(), stored.GetLength());
}

void ParseAmount(const S_ECR_FIELD& field, const char* ansi, BYTE* bytes)
{
    double scaled = strtod(ansi, nullptr) * 10000.0;
    if (!std::isfinite(scaled))
        scaled = 0;
    bool negative = scaled < 0;
    double limit = static_cast<double>(kAmountMagnitudeMax);
    double rounded = std::fabs(std::round(scaled));
    uint64_t magnitude = rounded >= limit ? kAmountMagnitudeMax : static_cast<uint64_t>(rounded);
    if (field.Flags & FIELD_BCD)
        magnitude = PackDigits(magnitude > kAmountBcdMagnitudeMax ? kAmountBcdMagnitudeMax : magnitude);
    if (magnitude == 0)
        negative = false;
    Store<uint32_t>(bytes, static_cast<uint32_t>(magnitude));
    Store<uint16_t>(bytes + 4, static_cast<uint16_t>(((magnitude >> 32) & 0x7FFF) | (negative ? 0x8000 : 0)));
}

void ParseInt64(const S_ECR_FIELD& field, const char* ansi, BYTE* bytes)
{
    // Sign and magnitude: -2^63 and below keep the largest magnitude, not
    // the sign bit alone (which reads as 0).
    long long value = _strtoi64(ansi, nullptr, (field.Flags & FIELD_BCD) ? 16 : 10);
    uint64_t magnitude = value < 0 ? uint64_t(0) - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    if (magnitude > ~kSign64)
        magnitude = ~kSign64;
    Store<uint64_t>(bytes, magnitude | (value < 0 ? kSign64 : 0));
}

} // namespace

CStringA FieldTextBytes(const S_ECR_FIELD& field, const CString& text)
{
    CStringA stored = TextToRegister(text, (field.Flags & FIELD_PLAIN_TEXT) != 0);
    return stored.Left(FitRegisterBytes(stored, stored.GetLength(), ClampedWidth(field)));
}

BOOL FormatField(const S_ECR_FIELD* field, const BYTE* bytes, CString& text)
{
    return Format(field, bytes, text, 3);
}

BOOL FormatFieldExact(const S_ECR_FIELD* field, const BYTE* bytes, CString& text)
{
    return Format(field, bytes, text, 4);
}

BOOL ParseField(const S_ECR_FIELD* field, const CString& text, BYTE* bytes)
{
    if (!field || !bytes)
        return FALSE;
    CStringA ansi = TextToAnsi(text);
    bool bcd = (field->Flags & FIELD_BCD) != 0;
    switch (field->Type()) {
    case FIELD_TEXT:
        ParseText(*field, text, bytes);
        return TRUE;
    case FIELD_U8:
    case FIELD_S8:
        Store<uint8_t>(bytes, static_cast<uint8_t>(ReadInt32(ansi, bcd, false)));
        return TRUE;
    case FIELD_U16:
    case FIELD_S16:
        Store<uint16_t>(bytes, static_cast<uint16_t>(ReadInt32(ansi, bcd, false)));
        return TRUE;
    case FIELD_S32:
        Store<uint32_t>(bytes, ReadInt32(ansi, bcd, false));
        return TRUE;
    case FIELD_U32:
        Store<uint32_t>(bytes, ReadInt32(ansi, bcd, true));
        return TRUE;
    case FIELD_AMOUNT:
        ParseAmount(*field, ansi, bytes);
        return TRUE;
    case FIELD_S64:
        ParseInt64(*field, ansi, bytes);
        return TRUE;
    default:
        return FALSE;
    }
}
