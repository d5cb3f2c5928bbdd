#pragma once

#include "afx.h"

// The application object: starts the program and owns the current screen.
class CEcrTilldeskApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    CDialog* CurrentWnd = nullptr;
};
