// The animation control: plays a silent AVI clip.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "window.h"

class CAnimateCtrl : public CWnd
{
public:
    // Opens a clip file; FALSE when it cannot be read (the control stays blank).
    BOOL Open(LPCWSTR fileName) { return static_cast<BOOL>(SendMessage(ACM_OPENW, 0, reinterpret_cast<LPARAM>(fileName))); }
    // Closes the clip.
    BOOL Close() { return static_cast<BOOL>(SendMessage(ACM_OPENW, 0, 0)); }
    // Plays frames from to to (0xFFFF: the last), repeat times (-1: without end).
    BOOL Play(UINT from, UINT to, UINT repeat)
    {
        return static_cast<BOOL>(SendMessage(ACM_PLAY, repeat, MAKELPARAM(from, to)));
    }
    BOOL Stop() { return static_cast<BOOL>(SendMessage(ACM_STOP)); }
    BOOL Seek(UINT frame) { return Play(frame, frame, 1); }
    BOOL IsPlaying() const { return static_cast<BOOL>(SendMessage(ACM_ISPLAYING)); }
};
