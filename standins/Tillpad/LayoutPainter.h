#pragma once

#include <windows.h>

#include "KeyLayout.h"

// Draws a key layout read-only: assignable keys light yellow, fixed keys
// grey, each merged key once over its whole block.
void PaintLayout(HDC dc, const KeyLayout& layout);
