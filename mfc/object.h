// Root object and the framework's exceptions.
//
// Exceptions are thrown as heap pointers and released with Delete(), the
// convention the application code catches them by.
#pragma once

#include <windows.h>

class CObject
{
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;
};

class CException : public CObject
{
public:
    // Text for the framework's standard error box.
    virtual const wchar_t* GetErrorText() const = 0;
    void Delete() { delete this; }
    // Shows the standard error box through the message-box seam.
    int ReportError(UINT type = MB_OK) const;
};

class CMemoryException : public CException
{
public:
    const wchar_t* GetErrorText() const override { return L"Out of memory."; }
};

class CInvalidArgException : public CException
{
public:
    const wchar_t* GetErrorText() const override { return L"Invalid argument."; }
};

class CResourceException : public CException
{
public:
    const wchar_t* GetErrorText() const override { return L"A required resource was unavailable."; }
};

// A failure the user has already been told about; reports nothing more.
class CUserException : public CException
{
public:
    const wchar_t* GetErrorText() const override { return L""; }
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
