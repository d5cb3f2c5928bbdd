// The pool the grid's cells and their texts come from, the looks they share,
// and cells that move out of line only what they set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "CCellLooks.h"
#include "CCellText.h"
#include "CGridCell.h"
#include "CGridCellPool.h"
#include "CGridCtrl.h"

TEST(GridCellPool, BlocksAreDistinctAlignedAndChunksGoBackWhenEmpty)
{
    CGridCellPool pool(36);
    EXPECT_EQ(40u, pool.BlockSize());
    std::vector<void*> blocks;
    for (int i = 0; i < 5000; ++i)  // a few chunks' worth
        blocks.push_back(pool.Allocate());
    EXPECT_GT(pool.ChunkCount(), 2u);
    std::set<void*> distinct(blocks.begin(), blocks.end());
    EXPECT_EQ(blocks.size(), distinct.size());
    for (void* block : blocks)
        EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(block) % CGridCellPool::kAlignment);
    // Blocks never overlap: each keeps what was written into it.
    for (size_t i = 0; i < blocks.size(); ++i)
        std::fill_n(static_cast<unsigned char*>(blocks[i]), 40, static_cast<unsigned char>(i));
    for (size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(static_cast<unsigned char>(i), static_cast<unsigned char*>(blocks[i])[39]);

    // Every other block freed: nothing goes back, the freed ones are reused.
    const size_t chunks = pool.ChunkCount();
    for (size_t i = 0; i < blocks.size(); i += 2)
        pool.Free(blocks[i]);
    EXPECT_EQ(chunks, pool.ChunkCount());
    for (size_t i = 0; i < blocks.size(); i += 2)
        blocks[i] = pool.Allocate();
    EXPECT_EQ(chunks, pool.ChunkCount());

    // All freed: the empty chunks stay for the next blocks.
    for (void* block : blocks)
        pool.Free(block);
    EXPECT_EQ(chunks, pool.ChunkCount());
    for (void*& block : blocks)
        block = pool.Allocate();
    EXPECT_EQ(chunks, pool.ChunkCount());
    for (void* block : blocks)
        pool.Free(block);
}

TEST(GridCellPool, EmptyChunksKeptStayWithinTheLimit)
{
    // Two blocks a chunk; more chunks than the pools may keep empty.
    CGridCellPool pool(CGridCellPool::kChunkBytes / 2);
    const size_t limit = CGridCellPool::kKeptBytes / CGridCellPool::kChunkBytes;
    std::vector<void*> blocks;
    for (size_t i = 0; i < 2 * (limit + 40); ++i)
        blocks.push_back(pool.Allocate());
    EXPECT_EQ(limit + 40, pool.ChunkCount());
    for (void* block : blocks)
        pool.Free(block);
    EXPECT_LE(pool.ChunkCount(), limit + 1);  // its own one beyond the shared limit
    EXPECT_GE(pool.ChunkCount(), 1u);
}

TEST(GridCellPool, ThreadsShareItSafely)
{
    CGridCellPool pool(40);
    auto churn = [&pool] {
        std::vector<void*> mine;
        for (int round = 0; round < 20; ++round) {
            for (int i = 0; i < 2000; ++i) {
                mine.push_back(pool.Allocate());
                *static_cast<void**>(mine.back()) = &mine;
            }
            for (void* block : mine)
                ASSERT_EQ(&mine, *static_cast<void**>(block));  // nobody else was given it
            for (void* block : mine)
                pool.Free(block);
            mine.clear();
        }
    };
    std::thread a(churn), b(churn);
    a.join();
    b.join();
    // Every block came back: one round's worth fits the chunks kept.
    const size_t chunks = pool.ChunkCount();
    std::vector<void*> again;
    for (int i = 0; i < 2000; ++i)
        again.push_back(pool.Allocate());
    EXPECT_EQ(chunks, pool.ChunkCount());
    for (void* block : again)
        pool.Free(block);
}

TEST(GridCellPool, PooledAndHeapCellsMixInOneGrid)
{
    // Cells made and destroyed through the grid, derived cell classes from
    // the heap beside them: each goes back where it came from.
    struct WideCell : CGridCell
    {
        char extra[64] = {};
    };
    {
        CGridCtrl grid;
        grid.SetRowCount(3000);
        grid.SetColumnCount(3);
        grid.SetItemText(2999, 2, L"last");
        grid.SetCellType<WideCell>();
        grid.SetColumnCount(5);  // two columns of wide cells
        EXPECT_NE(nullptr, dynamic_cast<WideCell*>(grid.GetCell(10, 4)));
        EXPECT_EQ(nullptr, dynamic_cast<WideCell*>(grid.GetCell(10, 2)));
        EXPECT_STREQ(L"last", grid.GetItemText(2999, 2));
        grid.SetRowCount(10);
        EXPECT_EQ(10, grid.GetRowCount());
    }
    CGridCell alone;  // a cell not made by new works as ever
    alone.SetText(L"x");
    EXPECT_STREQ(L"x", alone.GetText());
}

TEST(GridCell, ValuesKeptOutOfLineBehaveLikeTheOthers)
{
    CGridCtrl grid;
    CGridCell cell;
    // Unset values ask for nothing and read back as unset.
    cell.SetImage(-1);
    cell.SetData(0);
    cell.SetMargin(static_cast<UINT>(-1));
    EXPECT_EQ(-1, cell.GetImage());
    EXPECT_EQ(0, cell.GetData());
    EXPECT_EQ(0u, cell.GetMargin());  // no grid: no default cell
    EXPECT_FALSE(cell.IsEditing());
    EXPECT_EQ(nullptr, cell.GetEditWnd());

    cell.SetGrid(&grid);  // kept beside the values out of line once they come
    cell.SetImage(3);
    cell.SetData(77);
    cell.SetMargin(5);
    LOGFONTW lf = {};
    lf.lfHeight = -12;
    ::lstrcpyW(lf.lfFaceName, L"Tahoma");
    cell.SetFont(&lf);
    EXPECT_EQ(3, cell.GetImage());
    EXPECT_EQ(77, cell.GetData());
    EXPECT_EQ(&grid, cell.GetGrid());
    EXPECT_EQ(5u, cell.GetMargin());
    EXPECT_FALSE(cell.IsDefaultFont());
    ASSERT_NE(nullptr, cell.GetFont());
    EXPECT_EQ(-12, cell.GetFont()->lfHeight);
    cell.SetFont(nullptr);  // the own font goes, the other values stay
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(77, cell.GetData());

    CGridCell copy;
    copy.CopyFrom(cell);
    EXPECT_EQ(3, copy.GetImage());
    EXPECT_EQ(77, copy.GetData());
    EXPECT_EQ(5u, copy.GetMargin());

    CGridCell merged;
    merged.SetGrid(&grid);
    merged.SetMerged(true);
    merged.SetMerged(false);  // the unmerged values again: the record goes
    EXPECT_EQ(&grid, merged.GetGrid());
    EXPECT_TRUE(merged.IsUnmerged());

    cell.ResetCell();
    EXPECT_EQ(nullptr, cell.GetGrid());
    EXPECT_EQ(-1, cell.GetImage());
    EXPECT_EQ(0, cell.GetData());
    EXPECT_EQ(0u, cell.GetMargin());
    EXPECT_TRUE(cell.IsUnmerged());
    EXPECT_EQ(CCellID(), cell.GetMergeOwner());
}

// Texts on both sides of every block size, replaced by longer, shorter and
// their own text: each reads back whole.
TEST(CellText, EveryLengthReadsBackAndMayBeSetFromItself)
{
    std::vector<CCellText> texts(40);
    for (size_t n = 0; n < texts.size(); ++n)
        texts[n].Assign(std::wstring(n, L'a' + static_cast<wchar_t>(n % 26)).c_str());
    for (size_t n = 0; n < texts.size(); ++n) {
        EXPECT_EQ(std::wstring(n, L'a' + static_cast<wchar_t>(n % 26)), texts[n].Get()) << n;
        const std::wstring longer = std::wstring(texts[n].Get()) + L"xyz";
        texts[n].Assign(longer.c_str());
        texts[n].Assign(texts[n].Get());
        EXPECT_EQ(longer, texts[n].Get());
        texts[n].Assign(texts[n].Get() + longer.size() / 2);
        EXPECT_EQ(longer.substr(longer.size() / 2), texts[n].Get());
    }
    texts[5].Assign(nullptr);
    EXPECT_STREQ(L"", texts[5].Get());
    texts[6].Empty();
    EXPECT_STREQ(L"", texts[6].Get());
}

// Cells keep their format, colours and limit as the id of a shared look,
// beside their state bits.
TEST(CellLooks, EqualLooksShareAnIdThatKeepsItsLook)
{
    EXPECT_EQ(CCellLooks::Look(), CCellLooks::Get(CCellLooks::kUnset));
    CCellLooks::Look look;
    look.format = DT_RIGHT;
    look.backClr = RGB(1, 2, 3);
    look.maxLength = 13;
    const CCellLooks::Id id = CCellLooks::Of(look);
    EXPECT_EQ(id, CCellLooks::Of(look));
    EXPECT_EQ(look, CCellLooks::Get(id));
    look.textClr = RGB(4, 5, 6);
    EXPECT_NE(id, CCellLooks::Of(look));
    EXPECT_EQ(CCellLooks::kUnset, CCellLooks::Of(CCellLooks::Look()));

    // Thousands of looks: each id still reads back its own.
    std::vector<CCellLooks::Id> ids;
    for (UINT n = 0; n < 3000; ++n) {
        look.maxLength = 1000 + n;
        ids.push_back(CCellLooks::Of(look));
    }
    for (UINT n = 0; n < 3000; ++n)
        EXPECT_EQ(1000 + n, CCellLooks::Get(ids[n]).maxLength);

    CGridCell a, b;
    a.SetFormat(DT_CENTER);
    a.SetMaxLength(7);
    b.SetMaxLength(7);
    b.SetFormat(DT_CENTER);
    EXPECT_EQ(static_cast<DWORD>(DT_CENTER), b.GetFormat());
    EXPECT_EQ(7u, b.GetMaxLength());
    a.SetMaxLength(0);
    EXPECT_EQ(7u, b.GetMaxLength());  // a cell's change leaves the others' look

    // The look and the state bits share a word: each leaves the other.
    b.SetState(GRIDCELL_READONLY | GRIDCELL_MODIFIED);
    b.SetTextClr(RGB(9, 9, 9));
    EXPECT_EQ(static_cast<DWORD>(GRIDCELL_READONLY | GRIDCELL_MODIFIED), b.GetState());
    b.SetState(GRIDCELL_SELECTED);
    EXPECT_EQ(RGB(9, 9, 9), b.GetTextClr());
    EXPECT_EQ(7u, b.GetMaxLength());
    EXPECT_EQ(static_cast<DWORD>(GRIDCELL_SELECTED), b.GetState());
}
