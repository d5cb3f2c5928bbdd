// An object at a high address: in the 64-bit build above 4 GB, so that a
// pointer cut to 32 bits anywhere on its way shows as a fault or a wrong
// value instead of passing unseen.
#pragma once

#include <windows.h>

#include <new>
#include <utility>

template <typename T>
class HighObject
{
public:
    template <typename... Args>
    explicit HighObject(Args&&... args)
        : m_block(::VirtualAlloc(nullptr, sizeof(T), MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE))
    {
        if (!m_block)
            throw std::bad_alloc();
        try {
            m_object = new (m_block) T(std::forward<Args>(args)...);
        } catch (...) {
            ::VirtualFree(m_block, 0, MEM_RELEASE);
            throw;
        }
    }
    ~HighObject()
    {
        m_object->~T();
        ::VirtualFree(m_block, 0, MEM_RELEASE);
    }
    HighObject(const HighObject&) = delete;
    HighObject& operator=(const HighObject&) = delete;

    T& operator*() const { return *m_object; }
    T* operator->() const { return m_object; }
    // Whether the object lies above what 32 bits address (never in the 32-bit build).
    bool AboveFourGigabytes() const { return (reinterpret_cast<UINT_PTR>(m_object) >> 16 >> 16) != 0; }

private:
    void* m_block;
    T* m_object;
};
