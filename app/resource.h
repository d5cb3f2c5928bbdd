#pragma once

#define IDD_ECRTILLDESK_DIALOG 102
