#include "TextDecoding.h"

std::wstring DecodeCodePage(UINT codePage, const BYTE* bytes, size_t size)
{
    std::wstring text;
    if (size == 0 || size > 0x7FFFFFFF)
        return text;
    const char* chars = reinterpret_cast<const char*>(bytes);
    int n = ::MultiByteToWideChar(codePage, 0, chars, static_cast<int>(size), nullptr, 0);
    if (n > 0) {
        text.resize(static_cast<size_t>(n));
        ::MultiByteToWideChar(codePage, 0, chars, static_cast<int>(size), text.data(), n);
    }
    return text;
}

namespace {

// Whether the byte follows a lead byte in some character of the code page.
// A lead byte and such a byte are one unit even where the code page assigns
// that pair no character, as the system reads them.
bool IsTrailByte(UINT codePage, BYTE trail)
{
    char pair[2] = {0, static_cast<char>(trail)};
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        pair[0] = static_cast<char>(lead);
        if (::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(lead))
            && ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, pair, 2, nullptr, 0) > 0)
            return true;
    }
    return false;
}

// The bytes of the UTF-8 sequence that starts with a byte above 0x7F: its
// length when whole and valid (`valid` set), else the length of its broken
// start, at least one byte, which stands for no character.
size_t Utf8Unit(const BYTE* bytes, size_t size, bool& valid)
{
    const BYTE lead = bytes[0];
    valid = false;
    if (lead < 0xC2 || lead > 0xF4)
        return 1;
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    // The second byte's range leaves out overlong forms, surrogates and
    // code points beyond U+10FFFF.
    const BYTE low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const BYTE high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    size_t i = 1;
    for (; i < length && i < size; ++i) {
        const BYTE b = bytes[i];
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF))
            return i;
    }
    valid = i == length;
    return i;
}

} // namespace

size_t AppendAnsiCharacter(UINT codePage, const char* bytes, size_t size, std::wstring& text)
{
    const BYTE first = static_cast<BYTE>(bytes[0]);
    if (first < 0x80) {
        text += static_cast<wchar_t>(first);
        return 1;
    }
    wchar_t units[4];
    int got = 0;
    size_t length = 1;
    if (codePage == CP_UTF8) {
        bool valid = false;
        length = Utf8Unit(reinterpret_cast<const BYTE*>(bytes), size, valid);
        if (valid)
            got = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(length), units, 4);
    } else if (::IsDBCSLeadByteEx(codePage, first)) {
        // Before a byte that follows no lead byte (a quote, a line end) the
        // lead byte stands alone, so that byte is not lost with it.
        if (size > 1) {
            got = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, 2, units, 4);
            if (got > 0 || IsTrailByte(codePage, static_cast<BYTE>(bytes[1])))
                length = 2;
        }
    } else {
        // A single byte the strict conversion refuses may still be a
        // character the register uses (A0, FD to FF in code page 932).
        got = ::MultiByteToWideChar(codePage, 0, bytes, 1, units, 4);
    }
    if (got > 0)
        text.append(units, static_cast<size_t>(got));
    else
        text += kReplacementMark;
    return length;
}

std::wstring DecodeAnsi(UINT codePage, const char* bytes, size_t size)
{
    std::wstring text;
    if (size == 0 || size > 0x7FFFFFFF)
        return text;
    // Whole text, nearly always: one conversion.
    const int whole = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), nullptr, 0);
    if (whole > 0) {
        text.resize(static_cast<size_t>(whole));
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), text.data(), whole);
        return text;
    }
    // CP_ACP and its kin by number, so that a system code page of UTF-8 is
    // read as UTF-8.
    CPINFOEXW info = {};
    if (::GetCPInfoExW(codePage, 0, &info))
        codePage = info.CodePage;
    text.reserve(size);
    for (size_t i = 0; i < size;)
        i += AppendAnsiCharacter(codePage, bytes + i, size - i, text);
    return text;
}

namespace {

std::wstring FromUtf16(const BYTE* bytes, size_t size, bool bigEndian)
{
    std::wstring text(size / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        BYTE a = bytes[2 * i], b = bytes[2 * i + 1];
        text[i] = static_cast<wchar_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return text;
}

// ASCII text in UTF-16LE: most odd bytes are zero, even bytes are not.
bool LooksUtf16LE(const BYTE* bytes, size_t size)
{
    if (size < 2 || size % 2)
        return false;
    size_t zeroOdd = 0, zeroEven = 0;
    for (size_t i = 0; i + 1 < size; i += 2) {
        zeroEven += bytes[i] == 0;
        zeroOdd += bytes[i + 1] == 0;
    }
    size_t units = size / 2;
    return zeroOdd * 2 > units && zeroEven * 8 < units;
}

} // namespace

bool IsUtf8WithHighBytes(const BYTE* bytes, size_t size)
{
    bool high = false;
    for (size_t i = 0; i < size && !high; ++i)
        high = bytes[i] >= 0x80;
    return high && size <= 0x7FFFFFFF
           && ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                    static_cast<int>(size), nullptr, 0) > 0;
}

namespace {

// Hands each line of the units to `take`, without its end (CR LF, LF or CR
// alone); a last line without an end too, when it is not empty.
template <typename Unit, typename Take>
void SplitLines(const Unit* units, size_t size, Take take)
{
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        if (units[i] != '\r' && units[i] != '\n')
            continue;
        take(units + start, i - start);
        if (units[i] == '\r' && i + 1 < size && units[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        take(units + start, size - start);
}

} // namespace

std::wstring DecodeText(const BYTE* bytes, size_t size, bool guessUtf8, TextEncoding* found)
{
    TextEncoding encoding = TextEncoding::Ansi;
    std::wstring text;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        encoding = TextEncoding::Utf16LE;
        text = FromUtf16(bytes + 2, size - 2, false);
    } else if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        encoding = TextEncoding::Utf16BE;
        text = FromUtf16(bytes + 2, size - 2, true);
    } else if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        encoding = TextEncoding::Utf8;
        text = DecodeCodePage(CP_UTF8, bytes + 3, size - 3);
    } else if (LooksUtf16LE(bytes, size)) {
        encoding = TextEncoding::Utf16LE;
        text = FromUtf16(bytes, size, false);
    } else if (guessUtf8 && IsUtf8WithHighBytes(bytes, size)) {
        encoding = TextEncoding::Utf8;
        text = DecodeCodePage(CP_UTF8, bytes, size);
    } else {
        text = DecodeCodePage(CP_ACP, bytes, size);
    }
    if (found)
        *found = encoding;
    return text;
}

std::vector<std::wstring> DecodeLines(const BYTE* bytes, size_t size, bool guessUtf8)
{
    TextEncoding encoding = TextEncoding::Ansi;
    const std::wstring text = DecodeText(bytes, size, guessUtf8, &encoding);
    std::vector<std::wstring> lines;
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE) {
        SplitLines(text.data(), text.size(), [&](const wchar_t* line, size_t n) { lines.emplace_back(line, n); });
        return lines;
    }
    const UINT codePage = encoding == TextEncoding::Utf8 ? CP_UTF8 : CP_ACP;
    const size_t mark = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    SplitLines(bytes + mark, size - mark, [&](const BYTE* line, size_t n) { lines.push_back(DecodeCodePage(codePage, line, n)); });
    return lines;
}
