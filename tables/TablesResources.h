#pragma once

// Value-input dialog.
#define IDD_INPUT_VALUE 511
#define IDC_INPUT_VALUE 3056
