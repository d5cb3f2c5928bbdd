#pragma once

#include <cstddef>

#include "afx.h"

// One caption: font, text and tooltip of a control or message, addressed by
// (window number, caption number). The model library reads and fills these
// records too, so the layout is fixed.
struct S_ECR_CAP
{
    CFont Font;       // owned; no handle when the caption has no font
    CString Text;     // may hold CR LF pairs
    int TipOn = 0;    // nonzero: the control shows TipText as its tooltip
    CString TipText;
};

static_assert(sizeof(CFont) == ByBuild(8, 16), "font object shared with the model library");
static_assert(offsetof(S_ECR_CAP, Font) == 0);
static_assert(offsetof(S_ECR_CAP, Text) == ByBuild(8, 16));
static_assert(offsetof(S_ECR_CAP, TipOn) == ByBuild(12, 24));
static_assert(offsetof(S_ECR_CAP, TipText) == ByBuild(16, 32));
static_assert(sizeof(S_ECR_CAP) == ByBuild(20, 40), "caption record shared with the model library");
