#pragma once

#include <utility>
#include <vector>

#include "afx.h"

// Base of every screen and of most modal dialogs: control texts, fonts and
// tooltips from the caption manager, caption editing by right click, one
// resize rule for all controls, and one closing rule (a modal dialog ends,
// a modeless screen asks the application whether to quit).
class CEcrDialog : public CDialog
{
public:
    CEcrDialog(UINT templateId, int wndNo, CWnd* parent = nullptr);
    ~CEcrDialog() override;

    // Binds a control to caption number captionNo of this dialog's window
    // number and applies the caption. TRUE when it was bound before.
    BOOL BindCaption(CWnd* control, int captionNo);
    // Applies the bound caption again; FALSE when unbound or no caption.
    BOOL ApplyCaption(CWnd* control);

    // Places a child on resizing; TRUE when the dialog did it itself.
    virtual BOOL LayoutChild(CWnd* child, const int delta[2]);
    // WM_ECR_REFRESH_CAPTIONS: applies every bound caption again.
    virtual LRESULT RefreshCaptions(WPARAM, LPARAM);
    // WM_ECR_EDIT_CAPTION: edits the caption of a bound control.
    virtual LRESULT EditCaption(CWnd* control, LPARAM);
    // Whether Esc or the close box may end the dialog now; dialogs with a
    // running worker turn the request into a cancel of the work instead.
    virtual BOOL MayCloseNow() { return TRUE; }

    INT_PTR DoModal() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    HICON Icon = nullptr;
    int WndNo;
    BOOL IsModal = FALSE;
    BOOL CaptionEditing = FALSE;
    int LastCx = -1;
    int LastCy = -1;
    CToolTipCtrl ToolTip;
    CMap<CWnd*, CWnd*, int, int> CaptionMap;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void ResizeChild(CWnd* child, const int delta[2]);
    bool ApplyCaptionNumber(CWnd* control, int captionNo);
    // A control's tip, or none (null).
    void SetTip(CWnd* control, const CString* text);
    // The tooltip with the tips waiting for it.
    void CreateToolTip();
    bool PressFocusedButton();

    CSize m_minTrackSize;  // the template's size: shrinking below it loses the layout
    std::vector<std::pair<CWnd*, CString>> m_pendingTips;  // until the tooltip is made
};
