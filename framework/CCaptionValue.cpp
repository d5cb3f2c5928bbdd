#include "CCaptionValue.h"

#include <climits>
#include <cstring>

namespace {

// A whole decimal number with an optional sign, within int.
bool ParseDecimal(const CString& token, long& out)
{
    const wchar_t* p = token.GetString();
    bool negative = false;
    if (*p == L'+' || *p == L'-')
        negative = *p++ == L'-';
    if (*p == 0)
        return false;
    long long value = 0;
    for (; *p; ++p) {
        if (*p < L'0' || *p > L'9')
            return false;
        value = value * 10 + (*p - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return false;
    out = static_cast<long>(value);
    return true;
}

// Text of a field: empty as one blank (an empty field would be lost between
// two separators), the separator itself left out.
CString FieldText(const CString& text)
{
    CString s(text);
    s.Remove(CCaptionValue::Separator);
    if (s.IsEmpty())
        s = L" ";
    return s;
}

}  // namespace

CCaptionValue::CCaptionValue()
{
    std::memset(&Font, 0, sizeof Font);
}

bool CCaptionValue::HasFont() const
{
    static const LOGFONTW none = {};
    return std::memcmp(&Font, &none, offsetof(LOGFONTW, lfFaceName)) != 0 || Font.lfFaceName[0] != 0;
}

CCaptionValue CCaptionValue::FromRecord(const S_ECR_CAP& cap)
{
    CCaptionValue v;
    HGDIOBJ font = cap.Font.GetSafeHandle();
    if (font && (::GetObjectType(font) != OBJ_FONT || cap.Font.GetLogFont(&v.Font) == 0))
        std::memset(&v.Font, 0, sizeof v.Font);  // a handle that is no font
    v.Font.lfFaceName[LF_FACESIZE - 1] = 0;
    v.Text = cap.Text;
    v.TipOn = cap.TipOn;
    v.TipText = cap.TipText;
    return v;
}

void CCaptionValue::ToRecord(S_ECR_CAP& cap) const
{
    if (HasFont()) {
        LOGFONTW lf = Font;
        lf.lfFaceName[LF_FACESIZE - 1] = 0;
        cap.Font.CreateFontIndirect(&lf);
    }
    cap.Text = Text;
    cap.TipOn = TipOn;
    cap.TipText = TipText;
}

CString CCaptionValue::Format() const
{
    wchar_t face[LF_FACESIZE];
    std::memcpy(face, Font.lfFaceName, sizeof face);
    face[LF_FACESIZE - 1] = 0;
    const wchar_t sep[2] = {Separator, 0};
    CString value;
    value.Format(L"%ld%s%ld%s%ld%s%ld%s%ld%s%d%s%d%s%d%s%d%s%d%s%d%s%d%s%d%s%s%s%s%s%d%s%s",
                 Font.lfHeight, sep, Font.lfWidth, sep, Font.lfEscapement, sep, Font.lfOrientation, sep,
                 Font.lfWeight, sep, Font.lfItalic, sep, Font.lfUnderline, sep, Font.lfStrikeOut, sep,
                 Font.lfCharSet, sep, Font.lfOutPrecision, sep, Font.lfClipPrecision, sep, Font.lfQuality, sep,
                 Font.lfPitchAndFamily, sep, FieldText(face).GetString(), sep, FieldText(Text).GetString(), sep,
                 TipOn, sep, FieldText(TipText).GetString());
    return EscapeLineBreaks(value);
}

BOOL CCaptionValue::Parse(const CString& raw)
{
    const CString value = UnescapeLineBreaks(raw);
    const wchar_t sep[2] = {Separator, 0};

    CString tokens[17];
    int count = 0;
    int pos = 0;
    while (count < 17) {
        CString token = value.Tokenize(sep, pos);
        if (pos < 0)
            break;
        tokens[count++] = token;
    }
    if (count < 14)
        return FALSE;

    // A font number that is no number (or does not fit its field) gives 0:
    // a hand-edited caption keeps its text.
    long numbers[13];
    for (int i = 0; i < 13; ++i) {
        if (!ParseDecimal(tokens[i], numbers[i]) || (i >= 5 && (numbers[i] < 0 || numbers[i] > 255)))
            numbers[i] = 0;
    }
    long tipOn = 0;
    if (count >= 16 && !ParseDecimal(tokens[15], tipOn))
        return FALSE;

    CCaptionValue v;
    v.Font.lfHeight = numbers[0];
    v.Font.lfWidth = numbers[1];
    v.Font.lfEscapement = numbers[2];
    v.Font.lfOrientation = numbers[3];
    v.Font.lfWeight = numbers[4];
    v.Font.lfItalic = static_cast<BYTE>(numbers[5]);
    v.Font.lfUnderline = static_cast<BYTE>(numbers[6]);
    v.Font.lfStrikeOut = static_cast<BYTE>(numbers[7]);
    v.Font.lfCharSet = static_cast<BYTE>(numbers[8]);
    v.Font.lfOutPrecision = static_cast<BYTE>(numbers[9]);
    v.Font.lfClipPrecision = static_cast<BYTE>(numbers[10]);
    v.Font.lfQuality = static_cast<BYTE>(numbers[11]);
    v.Font.lfPitchAndFamily = static_cast<BYTE>(numbers[12]);
    if (tokens[13] != L" ") {
        // A face name holds no line break; one would come back longer and
        // be cut differently on every write.
        CString face = tokens[13];
        face.Remove(L'\r');
        face.Remove(L'\n');
        lstrcpynW(v.Font.lfFaceName, face, LF_FACESIZE);
    }
    if (count >= 15)
        v.Text = tokens[14];
    v.TipOn = static_cast<int>(tipOn);
    if (count >= 17)
        v.TipText = tokens[16];
    *this = v;
    return TRUE;
}

CString CCaptionValue::EscapeLineBreaks(const CString& text)
{
    CString out;
    const int n = text.GetLength();
    const wchar_t* p = text.GetString();
    for (int i = 0; i < n; ++i) {
        if (p[i] == L'\r' || p[i] == L'\n') {
            if (p[i] == L'\r' && i + 1 < n && p[i + 1] == L'\n')
                ++i;
            out += L"\\n";
        } else if (p[i] == L'\\') {
            out += L"\\\\";  // so that "C:\new" does not read back as a line break
        } else {
            out += p[i];
        }
    }
    return out;
}

CString CCaptionValue::UnescapeLineBreaks(const CString& value)
{
    // A backslash before anything but "n" or a backslash is an ordinary
    // character, as files written before backslashes were doubled hold them.
    CString out;
    const int n = value.GetLength();
    const wchar_t* p = value.GetString();
    for (int i = 0; i < n; ++i) {
        if (p[i] == L'\\' && i + 1 < n && p[i + 1] == L'n') {
            out += L"\r\n";
            ++i;
        } else if (p[i] == L'\\' && i + 1 < n && p[i + 1] == L'\\') {
            out += L'\\';
            ++i;
        } else {
            out += p[i];
        }
    }
    return out;
}
