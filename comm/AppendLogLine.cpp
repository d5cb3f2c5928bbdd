#include "AppendLogLine.h"

#include "afx.h"

void AppendLogLine(HWND logEdit, const wchar_t* text)
{
    if (!logEdit)
        return;
    int length = static_cast<int>(::SendMessageW(logEdit, WM_GETTEXTLENGTH, 0, 0));
    CString log;
    if (length > 0) {
        wchar_t* buffer = log.GetBuffer(length + 1);
        int got = static_cast<int>(::SendMessageW(logEdit, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(buffer)));
        log.ReleaseBuffer(got);
    }
    log.AppendFormat(L"%s\r\n", text ? text : L"");
    ::SendMessageW(logEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(log.GetString()));
    // Down by the whole log, then up by one line: the line just written
    // stays in view.
    LPARAM lines = ::SendMessageW(logEdit, EM_GETLINECOUNT, 0, 0);
    ::SendMessageW(logEdit, EM_LINESCROLL, 0, lines);
    ::SendMessageW(logEdit, EM_LINESCROLL, 0, -1);
}
