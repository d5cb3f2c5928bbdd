#pragma once

#include "CEcrDialog.h"
#include "CPictureButton.h"
#include "afx.h"

struct S_ECR_FIELD;
struct S_ECR_TABLE;

// The record card: one record of one table, field by field, on pages of ten
// rows. Each row edits its field by the field's card kind: an edit box, a
// drop-down list of choices, up to three option buttons or an editable combo
// box, the choices coming from a lookup table. Every accepted value goes
// straight into the record bytes; Changed tells the caller afterwards
// whether any was written.
//
// A card for no table or for a record outside 1 .. record count closes at
// once and writes nothing.
class CCardDlg : public CEcrDialog
{
public:
    static constexpr int RowsPerPage = 10;

    // record counts from 1.
    CCardDlg(S_ECR_TABLE* table, int record, CWnd* parent = nullptr);

    S_ECR_TABLE* Table;
    int Record;
    int Page = 0;
    CArray<int, int> FieldMap;  // the visible fields, in field order
    BOOL TabPending = FALSE;
    BOOL Changed = FALSE;       // a row wrote the record
    BOOL ComboEdited[RowsPerPage] = {};
    int ValueColumn = 0;        // client x where every row's value control starts

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT type);
    void OnTabChanging(NMHDR* header, LRESULT* result);
    void OnTabChanged(NMHDR* header, LRESULT* result);
    void OnRecordChanged();
    // The record box lists every record number from its first drop-down
    // or list key on: a table may hold 20,000 records, and most opens of
    // the card never look at the list.
    void ListRecords();
    void OnPrevious();
    void OnNext();
    void OnEditKillFocus(UINT id);
    void OnEditSetFocus(UINT id);
    void OnComboKillFocus(UINT id);
    void OnComboSetFocus(UINT id);
    void OnComboEdited(UINT id);
    void OnOption(UINT id);
    void OnListChanged(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    void ShowPage(int page);
    void ShowRecord(int record);
    void ShowRecordNumber();
    void SetupRow(int field, int row);
    void SetRowState(int field, int row);
    void SetupList(const S_ECR_FIELD& field, int row);
    void SetupOptions(const S_ECR_FIELD& field, int row);
    void SetupCombo(const S_ECR_FIELD& field, int row);
    BOOL CommitRow(int row);
    // Commits the row that has the focus when it holds an edit; FALSE when
    // the value was refused (the focus is back in the row then).
    BOOL CommitFocusedRow();
    // Commits a row and shows it again from the record; on a refusal the
    // focus goes back to the control with its text selected.
    BOOL CommitAndShow(int row, CWnd& control);
    void UpdateMoveButtons();
    void ShowHint(int row);
    int FieldOfRow(int row) const;
    // The row whose edit box, or combo box or its edit part, is this window; -1 when none.
    int RowOfWindow(HWND hWnd, bool& inCombo) const;
    CString ValueOf(const S_ECR_FIELD& field) const;
    // A row's controls are made when a page first shows the row or a field
    // first needs them, in place: the card opens with only what it shows.
    // The row's edit box, at x and width pixels wide; made showing text,
    // with the read-only and Tab stop styles given.
    CEdit& RowEdit(int row, int x, int width, const CString& text, bool readOnly, bool tabStop);
    // The row's drop-down list (list) or combo box, width pixels wide at the
    // value column.
    CComboBox& RowBox(int row, bool list, int width);
    void MakeRowControl(CWnd& control, int row, const wchar_t* className, const wchar_t* text, DWORD style,
                        DWORD exStyle, const CRect& place, int id);
    // The window a new control of the row goes after in the tab order.
    HWND PreviousRowControl(int row, HWND control) const;
    CRect DialogUnits(int x, int y, int width, int height) const;
    // Where a row's edit box or combo box stands: x and width in pixels, the
    // height in dialog units.
    CRect ValuePlace(int row, int x, int width, int height) const;
    void HideValueControls(int row);
    void PlaceValue(CWnd& control, int x, int width);

    CTabCtrl m_tab;
    CComboBox m_record;
    CStatic m_dataNo;
    CButton m_close;
    CPictureButton m_previous;
    CPictureButton m_next;
    CStatic m_status;
    CStatic m_caption[RowsPerPage];
    CEdit m_edit[RowsPerPage];
    CComboBox m_list[RowsPerPage];
    CComboBox m_combo[RowsPerPage];
    CButton m_option[RowsPerPage][3];
    CButton m_group[RowsPerPage];
    CBrush m_grey;
    // The lookup table and field each combo box was filled from, so that a
    // long list is filled once, not at every record.
    const S_ECR_TABLE* m_comboSource[RowsPerPage] = {};
    int m_comboSourceField[RowsPerPage] = {};
    bool m_committing = false;
    bool m_recordsListed = false;
    bool m_opening = false;  // rows made now go below the ones before
};
