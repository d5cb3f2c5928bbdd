#pragma once

#include "afx.h"

// Drive and folder of the program's own file, ending in a backslash. Files
// shipped beside the program are found through it.
CString GetProgramFolder();

// Makes the program's folder the current directory, so the settings file and
// the relative paths in it name the files beside the program, wherever the
// program was started from. False when it could not (the current directory
// then stays as it was).
bool MakeProgramFolderCurrent();
