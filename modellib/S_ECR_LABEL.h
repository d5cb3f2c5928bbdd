#pragma once

#include <cstddef>

// The name of a table, a field or a report: a caption number looked up in the
// data-item caption section, and the text to show when no caption exists.
struct S_ECR_LABEL
{
    int CaptionNo;
    wchar_t DefaultText[64];  // zero-terminated
};

static_assert(offsetof(S_ECR_LABEL, DefaultText) == 4);
static_assert(sizeof(S_ECR_LABEL) == 132, "label shared with the model library");
