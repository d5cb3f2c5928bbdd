#include "CEcrTilldeskDlg.h"

#include <algorithm>

#include "CEcrDll.h"
#include "CEcrTilldeskApp.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldRules.h"
#include "FrameworkResources.h"
#include "ProgramFolder.h"
#include "S_ECR_SETTING.h"
#include "UnsavedEdits.h"
#include "resource.h"

namespace {

const wchar_t kIpModel[] = L"02 VORN-K2";
constexpr COLORREF kTransparent = RGB(254, 0, 0);
constexpr int kAddressFieldMax = 255;  // each field of an address is one byte

} // namespace

void SelectClosestEntry(CComboBox& combo, const wchar_t* text)
{
    // An exact match first: a prefix search would pick "AB" for "A".
    int found = combo.FindStringExact(-1, text);
    if (found == CB_ERR)
        found = combo.FindString(0, text);
    combo.SetCurSel(found == CB_ERR ? 0 : found);
}

BEGIN_MESSAGE_MAP(CEcrTilldeskDlg, CEcrDialog)
    ON_BN_CLICKED(IDC_SELECT, &CEcrTilldeskDlg::OnSelectButton)
    ON_WM_DRAWITEM()
    ON_CBN_SELCHANGE(IDC_MODEL_COMBO, &CEcrTilldeskDlg::OnModelChange)
    ON_CBN_SELCHANGE(IDC_LANGUAGE_COMBO, &CEcrTilldeskDlg::OnLanguageChange)
    ON_NOTIFY(IPN_FIELDCHANGED, IDC_IP_ADDRESS, &CEcrTilldeskDlg::OnIpFieldChanged)
END_MESSAGE_MAP()

CEcrTilldeskDlg::CEcrTilldeskDlg() : CEcrDialog(IDD_ECRTILLDESK_DIALOG, WNDNO_MAIN)
{
    Icon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

void CEcrTilldeskDlg::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SELECT, SelectButton);
    DDX_Control(dx, IDC_MODEL_COMBO, ModelCombo);
    DDX_Control(dx, IDC_LANGUAGE_COMBO, LanguageCombo);
    DDX_Control(dx, IDC_LOGO_PICTURE, LogoPicture);
    DDX_Control(dx, IDC_ECR_PICTURE, EcrPicture);
    DDX_Control(dx, IDC_TITLE_TEXT, TitleText);
    DDX_Control(dx, IDC_IP_LABEL, IpLabel);
    DDX_Control(dx, IDC_IP_ADDRESS, IpAddress);
}

BOOL CEcrTilldeskDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    S_ECR_SETTING& settings = *g_pEcrSetting;

    CString title;
    title.Format(L"%s - %s", settings.EcrName.GetString(), settings.DataPath.GetString());
    SetWindowText(title);
    BindCaption(&SelectButton, 1);
    // The label's template text is Japanese; the caption gives it in the
    // screen's language.
    BindCaption(&IpLabel, 2);

    CString name, path;
    for (POSITION pos = settings.ModelMap.GetStartPosition(); pos;) {
        settings.ModelMap.GetNextAssoc(pos, name, path);
        ModelCombo.AddString(name);
    }
    SelectClosestEntry(ModelCombo, settings.EcrName);
    m_modelSelection = ModelCombo.GetCurSel();
    FillLanguageCombo();

    LOGFONTW lf = {};
    lf.lfHeight = 28;
    lf.lfWeight = FW_BOLD;
    lf.lfPitchAndFamily = 0x20;
    lstrcpynW(lf.lfFaceName, L"MS UI Gothic", LF_FACESIZE);
    TitleFont.CreateFontIndirect(&lf);
    TitleText.SetWindowText(settings.ToolName);
    TitleText.SetFont(&TitleFont, TRUE);

    EcrImage.Load(settings.EcrBmp);
    LogoImage.Load(settings.LogoBmp);
    UseAlternativeLayout();

    IpAddress.SetAddress(static_cast<DWORD>(settings.IpREG));
    ShowAddressForModel();
    return TRUE;
}

void CEcrTilldeskDlg::UseAlternativeLayout()
{
    CString marker = GetProgramFolder() + L"VORN-Q9Chart.prm";
    HANDLE file = ::CreateFileW(marker, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    ::CloseHandle(file);
    LogoPicture.MoveWindow(0, 0, 0, 0);
    EcrPicture.MoveWindow(127, 18, 510, 400);
    auto place = [](CWnd& control, int x, int y) {
        CRect client;
        control.GetClientRect(&client);
        control.MoveWindow(x, y, client.Width(), client.Height());
    };
    place(TitleText, 210, 495);
    place(ModelCombo, 147, 432);
    place(LanguageCombo, 147, 459);
}

void CEcrTilldeskDlg::ShowAddressForModel()
{
    int show = g_pEcrSetting->EcrName == kIpModel ? SW_SHOW : SW_HIDE;
    IpLabel.ShowWindow(show);
    IpAddress.ShowWindow(show);
}

void CEcrTilldeskDlg::FillLanguageCombo()
{
    LanguageCombo.ResetContent();
    int selected = ModelCombo.GetCurSel();
    if (selected == CB_ERR)
        return;
    CString model, path;
    ModelCombo.GetLBText(selected, model);
    if (!g_pEcrSetting->ModelMap.Lookup(model, path))
        return;

    CString pattern;
    pattern.Format(L"%s\\%s_*.Cap", g_pEcrSetting->CapPath.GetString(), DLLBASE(path).GetString());
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        CString file(found.cFileName);
        int underscore = file.ReverseFind(L'_');
        if (underscore < 0)
            continue;
        CString language = DLLBASE(file.Mid(underscore + 1));
        language.Replace(L".CAP", L"");
        LanguageCombo.AddString(language);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    if (LanguageCombo.GetCount() > 0)
        SelectClosestEntry(LanguageCombo, g_pEcrSetting->Language);
}

void CEcrTilldeskDlg::OnModelChange()
{
    int selected = ModelCombo.GetCurSel();
    CString model, path;
    if (selected != CB_ERR)
        ModelCombo.GetLBText(selected, model);
    if (selected != CB_ERR && g_pEcrSetting->ModelMap.Lookup(model, path)) {
        // Another library drops the groups' unsaved edits.
        if (path != theApp.EcrDll.Path && !ConfirmDiscardUnsavedEdits()) {
            ModelCombo.SetCurSel(m_modelSelection);
            return;
        }
        g_pEcrSetting->ModelDllPath = path;
        g_pEcrSetting->EcrName = model;
        PostEcrMessage(WM_ECR_MODEL_CHANGED, reinterpret_cast<WPARAM>(g_pEcrSetting->ModelDllPath.GetString()));
    }
    m_modelSelection = selected;
    FillLanguageCombo();
    OnLanguageChange();
    ShowAddressForModel();
}

void CEcrTilldeskDlg::OnLanguageChange()
{
    int selected = LanguageCombo.GetCurSel();
    if (selected == CB_ERR) {
        SelectButton.SetWindowText(L"Select(&S)");
        return;
    }
    LanguageCombo.GetLBText(selected, g_pEcrSetting->Language);
    PostEcrMessage(WM_ECR_LANGUAGE_CHANGED, reinterpret_cast<WPARAM>(g_pEcrSetting->Language.GetString()));
}

void CEcrTilldeskDlg::OnSelectButton()
{
    if (theApp.EcrDll.Path.IsEmpty()) {
        AfxMessageBox(L"System DLL of selected ECR was not able to be read", MB_OK);
        return;
    }
    if (!theApp.OpenDataFolder())
        return;
    PostEcrMessage(WM_ECR_SHOW_WINDOW, WNDNO_SELECT, 0);
}

void CEcrTilldeskDlg::OnIpFieldChanged(NMHDR* header, LRESULT* result)
{
    // The control tells the field being left before it limits the field, and
    // Wine's control packs a field over 255 into the next one (300 gave
    // 44.0.0.0). The field is limited here; the control then shows the value
    // given back, which is the one stored.
    NMIPADDRESS* change = reinterpret_cast<NMIPADDRESS*>(header);
    const bool tooLarge = change->iValue > kAddressFieldMax;
    if (tooLarge)
        change->iValue = kAddressFieldMax;
    g_pEcrSetting->IpREG = static_cast<int>(ShownAddress(change->iField, change->iValue));
    *result = 0;
    if (tooLarge)
        AfxMessageBox(RangeMessage(0, kAddressFieldMax), MB_OK | MB_ICONEXCLAMATION);
}

DWORD CEcrTilldeskDlg::ShownAddress(int changedField, int value) const
{
    // Blank fields count 0, so a blank control gives 0: the register is
    // reached through a port.
    DWORD address = 0;
    for (int field = 0; field < 4; ++field) {
        int shown = field == changedField ? value : _wtoi(IpAddress.GetFieldText(field));
        address = address << 8 | static_cast<DWORD>(std::clamp(shown, 0, kAddressFieldMax));
    }
    return address;
}

void CEcrTilldeskDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item)
{
    const CImage* image = id == IDC_LOGO_PICTURE ? &LogoImage : id == IDC_ECR_PICTURE ? &EcrImage : nullptr;
    if (!image) {
        CEcrDialog::OnDrawItem(id, item);
        return;
    }
    CRect client;
    ::GetClientRect(item->hwndItem, &client);
    image->TransparentBlt(item->hDC, client, kTransparent);  // an empty image draws nothing
}
