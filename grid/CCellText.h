// The text a grid cell holds.
//
// A grid fills hundreds of thousands of cells at once, and a heap call per
// text costs more under Wine than all the rest of a fill. Short texts go
// into blocks of a few fixed sizes carved from pooled chunks; longer ones
// come from the heap. The text is replaced whole, never changed in place.
#pragma once

#include <windows.h>

class CCellText
{
public:
    CCellText() = default;
    ~CCellText() { Empty(); }
    CCellText(const CCellText&) = delete;
    CCellText& operator=(const CCellText&) = delete;

    // Copies text (null is empty); throws as a CString does when memory runs out.
    void Assign(LPCWSTR text);
    void Empty() noexcept;
    LPCWSTR Get() const { return m_text ? m_text : L""; }

private:
    wchar_t* m_text = nullptr;  // null when empty
};
