#include "RegisterText.h"

#include "CCaptionManagerBase.h"
#include "EcrGlobals.h"
#include "TextDecoding.h"

namespace {

CCaptionManagerBase* CaptionManager()
{
    return g_ppCaptionMgr ? *g_ppCaptionMgr : nullptr;
}

} // namespace

UINT ThreadCodePage()
{
    // Every field shown or stored asks: look the locale up only when it changed.
    thread_local LCID known = 0;
    thread_local UINT knownCp = 0;
    const LCID locale = ::GetThreadLocale();
    if (locale == known && knownCp)
        return knownCp;
    wchar_t number[8] = {};
    UINT cp = ::GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE, number, 8) ? static_cast<UINT>(_wtoi(number)) : 0;
    known = locale;
    knownCp = cp ? cp : ::GetACP();
    return knownCp;
}

namespace {

// Every ANSI code page holds ASCII as it is, so ASCII text (all numbers,
// most names) needs no conversion call.
template <typename From, typename To>
bool CopyAscii(const From* from, int length, To& to)
{
    for (int i = 0; i < length; ++i)
        if (static_cast<unsigned>(from[i]) >= 0x80)
            return false;
    auto* out = to.GetBufferSetLength(length);
    for (int i = 0; i < length; ++i)
        out[i] = static_cast<typename To::XCHAR>(from[i]);
    return true;
}

} // namespace

CStringA TextToAnsi(const CString& text)
{
    CStringA bytes;
    if (text.IsEmpty() || CopyAscii(text.GetString(), text.GetLength(), bytes))
        return bytes;
    UINT cp = ThreadCodePage();
    int n = ::WideCharToMultiByte(cp, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return bytes;
    ::WideCharToMultiByte(cp, 0, text, text.GetLength(), bytes.GetBufferSetLength(n), n, nullptr, nullptr);
    return bytes;
}

CString AnsiToText(const char* bytes, int length)
{
    CString text;
    if (length <= 0 || CopyAscii(reinterpret_cast<const unsigned char*>(bytes), length, text))
        return text;
    const std::wstring decoded = DecodeAnsi(ThreadCodePage(), bytes, static_cast<size_t>(length));
    return CString(decoded.data(), static_cast<int>(decoded.size()));
}

CString RegisterToText(const char* bytes, int length, bool plain)
{
    CCaptionManagerBase* captions = CaptionManager();
    if (plain || !captions)
        return AnsiToText(bytes, length);
    CString text;
    captions->EcrToUnicode(CStringA(bytes, length), text);
    return text;
}

CStringA TextToRegister(const CString& text, bool plain)
{
    CCaptionManagerBase* captions = CaptionManager();
    if (plain || !captions)
        return TextToAnsi(text);
    CStringA bytes;
    captions->UnicodeToEcr(text, bytes);
    return bytes;
}

int FitRegisterBytes(const char* bytes, int length, int width)
{
    UINT cp = ThreadCodePage();
    int fit = 0;
    while (fit < length) {
        int size = ::IsDBCSLeadByteEx(cp, static_cast<BYTE>(bytes[fit])) && fit + 1 < length ? 2 : 1;
        if (fit + size > width)
            break;
        fit += size;
    }
    return fit;
}

namespace {

bool IsCodePageChar(UINT cp, const char* bytes, int length)
{
    return ::MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, bytes, length, nullptr, 0) > 0;
}

} // namespace

bool IsRegisterText(const char* bytes, int length)
{
    const UINT cp = ThreadCodePage();
    for (int i = 0; i < length;) {
        if (static_cast<BYTE>(bytes[i]) < 0x80) {
            ++i;
        } else if (i + 1 < length && ::IsDBCSLeadByteEx(cp, static_cast<BYTE>(bytes[i])) && IsCodePageChar(cp, bytes + i, 2)) {
            i += 2;
        } else if (IsCodePageChar(cp, bytes + i, 1) || TextToRegister(RegisterToText(bytes + i, 1, false), false) == CStringA(bytes + i, 1)) {
            ++i;
        } else {
            return false;
        }
    }
    return true;
}
