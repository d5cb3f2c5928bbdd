// The hourglass for the length of a scope, the previous cursor afterwards.
#pragma once

#include <windows.h>

class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again, after a message box, for instance.
    void Restore();

private:
    HCURSOR m_previous;
};
