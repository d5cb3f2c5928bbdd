// The logo conversion program's arguments, after its own name:
//   "<BMP folder>\" <input name> <output name> p1 p2 p3 p4 p5
// The output name is not quoted, so the five numbers are taken from the
// right and whatever lies between the input name and them is the output
// name (blanks kept single).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "afx.h"

struct ConversionRequest
{
    std::wstring folder;  // without the trailing backslash
    std::wstring input;
    std::wstring output;
    std::array<int, 5> params = {};
};

// False when the arguments do not have that shape.
bool ParseArguments(const std::vector<CString>& args, ConversionRequest& request);
