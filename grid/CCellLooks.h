// The looks grid cells share: how a text is laid out and coloured, and the
// longest text the cell's editor takes.
//
// A grid holds a cell per position, hundreds of thousands of them, but only
// a few looks: a cell keeps the id of its look, and the looks are kept once
// for the whole program. A look is never dropped; an id stays valid. Any
// thread may ask.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include <windows.h>
#include <commctrl.h>

class CCellLooks
{
public:
    using Id = std::uint32_t;

    struct Look
    {
        DWORD format = static_cast<DWORD>(-1);  // unset: the default cell's
        COLORREF textClr = CLR_DEFAULT;
        COLORREF backClr = CLR_DEFAULT;
        UINT maxLength = 0;  // 0: no limit

        bool operator==(const Look&) const = default;
    };

    // The look with every value unset.
    static constexpr Id kUnset = 0;
    // Ids stay below this.
    static constexpr Id kMaxLooks = 4 * 1024 * 1024;

    // The look of an id Of has given. Read without a lock: the looks are
    // kept in blocks that never move, so another thread may add looks
    // meanwhile.
    static const Look& Get(Id id)
    {
        return s_blocks[id / kBlockLooks].load(std::memory_order_acquire)[id % kBlockLooks];
    }
    // The id of a look, made on its first use; throws as a CString does when
    // memory runs out.
    static Id Of(const Look& look);

private:
    friend class CCellLookTable;

    static constexpr size_t kBlockLooks = 1024;
    static constexpr size_t kMaxBlocks = kMaxLooks / kBlockLooks;

    // The first block is there from the start, holding the unset look at
    // kUnset, so that a cell reads its look before any was made.
    static Look s_first[kBlockLooks];
    static std::atomic<Look*> s_blocks[kMaxBlocks];
};

inline CCellLooks::Look CCellLooks::s_first[CCellLooks::kBlockLooks] = {};
inline std::atomic<CCellLooks::Look*> CCellLooks::s_blocks[CCellLooks::kMaxBlocks] = {CCellLooks::s_first};
