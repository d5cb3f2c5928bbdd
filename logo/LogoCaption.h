#pragma once

#include "afx.h"

// The text of caption (wndNo, captionNo), or fallback when the caption file
// has none.
CString LogoCaption(int wndNo, int captionNo, const wchar_t* fallback);
