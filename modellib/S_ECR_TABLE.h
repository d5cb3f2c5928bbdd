#pragma once

#include <cstddef>
#include <windows.h>

#include "layout.h"

#include "S_ECR_FIELD.h"
#include "S_ECR_LABEL.h"

class CEcrValidator;

// A table of records. FieldCount descriptors follow the header directly, so
// a table is allocated as sizeof(S_ECR_TABLE) + FieldCount * sizeof(S_ECR_FIELD).
// The record bytes belong to the model library; the program edits them in place.
struct S_ECR_TABLE
{
    S_ECR_LABEL Label;
    int FieldCount;
    int RecordCount;
    int SortKey;       // -1: cannot be sorted; 0: the code column is searchable
    int Level;         // listed from this user level down; 98 offers CSV import, 99 picture mode
    BYTE* RecordData;  // RecordCount * RecordSize bytes, or null
    CEcrValidator* Validator;
    int RecordSize;    // 0: records can be neither read nor written

    S_ECR_FIELD* Fields() { return reinterpret_cast<S_ECR_FIELD*>(this + 1); }
    const S_ECR_FIELD* Fields() const { return reinterpret_cast<const S_ECR_FIELD*>(this + 1); }
};

static_assert(offsetof(S_ECR_TABLE, FieldCount) == 132);
static_assert(offsetof(S_ECR_TABLE, RecordCount) == 136);
static_assert(offsetof(S_ECR_TABLE, SortKey) == 140);
static_assert(offsetof(S_ECR_TABLE, Level) == 144);
static_assert(offsetof(S_ECR_TABLE, RecordData) == ByBuild(148, 152));
static_assert(offsetof(S_ECR_TABLE, Validator) == ByBuild(152, 160));
static_assert(offsetof(S_ECR_TABLE, RecordSize) == ByBuild(156, 168));
static_assert(sizeof(S_ECR_TABLE) == ByBuild(160, 176), "field descriptors start at offset 160");
static_assert(sizeof(S_ECR_TABLE) % alignof(S_ECR_FIELD) == 0);

// The one way to reach a field's bytes: null for a missing table or data,
// a record or field out of range, or a field that does not fit its record.
inline BYTE* FieldPtr(const S_ECR_TABLE* table, int record, int field)
{
    if (!table || !table->RecordData || table->RecordSize <= 0)
        return nullptr;
    if (record < 0 || record >= table->RecordCount || field < 0 || field >= table->FieldCount)
        return nullptr;
    const S_ECR_FIELD& f = table->Fields()[field];
    if (f.Offset < 0 || f.Offset > table->RecordSize - FieldByteLength(f))
        return nullptr;
    return table->RecordData + static_cast<size_t>(record) * table->RecordSize + f.Offset;
}
