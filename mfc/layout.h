// Layout checks of records shared with other modules (the model library,
// the chart viewer, a grid's parent).
#pragma once

#include <cstddef>

// The 32-bit build keeps the interface's fixed layout; the 64-bit build has
// the same fields in the same order at their natural alignment. ByBuild
// gives this build's figure of the two, for offsets and sizes that code
// reads or asserts.
constexpr std::size_t ByBuild(std::size_t x86, std::size_t x64) noexcept
{
    return sizeof(void*) == 4 ? x86 : x64;
}
