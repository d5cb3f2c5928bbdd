#pragma once

#include <string>
#include <vector>

// What the program asked for, read from the raw command line.
//
// Tokens are separated by single blanks; a token that starts with a double
// quote runs to the next double quote, and a backslash is an ordinary
// character (the data folder arrives as "C:\Data\", which the usual rules
// would read as an escaped quote).
struct Request
{
    enum class Kind { Group, Report };

    bool lan = false;
    int portIndex = 0;          // 0 = USB, n = the n-th COM port found
    unsigned address = 0;       // LAN: first octet in the low byte
    int baudRate = 0;
    int direction = 0;          // 0 receive from the register, 1 send to it
    std::wstring dataFolder;    // ends in a backslash
    int id = 0;                 // group id, or report id
    Kind kind = Kind::Group;
    int count = 1;              // report ranges given: 1 or 2
    int param = 0;              // group: register parameter; report: from
    int to = 0;                 // report: to

    // The address as a.b.c.d.
    std::wstring AddressText() const;
};

// Splits a raw command line; the program path is the first token.
std::vector<std::wstring> SplitCommandLine(const wchar_t* raw);
// Reads the eleven tokens; false with a message when they do not fit.
bool ParseRequest(const std::vector<std::wstring>& tokens, Request& request, std::wstring& error);
