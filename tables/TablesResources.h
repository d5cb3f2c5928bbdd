#pragma once

// Value-input dialog.
#define IDD_INPUT_VALUE 511
#define IDC_INPUT_VALUE 3056
// The record card.
#define IDD_CARD 112
#define IDC_CARD_NEXT 4
#define IDC_CARD_PREVIOUS 5
#define IDC_CARD_TAB 1118
#define IDC_CARD_EDIT 1170       // + row, 10 rows
#define IDC_CARD_CAPTION 1180    // + row
#define IDC_CARD_RECORD 1190
#define IDC_CARD_LIST 1191       // + row
#define IDC_CARD_OPTION1 1201    // + row
#define IDC_CARD_OPTION2 1211    // + row
#define IDC_CARD_OPTION3 1221    // + row
#define IDC_CARD_DATANO 1231
#define IDC_CARD_GROUP 1232      // + row
#define IDC_CARD_COMBO 1263      // + row
#define IDC_CARD_STATUS 1273
