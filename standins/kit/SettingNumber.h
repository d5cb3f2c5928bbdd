#pragma once

#include <windows.h>

// How a number setting of a stand-in's ini file is written: delays and
// switches in decimal, exit codes in hexadecimal as the logs write them
// ("E0000003", "0x" allowed before it).
enum class SettingBase { Decimal, Hexadecimal };

// Reads a whole, unsigned 32-bit number that fills the text (blanks around
// it aside); false, with value untouched, when the text is anything else.
bool ReadSettingNumber(const wchar_t* text, SettingBase base, DWORD& value);
