#include "RawCommandLine.h"

namespace {

// Reads one token starting at p; returns the position after it.
const wchar_t* ReadToken(const wchar_t* p, CString& token)
{
    if (*p == L'"') {
        const wchar_t* end = wcschr(p + 1, L'"');
        if (!end) {
            token = p + 1;
            return p + wcslen(p);
        }
        token = CString(p + 1, static_cast<int>(end - p - 1));
        return end + 1;
    }
    const wchar_t* end = p;
    while (*end && *end != L' ')
        ++end;
    token = CString(p, static_cast<int>(end - p));
    return end;
}

} // namespace

std::vector<CString> SplitRawCommandLine(const wchar_t* line)
{
    std::vector<CString> args;
    if (!line)
        return args;
    CString token;
    const wchar_t* p = line;
    bool program = true;
    for (;;) {
        while (*p == L' ')
            ++p;
        if (!*p)
            break;
        p = ReadToken(p, token);
        if (!program)
            args.push_back(token);
        program = false;
    }
    return args;
}
