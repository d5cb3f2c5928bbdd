#include "CGridCell.h"

#include "CGridCtrl.h"
#include "CGridDefaultCell.h"
#include "CInPlaceEdit.h"

static_assert(sizeof(CGridCell) <= 80, "a grid cell stays within 80 bytes (memory per cell)");

CGridCell::~CGridCell() = default;

void CGridCell::SetFont(const LOGFONTW* font)
{
    if (!font) {
        m_pFont.reset();
        return;
    }
    if (!m_pFont)
        m_pFont = std::make_unique<FontData>();
    m_pFont->font.DeleteObject();
    m_pFont->font.CreateFontIndirect(font);  // a failure leaves no handle: no own font
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat != static_cast<DWORD>(-1))
        return m_nFormat;
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetFormat() : 0;
}

COLORREF CGridCell::GetTextClr() const
{
    if (m_crFgClr != CLR_DEFAULT)
        return m_crFgClr;
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetTextClr() : CLR_DEFAULT;
}

COLORREF CGridCell::GetBackClr() const
{
    if (m_crBkClr != CLR_DEFAULT)
        return m_crBkClr;
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetBackClr() : CLR_DEFAULT;
}

LOGFONTW* CGridCell::GetFont() const
{
    if (HasOwnFont()) {
        if (!m_pFont->font.GetLogFont(&m_pFont->lf))
            return nullptr;
        return &m_pFont->lf;
    }
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetFont() : nullptr;
}

CFont* CGridCell::GetFontObject() const
{
    if (HasOwnFont())
        return &m_pFont->font;
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetFontObject() : nullptr;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin != -1)
        return static_cast<UINT>(m_nMargin);
    CGridCellBase* def = GetDefaultCell();
    return def ? def->GetMargin() : 0;
}

void CGridCell::ResetCell()
{
    CGridCellBase::ResetCell();
    m_strText.Empty();
    m_nImage = -1;
    m_lParam = 0;
    m_pGrid = nullptr;
    m_bEditing = false;
    m_pEditWnd = nullptr;
    m_nFormat = static_cast<DWORD>(-1);
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_nMargin = -1;
    m_nMaxLength = 0;
    m_pFont.reset();
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT ch)
{
    const UINT code = ch & ~GRID_TYPED_CHAR;
    if (m_bEditing) {
        if (m_pEditWnd)
            m_pEditWnd->SendMessage(WM_CHAR, code);
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
    m_bEditing = true;
    auto* editor = new CInPlaceEdit(grid, &rect, style, nID, nRow, nCol, GetText(), first, GetFontObject());
    if (!editor->HasWindow()) {
        delete editor;
        m_bEditing = false;
        return TRUE;
    }
    m_pEditWnd = editor;
    if (code >= 0x80)
        editor->SendMessage(WM_CHAR, code);
    if (m_nMaxLength)
        editor->SendMessage(EM_LIMITTEXT, m_nMaxLength);
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (auto* editor = dynamic_cast<CInPlaceEdit*>(m_pEditWnd))
        editor->EndInPlaceEdit();
}
