#pragma once

// Resources every screen shares.
#define IDR_MAINFRAME 128        // program icon
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 508         // system-menu text of the about box
#define IDM_ABOUTBOX 0x0010      // its system command
#define IDC_ABOUT_PRODUCT 3047
#define IDC_ABOUT_VERSION 3049
