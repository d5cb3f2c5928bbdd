#pragma once

#include <windows.h>

// Window numbers: one number names a screen, a caption section and a data
// group of the model library at the same time.
enum ECR_WNDNO : int
{
    WNDNO_COMMON = 0,
    WNDNO_MAIN = 1,
    WNDNO_COM = 2,
    WNDNO_CNV = 3,
    WNDNO_CARD = 4,
    WNDNO_SELECT = 16,
    WNDNO_DEPT = 17,
    WNDNO_PLU = 18,
    WNDNO_CLERK = 19,
    WNDNO_S_MODE = 20,
    WNDNO_PROG_MODE = 21,
    WNDNO_LOGO = 22,
    WNDNO_KEYBOARD = 23,
    WNDNO_REPORT_VIEWER = 24,
    WNDNO_RESERVED = 25,
    WNDNO_LOGO_VIEW = 0x10016,
    WNDNO_LOGO_CNV = 0x20016,
    WNDNO_DATA_ITEMS = 0x10000000,
};

// Or'ed into every screen request to the model library.
constexpr int WNDNO_FLAG_REQUEST = 0x01000000;

// Thread messages to the application (see PostEcrMessage).
constexpr UINT WM_ECR_SHOW_WINDOW = WM_USER + 1;       // window number, list position
constexpr UINT WM_ECR_EXIT_REQUEST = WM_USER + 2;
constexpr UINT WM_ECR_FOLDER_CHANGED = WM_USER + 4;    // DataPath text
constexpr UINT WM_ECR_LANGUAGE_CHANGED = WM_USER + 5;  // Language text
constexpr UINT WM_ECR_MODEL_CHANGED = WM_USER + 6;     // ModelDllPath text
constexpr UINT WM_ECR_DATA_RELOAD = WM_USER + 7;       // 0: window number, 1: group index

// Window messages to one dialog.
constexpr UINT WM_ECR_REFRESH_CAPTIONS = WM_USER + 8;
constexpr UINT WM_ECR_LOGO_CNV_DONE = WM_USER + 9;
constexpr UINT WM_ECR_EDIT_CAPTION = WM_USER + 10;
constexpr UINT WM_ECR_OPEN_CARD = WM_USER + 11;
constexpr UINT WM_ECR_EDIT_COLUMN_CAPTION = WM_USER + 12;

// Posts one of the application's messages. It goes to the application's
// message-only window, so it also gets through modal loops the system runs
// (message boxes, menus, common dialogs), where a thread message would be lost.
BOOL PostEcrMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
