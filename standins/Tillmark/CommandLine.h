// The logo conversion program's command line:
//   "<program>" "<BMP folder>\" <input name> <output name> p1 p2 p3 p4 p5
// Single blanks separate the tokens; a token that starts with a quote runs
// to the next quote, and a backslash is an ordinary character. The output
// name is not quoted, so the five numbers are taken from the right and
// whatever lies between the input name and them is the output name.
#pragma once

#include <array>
#include <string>

struct ConversionRequest
{
    std::wstring folder;  // without the trailing backslash
    std::wstring input;
    std::wstring output;
    std::array<int, 5> params = {};
};

// False when the line does not have that shape.
bool ParseCommandLine(const std::wstring& line, ConversionRequest& request);
