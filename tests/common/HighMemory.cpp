#include "HighMemory.h"

HighMemory::HighMemory(size_t size)
    : m_block(::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE))
{
    if (!m_block)
        throw std::bad_alloc();
}

HighMemory::~HighMemory()
{
    ::VirtualFree(m_block, 0, MEM_RELEASE);
}

bool HighMemory::AboveFourGigabytes() const
{
    if constexpr (sizeof(void*) == 4)
        return false;
    else
        return (reinterpret_cast<UINT_PTR>(m_block) >> 32) != 0;
}
