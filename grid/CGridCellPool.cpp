#include "CGridCellPool.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include <windows.h>

namespace {

class ExclusiveLock
{
public:
    explicit ExclusiveLock(std::atomic_flag& lock) : m_lock(lock)
    {
        while (m_lock.test_and_set(std::memory_order_acquire))
            ::SwitchToThread();
    }
    ~ExclusiveLock() { m_lock.clear(std::memory_order_release); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    std::atomic_flag& m_lock;
};

} // namespace

CGridCellPool::CGridCellPool(size_t blockSize)
    : m_blockSize(BlockSizeFor(blockSize)), m_perChunk(kChunkBytes / m_blockSize)
{
}

size_t CGridCellPool::ChunkOf(const void* block) const
{
    const char* p = static_cast<const char*>(block);
    auto after = std::upper_bound(m_chunks.begin(), m_chunks.end(), p,
                                  [](const char* q, const Chunk& chunk) { return q < chunk.base; });
    return static_cast<size_t>(after - m_chunks.begin()) - 1;
}

void* CGridCellPool::Allocate()
{
    ExclusiveLock lock(m_lock);
    if (m_open >= m_chunks.size() || !HasRoom(m_chunks[m_open])) {
        m_open = m_chunks.size();
        for (size_t i = 0; i < m_chunks.size() && m_open == m_chunks.size(); ++i)
            if (HasRoom(m_chunks[i]))
                m_open = i;
        if (m_open == m_chunks.size()) {
            Chunk chunk;
            // Every pool's chunks have one size, whatever their blocks: a
            // chunk freed anywhere fits the next one taken, so a grid made
            // after another reuses the heap's memory rather than touching
            // new pages (a page's first touch is what a fill waits for most).
            chunk.base = static_cast<char*>(std::malloc(kChunkBytes));
            if (!chunk.base)
                throw std::bad_alloc();
            auto at = std::upper_bound(m_chunks.begin(), m_chunks.end(), chunk.base,
                                       [](const char* q, const Chunk& c) { return q < c.base; });
            try {
                at = m_chunks.insert(at, chunk);
            } catch (...) {
                std::free(chunk.base);
                throw;
            }
            m_open = static_cast<size_t>(at - m_chunks.begin());
        }
    }
    Chunk& chunk = m_chunks[m_open];
    void* block;
    if (chunk.freeList) {
        block = chunk.freeList;
        chunk.freeList = *static_cast<void**>(block);
    } else {
        block = chunk.base + chunk.carved++ * m_blockSize;
    }
    ++chunk.used;
    return block;
}

void CGridCellPool::Free(void* block)
{
    if (!block)
        return;
    ExclusiveLock lock(m_lock);
    const size_t index = ChunkOf(block);
    Chunk& chunk = m_chunks[index];
    *static_cast<void**>(block) = chunk.freeList;
    chunk.freeList = block;
    if (--chunk.used > 0) {
        m_open = index;  // the next cell goes where one just went
        return;
    }
    // An empty chunk goes back, unless it is the only one left empty.
    const bool anotherEmpty = std::any_of(m_chunks.begin(), m_chunks.end(),
                                          [&](const Chunk& c) { return &c != &chunk && c.used == 0; });
    if (!anotherEmpty) {
        m_open = index;
        return;
    }
    std::free(chunk.base);
    m_chunks.erase(m_chunks.begin() + static_cast<std::ptrdiff_t>(index));
    m_open = m_chunks.size();
}

size_t CGridCellPool::ChunkCount() const
{
    ExclusiveLock lock(m_lock);
    return m_chunks.size();
}
