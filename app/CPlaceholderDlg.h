#pragma once

#include "CEcrDialog.h"

// Stands for a screen that is not built yet: shows its window number and
// offers the way to every other screen, so navigation runs end to end.
class CPlaceholderDlg : public CEcrDialog
{
public:
    CPlaceholderDlg(UINT templateId, int wndNo);

protected:
    BOOL OnInitDialog() override;
    void OnGoTo(UINT id);
    DECLARE_MESSAGE_MAP()
};
