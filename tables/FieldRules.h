// Rules the record grid and the record card share, so that both name, show,
// check and store a field the same way.
#pragma once

#include <windows.h>

#include "CaptionText.h"
#include "S_ECR_TABLE.h"
#include "afx.h"

// The name of a table, field or report: its data-item caption when the
// caption file has one, else the label's own default text.
CString LabelText(const S_ECR_LABEL& label);

// The user level that decides which fields are shown: the settings' Level
// (0 without settings). Grid and card both use it, so they show the same fields.
int EffectiveDisplayLevel();

// Whether a field is shown at a display level (its level is at least the display level).
bool IsFieldVisible(const S_ECR_FIELD& field, int level);

// "Range is <min> - <max>": a range-checked field's range, for number fields
// within the bounds of the type, which a number field without a range gives;
// or any range.
CString RangeMessage(const S_ECR_FIELD& field);
CString RangeMessage(double minimum, double maximum);

// What a number field says of a number with more decimals than it keeps:
// "At most 3 decimals" for amounts, "Whole numbers only" for the others.
CString DecimalsMessage(const S_ECR_FIELD& field);

// Checks one entered value of field `field` of record `record` (both from 0),
// empty counting as 0. A number field takes only a text that it stores as
// exactly that number (ReadFieldNumberAs, with the decimals an amount shows);
// then the field's check mode decides: a range check (the whole text a number
// within minimum .. maximum; only when they differ) or the table's validator,
// asked first. TRUE accepts; FALSE refuses with the text to show in
// `message`: the validator's, else the range message, or, for a number
// within the range, the decimals message. Nothing is shown here.
BOOL CheckFieldValue(S_ECR_TABLE* table, int field, int record, const CString& text, CString& message);

// Whether a range-shaded field's shown value lies outside minimum .. maximum.
// Always false for fields without range shading.
bool IsShadedOutOfRange(const S_ECR_FIELD& field, const CString& shown);

// The text as a text field would store it: cut to the field's width on the
// register bytes, never inside a double-byte character. Numbers unchanged.
CString FitFieldText(const S_ECR_FIELD& field, const CString& text);

// What to tell when a text field keeps only `kept` of a longer text: the
// field's name, its byte limit and the kept text.
CString CutTextMessage(const S_ECR_FIELD& field, const CString& kept);
