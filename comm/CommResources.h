#pragma once

#define IDD_TILLWIRE_DIALOG 106
#define IDD_ECRCNV_DIALOG 108
