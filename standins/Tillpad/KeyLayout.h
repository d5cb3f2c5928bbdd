#pragma once

#include <string>
#include <vector>

#include <windows.h>

// The register's key layout as the program saved it: for each position the
// key's name and whether it is assignable, and the merged keys.
struct KeyLayout
{
    struct Key
    {
        std::wstring name;
        bool assignable = false;
    };
    struct Block
    {
        int firstRow, firstCol, lastRow, lastCol;
    };

    int rows = 0;
    int cols = 0;
    std::vector<Key> keys;  // row by row
    std::vector<Block> merged;  // clipped to the layout

    const Key& At(int row, int col) const { return keys[static_cast<size_t>(row) * cols + col]; }

    // Reads the data folder that "Tilldesk.ini" in the current folder names
    // (".\Data" when it names none). False with a message when the settings
    // or the keyboard data cannot be read.
    static bool Read(KeyLayout& layout, std::wstring& error);
};
