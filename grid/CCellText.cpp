#include "CCellText.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "CGridCellPool.h"
#include "afx.h"

static_assert(sizeof(CCellText) == CCellText::kInPlace * sizeof(wchar_t), "a cell text is its units alone");
static_assert((CCellText::kInPlace - 1) * sizeof(wchar_t) >= sizeof(wchar_t*), "a pointer leaves the mark free");

namespace {

// Block sizes in characters, terminator included, for texts too long to be
// kept in place; longer ones use the heap. Steps of a half or a third keep
// little of a block unused.
constexpr size_t kClasses[] = {16, 24, 32};
constexpr size_t kClassCount = sizeof kClasses / sizeof kClasses[0];

// Made on first use and never destroyed, like the cells' own pool: texts of
// static cells may go after every other static.
CGridCellPool& Pool(size_t index)
{
    static CGridCellPool* pools[kClassCount] = {
        new CGridCellPool(kClasses[0] * sizeof(wchar_t)),
        new CGridCellPool(kClasses[1] * sizeof(wchar_t)),
        new CGridCellPool(kClasses[2] * sizeof(wchar_t)),
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

void FreeBlock(wchar_t* block) noexcept
{
    const size_t index = ClassOf(std::wcslen(block) + 1);
    if (index < kClassCount)
        Pool(index).Free(block);
    else
        std::free(block);
}

} // namespace

wchar_t* CCellText::OutOfPlace() const
{
    wchar_t* block;
    std::memcpy(&block, m_units, sizeof block);
    return block;
}

void CCellText::Assign(LPCWSTR text)
{
    const size_t units = text && *text ? std::wcslen(text) + 1 : 0;
    wchar_t* const old = IsOutOfPlace() ? OutOfPlace() : nullptr;
    if (units == 0) {
        Empty();
        return;
    }
    if (units <= kInPlace) {
        // text may lie in these units themselves, or in the old block,
        // which goes only once it is copied.
        std::memmove(m_units, text, units * sizeof(wchar_t));
        m_units[kInPlace - 1] = 0;
        if (old)
            FreeBlock(old);
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
    if (old)
        FreeBlock(old);
    std::memcpy(m_units, &block, sizeof block);
    m_units[kInPlace - 1] = kElsewhere;
}

void CCellText::Empty() noexcept
{
    if (IsOutOfPlace())
        FreeBlock(OutOfPlace());
    m_units[0] = 0;
    m_units[kInPlace - 1] = 0;
}
