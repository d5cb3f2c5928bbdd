#pragma once

#define IDD_TILLWIRE_DIALOG 106
#define IDD_ECRCNV_DIALOG 108

// Send/receive dialog (template 106).
#define IDC_PORT_LIST 1028
#define IDC_CHECK_ALL 1040
#define IDC_UNCHECK_ALL 1041
#define IDC_TRANSFER_DETAIL 1042
#define IDC_TRANSFER_ANIMATION 1043
#define IDC_TRANSFER_LOG 1045
#define IDC_START_TRANSFER 1052
#define IDC_TRANSFER_COUNT 1059
#define IDC_SETTING_ROW_FIRST 1068   // setting rows 0 to 11
#define IDC_SETTING_ROW_LAST 1079
#define IDC_REPORT_ROW_FIRST 1080    // report rows 0 to 23
#define IDC_REPORT_FROM_FIRST 1119   // from edits of report rows 0 to 23
#define IDC_REPORT_TO_FIRST 1143     // to edits of report rows 0 to 23
#define IDC_SETTING_GROUP 1167
#define IDC_REPORT_GROUP 1168

// Report conversion dialog (template 108); Check All, UnCheck All and the
// log keep the ids they have in the send/receive dialog.
#define IDC_CNV_CHECK_ALL IDC_CHECK_ALL
#define IDC_CNV_UNCHECK_ALL IDC_UNCHECK_ALL
#define IDC_CNV_LOG IDC_TRANSFER_LOG
#define IDC_CNV_CONVERT 1046
#define IDC_CNV_LIST 1047
#define IDC_CNV_NOTE 1169
