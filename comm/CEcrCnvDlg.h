#pragma once

#include "CEcrDialog.h"

// Converts the register's report files (run modally from the function menu).
// The conversion itself is not built yet: the dialog only tells so and closes.
class CEcrCnvDlg : public CEcrDialog
{
public:
    explicit CEcrCnvDlg(CWnd* parent);
};
