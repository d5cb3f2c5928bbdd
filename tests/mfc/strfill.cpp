#include "strings.h"

extern "C" __declspec(dllexport) void WINAPI FillString(CString* target, const wchar_t* text)
{
    *target = text;
    *target += L"!";
}

extern "C" __declspec(dllexport) void WINAPI FreeString(CString* target)
{
    target->Empty();
}
