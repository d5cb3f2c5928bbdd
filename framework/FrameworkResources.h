#pragma once

// Resources every screen shares.
#define IDR_MAINFRAME 128        // program icon
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 508         // system-menu text of the about box
#define IDM_ABOUTBOX 0x0010      // its system command
#define IDC_ABOUT_PRODUCT 3047
#define IDC_ABOUT_VERSION 3049

// The caption editor.
#define IDD_CAPTION_EDITER 500
#define IDC_CAPEDIT_UPDATE 3016
#define IDC_CAPEDIT_WNDNO_LABEL 3017
#define IDC_CAPEDIT_CAPNO_LABEL 3018
#define IDC_CAPEDIT_CAPNO 3019
#define IDC_CAPEDIT_WNDNO 3020
#define IDC_CAPEDIT_WNDCOMMENT 3021
#define IDC_CAPEDIT_TEXT_LABEL 3022
#define IDC_CAPEDIT_TEXT 3023
#define IDC_CAPEDIT_FONT 3024
#define IDC_CAPEDIT_TIPON 3025
#define IDC_CAPEDIT_TIPTEXT 3026
#define IDC_CAPEDIT_PREVIEW 3027
