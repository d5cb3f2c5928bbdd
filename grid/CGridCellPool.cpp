#include "CGridCellPool.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

// The bytes of empty chunks all pools keep.
std::atomic<size_t> g_keptBytes{0};

// Counts one more empty chunk kept, when the pools keep room for it.
bool KeepAnother(size_t bytes)
{
    size_t kept = g_keptBytes.load(std::memory_order_relaxed);
    do {
        if (kept + bytes > CGridCellPool::kKeptBytes)
            return false;
    } while (!g_keptBytes.compare_exchange_weak(kept, kept + bytes, std::memory_order_relaxed));
    return true;
}

} // namespace

CGridCellPool::CGridCellPool(size_t blockSize)
    : m_blockSize(BlockSizeFor(blockSize)), m_perChunk(kChunkBytes / m_blockSize)
{
}

CGridCellPool::~CGridCellPool()
{
    for (const Chunk& chunk : m_chunks) {
        if (chunk.used == 0 && chunk.carved > 0)
            g_keptBytes.fetch_sub(kChunkBytes, std::memory_order_relaxed);
        std::free(chunk.base);
    }
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
    std::lock_guard<CSpinLock> lock(m_lock);
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
    if (chunk.used == 0 && chunk.carved > 0)
        g_keptBytes.fetch_sub(kChunkBytes, std::memory_order_relaxed);  // a kept chunk in use again
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
    std::lock_guard<CSpinLock> lock(m_lock);
    const size_t index = ChunkOf(block);
    Chunk& chunk = m_chunks[index];
    *static_cast<void**>(block) = chunk.freeList;
    chunk.freeList = block;
    if (--chunk.used > 0) {
        m_open = index;  // the next cell goes where one just went
        return;
    }
    const bool anotherEmpty = std::any_of(m_chunks.begin(), m_chunks.end(),
                                          [&](const Chunk& c) { return &c != &chunk && c.used == 0; });
    if (!anotherEmpty) {
        g_keptBytes.fetch_add(kChunkBytes, std::memory_order_relaxed);
        m_open = index;
        return;
    }
    if (KeepAnother(kChunkBytes))
        return;
    std::free(chunk.base);
    m_chunks.erase(m_chunks.begin() + static_cast<std::ptrdiff_t>(index));
    m_open = m_chunks.size();
}

size_t CGridCellPool::ChunkCount() const
{
    std::lock_guard<CSpinLock> lock(m_lock);
    return m_chunks.size();
}
