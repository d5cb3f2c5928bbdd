#include "CCellText.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "CGridCellPool.h"
#include "afx.h"

namespace {

// Block sizes in characters, terminator included; longer texts use the
// heap. Steps of a quarter or a half keep little of a block unused: codes,
// prices and names of 8 to 11 characters take 24 bytes, not 32.
constexpr size_t kClasses[] = {8, 12, 16, 24, 32};
constexpr size_t kClassCount = sizeof kClasses / sizeof kClasses[0];

// Made on first use and never destroyed, like the cells' own pool: texts of
// static cells may go after every other static.
CGridCellPool& Pool(size_t index)
{
    static CGridCellPool* pools[kClassCount] = {
        new CGridCellPool(kClasses[0] * sizeof(wchar_t)),
        new CGridCellPool(kClasses[1] * sizeof(wchar_t)),
        new CGridCellPool(kClasses[2] * sizeof(wchar_t)),
        new CGridCellPool(kClasses[3] * sizeof(wchar_t)),
        new CGridCellPool(kClasses[4] * sizeof(wchar_t)),
    };
    return *pools[index];
}

// The pool for a text of `units` characters with its terminator, or
// kClassCount for the heap. The same length always picks the same place,
// so a text's length tells where it came from.
size_t ClassOf(size_t units)
{
    size_t index = 0;
    while (index < kClassCount && units > kClasses[index])
        ++index;
    return index;
}

} // namespace

void CCellText::Assign(LPCWSTR text)
{
    const size_t units = text && *text ? std::wcslen(text) + 1 : 0;
    if (units == 0) {
        Empty();
        return;
    }
    const size_t index = ClassOf(units);
    void* block = nullptr;
    try {
        block = index < kClassCount ? Pool(index).Allocate() : std::malloc(units * sizeof(wchar_t));
    } catch (const std::bad_alloc&) {
        block = nullptr;
    }
    if (!block)
        AfxThrowMemoryException();
    // Copied before the old text goes: text may point into it.
    std::memcpy(block, text, units * sizeof(wchar_t));
    Empty();
    m_text = static_cast<wchar_t*>(block);
}

void CCellText::Empty() noexcept
{
    if (!m_text)
        return;
    const size_t index = ClassOf(std::wcslen(m_text) + 1);
    if (index < kClassCount)
        Pool(index).Free(m_text);
    else
        std::free(m_text);
    m_text = nullptr;
}
