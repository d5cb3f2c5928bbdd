#pragma once

#define IDD_WIDGETS 2000
#define IDC_AREA 2001
#define IDC_LABEL 2002
#define IDC_PICTURE 2003
#define IDM_JUMP 2100
#define ID_DEPT 0x8104
#define ID_PLU_ITEM 0x8205
#define ID_DEEP_ITEM 0x8306
