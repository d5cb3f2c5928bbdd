#pragma once

#include "CBtnListCtrl.h"
#include "CEcrDialog.h"
#include "CGridCtrl.h"

// Base of the keyboard mapping screens (template 502, window 23): a key map
// grid with zoom, joining and separating keys, board settings, cell colours
// and fonts and printing, beside a key-function list. Loading, saving and
// assigning a key are left to the concrete screen.
//
// Sizes in the key map (widths, heights, font heights) are always held at the
// current zoom; their values at 100% are computed when needed.
class CTillpad : public CEcrDialog
{
public:
    CTillpad();

    static constexpr int kZoomSteps[7] = {100, 125, 150, 175, 200, 250, 300};

    // A size at zoom `from` (per cent) as it is at zoom `to`, through its
    // whole-pixel value at 100%; the sign is kept.
    static int ZoomSize(int size, int from, int to);
    // Gives a grid the key map's options and default cell.
    static void SetUpKeyMap(CGridCtrl& grid);

    virtual void LoadKeyboard() = 0;
    virtual void SaveKeyboard() = 0;
    // A click on key list row *row.
    virtual void AssignKey(int* row);
    // Prints the key map at 100% whatever the zoom.
    virtual void PrintKeyboard();

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL LayoutChild(CWnd* child, const int delta[2]) override;

    int RClickRow = -1;
    int RClickCol = -1;
    BOOL CellPopup = FALSE;
    int Zoom = 100;

    CBtnListCtrl KeyList;
    CGridCtrl KeyMap;
    CButton JoinButton;
    CButton SeparationButton;
    CButton PrintButton;
    CButton SaveButton;
    CButton CloseButton;
    CButton SettingButton;
    CButton LoadButton;
    CComboBox ZoomBox;
    CStatic ZoomLabel;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnPrint() { PrintKeyboard(); }
    void OnSave() { SaveKeyboard(); }
    void OnLoad() { LoadKeyboard(); }
    void OnClose();
    void OnJoin();
    void OnSeparation();
    void OnSetting();
    void OnZoomChange();
    void OnCellColorFont(UINT id);
    void OnKeyListClick(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void ShowCellPopup(const MSG& msg);
};
