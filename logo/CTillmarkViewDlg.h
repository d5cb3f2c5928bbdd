#pragma once

#include "CEcrDialog.h"
#include "CEcrGraphic.h"

// The logo viewer (window 0x10016): lists the logo's file in the data folder
// and the converted files of the logo in the BMP folder, shows the chosen
// one as the register would print it, installs a converted file (Set) or
// blanks the register's logo ("logo initial").
class CTillmarkViewDlg : public CEcrDialog
{
public:
    // outputName (may be null): the converted file to select at the start.
    // The result code is not kept.
    CTillmarkViewDlg(CEcrGraphic* logo, DWORD resultCode, const wchar_t* outputName, CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnSelectLogoFile();
    void OnSetLogo();
    void OnClearLogo();
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    DECLARE_MESSAGE_MAP()

private:
    void ListLogoFiles(const CString& folder);
    CString SelectedText() const;
    // The register's logo file in the data folder.
    CString LogoPath() const;
    void ReportUpdate(bool done);
    // Makes the data folder when it is missing; says so when it cannot.
    bool CreateDataFolder();

    CEcrGraphic* m_logo;
    CStatic m_preview;
    CListBox m_files;
    CString m_outputName;
    CButton m_set;
    CButton m_clear;
    CButton m_close;
};
