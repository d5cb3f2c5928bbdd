// Turns a BMP into the demo register's logo file: width x height / 8 bytes,
// no header, rows top first, the leftmost pixel in the high bit, 1 = black.
// Pure white becomes 0 and every other colour 1; a picture smaller than the
// logo is white beyond its edges, a larger one is cut.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

enum class ConversionError
{
    None,
    InputUnreadable,
    BadSize,
    OutputNotWritten,
};

// The logo bytes of the BMP file, or an error.
ConversionError ConvertBitmapFile(const std::wstring& bmpPath, int width, int height, std::vector<BYTE>& logo);
