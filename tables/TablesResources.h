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
// The record list screen (windows 17 to 21 and 24).
#define IDD_FLEXLIST_DIALOG 105
#define IDC_FLEX_UPDATE 1013
#define IDC_FLEX_BACK 1016
#define IDC_FLEX_SORT 1019
#define IDC_FLEX_IMPORT 1020
#define IDC_FLEX_EXPORT 1021
#define IDC_FLEX_TABLES 1039
#define IDC_FLEX_GRID 1114
#define IDC_FLEX_LEVELS 1242
#define IDC_FLEX_MENU 1244
#define IDC_FLEX_NAME 1245
#define IDC_FLEX_RADIO_FIRST 1249   // + picture, 6 pictures
#define IDC_FLEX_PICTURE_FIRST 1255 // + picture
#define IDC_FLEX_PICTURE_GROUP 1261
