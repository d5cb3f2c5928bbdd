// The text a grid cell holds.
//
// A grid fills hundreds of thousands of cells at once, and under Wine a
// fill waits mostly for memory touched for the first time and for heap
// calls. Most cell texts are short (prices, quantities, flags, short codes),
// so a text of up to 9 characters is kept in the object itself; longer ones
// go into blocks of a few fixed sizes carved from pooled chunks, or to the
// heap. The text is replaced whole, never changed in place. The object is
// 20 bytes, aligned as a character, so that a cell packs it tightly.
#pragma once

#include <cstddef>

#include <windows.h>

class CCellText
{
public:
    // Characters kept in place, the terminator included.
    static constexpr size_t kInPlace = 10;

    CCellText() = default;
    ~CCellText() { Empty(); }
    CCellText(const CCellText&) = delete;
    CCellText& operator=(const CCellText&) = delete;

    // Copies text (null is empty), which may be this object's own text or a
    // part of it; throws as a CString does when memory runs out.
    void Assign(LPCWSTR text);
    void Empty() noexcept;
    LPCWSTR Get() const { return IsOutOfPlace() ? OutOfPlace() : m_units; }

private:
    // The last unit of a text kept in place is its terminator or follows
    // it, so it is 0; a text kept elsewhere marks it with a noncharacter and
    // keeps its pointer, unaligned, at the start.
    static constexpr wchar_t kElsewhere = 0xFFFF;

    bool IsOutOfPlace() const { return m_units[kInPlace - 1] == kElsewhere; }
    wchar_t* OutOfPlace() const;

    wchar_t m_units[kInPlace] = {};
};
