#pragma once

#include <string>

#include "afx.h"

// A fresh folder under the temporary folder for one driver run, ending in a
// backslash, and whole-file writes into it.
std::wstring FuzzFolder(const wchar_t* name);
void WriteInput(const std::wstring& path, const std::string& bytes);
// Answers every message box with OK without showing it, so damaged input
// that a reader reports does not stop the run.
void SilenceMessageBoxes();
