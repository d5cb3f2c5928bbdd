#pragma once

#include <memory>
#include <vector>

#include "CEcrDialog.h"
#include "CEcrGrid.h"
#include "CExtraMenu.h"
#include "CPictureButton.h"

class CEcrData;
struct S_ECR_TABLE;

// The record list: the tables of one data group, one at a time, in the
// record grid. Record groups (types 0 and 1) show one table with its name
// under the grid and switch tables through the jump menu; other groups pick
// the table from a list. A table of level 99 is edited as a choice among
// pictures instead of in the grid.
class CFlexListDlg : public CEcrDialog
{
public:
    static constexpr int kPictureCount = 6;
    // Jump menu commands: kJumpBase + 256 x group + listed position.
    static constexpr UINT kJumpBase = 0x8003;
    static constexpr UINT kJumpLast = 0x9001;

    explicit CFlexListDlg(int wndNo);

    // The table-selection step: shows the table at the list's selection.
    void ShowTable();
    // Selects entry index of the table list and shows it; FALSE, with
    // nothing changed, when there is no such entry.
    BOOL SelectListEntry(int index);

    CEcrGrid& Grid() { return m_grid; }
    HMENU JumpMenu() const { return m_jumpMenu ? m_jumpMenu->m_hMenu : nullptr; }
    CString StatusText() const { return m_statusBar.GetPaneText(0); }

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL LayoutChild(CWnd* child, const int delta[2]) override;
    LRESULT RefreshCaptions(WPARAM wParam, LPARAM lParam) override;

protected:
    // A double click in the table list: the report viewer opens the report
    // at list position listPos here; other screens do nothing.
    virtual void OpenReport(int listPos);
    CEcrData* DataGroup() const { return m_pData; }

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnBack();
    void CommitTable();
    void SortCurrentTable();
    void ExportTableCsv();
    void ImportTableCsv();
    void OnTableListDblClk();
    void ShowJumpMenu();
    void OnJumpMenuCommand(UINT id);
    LRESULT OpenRecordCard(WPARAM table, LPARAM record);
    LRESULT EditColumnCaption(WPARAM table, LPARAM column);
    void OnGridSelChanged(NMHDR* header, LRESULT* result);
    void OnColumnToolTipText(NMHDR* header, LRESULT* result);
    void OnSize(UINT type, int cx, int cy);
    void OnRadio(UINT id);
    void OnPicture(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    // The index within the data group of the selected table, or -1.
    int CurrentTableIndex() const;
    S_ECR_TABLE* CurrentTable() const;

    // Fills the table list and the index map; FALSE when nothing is listed.
    bool BuildTableList();
    void ApplyLayout(bool bound);
    void BuildJumpMenu();
    void AddJumpSubmenu(int wndNo, int titleCaption, const wchar_t* defaultTitle, int group);
    void CreateStatusBar();
    void UpdateStatusLine(int column);

    // Every rebind of the grid: hide it, empty it, bind the current table,
    // then show the pictures or the grid.
    void RebindGrid();
    void ShowSortAndImport();

    // Picture mode.
    void LookUpPictures();
    void LoadPictures();
    void ShowPictureOrGrid();
    void SelectPicture(int value, int flags);
    // Writes the choice, then lets the radio buttons follow what is stored.
    void ChoosePicture(int index);
    int StoredPicture() const;

    // After a load that read nothing: says so, naming the file, when the
    // group's file is not in the data folder.
    void TellIfFileMissing();
    // Shows caption captionNo of this screen, or the default, in a box.
    int ShowMessage(int captionNo, const wchar_t* defaultText, UINT type, const CString& detail = CString());

    CEcrGrid m_grid;
    CEcrData* m_pData = nullptr;
    CListBox m_tableList;
    CButton m_sortButton;
    CButton m_updateButton;
    CButton m_backButton;
    CButton m_exportButton;
    CButton m_importButton;
    CButton m_menuButton;
    CStatic m_nameLine;
    CPictureButton m_pictures[kPictureCount];
    std::vector<int> m_tableIndex;  // list position -> table index in the group
    CToolTipCtrl m_columnTip;
    int m_hoverColumn = -1;
    std::unique_ptr<CExtraMenu> m_jumpMenu;
    CStatusBar m_statusBar;
    int m_pictureShow[kPictureCount] = {};  // SW_SHOW when the file could be opened
    CString m_picturePaths[kPictureCount];
    bool m_picturesLoaded = false;
};
