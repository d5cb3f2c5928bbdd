#pragma once

#include <vector>

#include "afx.h"

// What the calling program asked for: the ten arguments after the program
// path, as the transfer dialog writes them.
struct Request
{
    enum class Kind { Group, Report };

    bool lan = false;
    int portIndex = 0;          // 0 = USB, n = the n-th COM port found
    unsigned address = 0;       // LAN: first octet in the low byte
    int baudRate = 0;
    int direction = 0;          // 0 receive from the register, 1 send to it
    CString dataFolder;         // ends in a backslash
    int id = 0;                 // group id, or report id
    Kind kind = Kind::Group;
    int count = 1;              // report ranges given: 1 or 2
    int param = 0;              // group: register parameter; report: from
    int to = 0;                 // report: to

    // The address as a.b.c.d.
    CString AddressText() const;
    // What the run does, for the window.
    CString Describe() const;
};

// Reads the arguments; false with a message when they do not fit.
bool ParseRequest(const std::vector<CString>& args, Request& request, CString& error);
