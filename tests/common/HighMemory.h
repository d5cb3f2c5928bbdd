// Memory for an object at a high address: in the 64-bit build above 4 GB,
// so that a pointer cut to 32 bits anywhere on its way shows as a fault or
// a wrong value instead of passing unseen.
#pragma once

#include <windows.h>

#include <new>
#include <utility>

class HighMemory
{
public:
    explicit HighMemory(size_t size);
    ~HighMemory();
    HighMemory(const HighMemory&) = delete;
    HighMemory& operator=(const HighMemory&) = delete;

    void* Get() const { return m_block; }
    // Whether the block lies above what 32 bits address.
    bool AboveFourGigabytes() const;

private:
    void* m_block;
};

// One object of type T made in its own high block and destroyed with it.
template <typename T>
class HighObject
{
public:
    template <typename... Args>
    explicit HighObject(Args&&... args) : m_memory(sizeof(T))
    {
        m_object = new (m_memory.Get()) T(std::forward<Args>(args)...);
    }
    ~HighObject() { m_object->~T(); }
    HighObject(const HighObject&) = delete;
    HighObject& operator=(const HighObject&) = delete;

    T& operator*() const { return *m_object; }
    T* operator->() const { return m_object; }
    T* get() const { return m_object; }
    bool AboveFourGigabytes() const { return m_memory.AboveFourGigabytes(); }

private:
    HighMemory m_memory;
    T* m_object;
};
