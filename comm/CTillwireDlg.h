#pragma once

#include "CEcrDialog.h"

// Sends data groups to the register or receives them (run modally from the
// function menu). The transfer itself is not built yet: the dialog only
// tells so and closes.
class CTillwireDlg : public CEcrDialog
{
public:
    // direction: 0 receive, 1 send.
    CTillwireDlg(int direction, CWnd* parent);

    int Direction;
};
