#pragma once

#include <cstddef>

#include "afx.h"

struct S_ECR_TABLE;

// One value for the table's validator, built on the caller's stack.
struct S_ECR_CHECK
{
    S_ECR_TABLE* Table;
    int FieldIndex;
    int RecordIndex;
    const wchar_t* Text;
    double Value;       // Text read as a number, 0 when it does not start with one
    CString* Message;   // empty on entry; the refusal text
};

static_assert(offsetof(S_ECR_CHECK, FieldIndex) == ByBuild(4, 8));
static_assert(offsetof(S_ECR_CHECK, RecordIndex) == ByBuild(8, 12));
static_assert(offsetof(S_ECR_CHECK, Text) == ByBuild(12, 16));
static_assert(offsetof(S_ECR_CHECK, Value) == ByBuild(16, 24));
static_assert(offsetof(S_ECR_CHECK, Message) == ByBuild(24, 32));
static_assert(sizeof(S_ECR_CHECK) == ByBuild(32, 40), "check request shared with the model library");
