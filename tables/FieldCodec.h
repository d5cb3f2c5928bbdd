// Register field bytes to display text and back, by the field's descriptor.
// The codec keeps no state. ParseField validates nothing; callers check
// values first, with ReadFieldNumber, which reads a number as ParseField does.
#pragma once

#include <windows.h>

#include "S_ECR_FIELD.h"
#include "afx.h"

// Decimals of an amount as FormatField shows it and as FormatFieldExact does.
constexpr int kShownDecimals = 3;
constexpr int kExactDecimals = 4;

// TRUE for a known type and a field address; otherwise "?" and FALSE.
BOOL FormatField(const S_ECR_FIELD* field, const BYTE* bytes, CString& text);

// As FormatField, but amounts keep all four stored decimals, so that the text
// parses back to the same bytes (CSV exchange).
BOOL FormatFieldExact(const S_ECR_FIELD* field, const BYTE* bytes, CString& text);

// The register bytes a text field stores for `text`, before the space
// padding: converted, and cut to the width without splitting a double-byte
// character. Every write of register text is cut here and nowhere else.
CStringA FieldTextBytes(const S_ECR_FIELD& field, const CString& text);

// Whether the register bytes of `text` fit a text field's width whole, so
// that FieldTextBytes cuts nothing; always true for other fields.
bool FieldTextFits(const S_ECR_FIELD& field, const CString& text);

// Stores register bytes in a text field as they are, padded with blanks;
// bytes beyond the width are dropped (callers check the length first).
void StoreFieldTextBytes(const S_ECR_FIELD& field, const CStringA& stored, BYTE* bytes);

// Writes the field's bytes; FALSE with nothing written for an unknown type or
// no address. Text fields keep at most the width in whole characters.
// Numbers are read as ReadFieldNumber reads them, up to the first character
// that is no part of one (none: 0); beyond the type they clamp.
BOOL ParseField(const S_ECR_FIELD* field, const CString& text, BYTE* bytes);

// What a number's text is to a field (ReadFieldNumberAs).
enum class NumberReading
{
    Exact,            // stored as exactly the number read
    NotANumber,       // not wholly a number of the field
    TooManyDecimals,  // a decimal number with more decimals than the field keeps
    BeyondType,       // a number beyond what the type holds
};

// Reads `text` as the number field `field` holds, the way ParseField reads
// it: leading blanks, an optional sign, digits and, for amounts, a point and
// decimals. `value` gets the number when the whole text is one (a decimal
// number too), else 0. Exact only when ParseField stores exactly that
// number: within the type, with at most `decimals` decimals (significant
// ones) for an amount and none for other numbers, and decimal digits only
// for BCD. Beyond the type outranks too many decimals. Text fields and
// unknown types take any such number and no bounds.
NumberReading ReadFieldNumberAs(const S_ECR_FIELD& field, const CString& text, int decimals, double& value);

// TRUE when ReadFieldNumberAs finds the text exact.
BOOL ReadFieldNumber(const S_ECR_FIELD& field, const CString& text, int decimals, double& value);

// The smallest and largest number ReadFieldNumber takes for the field's type;
// FALSE for text fields and unknown types, which have no bounds.
BOOL FieldTypeBounds(const S_ECR_FIELD& field, double& minimum, double& maximum);
