#pragma once

// Screen templates.
#define IDD_ECRTILLDESK_DIALOG 102
#define IDD_SELECT_DIALOG 103
#define IDD_FLEXLIST_DIALOG 105
#define IDD_LOGO_DIALOG 107
#define IDD_KEYBOARD_DIALOG 502

// Navigation buttons of the screens not built yet.
#define IDC_GOTO_FIRST 2001
#define IDC_GOTO_LAST 2010
