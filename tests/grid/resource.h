#pragma once

#define IDD_GRID_TEST 2000
#define IDC_GRID 2001
