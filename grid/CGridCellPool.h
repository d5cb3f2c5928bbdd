// Equal blocks for the cells a grid makes by the hundred thousand.
//
// A heap block costs a heap call (about 0.1 microseconds under Wine) and a
// header of 8 bytes. The pool carves blocks from 64 KB chunks taken from the
// same C runtime heap. A chunk whose last block is freed is kept for the
// next grid while the pools together keep less than kKeptBytes of empty
// chunks (and each pool keeps one), else given back: the heap gives a
// wholly free region back to the system, and memory touched for the first
// time is what a fill waits for most. Any thread may allocate or free.
#pragma once

#include <cstddef>
#include <vector>

#include "CSpinLock.h"

class CGridCellPool
{
public:
    // Blocks are aligned for pointers, integers and doubles (8 bytes), not
    // for the 16 the heap keeps for every type: a 40-byte block stays 40.
    static constexpr size_t kAlignment = 8;

    // The block size a pool of blocks of at least size bytes gives out.
    static constexpr size_t BlockSizeFor(size_t size)
    {
        return ((size > sizeof(void*) ? size : sizeof(void*)) + kAlignment - 1) / kAlignment * kAlignment;
    }

    // The empty chunks all pools keep beyond their one each, at most.
    static constexpr size_t kKeptBytes = 32 * 1024 * 1024;

    explicit CGridCellPool(size_t blockSize);
    // Gives every chunk back: the blocks must all be freed.
    ~CGridCellPool();
    CGridCellPool(const CGridCellPool&) = delete;
    CGridCellPool& operator=(const CGridCellPool&) = delete;

    size_t BlockSize() const { return m_blockSize; }
    // A block of BlockSize() bytes; throws std::bad_alloc.
    void* Allocate();
    // Takes back a block this pool gave out.
    void Free(void* block);
    // Chunks held (for tests).
    size_t ChunkCount() const;

    static constexpr size_t kChunkBytes = 64 * 1024;

private:
    struct Chunk
    {
        char* base = nullptr;
        void* freeList = nullptr;  // freed blocks, each holding the next
        size_t carved = 0;         // blocks handed out at least once
        size_t used = 0;           // blocks handed out now
    };
    bool HasRoom(const Chunk& chunk) const { return chunk.freeList || chunk.carved < m_perChunk; }
    // The chunk holding the block (chunks are sorted by address).
    size_t ChunkOf(const void* block) const;

    const size_t m_blockSize;
    const size_t m_perChunk;
    std::vector<Chunk> m_chunks;
    size_t m_open = 0;  // a chunk with room, when below m_chunks.size()
    mutable CSpinLock m_lock;
};
