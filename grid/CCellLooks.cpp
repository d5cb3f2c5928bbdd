#include "CCellLooks.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <new>
#include <unordered_map>

#include "CSpinLock.h"
#include "afx.h"

namespace {

using Look = CCellLooks::Look;
using Id = CCellLooks::Id;

struct LookHash
{
    size_t operator()(const Look& look) const
    {
        std::uint64_t h = look.format;
        h = h * 0x9E3779B97F4A7C15ull ^ look.textClr;
        h = h * 0x9E3779B97F4A7C15ull ^ look.backClr;
        h = h * 0x9E3779B97F4A7C15ull ^ look.maxLength;
        return static_cast<size_t>(h ^ (h >> 29));
    }
};

// The looks asked for last, by hash: a grid being filled asks for the same
// few again and again, and a hit skips the map.
constexpr size_t kRecent = 64;

} // namespace

// The looks made so far, and the map from a look to its id.
class CCellLookTable
{
public:
    CCellLookTable() { m_ids.emplace(Look(), CCellLooks::kUnset); }

    Id Of(const Look& look)
    {
        const size_t hash = LookHash()(look);
        std::lock_guard<CSpinLock> guard(m_lock);
        Id& recent = m_recent[hash % kRecent];
        if (CCellLooks::Get(recent) == look)
            return recent;
        auto found = m_ids.find(look);
        recent = found != m_ids.end() ? found->second : Add(look);
        return recent;
    }

private:
    Id Add(const Look& look)
    {
        const Id id = m_count;
        const size_t block = id / CCellLooks::kBlockLooks;
        if (block >= CCellLooks::kMaxBlocks)
            AfxThrowMemoryException();
        std::atomic<Look*>& slot = CCellLooks::s_blocks[block];
        Look* looks = slot.load(std::memory_order_relaxed);
        try {
            if (!looks) {
                looks = new Look[CCellLooks::kBlockLooks];
                slot.store(looks, std::memory_order_release);
            }
            looks[id % CCellLooks::kBlockLooks] = look;
            m_ids.emplace(look, id);
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        }
        ++m_count;
        return id;
    }

    Id m_count = 1;  // the unset look is there from the start
    std::unordered_map<Look, Id, LookHash> m_ids;
    Id m_recent[kRecent] = {};  // every slot starts at the unset look
    CSpinLock m_lock;
};

CCellLooks::Id CCellLooks::Of(const Look& look)
{
    // Made on first use and never destroyed: cells of static objects may go
    // after every other static.
    static CCellLookTable* table = new CCellLookTable;
    return table->Of(look);
}
