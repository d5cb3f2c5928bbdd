#include "TillwireCodeMeaning.h"

#include "CaptionText.h"
#include "EcrWndNo.h"
#include "TillwireCodes.h"

namespace {

struct CodeText
{
    TillwireExitCode code;
    int caption;  // of the send/receive dialog's section
    const wchar_t* text;
};

constexpr CodeText kMeanings[] = {
    {TW_BAD_COMMAND_LINE, 51, L"it could not read its command line"},
    {TW_UNKNOWN_ID, 52, L"the register has no such data group or report"},
    {TW_INPUT_MISSING, 53, L"the file to send or receive is missing or cannot be read"},
    {TW_WRITE_FAILED, 54, L"the file could not be written; nothing was changed"},
    {TW_OFFLINE, 55, L"the register does not answer"},
    {TW_NO_SUCH_PORT, 56, L"the chosen port does not exist"},
    {TW_CANCELLED, 57, L"the transfer was cancelled"},
    {TW_BAD_SETTING, 58, L"a setting in Tillwire.ini cannot be read; nothing was moved"},
};

} // namespace

CString TillwireCodeMeaning(DWORD code)
{
    for (const CodeText& meaning : kMeanings)
        if (meaning.code == code)
            return CaptionText(WNDNO_COM, meaning.caption, meaning.text);
    return CString();
}
