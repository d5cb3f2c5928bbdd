// The limit of an edit box that edits one field. A text field is measured in
// the register bytes its text becomes (through the character table), not in
// characters: a typed character that does not fit is refused whole, and a
// paste or a composed string keeps the whole characters that fit and says
// what was kept. Other fields take at most their width in characters.
#pragma once

#include <windows.h>

#include "S_ECR_FIELD.h"

// Limits an edit control (or a combo box's edit part) to the field. Called
// again, it takes the new field: a control may show another field later.
// A text field's byte limit watches every message to the box, which costs
// a property lookup each under some systems: with watchNow false it is not
// put on yet (an existing one takes the field), for a caller that calls
// again when the box takes the focus, before any text can come in.
void LimitEditToField(HWND edit, const S_ECR_FIELD& field, bool watchNow = true);
