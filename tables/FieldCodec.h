// Register field bytes to display text and back, by the field's descriptor.
// The codec keeps no state and validates nothing; callers check values first.
#pragma once

#include <windows.h>

#include "S_ECR_FIELD.h"
#include "afx.h"

// TRUE for a known type and a field address; otherwise "?" and FALSE.
BOOL FormatField(const S_ECR_FIELD* field, const BYTE* bytes, CString& text);

// As FormatField, but amounts keep all four stored decimals, so that the text
// parses back to the same bytes (CSV exchange).
BOOL FormatFieldExact(const S_ECR_FIELD* field, const BYTE* bytes, CString& text);

// The register bytes a text field stores for `text`, before the space
// padding: converted, and cut to the width without splitting a double-byte
// character. Every write of register text is cut here and nowhere else.
CStringA FieldTextBytes(const S_ECR_FIELD& field, const CString& text);

// Stores register bytes in a text field as they are, padded with blanks;
// bytes beyond the width are dropped (callers check the length first).
void StoreFieldTextBytes(const S_ECR_FIELD& field, const CStringA& stored, BYTE* bytes);

// Writes the field's bytes; FALSE with nothing written for an unknown type or
// no address. Text fields keep at most the width in whole characters.
BOOL ParseField(const S_ECR_FIELD* field, const CString& text, BYTE* bytes);
