#pragma once

#include <cstddef>
#include <windows.h>

#include "S_ECR_LABEL.h"

// Codec type in the low byte of S_ECR_FIELD::Flags.
constexpr DWORD FIELD_TEXT = 0;     // register text, space padded, Width bytes
constexpr DWORD FIELD_U8 = 1;
constexpr DWORD FIELD_U16 = 2;
constexpr DWORD FIELD_U32 = 4;      // shown signed, read back unsigned
constexpr DWORD FIELD_AMOUNT = 6;   // 48-bit sign and magnitude, ten-thousandths
constexpr DWORD FIELD_S64 = 8;      // 64-bit sign and magnitude
constexpr DWORD FIELD_S8 = 17;
constexpr DWORD FIELD_S16 = 18;
constexpr DWORD FIELD_S32 = 20;

// Flag bits above the type.
constexpr DWORD FIELD_TYPE_MASK = 0x000000FF;
constexpr DWORD FIELD_BCD = 0x00000100;          // packed decimal digits, shown in hexadecimal
constexpr DWORD FIELD_ZERO_PAD = 0x00000200;
constexpr DWORD FIELD_ALIGN_MASK = 0x00000C00;
constexpr DWORD FIELD_ALIGN_LEFT = 0x00000400;
constexpr DWORD FIELD_ALIGN_CENTER = 0x00000C00;
constexpr DWORD FIELD_RANGE_SHADE = 0x00001000;  // out-of-range values are read-only
constexpr DWORD FIELD_EDITABLE = 0x00002000;
constexpr DWORD FIELD_PLAIN_TEXT = 0x00004000;   // text in the ANSI code page, not the character table

// How the record card edits a field; other values hide it on the card.
enum EcrCardKind : int
{
    CARD_EDIT = 0,
    CARD_LIST = 1,     // read-only edit beside a drop-down list
    CARD_OPTIONS = 2,  // read-only edit beside up to three option buttons
    CARD_COMBO = 3,
    CARD_HIDDEN = 4,
};

enum EcrCheckMode : int
{
    CHECK_NONE = 0,
    CHECK_RANGE = 1,      // Minimum .. Maximum, only when they differ
    CHECK_VALIDATOR = 2,  // the table's validator decides
};

// Maximum of a code column that the record grid searches.
constexpr double ECR_SEARCHABLE_CODE_MAX = 99999999999999.0;

// Longest text field; the codec's buffers hold no more.
constexpr int ECR_TEXT_MAX = 64;

// One column of a table: where its bytes lie in a record and how to show them.
struct S_ECR_FIELD
{
    S_ECR_LABEL Label;
    DWORD Flags;
    int CardKind;
    int CheckMode;
    int Width;         // bytes of a text field, print width of a number
    int Reserved148;
    double Minimum;
    double Maximum;
    int Level;         // hidden below the display level
    int LookupWndNo;   // choices of list, option and combo rows
    int LookupTable;
    int LookupField;
    int Offset;        // byte offset inside a record
    int Reserved188;

    DWORD Type() const { return Flags & FIELD_TYPE_MASK; }
};

static_assert(offsetof(S_ECR_FIELD, Flags) == 132);
static_assert(offsetof(S_ECR_FIELD, CardKind) == 136);
static_assert(offsetof(S_ECR_FIELD, CheckMode) == 140);
static_assert(offsetof(S_ECR_FIELD, Width) == 144);
static_assert(offsetof(S_ECR_FIELD, Minimum) == 152);
static_assert(offsetof(S_ECR_FIELD, Maximum) == 160);
static_assert(offsetof(S_ECR_FIELD, Level) == 168);
static_assert(offsetof(S_ECR_FIELD, LookupWndNo) == 172);
static_assert(offsetof(S_ECR_FIELD, LookupTable) == 176);
static_assert(offsetof(S_ECR_FIELD, LookupField) == 180);
static_assert(offsetof(S_ECR_FIELD, Offset) == 184);
static_assert(sizeof(S_ECR_FIELD) == 192, "field descriptor shared with the model library");

// Bytes a field occupies in a record: the width of a text field (at most
// ECR_TEXT_MAX), the size of a number type, 0 for an unknown type.
inline int FieldByteLength(const S_ECR_FIELD& field)
{
    switch (field.Type()) {
    case FIELD_TEXT:
        return field.Width < 0 ? 0 : (field.Width > ECR_TEXT_MAX ? ECR_TEXT_MAX : field.Width);
    case FIELD_U8:
    case FIELD_S8:
        return 1;
    case FIELD_U16:
    case FIELD_S16:
        return 2;
    case FIELD_U32:
    case FIELD_S32:
        return 4;
    case FIELD_AMOUNT:
        return 6;
    case FIELD_S64:
        return 8;
    default:
        return 0;
    }
}
