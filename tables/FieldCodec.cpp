#include "FieldCodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

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

// A number's text as the codec reads it: leading blanks, an optional sign,
// digits of the base and, where a point is read, a point and decimal digits.
// Reading stops at the first other character.
struct NumberText
{
    bool negative = false;
    uint64_t integer = 0;         // the digits before the point in the base, saturated
    uint64_t spelled = 0;         // the same digits read as a decimal number (BCD), saturated
    bool letters = false;         // hexadecimal letters among them
    uint64_t tenThousandths = 0;  // the first four decimals
    bool roundUp = false;         // the fifth decimal is 5 or more
    int decimals = 0;             // decimals up to the last one that is not 0
    bool whole = false;           // a digit, and nothing after the number
};

uint64_t Accumulate(uint64_t value, unsigned base, unsigned digit)
{
    return value > (UINT64_MAX - digit) / base ? UINT64_MAX : value * base + digit;
}

int DigitValue(wchar_t c, unsigned base)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (base == 16 && c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (base == 16 && c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

NumberText ScanNumber(const CString& text, unsigned base, bool point)
{
    NumberText n;
    const wchar_t* p = text.GetString();
    const wchar_t* const end = p + text.GetLength();
    while (p < end && (*p == L' ' || (*p >= L'\t' && *p <= L'\r')))
        ++p;
    if (p < end && (*p == L'-' || *p == L'+'))
        n.negative = *p++ == L'-';
    bool digits = false;
    for (int d; p < end && (d = DigitValue(*p, base)) >= 0; ++p) {
        n.integer = Accumulate(n.integer, base, static_cast<unsigned>(d));
        n.spelled = Accumulate(n.spelled, 10, static_cast<unsigned>(d));
        n.letters = n.letters || d > 9;
        digits = true;
    }
    if (point && p < end && *p == L'.') {
        int place = 0;
        for (++p; p < end && *p >= L'0' && *p <= L'9'; ++p, ++place) {
            const unsigned d = static_cast<unsigned>(*p - L'0');
            if (place < 4)
                n.tenThousandths = n.tenThousandths * 10 + d;
            else if (place == 4)
                n.roundUp = d >= 5;
            if (d)
                n.decimals = place + 1;
            digits = true;
        }
        for (; place < 4; ++place)
            n.tenThousandths *= 10;
    }
    n.whole = digits && p == end;
    return n;
}

// An amount's magnitude in ten-thousandths, rounded on the fifth decimal; saturated.
uint64_t TenThousandths(const NumberText& n)
{
    if (n.integer > (UINT64_MAX - 10000) / 10000)
        return UINT64_MAX;
    return n.integer * 10000 + n.tenThousandths + (n.roundUp ? 1 : 0);
}

uint64_t AmountMagnitudeMax(const S_ECR_FIELD& field)
{
    return (field.Flags & FIELD_BCD) ? kAmountBcdMagnitudeMax : kAmountMagnitudeMax;
}

// The magnitudes a number type holds, positive and negative; BCD types by
// the decimal number their digits spell. False for text and unknown types.
bool IntegerLimits(const S_ECR_FIELD& field, uint64_t& positive, uint64_t& negative)
{
    const bool bcd = (field.Flags & FIELD_BCD) != 0;
    negative = 0;
    switch (field.Type()) {
    case FIELD_U8:
        positive = bcd ? 99 : 255;
        return true;
    case FIELD_S8:
        positive = bcd ? 99 : 127;
        negative = bcd ? 0 : 128;
        return true;
    case FIELD_U16:
        positive = bcd ? 9999 : 65535;
        return true;
    case FIELD_S16:
        positive = bcd ? 9999 : 32767;
        negative = bcd ? 0 : 32768;
        return true;
    case FIELD_U32:  // shown signed, read unsigned
        positive = bcd ? 99999999 : UINT32_MAX;
        negative = bcd ? 0 : uint64_t(1) << 31;
        return true;
    case FIELD_S32:
        positive = bcd ? 99999999 : INT32_MAX;
        negative = bcd ? 0 : uint64_t(1) << 31;
        return true;
    case FIELD_S64:  // sign and magnitude; BCD digits below the sign bit
        positive = negative = bcd ? 7999999999999999 : ~kSign64;
        return true;
    default:
        return false;
    }
}

// A 32-bit reading as the C runtime's strtol (signed) or strtoul (unsigned,
// and BCD) gives it: beyond the range the nearest limit, and an unsigned
// reading negates modulo 2^32, so that "-1" and "FFFFFF99" keep their bits.
uint32_t Int32Of(const NumberText& n, bool unsignedRead)
{
    if (unsignedRead) {
        if (n.integer > UINT32_MAX)
            return UINT32_MAX;
        const uint32_t value = static_cast<uint32_t>(n.integer);
        return n.negative ? 0u - value : value;
    }
    if (!n.negative)
        return n.integer > INT32_MAX ? uint32_t(INT32_MAX) : static_cast<uint32_t>(n.integer);
    return n.integer > (uint64_t(1) << 31) ? uint32_t(1) << 31 : 0u - static_cast<uint32_t>(n.integer);
}

void ParseAmount(const S_ECR_FIELD& field, const NumberText& n, BYTE* bytes)
{
    uint64_t magnitude = TenThousandths(n);
    if (magnitude > AmountMagnitudeMax(field))
        magnitude = AmountMagnitudeMax(field);
    if (field.Flags & FIELD_BCD)
        magnitude = PackDigits(magnitude);
    const bool negative = n.negative && magnitude != 0;
    Store<uint32_t>(bytes, static_cast<uint32_t>(magnitude));
    Store<uint16_t>(bytes + 4, static_cast<uint16_t>(((magnitude >> 32) & 0x7FFF) | (negative ? 0x8000 : 0)));
}

void ParseInt64(const NumberText& n, BYTE* bytes)
{
    // Sign and magnitude: -2^63 and below keep the largest magnitude, not
    // the sign bit alone (which reads as 0).
    const uint64_t magnitude = n.integer > ~kSign64 ? ~kSign64 : n.integer;
    Store<uint64_t>(bytes, magnitude | (n.negative && magnitude != 0 ? kSign64 : 0));
}

} // namespace

CStringA FieldTextBytes(const S_ECR_FIELD& field, const CString& text)
{
    CStringA stored = TextToRegister(text, (field.Flags & FIELD_PLAIN_TEXT) != 0);
    return stored.Left(FitRegisterBytes(stored, stored.GetLength(), ClampedWidth(field)));
}

bool FieldTextFits(const S_ECR_FIELD& field, const CString& text)
{
    return field.Type() != FIELD_TEXT ||
           TextToRegister(text, (field.Flags & FIELD_PLAIN_TEXT) != 0).GetLength() <= ClampedWidth(field);
}

void StoreFieldTextBytes(const S_ECR_FIELD& field, const CStringA& stored, BYTE* bytes)
{
    const int width = ClampedWidth(field);
    std::memset(bytes, ' ', width);
    std::memcpy(bytes, stored.GetString(), stored.GetLength() < width ? stored.GetLength() : width);
}

BOOL FormatField(const S_ECR_FIELD* field, const BYTE* bytes, CString& text)
{
    return Format(field, bytes, text, kShownDecimals);
}

BOOL FormatFieldExact(const S_ECR_FIELD* field, const BYTE* bytes, CString& text)
{
    return Format(field, bytes, text, kExactDecimals);
}

BOOL ParseField(const S_ECR_FIELD* field, const CString& text, BYTE* bytes)
{
    if (!field || !bytes)
        return FALSE;
    const bool bcd = (field->Flags & FIELD_BCD) != 0;
    const unsigned base = bcd ? 16 : 10;
    switch (field->Type()) {
    case FIELD_TEXT:
        StoreFieldTextBytes(*field, FieldTextBytes(*field, text), bytes);
        return TRUE;
    case FIELD_U8:
    case FIELD_S8:
        Store<uint8_t>(bytes, static_cast<uint8_t>(Int32Of(ScanNumber(text, base, false), bcd)));
        return TRUE;
    case FIELD_U16:
    case FIELD_S16:
        Store<uint16_t>(bytes, static_cast<uint16_t>(Int32Of(ScanNumber(text, base, false), bcd)));
        return TRUE;
    case FIELD_S32:
        Store<uint32_t>(bytes, Int32Of(ScanNumber(text, base, false), bcd));
        return TRUE;
    case FIELD_U32:
        Store<uint32_t>(bytes, Int32Of(ScanNumber(text, base, false), true));
        return TRUE;
    case FIELD_AMOUNT:
        ParseAmount(*field, ScanNumber(text, 10, true), bytes);
        return TRUE;
    case FIELD_S64:
        ParseInt64(ScanNumber(text, base, false), bytes);
        return TRUE;
    default:
        return FALSE;
    }
}

NumberReading ReadFieldNumberAs(const S_ECR_FIELD& field, const CString& text, int decimals, double& value)
{
    value = 0;
    const DWORD type = field.Type();
    const bool bcd = (field.Flags & FIELD_BCD) != 0;
    uint64_t positive = 0, negative = 0;
    if (type == FIELD_AMOUNT) {
        const NumberText n = ScanNumber(text, 10, true);
        if (!n.whole)
            return NumberReading::NotANumber;
        const uint64_t magnitude = TenThousandths(n);
        value = static_cast<double>(magnitude) / 10000.0 * (n.negative ? -1 : 1);
        if (magnitude > AmountMagnitudeMax(field))
            return NumberReading::BeyondType;
        if (n.decimals > decimals) {
            // The number as typed, not as the store would round it.
            value = std::wcstod(text.GetString(), nullptr);
            return NumberReading::TooManyDecimals;
        }
        return NumberReading::Exact;
    }
    if (!IntegerLimits(field, positive, negative)) {
        // No bounds: the number itself is all there is to read.
        if (!ScanNumber(text, 10, true).whole)
            return NumberReading::NotANumber;
        value = std::wcstod(text.GetString(), nullptr);
        return NumberReading::Exact;
    }
    // Packed digits are decimal digits: letters are no number of the field.
    const NumberText n = ScanNumber(text, bcd ? 16 : 10, false);
    if (!n.whole || n.letters) {
        // A decimal number (a point, decimal digits) is a number all the
        // same, one that a whole-number field cannot keep.
        if (!ScanNumber(text, 10, true).whole)
            return NumberReading::NotANumber;
        value = std::wcstod(text.GetString(), nullptr);
        return value > static_cast<double>(positive) || -value > static_cast<double>(negative)
                   ? NumberReading::BeyondType
                   : NumberReading::TooManyDecimals;
    }
    const uint64_t magnitude = bcd ? n.spelled : n.integer;
    value = static_cast<double>(magnitude) * (n.negative ? -1 : 1);
    return magnitude <= (n.negative ? negative : positive) ? NumberReading::Exact : NumberReading::BeyondType;
}

BOOL ReadFieldNumber(const S_ECR_FIELD& field, const CString& text, int decimals, double& value)
{
    return ReadFieldNumberAs(field, text, decimals, value) == NumberReading::Exact;
}

BOOL FieldTypeBounds(const S_ECR_FIELD& field, double& minimum, double& maximum)
{
    if (field.Type() == FIELD_AMOUNT) {
        maximum = static_cast<double>(AmountMagnitudeMax(field)) / 10000.0;
        minimum = -maximum;
        return TRUE;
    }
    uint64_t positive = 0, negative = 0;
    if (!IntegerLimits(field, positive, negative))
        return FALSE;
    minimum = negative ? -static_cast<double>(negative) : 0.0;  // no "-0" in a message
    maximum = static_cast<double>(positive);
    return TRUE;
}
