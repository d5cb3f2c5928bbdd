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

// What printf's "%[0<width>]d" or "%[0<width>]X" writes, without the blanks
// it pads with: digits made by hand, since this runs for every cell of a table.
CString IntegerText(uint64_t magnitude, bool negative, bool hex, int zeroWidth)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    const unsigned base = hex ? 16 : 10;
    wchar_t buffer[ECR_TEXT_MAX + 24];
    wchar_t* const end = buffer + sizeof buffer / sizeof buffer[0];
    wchar_t* p = end;
    do {
        *--p = digits[magnitude % base];
        magnitude /= base;
    } while (magnitude);
    for (int length = static_cast<int>(end - p) + (negative ? 1 : 0); length < zeroWidth; ++length)
        *--p = L'0';
    if (negative)
        *--p = L'-';
    return CString(p, static_cast<int>(end - p));
}

// An integer of up to 32 bits as the field shows it: signed decimal, or the
// 32-bit pattern in hexadecimal for BCD.
CString Int32Text(const S_ECR_FIELD& field, int32_t value)
{
    int zeroWidth = (field.Flags & FIELD_ZERO_PAD) ? ClampedWidth(field) : 0;
    if (field.Flags & FIELD_BCD)
        return IntegerText(static_cast<uint32_t>(value), false, true, zeroWidth);
    uint64_t magnitude = value < 0 ? uint64_t(0) - static_cast<uint64_t>(static_cast<int64_t>(value)) : static_cast<uint64_t>(value);
    return IntegerText(magnitude, value < 0, false, zeroWidth);
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
    bool negative = (high & 0x8000) != 0;
    // A fourth decimal of 5 rounds as printf rounds the double: leave it to
    // printf. Every other amount is written exactly by hand.
    if (decimals == 3 && magnitude % 10 == 5) {
        double value = static_cast<double>(magnitude) / 10000.0;
        CString text;
        text.Format(L"%.3f", negative ? -value : value);
        return text;
    }
    uint64_t scaled = decimals == 3 ? (magnitude + 5) / 10 : magnitude;
    uint64_t unit = decimals == 3 ? 1000 : 10000;
    CString text = IntegerText(scaled / unit, negative, false, 0);
    CString fraction = IntegerText(scaled % unit, false, false, decimals);
    return text + L"." + fraction;
}

CString FormatInt64(const S_ECR_FIELD& field, const BYTE* bytes)
{
    uint64_t raw = Load<uint64_t>(bytes);
    bool bcd = (field.Flags & FIELD_BCD) != 0;
    int zeroWidth = (field.Flags & FIELD_ZERO_PAD) ? ClampedWidth(field) : 0;
    // Sign and magnitude; BCD digits as stored, letters included, so that
    // the text stores the same bytes again.
    return IntegerText(raw & ~kSign64, (raw & kSign64) != 0, bcd, zeroWidth);
}

BOOL Format(const S_ECR_FIELD* field, const BYTE* bytes, CString& text, int decimals)
{
    text.Empty();
    if (!field || !bytes) {
        text = L"?";
        return FALSE;
    }
    switch (field->Type()) {
    case FIELD_TEXT:
        text = FormatText(*field, bytes);
        return TRUE;
    case FIELD_U8:
        text = Int32Text(*field, Load<uint8_t>(bytes));
        return TRUE;
    case FIELD_S8:
        text = Int32Text(*field, Load<int8_t>(bytes));
        return TRUE;
    case FIELD_U16:
        text = Int32Text(*field, Load<uint16_t>(bytes));
        return TRUE;
    case FIELD_S16:
        text = Int32Text(*field, Load<int16_t>(bytes));
        return TRUE;
    case FIELD_U32:
    case FIELD_S32:
        text = Int32Text(*field, Load<int32_t>(bytes));
        return TRUE;
    case FIELD_AMOUNT:
        text = FormatAmount(*field, bytes, decimals);
        return TRUE;
    case FIELD_S64:
        text = FormatInt64(*field, bytes);
        return TRUE;
    default:
        text = L"?";
        return FALSE;
    }
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

// A number's text as the C runtime's readers take it. Numbers are ASCII and
// short: narrowed on the stack; anything else goes through the code page.
class NumberBytes
{
public:
    explicit NumberBytes(const CString& text)
    {
        const int n = text.GetLength();
        const wchar_t* p = text.GetString();
        int i = 0;
        for (; i < n && i < static_cast<int>(sizeof m_buffer) - 1 && p[i] < 0x80; ++i)
            m_buffer[i] = static_cast<char>(p[i]);
        m_buffer[i] = 0;
        if (i < n) {
            m_other = TextToAnsi(text);
            m_text = m_other.GetString();
        }
    }
    NumberBytes(const NumberBytes&) = delete;
    NumberBytes& operator=(const NumberBytes&) = delete;
    operator const char*() const { return m_text; }

private:
    char m_buffer[64];
    CStringA m_other;
    const char* m_text = m_buffer;
};

} // namespace

CStringA FieldTextBytes(const S_ECR_FIELD& field, const CString& text)
{
    CStringA stored = TextToRegister(text, (field.Flags & FIELD_PLAIN_TEXT) != 0);
    return stored.Left(FitRegisterBytes(stored, stored.GetLength(), ClampedWidth(field)));
}

void StoreFieldTextBytes(const S_ECR_FIELD& field, const CStringA& stored, BYTE* bytes)
{
    const int width = ClampedWidth(field);
    std::memset(bytes, ' ', width);
    std::memcpy(bytes, stored.GetString(), stored.GetLength() < width ? stored.GetLength() : width);
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
    if (field->Type() == FIELD_TEXT) {
        StoreFieldTextBytes(*field, FieldTextBytes(*field, text), bytes);
        return TRUE;
    }
    NumberBytes ansi(text);
    bool bcd = (field->Flags & FIELD_BCD) != 0;
    switch (field->Type()) {
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
