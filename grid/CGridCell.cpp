#include "CGridCell.h"

#include "CGridCellPool.h"

#include "CGridCtrl.h"
#include "CGridDefaultCell.h"
#include "CInPlaceEdit.h"
#include "layout.h"

static_assert(sizeof(CGridCell) <= ByBuild(32, 40), "a grid cell stays within 32 bytes, 40 in the 64-bit build");
static_assert(CCellLooks::kMaxLooks - 1 <= (0xFFFFFFFFu >> 8), "a look's id fits above the state bits");
static_assert((GRIDCELL_FOCUSED | GRIDCELL_SELECTED | GRIDCELL_DROPHILITED | GRIDCELL_READONLY | GRIDCELL_FIXED |
               GRIDCELL_FIXEDROW | GRIDCELL_FIXEDCOL | GRIDCELL_MODIFIED) <= 0xFF,
              "the grid's state bits fit beside the look");
static_assert(alignof(CGridCell) <= CGridCellPool::kAlignment, "the pool's blocks fit a cell");
// With its slot in its row, a cell takes at most 48 bytes, a short text
// included, in either build; its row's own vector adds about 2 per cell (20
// columns).
static_assert(CGridCellPool::BlockSizeFor(sizeof(CGridCell)) + sizeof(CGridCellBase*) <= 48,
              "a pooled cell and its slot stay within 48 bytes");

namespace {

// Made on first use and never destroyed: cells of static objects may go
// after every other static.
CGridCellPool& CellPool()
{
    static CGridCellPool* pool = new CGridCellPool(sizeof(CGridCell));
    return *pool;
}

} // namespace

void* CGridCell::operator new(size_t size)
{
    CGridCellPool& pool = CellPool();
    return size <= pool.BlockSize() ? pool.Allocate() : ::operator new(size);
}

void CGridCell::operator delete(void* block, size_t size)
{
    CGridCellPool& pool = CellPool();
    if (size <= pool.BlockSize())
        pool.Free(block);
    else
        ::operator delete(block);
}

CGridCell::~CGridCell()
{
    DropMore();
}

CGridCell::More& CGridCell::MakeMore()
{
    if (!HasMore()) {
        auto* more = new More;
        static_assert(alignof(More) > kMoreBit, "the record's address leaves the bit free");
        more->grid = LinkedGrid();
        m_link = reinterpret_cast<std::uintptr_t>(more) | kMoreBit;
    }
    return *MoreRecord();
}

void CGridCell::DropMore() noexcept
{
    if (!HasMore())
        return;
    CGridCtrl* grid = MoreRecord()->grid;
    delete MoreRecord();
    LinkGrid(grid);
}

void CGridCell::DropMoreIfUnset() noexcept
{
    const More* more = HasMore() ? MoreRecord() : nullptr;
    if (more && !more->data && more->image == -1 && more->margin == -1 && !more->editing && !more->editor &&
        !more->font && !more->merge)
        DropMore();
}

void CGridCell::SetGrid(CGridCtrl* grid)
{
    static_assert(alignof(CGridCtrl) > kMoreBit, "a grid's address leaves the bit free");
    if (HasMore())
        MoreRecord()->grid = grid;
    else
        LinkGrid(grid);
}

CGridCell::FontData& CGridCell::MakeFontData()
{
    More& more = MakeMore();
    if (!more.font)
        more.font = std::make_unique<FontData>();
    return *more.font;
}

const CGridCellBase::MergeFields* CGridCell::MergeData() const
{
    return HasMore() ? MoreRecord()->merge.get() : nullptr;
}

CGridCellBase::MergeFields& CGridCell::MakeMergeData()
{
    More& more = MakeMore();
    if (!more.merge)
        more.merge = std::make_unique<MergeFields>();
    return *more.merge;
}

void CGridCell::DropMergeData()
{
    if (!HasMore())
        return;
    MoreRecord()->merge.reset();
    DropMoreIfUnset();
}

void CGridCell::SetImage(int image)
{
    if (HasMore() || image != -1)
        MakeMore().image = image;
}

void CGridCell::SetData(LPARAM data)
{
    if (HasMore() || data != 0)
        MakeMore().data = data;
}

void CGridCell::SetMargin(UINT margin)
{
    if (HasMore() || static_cast<int>(margin) != -1)
        MakeMore().margin = static_cast<int>(margin);
}

void CGridCell::SetFont(const LOGFONTW* font)
{
    if (!font) {
        if (HasMore())
            MoreRecord()->font.reset();
        return;
    }
    FontData& own = MakeFontData();
    own.font.DeleteObject();
    own.font.CreateFontIndirect(font);  // a failure leaves no handle: no own font
}

DWORD CGridCell::GetFormat() const
{
    if (OwnFormat() != static_cast<DWORD>(-1))
        return OwnFormat();
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetFormat() : 0;
}

COLORREF CGridCell::GetTextClr() const
{
    if (OwnTextClr() != CLR_DEFAULT)
        return OwnTextClr();
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetTextClr() : CLR_DEFAULT;
}

COLORREF CGridCell::GetBackClr() const
{
    if (OwnBackClr() != CLR_DEFAULT)
        return OwnBackClr();
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetBackClr() : CLR_DEFAULT;
}

LOGFONTW* CGridCell::GetFont() const
{
    if (HasOwnFont()) {
        FontData* own = OwnFontData();
        if (!own->font.GetLogFont(&own->lf))
            return nullptr;
        return &own->lf;
    }
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetFont() : nullptr;
}

CFont* CGridCell::GetFontObject() const
{
    if (HasOwnFont())
        return &OwnFontData()->font;
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetFontObject() : nullptr;
}

UINT CGridCell::GetMargin() const
{
    if (OwnMargin() != -1)
        return static_cast<UINT>(OwnMargin());
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetMargin() : 0;
}

void CGridCell::ResetCell()
{
    m_text.Empty();
    DropMore();  // data, image, margin, editing state, own font and merged-block fields
    m_link = 0;
    m_lookAndState = CCellLooks::kUnset << kLookShift;
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT ch)
{
    const UINT code = ch & ~GRID_TYPED_CHAR;
    if (IsEditing()) {
        if (CWnd* running = GetEditWnd())
            running->SendMessage(WM_CHAR, code);
        return TRUE;
    }
    CGridCtrl* grid = GetGrid();
    if (!grid)
        return TRUE;
    // A multi-line editor scrolls down rather than refuse a line break that
    // passes the cell's bottom.
    const DWORD style = (GetFormat() & DT_WORDBREAK) ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL : 0;
    // A composed character (0x80 and above) replaces the text once the
    // editor has selected it all.
    const UINT first = code < 0x80 ? ch : VK_END;
    MakeMore().editing = true;
    auto* editor = new CInPlaceEdit(grid, &rect, style, nID, nRow, nCol, GetText(), first, GetFontObject());
    if (!editor->HasWindow()) {
        delete editor;
        MakeMore().editing = false;
        return TRUE;
    }
    MakeMore().editor = editor;
    if (code >= 0x80)
        editor->SendMessage(WM_CHAR, code);
    if (const UINT limit = Look().maxLength)
        editor->SendMessage(EM_LIMITTEXT, limit);
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (auto* editor = dynamic_cast<CInPlaceEdit*>(GetEditWnd()))
        editor->EndInPlaceEdit();
}

void CGridCell::OnEndEdit()
{
    if (HasMore()) {
        MoreRecord()->editing = false;
        MoreRecord()->editor = nullptr;
    }
}
