// A lock held for a few instructions at a time, by the grid's shared
// stores of cells, texts and looks: a system lock costs more than the work
// it would guard under Wine. Used with std::lock_guard.
#pragma once

#include <atomic>

#include <windows.h>

class CSpinLock
{
public:
    CSpinLock() = default;
    CSpinLock(const CSpinLock&) = delete;
    CSpinLock& operator=(const CSpinLock&) = delete;

    void lock()
    {
        while (m_flag.test_and_set(std::memory_order_acquire))
            ::SwitchToThread();
    }
    void unlock() { m_flag.clear(std::memory_order_release); }

private:
    std::atomic_flag m_flag = ATOMIC_FLAG_INIT;
};
