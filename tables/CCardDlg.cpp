#include "CCardDlg.h"

#include <algorithm>
#include <cwchar>

#include "CCaptionManagerBase.h"
#include "CEcrData.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldCodec.h"
#include "FieldEditLimit.h"
#include "FieldRules.h"
#include "ProgramFolder.h"
#include "RegisterText.h"
#include "S_ECR_TABLE.h"
#include "TablesResources.h"

namespace {

constexpr COLORREF kGrey = 0xC0C0C0;  // read-only and disabled edit boxes
constexpr wchar_t kF5Character = 0xF8F3;  // the byte 0xFF in code page 932
// The fewest characters a combo box's text shows.
constexpr int kComboMinimumChars = 3;
// Where rows stand, in dialog units: the value column, and the caption of
// row n at kFirstRowY + n * kRowHeight.
constexpr int kValueX = 92;
constexpr int kFirstRowY = 51;
constexpr int kRowHeight = 22;

int RowY(int row)
{
    return kFirstRowY + row * kRowHeight;
}

// A drop-down list is as wide as its choices' field.
int ListWidth(const S_ECR_FIELD& field, const S_ECR_TABLE& lookup)
{
    return lookup.Fields()[field.LookupField].Width * 8;
}

// Captions of the card (window 4).
enum CardCaption { CAP_TITLE = 1, CAP_CLOSE = 2, CAP_DATANO = 3, CAP_PREVIOUS = 4, CAP_NEXT = 5, CAP_PAGE = 6 };

CString PageTitle(int page)
{
    CString title = CaptionText(WNDNO_CARD, CAP_PAGE, L"Page %d");
    CString number;
    number.Format(L"%d", page + 1);
    // Replaced as text: a caption is no format string to trust.
    title.Replace(L"%d", number);
    return title;
}

// The data group of a window, loaded when it was not yet.
CEcrData* LoadedGroup(int wndNo)
{
    CEcrData* group = GetEcrDataFromWndNo(wndNo);
    if (group && !group->Loaded)
        group->LoadData(nullptr);
    return group;
}

// The table that supplies a row's choices, or null when the field names
// none that exists.
const S_ECR_TABLE* LookupTable(const S_ECR_FIELD& field)
{
    CEcrData* group = LoadedGroup(field.LookupWndNo);
    if (!group || field.LookupTable < 0 || field.LookupTable >= group->GetTableCount())
        return nullptr;
    const S_ECR_TABLE* table = group->GetTable(field.LookupTable);
    if (!table || field.LookupField < 0 || field.LookupField >= table->FieldCount)
        return nullptr;
    return table;
}

// The lookup field's text of one lookup record, into a buffer a long fill reuses.
void ChoiceText(const S_ECR_TABLE& table, int record, int field, CString& text)
{
    const BYTE* bytes = FieldPtr(&table, record, field);
    if (!bytes || !FormatField(&table.Fields()[field], bytes, text))
        text.Empty();
}

int ControlWidth(CWnd& control)
{
    CRect rect;
    control.GetWindowRect(&rect);
    return rect.Width();
}

// Hides or enables a row control, which may not have been made yet.
void HideIfMade(CWnd& control)
{
    if (control.m_hWnd)
        control.ShowWindow(SW_HIDE);
}

void EnableIfMade(CWnd& control, bool enable)
{
    if (control.m_hWnd)
        control.EnableWindow(enable);
}

bool HasStyle(HWND hWnd, DWORD style)
{
    return (static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE)) & style) != 0;
}

// Each change to a control is a trip to the window system; a page or record
// change sets up ten rows, so what already holds is not set again.
void SetReadOnly(CEdit& edit, bool readOnly)
{
    if (HasStyle(edit.m_hWnd, ES_READONLY) != readOnly)
        edit.SetReadOnly(readOnly);
}

void SetText(CWnd& control, const CString& text)
{
    if (control.GetWindowText() != text)
        control.SetWindowText(text);
}

void SetTabStop(CWnd& control, bool on)
{
    control.ModifyStyle(on ? 0 : WS_TABSTOP, on ? WS_TABSTOP : 0);
}

// Adds count entries, the text of each from textOf(index, text): storage
// reserved, no redraw, and straight to the combo's own list, where
// CB_ADDSTRING would pass each entry on (one message an entry instead of
// two, and none through the control's wrapper). Tables hold up to 20,000
// records.
template <typename TextOf>
void AddEntries(CComboBox& combo, int count, TextOf textOf)
{
    combo.SetRedraw(FALSE);
    combo.SendMessage(CB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(count) * 16 * sizeof(wchar_t));
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    const HWND list = ::GetComboBoxInfo(combo.m_hWnd, &info) && info.hwndList ? info.hwndList : combo.m_hWnd;
    const UINT add = list == combo.m_hWnd ? CB_ADDSTRING : LB_ADDSTRING;
    CString text;
    for (int i = 0; i < count; ++i) {
        textOf(i, text);
        ::SendMessageW(list, add, 0, reinterpret_cast<LPARAM>(text.GetString()));
    }
    combo.SetRedraw(TRUE);
}

} // namespace

BEGIN_MESSAGE_MAP(CCardDlg, CEcrDialog)
    ON_WM_CTLCOLOR()
    ON_NOTIFY(TCN_SELCHANGING, IDC_CARD_TAB, &CCardDlg::OnTabChanging)
    ON_NOTIFY(TCN_SELCHANGE, IDC_CARD_TAB, &CCardDlg::OnTabChanged)
    ON_CBN_SELCHANGE(IDC_CARD_RECORD, &CCardDlg::OnRecordChanged)
    ON_CBN_DROPDOWN(IDC_CARD_RECORD, &CCardDlg::ListRecords)
    ON_BN_CLICKED(IDC_CARD_PREVIOUS, &CCardDlg::OnPrevious)
    ON_BN_CLICKED(IDC_CARD_NEXT, &CCardDlg::OnNext)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_CARD_EDIT, IDC_CARD_EDIT + 9, &CCardDlg::OnEditKillFocus)
    ON_CONTROL_RANGE(EN_SETFOCUS, IDC_CARD_EDIT, IDC_CARD_EDIT + 9, &CCardDlg::OnEditSetFocus)
    ON_CONTROL_RANGE(CBN_KILLFOCUS, IDC_CARD_COMBO, IDC_CARD_COMBO + 9, &CCardDlg::OnComboKillFocus)
    ON_CONTROL_RANGE(CBN_SETFOCUS, IDC_CARD_COMBO, IDC_CARD_COMBO + 9, &CCardDlg::OnComboSetFocus)
    ON_CONTROL_RANGE(CBN_EDITCHANGE, IDC_CARD_COMBO, IDC_CARD_COMBO + 9, &CCardDlg::OnComboEdited)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_CARD_COMBO, IDC_CARD_COMBO + 9, &CCardDlg::OnComboEdited)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CARD_OPTION1, IDC_CARD_OPTION3 + 9, &CCardDlg::OnOption)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_CARD_LIST, IDC_CARD_LIST + 9, &CCardDlg::OnListChanged)
END_MESSAGE_MAP()

CCardDlg::CCardDlg(S_ECR_TABLE* table, int record, CWnd* parent)
    : CEcrDialog(IDD_CARD, WNDNO_CARD, parent), Table(table), Record(record)
{
}

void CCardDlg::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CARD_TAB, m_tab);
    DDX_Control(dx, IDC_CARD_RECORD, m_record);
    DDX_Control(dx, IDC_CARD_DATANO, m_dataNo);
    DDX_Control(dx, IDCANCEL, m_close);
    DDX_Control(dx, IDC_CARD_PREVIOUS, m_previous);
    DDX_Control(dx, IDC_CARD_NEXT, m_next);
    DDX_Control(dx, IDC_CARD_STATUS, m_status);
}

// ---- opening ---------------------------------------------------------------------

BOOL CCardDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    if (!Table || Record < 1 || Record > Table->RecordCount) {
        EndDialog(IDCANCEL);  // nothing to edit
        return FALSE;
    }

    ValueColumn = DialogUnits(kValueX, 0, 0, 0).left;
    LoadedGroup(WNDNO_CARD);

    BindCaption(this, CAP_TITLE);
    BindCaption(&m_close, CAP_CLOSE);
    BindCaption(&m_dataNo, CAP_DATANO);
    BindCaption(&m_previous, CAP_PREVIOUS);
    BindCaption(&m_next, CAP_NEXT);

    m_tab.DeleteAllItems();
    ShowRecordNumber();

    const int level = EffectiveDisplayLevel();
    FieldMap.RemoveAll();
    for (int f = 0; f < Table->FieldCount; ++f)
        if (IsFieldVisible(Table->Fields()[f], level))
            FieldMap.Add(f);
    // One page even without a visible field: (0 - 1) / 10 + 1.
    const int pages = (static_cast<int>(FieldMap.GetSize()) - 1) / RowsPerPage + 1;
    for (int p = 0; p < pages; ++p)
        m_tab.InsertItem(p, PageTitle(p));

    m_tab.SetCurSel(0);
    // The first page's rows are made in order, each below the last; then
    // the tab control goes below them all, so that clicks and painting
    // reach the rows.
    m_opening = true;
    ShowPage(0);
    m_opening = false;
    ::SetWindowPos(m_tab.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateMoveButtons();

    m_grey.CreateSolidBrush(kGrey);
    CString folder = GetProgramFolder();
    m_previous.LoadImages(folder + L"previous.jpg", folder + L"previous_.jpg");
    m_next.LoadImages(folder + L"next.jpg", folder + L"next_.jpg");
    return TRUE;
}

// ---- pages, rows and records ---------------------------------------------------

int CCardDlg::FieldOfRow(int row) const
{
    const int at = Page * RowsPerPage + row;
    return row >= 0 && row < RowsPerPage && at < FieldMap.GetSize() ? FieldMap[at] : -1;
}

CString CCardDlg::ValueOf(const S_ECR_FIELD& field) const
{
    CString text;
    const int index = static_cast<int>(&field - Table->Fields());
    const BYTE* bytes = FieldPtr(Table, Record - 1, index);
    if (!bytes || !FormatField(&field, bytes, text))
        text.Empty();
    return text;
}

CComboBox& CCardDlg::RowBox(int row, bool list, int width)
{
    CComboBox& box = list ? m_list[row] : m_combo[row];
    if (box.m_hWnd) {
        PlaceValue(box, ValueColumn, width);
        return box;
    }
    // With a drop-down 120 dialog units high; made in place, as each move
    // costs the list window a move too.
    const CRect place = ValuePlace(row, ValueColumn, width, 120);
    const DWORD kind = list ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL;
    MakeRowControl(box, row, L"COMBOBOX", L"", WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | kind, 0, place,
                   (list ? IDC_CARD_LIST : IDC_CARD_COMBO) + row);
    return box;
}

CRect CCardDlg::DialogUnits(int x, int y, int width, int height) const
{
    CRect rect(x, y, x + width, y + height);
    ::MapDialogRect(m_hWnd, &rect);
    return rect;
}

CRect CCardDlg::ValuePlace(int row, int x, int width, int height) const
{
    CRect place = DialogUnits(kValueX, RowY(row) - 1, 0, height);
    place.left = x;
    place.right = x + width;
    return place;
}

void CCardDlg::MakeRowControl(CWnd& control, int row, const wchar_t* className, const wchar_t* text, DWORD style,
                              DWORD exStyle, const CRect& place, int id)
{
    HWND made = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY | exStyle, className, text, WS_CHILD | style, place.left,
                                  place.top, place.Width(), place.Height(), m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AfxGetInstanceHandle(), nullptr);
    if (!made || !control.SubclassWindow(made)) {
        if (made)
            ::DestroyWindow(made);
        AfxThrowResourceException();
    }
    control.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetFontHandle()), FALSE);
    if (!m_opening)
        ::SetWindowPos(made, PreviousRowControl(row, made), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND CCardDlg::PreviousRowControl(int row, HWND control) const
{
    // A row's controls in tab order: caption, edit box, list, combo box,
    // options, frame.
    const CWnd* order[] = {&m_caption[row], &m_edit[row], &m_list[row], &m_combo[row],
                           &m_option[row][0], &m_option[row][1], &m_option[row][2], &m_group[row]};
    HWND previous = row > 0 && m_group[row - 1].m_hWnd ? m_group[row - 1].m_hWnd : m_status.m_hWnd;
    for (const CWnd* made : order) {
        if (made->m_hWnd == control)
            break;
        if (made->m_hWnd)
            previous = made->m_hWnd;
    }
    return previous;
}

CEdit& CCardDlg::RowEdit(int row, int x, int width, const CString& text, bool readOnly, bool tabStop)
{
    CEdit& edit = m_edit[row];
    if (edit.m_hWnd) {
        PlaceValue(edit, x, width);
        return edit;
    }
    const CRect place = ValuePlace(row, x, width, 12);
    const DWORD style = WS_VISIBLE | ES_AUTOHSCROLL | (readOnly ? ES_READONLY : 0) | (tabStop ? WS_TABSTOP : 0);
    MakeRowControl(edit, row, L"EDIT", text, style, WS_EX_CLIENTEDGE, place, IDC_CARD_EDIT + row);
    return edit;
}

void CCardDlg::HideValueControls(int row)
{
    HideIfMade(m_edit[row]);
    HideIfMade(m_list[row]);
    HideIfMade(m_combo[row]);
    for (CButton& option : m_option[row])
        HideIfMade(option);
}

void CCardDlg::PlaceValue(CWnd& control, int x, int width)
{
    CRect rect;
    control.GetWindowRect(&rect);
    ScreenToClient(&rect);
    if (rect.left != x || rect.Width() != width)
        control.MoveWindow(x, rect.top, width, rect.Height(), FALSE);
}

void CCardDlg::ShowPage(int page)
{
    Page = page;
    SetText(m_status, L"");
    for (int n = 0; n < RowsPerPage; ++n) {
        const int field = FieldOfRow(n);
        if (field < 0) {
            HideIfMade(m_caption[n]);
            HideIfMade(m_group[n]);
            HideValueControls(n);
            continue;
        }
        // A control made now is made showing what it must.
        const CString label = LabelText(Table->Fields()[field].Label);
        if (!m_caption[n].m_hWnd) {
            MakeRowControl(m_caption[n], n, L"STATIC", label, WS_VISIBLE | SS_NOPREFIX | SS_CENTERIMAGE, 0,
                           DialogUnits(14, RowY(n), 74, 10), IDC_CARD_CAPTION + n);
        } else {
            SetText(m_caption[n], label);
            m_caption[n].ShowWindow(SW_SHOW);
        }
        SetupRow(field, n);
        if (!m_group[n].m_hWnd)
            MakeRowControl(m_group[n], n, L"BUTTON", L"", WS_VISIBLE | WS_GROUP | BS_GROUPBOX, 0,
                           DialogUnits(10, RowY(n) - 7, 312, 23), IDC_CARD_GROUP + n);
        else
            m_group[n].ShowWindow(SW_SHOW);
        SetRowState(field, n);
    }
    Invalidate(TRUE);
}

void CCardDlg::ListRecords()
{
    if (m_recordsListed || !Table)
        return;
    AddEntries(m_record, Table->RecordCount, [](int r, CString& text) { text.Format(L"%d", r + 1); });
    m_recordsListed = true;
    m_record.SetCurSel(Record - 1);
}

void CCardDlg::ShowRecordNumber()
{
    if (m_recordsListed) {
        m_record.SetCurSel(Record - 1);
        return;
    }
    CString number;
    number.Format(L"%d", Record);
    SetText(m_record, number);
}

void CCardDlg::ShowRecord(int record)
{
    SetText(m_status, L"");
    Record = record;
    ShowRecordNumber();
    // The enabled state follows each record's values, as the grid's cells do.
    for (int n = 0; n < RowsPerPage; ++n) {
        const int field = FieldOfRow(n);
        if (field >= 0) {
            SetupRow(field, n);
            SetRowState(field, n);
        }
    }
    UpdateMoveButtons();
}

void CCardDlg::UpdateMoveButtons()
{
    m_previous.EnableWindow(Record >= 2);
    m_next.EnableWindow(Record < Table->RecordCount);
}

void CCardDlg::SetupRow(int field, int row)
{
    const S_ECR_FIELD& f = Table->Fields()[field];
    // Only what this kind does not use is hidden: hiding the control that
    // has the focus would move the focus in the middle of a commit.
    const int kind = f.CardKind;
    if (kind != CARD_LIST)
        HideIfMade(m_list[row]);
    if (kind != CARD_COMBO)
        HideIfMade(m_combo[row]);
    if (kind != CARD_OPTIONS)
        for (CButton& option : m_option[row])
            HideIfMade(option);
    if (kind == CARD_COMBO) {
        HideIfMade(m_edit[row]);
        SetupCombo(f, row);
        return;
    }
    // Beside a list or options the edit box only shows the value chosen
    // there, and it leaves the Tab order once there are choices; a kind the
    // card does not edit still shows the value beside its caption,
    // read-only. A list's edit box stands where the list leaves it.
    const S_ECR_TABLE* lookup = kind == CARD_LIST || kind == CARD_OPTIONS ? LookupTable(f) : nullptr;
    const bool readOnly = kind != CARD_EDIT && (kind != CARD_OPTIONS || lookup);
    const bool tabStop = !readOnly || (kind == CARD_LIST && !lookup);
    const int x = kind == CARD_LIST && lookup ? ValueColumn + ListWidth(f, *lookup) + 10 : ValueColumn;
    const CString value = ValueOf(f);
    // A box made now holds the value, unmodified, in the style and showing.
    const bool made = !m_edit[row].m_hWnd;
    CEdit& edit = RowEdit(row, x, f.Width * 8 + 17, value, readOnly, tabStop);
    if (!made) {
        SetText(edit, value);
        edit.SetModify(FALSE);
        SetReadOnly(edit, readOnly);
        SetTabStop(edit, tabStop);
        edit.ShowWindow(SW_SHOW);
    }
    // Text comes into a box only while it has the focus (OnEditSetFocus).
    LimitEditToField(edit.m_hWnd, f, ::GetFocus() == edit.m_hWnd);
    if (kind == CARD_LIST)
        SetupList(f, row);
    else if (kind == CARD_OPTIONS)
        SetupOptions(f, row);
}

void CCardDlg::SetupList(const S_ECR_FIELD& field, int row)
{
    CEdit& edit = m_edit[row];
    const S_ECR_TABLE* lookup = LookupTable(field);
    const int listWidth = lookup ? ListWidth(field, *lookup) : ControlWidth(m_edit[row]);
    // A list made now is empty and showing.
    const bool made = !m_list[row].m_hWnd;
    CComboBox& list = RowBox(row, true, listWidth);
    if (!made) {
        if (list.GetCount() > 0)
            list.ResetContent();
        list.ShowWindow(SW_SHOW);
    }
    if (!lookup)
        return;
    const int minimum = static_cast<int>(field.Minimum);
    // A range one wider than the choices leaves the first entry for "none".
    const int none = static_cast<int>(field.Maximum) - minimum == lookup->RecordCount ? 1 : 0;
    const int count = lookup->RecordCount + none;
    AddEntries(list, count, [&](int i, CString& text) {
        if (i < none)
            text.Empty();
        else
            ChoiceText(*lookup, i - none, field.LookupField, text);
    });
    const int index = static_cast<int>(std::wcstol(edit.GetWindowText(), nullptr, 10)) - minimum;
    list.SetCurSel(index >= 0 && index < count ? index : -1);

    PlaceValue(edit, ValueColumn + listWidth + 10, ControlWidth(edit));
}

void CCardDlg::SetupOptions(const S_ECR_FIELD& field, int row)
{
    CEdit& edit = m_edit[row];
    const S_ECR_TABLE* lookup = LookupTable(field);
    // A row has three option buttons, whatever the lookup table holds.
    const int shown = !lookup ? 0 : lookup->RecordCount < 3 ? lookup->RecordCount : 3;
    for (int i = shown; i < 3; ++i)
        HideIfMade(m_option[row][i]);
    if (!lookup)
        return;
    const int index = static_cast<int>(std::wcstol(edit.GetWindowText(), nullptr, 10)) - static_cast<int>(field.Minimum);
    CClientDC dc(this);
    HGDIOBJ old = dc.SelectObject(static_cast<HGDIOBJ>(GetFontHandle()));
    int x = ValueColumn;
    for (int i = 0; i < shown; ++i) {
        CButton& option = m_option[row][i];
        CString text;
        ChoiceText(*lookup, i, field.LookupField, text);
        // The box and its text.
        const int width = dc.GetTextExtent(text, text.GetLength()).cx + ::GetSystemMetrics(SM_CXMENUCHECK) + 8;
        if (option.m_hWnd) {
            PlaceValue(option, x, width);
        } else {
            // The first option starts the row's group of options and is its Tab stop.
            CRect place = DialogUnits(kValueX, RowY(row), 0, 10);
            place.left = x;
            place.right = x + width;
            MakeRowControl(option, row, L"BUTTON", text, BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), 0,
                           place, IDC_CARD_OPTION1 + 10 * i + row);
        }
        SetText(option, text);
        option.SetCheck(i == index ? BST_CHECKED : BST_UNCHECKED);
        option.ShowWindow(SW_SHOW);
        x += width + 5;
    }
    dc.SelectObject(old);
    PlaceValue(edit, x - 5 + 10, ControlWidth(edit));
}

void CCardDlg::SetupCombo(const S_ECR_FIELD& field, int row)
{
    // Room for at least a short value beside the drop button, which takes
    // the whole of a one-character field's width.
    CComboBox& combo = RowBox(row, false, std::max(field.Width, kComboMinimumChars) * 8 + 17);
    const S_ECR_TABLE* lookup = LookupTable(field);
    if (!lookup || m_comboSource[row] != lookup || m_comboSourceField[row] != field.LookupField) {
        // Filled once per lookup table: a PLU list may hold 20,000 codes.
        combo.ResetContent();
        if (lookup)
            AddEntries(combo, lookup->RecordCount,
                       [&](int r, CString& text) { ChoiceText(*lookup, r, field.LookupField, text); });
        m_comboSource[row] = lookup;
        m_comboSourceField[row] = field.LookupField;
    }
    SetText(combo, ValueOf(field));
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (::GetComboBoxInfo(combo.m_hWnd, &info) && info.hwndItem)
        LimitEditToField(info.hwndItem, field, ::GetFocus() == info.hwndItem);
    combo.ShowWindow(SW_SHOW);
    ComboEdited[row] = FALSE;
}

void CCardDlg::SetRowState(int field, int row)
{
    const S_ECR_FIELD& f = Table->Fields()[field];
    // A field without record bytes (no data, record size 0) cannot take a value.
    const bool hasBytes = FieldPtr(Table, Record - 1, field) != nullptr;
    const bool editable = (f.Flags & FIELD_EDITABLE) != 0 && hasBytes;
    bool enable = editable;
    if (IsShadedOutOfRange(f, ValueOf(f))) {
        if (!editable) {
            HideValueControls(row);
            return;
        }
        enable = false;
    }
    // A value the user may not change is shown read-only, not disabled: a
    // disabled box greys its text on the grey background.
    const bool readOnlyValue = hasBytes && !editable;
    if (readOnlyValue && m_edit[row].m_hWnd) {
        SetReadOnly(m_edit[row], true);
        SetTabStop(m_edit[row], false);
    }
    EnableIfMade(m_edit[row], enable || readOnlyValue);
    EnableIfMade(m_list[row], enable);
    EnableIfMade(m_combo[row], enable);
    for (CButton& option : m_option[row])
        EnableIfMade(option, enable);
}

// ---- committing --------------------------------------------------------------------

BOOL CCardDlg::CommitRow(int row)
{
    const int field = FieldOfRow(row);
    if (!Table || field < 0)
        return FALSE;
    const S_ECR_FIELD& f = Table->Fields()[field];
    const bool combo = f.CardKind == CARD_COMBO;
    CString text = combo ? m_combo[row].GetWindowText() : m_edit[row].GetWindowText();
    // As in the grid, a text equal to the shown value is not stored again:
    // amounts and texts with two codes for a character would drift.
    if (text == ValueOf(f))
        return TRUE;
    CString refusal;
    if (!CheckFieldValue(Table, field, Record - 1, text, refusal)) {
        AfxMessageBox(refusal, MB_OK);
        return FALSE;
    }

    // Never split a double-byte character at the field's end.
    const CString fitted = FitFieldText(f, text);
    if (fitted != text) {
        if (!FieldTextFits(f, text))
            AfxMessageBox(CutTextMessage(f, fitted), MB_OK);
        text = fitted;
        if (combo)
            m_combo[row].SetWindowText(text);
        else
            m_edit[row].SetWindowText(text);
    }
    BYTE* bytes = FieldPtr(Table, Record - 1, field);
    if (!bytes || !ParseField(&f, text, bytes))
        return FALSE;
    Changed = TRUE;
    return TRUE;
}

BOOL CCardDlg::CommitAndShow(int row, CWnd& control)
{
    // A message box or a re-shown row moves the focus; those moves commit nothing.
    m_committing = true;
    const BOOL accepted = CommitRow(row);
    const int field = FieldOfRow(row);
    if (field >= 0) {
        SetupRow(field, row);
        SetRowState(field, row);
    }
    if (!accepted) {
        control.SetFocus();
        if (&control == &m_combo[row])
            m_combo[row].SetEditSel(0, -1);
        else
            m_edit[row].SetSel(0, -1);
    }
    m_committing = false;
    return accepted;
}

int CCardDlg::RowOfWindow(HWND hWnd, bool& inCombo) const
{
    inCombo = false;
    for (int n = 0; n < RowsPerPage; ++n) {
        if (hWnd == m_edit[n].m_hWnd)
            return n;
        if (hWnd && m_combo[n].m_hWnd && (hWnd == m_combo[n].m_hWnd || ::GetParent(hWnd) == m_combo[n].m_hWnd)) {
            inCombo = true;
            return n;
        }
    }
    return -1;
}

BOOL CCardDlg::CommitFocusedRow()
{
    bool inCombo = false;
    const int row = RowOfWindow(::GetFocus(), inCombo);
    if (row < 0)
        return TRUE;
    if (inCombo ? !ComboEdited[row] : !m_edit[row].GetModify())
        return TRUE;
    return CommitAndShow(row, inCombo ? static_cast<CWnd&>(m_combo[row]) : m_edit[row]);
}

// ---- events --------------------------------------------------------------------------

void CCardDlg::OnEditKillFocus(UINT id)
{
    const int row = static_cast<int>(id) - IDC_CARD_EDIT;
    SetText(m_status, L"");
    if (m_committing || !m_edit[row].GetModify())
        return;
    const BOOL accepted = CommitAndShow(row, m_edit[row]);
    if (accepted && TabPending) {
        TabPending = FALSE;
        if (HWND next = ::GetNextDlgTabItem(m_hWnd, m_edit[row].m_hWnd, FALSE))
            GotoDlgCtrl(CWnd::FromHandle(next));
    }
}

void CCardDlg::OnComboKillFocus(UINT id)
{
    const int row = static_cast<int>(id) - IDC_CARD_COMBO;
    SetText(m_status, L"");
    if (m_committing || !ComboEdited[row])
        return;
    const BOOL accepted = CommitAndShow(row, m_combo[row]);
    if (accepted && TabPending) {
        TabPending = FALSE;
        if (HWND next = ::GetNextDlgTabItem(m_hWnd, m_combo[row].m_hWnd, FALSE))
            GotoDlgCtrl(CWnd::FromHandle(next));
    }
}

void CCardDlg::OnComboEdited(UINT id)
{
    ComboEdited[static_cast<int>(id) - IDC_CARD_COMBO] = TRUE;
}

void CCardDlg::OnEditSetFocus(UINT id)
{
    const int row = static_cast<int>(id) - IDC_CARD_EDIT;
    const int field = FieldOfRow(row);
    if (field >= 0)
        LimitEditToField(m_edit[row].m_hWnd, Table->Fields()[field]);
    ShowHint(row);
}

void CCardDlg::OnComboSetFocus(UINT id)
{
    const int row = static_cast<int>(id) - IDC_CARD_COMBO;
    const int field = FieldOfRow(row);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (field >= 0 && ::GetComboBoxInfo(m_combo[row].m_hWnd, &info) && info.hwndItem)
        LimitEditToField(info.hwndItem, Table->Fields()[field]);
    ShowHint(row);
}

void CCardDlg::ShowHint(int row)
{
    const int field = FieldOfRow(row);
    if (field < 0)
        return;
    const S_ECR_FIELD& f = Table->Fields()[field];
    CString hint;
    if (f.CardKind == CARD_EDIT || f.CardKind == CARD_COMBO) {
        S_ECR_CAP* cap = FindCaption(WNDNO_DATA_ITEMS, f.Label.CaptionNo);
        if (cap && cap->TipOn)
            hint = cap->TipText;
        if (f.CheckMode == CHECK_RANGE && f.Minimum != f.Maximum)
            hint += L"   (" + RangeMessage(f) + L")";
        hint.Replace(L"\r\n", L" / ");
    }
    m_status.SetWindowText(hint);
}

void CCardDlg::OnOption(UINT id)
{
    const int offset = static_cast<int>(id) - IDC_CARD_OPTION1;
    const int row = offset % RowsPerPage;
    const int field = FieldOfRow(row);
    if (field < 0)
        return;
    CString value;
    value.Format(L"%d", offset / RowsPerPage + static_cast<int>(Table->Fields()[field].Minimum));
    m_edit[row].SetWindowText(value);
    CommitAndShow(row, m_edit[row]);
}

void CCardDlg::OnListChanged(UINT id)
{
    const int row = static_cast<int>(id) - IDC_CARD_LIST;
    const int field = FieldOfRow(row);
    const int selected = m_list[row].GetCurSel();
    if (field < 0 || selected < 0)
        return;
    CString value;
    value.Format(L"%d", selected + static_cast<int>(Table->Fields()[field].Minimum));
    m_edit[row].SetWindowText(value);
    CommitAndShow(row, m_list[row]);
}

void CCardDlg::OnTabChanging(NMHDR*, LRESULT* result)
{
    // A refused value keeps its page on screen.
    *result = CommitFocusedRow() ? 0 : TRUE;
    if (!*result)
        m_record.SetFocus();
}

void CCardDlg::OnTabChanged(NMHDR*, LRESULT* result)
{
    ShowPage(m_tab.GetCurSel());
    *result = 0;
}

void CCardDlg::OnRecordChanged()
{
    const int selected = m_record.GetCurSel();
    if (selected >= 0)
        ShowRecord(selected + 1);
}

void CCardDlg::OnPrevious()
{
    if (Record > 1)
        ShowRecord(Record - 1);
}

void CCardDlg::OnNext()
{
    if (Record < Table->RecordCount)
        ShowRecord(Record + 1);
}

void CCardDlg::OnOK()
{
    // Enter commits rows (see PreTranslateMessage); it never closes the card.
}

void CCardDlg::OnCancel()
{
    // Esc keeps what was typed: the row commits first, and a refused value
    // keeps the card open.
    if (!CommitFocusedRow())
        return;
    CEcrDialog::OnCancel();
}

HBRUSH CCardDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT type)
{
    HBRUSH brush = CEcrDialog::OnCtlColor(dc, wnd, type);
    const int id = wnd ? wnd->GetDlgCtrlID() : 0;
    if (type == CTLCOLOR_STATIC && id >= IDC_CARD_EDIT && id < IDC_CARD_EDIT + RowsPerPage && m_grey.m_hObject) {
        dc->SetBkColor(kGrey);
        return m_grey;
    }
    return brush;
}

// ---- keys ------------------------------------------------------------------------------

BOOL CCardDlg::PreTranslateMessage(MSG* msg)
{
    // Keys and the wheel that move through the record box's list find it filled.
    const bool inRecordBox = msg->hwnd == m_record.m_hWnd || ::GetParent(msg->hwnd) == m_record.m_hWnd;
    if (inRecordBox && (msg->message == WM_MOUSEWHEEL || msg->message == WM_SYSKEYDOWN ||
                        (msg->message == WM_KEYDOWN && (msg->wParam == VK_UP || msg->wParam == VK_DOWN ||
                                                        msg->wParam == VK_PRIOR || msg->wParam == VK_NEXT ||
                                                        msg->wParam == VK_F4))))
        ListRecords();
    if (msg->message != WM_KEYDOWN) {
        TabPending = FALSE;
        return CEcrDialog::PreTranslateMessage(msg);
    }
    bool inCombo = false;
    const int row = RowOfWindow(msg->hwnd, inCombo);
    switch (msg->wParam) {
    case VK_TAB:
        TabPending = TRUE;
        break;
    case VK_F5:
        if (row >= 0 && Table->Fields()[FieldOfRow(row)].Type() == FIELD_TEXT &&
            !HasStyle(msg->hwnd, ES_READONLY)) {
            const wchar_t typed[2] = {kF5Character, 0};
            ::SendMessageW(msg->hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed));
            if (inCombo)
                ComboEdited[row] = TRUE;
            return TRUE;
        }
        break;
    case VK_RETURN:
        if (::GetParent(msg->hwnd) == m_record.m_hWnd) {
            wchar_t* end = nullptr;
            const CString text = m_record.GetWindowText();
            const long number = std::wcstol(text, &end, 10);
            if (!text.IsEmpty() && end && *end == 0 && number >= 1 && number <= Table->RecordCount)
                ShowRecord(static_cast<int>(number));
            return TRUE;
        }
        if (row >= 0) {
            // Through the record box and back: the row commits on the way.
            CWnd* control = inCombo ? static_cast<CWnd*>(&m_combo[row]) : &m_edit[row];
            m_record.SetFocus();
            if (::GetFocus() == m_record.m_hWnd || ::GetParent(::GetFocus()) == m_record.m_hWnd)
                control->SetFocus();
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CEcrDialog::PreTranslateMessage(msg);
}
