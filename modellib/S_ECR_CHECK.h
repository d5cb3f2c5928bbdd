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

static_assert(offsetof(S_ECR_CHECK, FieldIndex) == 4);
static_assert(offsetof(S_ECR_CHECK, RecordIndex) == 8);
static_assert(offsetof(S_ECR_CHECK, Text) == 12);
static_assert(offsetof(S_ECR_CHECK, Value) == 16);
static_assert(offsetof(S_ECR_CHECK, Message) == 24);
static_assert(sizeof(S_ECR_CHECK) == 32, "check request shared with the model library");
