#pragma once

#include "CEcrDialog.h"
#include "image.h"

// The model-choice screen (window 1): the register model, which selects the
// model library, the caption language and, for one model, the register's
// network address. Select leads on to the function menu.
class CEcrTilldeskDlg : public CEcrDialog
{
public:
    CEcrTilldeskDlg();

    CImage EcrImage;   // register picture (EcrBmp)
    CImage LogoImage;  // product picture (LogoBmp)
    CFont TitleFont;
    CButton SelectButton;
    CComboBox ModelCombo;
    CComboBox LanguageCombo;
    CStatic LogoPicture;
    CStatic EcrPicture;
    CStatic TitleText;
    CStatic IpLabel;
    CIPAddressCtrl IpAddress;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnSelectButton();
    void OnModelChange();
    void OnLanguageChange();
    void OnIpFieldChanged(NMHDR* header, LRESULT* result);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    DECLARE_MESSAGE_MAP()

private:
    void FillLanguageCombo();
    void ShowAddressForModel();
    // The address the control shows once field `changedField` shows `value`
    // (the first field in the highest byte, as the control packs it).
    DWORD ShownAddress(int changedField, int value) const;
    void UseAlternativeLayout();
    int m_modelSelection = CB_ERR;  // the entry to go back to when a change is refused
};

// Selects the entry equal to text (ignoring case), else the first entry
// that starts with it, else the first entry.
void SelectClosestEntry(CComboBox& combo, const wchar_t* text);
