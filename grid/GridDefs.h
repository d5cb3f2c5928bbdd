// The grid's records and codes: cell state bits, item mask bits,
// notification codes and the records exchanged with the parent window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "CCellID.h"
#include "CCellRange.h"
#include "layout.h"
#include "strings.h"

// Cell state bits.
constexpr UINT GRIDCELL_FOCUSED = 0x01;
constexpr UINT GRIDCELL_SELECTED = 0x02;
constexpr UINT GRIDCELL_DROPHILITED = 0x04;
constexpr UINT GRIDCELL_READONLY = 0x08;
constexpr UINT GRIDCELL_FIXED = 0x10;
constexpr UINT GRIDCELL_FIXEDROW = 0x20;
constexpr UINT GRIDCELL_FIXEDCOL = 0x40;
constexpr UINT GRIDCELL_MODIFIED = 0x80;

// Item mask bits of S_GRID_ITEM.
constexpr UINT GRIDITEM_TEXT = 0x001;
constexpr UINT GRIDITEM_IMAGE = 0x002;
constexpr UINT GRIDITEM_DATA = 0x004;
constexpr UINT GRIDITEM_STATE = 0x008;
constexpr UINT GRIDITEM_BKCLR = 0x010;
constexpr UINT GRIDITEM_FGCLR = 0x020;
constexpr UINT GRIDITEM_FORMAT = 0x040;
constexpr UINT GRIDITEM_FONT = 0x080;
constexpr UINT GRIDITEM_MARGIN = 0x100;
constexpr UINT GRIDITEM_MAXLEN = 0x200;

// Notification codes: the common-control codes' values.
constexpr UINT GRIDN_CLICK = NM_CLICK;                   // -2
constexpr UINT GRIDN_DBLCLK = NM_DBLCLK;                 // -3
constexpr UINT GRIDN_RCLICK = NM_RCLICK;                 // -5
constexpr UINT GRIDN_SELCHANGING = LVN_ITEMCHANGING;     // -100
constexpr UINT GRIDN_SELCHANGED = LVN_ITEMCHANGED;       // -101
constexpr UINT GRIDN_BEGINDRAG = LVN_BEGINDRAG;          // -109
constexpr UINT GRIDN_CACHEHINT = LVN_ODCACHEHINT;        // -113
constexpr UINT GRIDN_BEGINEDIT = LVN_BEGINLABELEDITW;    // -175
constexpr UINT GRIDN_ENDEDIT = LVN_ENDLABELEDITW;        // -176
constexpr UINT GRIDN_GETDISPINFO = LVN_GETDISPINFOW;     // -177
constexpr UINT GRIDN_INPLACE_COMMAND = 1;
static_assert(static_cast<int>(GRIDN_CLICK) == -2 && static_cast<int>(GRIDN_SELCHANGED) == -101 &&
              static_cast<int>(GRIDN_CACHEHINT) == -113 && static_cast<int>(GRIDN_GETDISPINFO) == -177,
              "grid notification codes are the common-control codes");

// Grid line modes.
constexpr int GRIDLINES_NONE = 0;
constexpr int GRIDLINES_HORZ = 1;
constexpr int GRIDLINES_VERT = 2;
constexpr int GRIDLINES_BOTH = 3;

// Auto-size style bits.
constexpr UINT GRID_AUTOSIZE_FIXED = 0x1;
constexpr UINT GRID_AUTOSIZE_DATA = 0x2;

constexpr UINT GRID_DEFAULT_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
static_assert(GRID_DEFAULT_FORMAT == 0x8824, "default cell format");

constexpr UINT GRID_INPLACE_ID = 8;           // child id of the in-place editor
// Marks a first character that was typed (WM_CHAR, WM_IME_CHAR), not a key
// that moved the focus: typed codes 33 to 40 are characters, not arrows.
constexpr UINT GRID_TYPED_CHAR = 0x10000;
constexpr UINT GRID_AUTOSCROLL_TIMER = 0x201;
constexpr UINT GRID_DEFAULT_ID = 6000;        // control id of Create
constexpr DWORD GRID_DEFAULT_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
static_assert(GRID_DEFAULT_STYLE == 0x50810000, "grid window style");

#define GRIDCTRL_CLASSNAME L"EcrGridCtrl"
#define TITLETIP_CLASSNAME L"EcrTitleTip"

// The item record of SetItem / GetItem and of the virtual mode.
struct S_GRID_ITEM
{
    int row;
    int col;
    UINT mask;
    UINT nState;
    UINT nFormat;
    int iImage;
    COLORREF crBkClr;
    COLORREF crFgClr;
    LPARAM lParam;
    LOGFONTW lfFont;
    UINT nMargin;
    CString strText;
    int nMaxLength;
};

struct S_GRID_NOTIFY
{
    NMHDR hdr;
    int iRow;
    int iColumn;
};

struct S_GRID_DISPINFO
{
    NMHDR hdr;
    S_GRID_ITEM item;
};

struct S_GRID_CACHEHINT
{
    NMHDR hdr;
    CCellRange range;
};

// The records' layouts, which a grid's parent reads, in each build.
static_assert(sizeof(LOGFONTW) == 92, "wide LOGFONT");
static_assert(offsetof(S_GRID_ITEM, lParam) == 32 && offsetof(S_GRID_ITEM, lfFont) == ByBuild(36, 40) &&
                  offsetof(S_GRID_ITEM, nMargin) == ByBuild(128, 132) &&
                  offsetof(S_GRID_ITEM, strText) == ByBuild(132, 136) && sizeof(S_GRID_ITEM) == ByBuild(140, 152),
              "S_GRID_ITEM layout");
static_assert(sizeof(S_GRID_NOTIFY) == ByBuild(20, 32) && offsetof(S_GRID_NOTIFY, iColumn) == ByBuild(16, 28),
              "S_GRID_NOTIFY layout");
static_assert(offsetof(S_GRID_DISPINFO, item) == ByBuild(12, 24), "S_GRID_DISPINFO layout");
static_assert(offsetof(S_GRID_CACHEHINT, range) == ByBuild(12, 24) && sizeof(S_GRID_CACHEHINT) == ByBuild(28, 40),
              "S_GRID_CACHEHINT layout");

// The framework's edit command ids, which the grid answers.
#ifndef ID_EDIT_COPY
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_SELECT_ALL 0xE12A
#endif
