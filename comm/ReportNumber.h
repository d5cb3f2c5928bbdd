#pragma once
// How a report CSV's value text reads as a number, for the chart reader and
// the chart viewer alike.
#include <string>

// The number that starts the text: leading blanks, a sign, digits, a decimal
// point and an exponent, up to the first character that does not fit. False,
// with value 0, when no digit starts it (a column's name, say).
bool ReadReportNumber(const std::wstring& text, double& value);
