// Message pumping for UI tests.
#pragma once

#include <windows.h>

// Handles every message already queued on this thread, the way the
// program's loop would.
void PumpPending();

// Pumps until the condition holds or the time runs out; true when it held.
template <typename Condition>
bool PumpUntil(Condition done, DWORD timeoutMs = 5000)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        PumpPending();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
