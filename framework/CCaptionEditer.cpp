#include "CCaptionEditer.h"

#include <cwchar>

#include "CCaptionManagerBase.h"
#include "CCaptionValue.h"
#include "CaptionText.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FrameworkResources.h"

namespace {

CCaptionManagerBase* Captions()
{
    return g_ppCaptionMgr ? *g_ppCaptionMgr : nullptr;
}

// The editor's own labels come from the common captions of window 0, so it
// speaks the caption file's language; the template holds the defaults.
struct OwnCaption
{
    int id;
    int captionNo;
};
constexpr int kTitleCaption = 501;
constexpr int kUnknownWindowCaption = 509;
constexpr OwnCaption kOwnCaptions[] = {
    {IDC_CAPEDIT_WNDNO_LABEL, 502}, {IDC_CAPEDIT_CAPNO_LABEL, 503}, {IDC_CAPEDIT_TEXT_LABEL, 504},
    {IDC_CAPEDIT_FONT, 505},        {IDC_CAPEDIT_TIPON, 506},       {IDC_CAPEDIT_UPDATE, 507},
    {IDOK, 508},
};

CString CommonText(int captionNo, const wchar_t* fallback)
{
    return CaptionText(WNDNO_COMMON, captionNo, fallback);
}

// The font a caption without one starts from in the font dialog.
LOGFONTW DefaultLogFont()
{
    LOGFONTW lf = {};
    lf.lfHeight = 12;
    lf.lfPitchAndFamily = 0x20;
    ::lstrcpynW(lf.lfFaceName, L"MS UI Gothic", LF_FACESIZE);
    return lf;
}

} // namespace

BEGIN_MESSAGE_MAP(CCaptionEditer, CDialog)
    ON_BN_CLICKED(IDC_CAPEDIT_UPDATE, &CCaptionEditer::OnCaptionUpdate)
    ON_BN_CLICKED(IDC_CAPEDIT_FONT, &CCaptionEditer::OnCaptionFont)
    ON_BN_CLICKED(IDC_CAPEDIT_TIPON, &CCaptionEditer::OnTipSwitch)
    ON_EN_CHANGE(IDC_CAPEDIT_TEXT, &CCaptionEditer::OnTextChange)
END_MESSAGE_MAP()

CCaptionEditer::CCaptionEditer(int wndNo, int captionNo, CWnd* parent)
    : CDialog(IDD_CAPTION_EDITER, parent), WndNo(wndNo), CaptionNo(captionNo), m_logFont(DefaultLogFont())
{
}

void CCaptionEditer::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CAPEDIT_WNDNO, m_wndNo);
    DDX_Control(dx, IDC_CAPEDIT_CAPNO, m_captionNo);
    DDX_Control(dx, IDC_CAPEDIT_TEXT, m_text);
    DDX_Control(dx, IDC_CAPEDIT_TIPON, m_tipOn);
    DDX_Control(dx, IDC_CAPEDIT_TIPTEXT, m_tipText);
    DDX_Control(dx, IDC_CAPEDIT_PREVIEW, m_preview);
    DDX_Control(dx, IDC_CAPEDIT_WNDCOMMENT, m_comment);
}

BOOL CCaptionEditer::OnInitDialog()
{
    CDialog::OnInitDialog();
    ApplyOwnCaptions();

    CString number;
    number.Format(L"%x", static_cast<unsigned>(WndNo));
    m_wndNo.SetWindowText(number);
    number.Format(L"%d", CaptionNo);
    m_captionNo.SetWindowText(number);
    m_tipOn.SetCheck(BST_CHECKED);

    m_comment.SetWindowText(CaptionText(WndNo, 0, CommonText(kUnknownWindowCaption, L"Unknown Window")));

    if (S_ECR_CAP* cap = FindCaption(WndNo, CaptionNo)) {
        LOGFONTW lf = {};
        if (cap->Font.GetLogFont(&lf) == sizeof lf) {
            m_logFont = lf;
            m_hasFont = true;
        }
        m_text.SetWindowText(CCaptionValue::EscapeLineBreaks(cap->Text));
        if (!cap->TipOn) {
            m_tipOn.SetCheck(BST_UNCHECKED);
            m_tipText.SetReadOnly(TRUE);
        }
        m_tipText.SetWindowText(cap->TipText);
    }
    OnTextChange();
    if (m_hasFont)
        SetPreviewFont();
    m_wndNo.SetReadOnly(TRUE);
    m_captionNo.SetReadOnly(TRUE);
    GotoDlgCtrl(&m_text);  // the text is what one edits
    return FALSE;
}

void CCaptionEditer::ApplyOwnCaptions()
{
    SetWindowText(CommonText(kTitleCaption, GetWindowText()));
    for (const OwnCaption& own : kOwnCaptions) {
        CWnd* control = GetDlgItem(own.id);
        if (control)
            control->SetWindowText(CommonText(own.captionNo, control->GetWindowText()));
    }
}

void CCaptionEditer::SetPreviewFont()
{
    // The new font goes to the preview before the old one is deleted.
    CFont font;
    if (!font.CreateFontIndirect(&m_logFont))
        return;
    m_preview.SetFont(&font, TRUE);
    m_previewFont.DeleteObject();
    m_previewFont.Attach(font.Detach());
}

void CCaptionEditer::OnTextChange()
{
    m_preview.SetWindowText(CCaptionValue::UnescapeLineBreaks(m_text.GetWindowText()));
}

void CCaptionEditer::OnTipSwitch()
{
    m_tipText.SetReadOnly(m_tipOn.GetCheck() != BST_CHECKED);
}

void CCaptionEditer::OnCaptionFont()
{
    CFontDialog dialog(&m_logFont, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(&m_logFont);
    m_hasFont = true;
    SetPreviewFont();
}

void CCaptionEditer::OnCaptionUpdate()
{
    const unsigned long wndNo = std::wcstoul(m_wndNo.GetWindowText(), nullptr, 16);
    if (wndNo == 0)
        return;
    const int captionNo = static_cast<int>(std::wcstol(m_captionNo.GetWindowText(), nullptr, 10));
    CCaptionManagerBase* captions = Captions();
    if (!captions)
        return;

    S_ECR_CAP cap;  // its font is freed with it; the manager keeps a copy
    if (m_hasFont)
        cap.Font.CreateFontIndirect(&m_logFont);
    cap.Text = CCaptionValue::UnescapeLineBreaks(m_text.GetWindowText());
    cap.TipOn = m_tipOn.GetCheck() == BST_CHECKED ? 1 : 0;
    cap.TipText = m_tipText.GetWindowText();
    captions->SetCaption(static_cast<int>(wndNo), captionNo, &cap);
    Changed = TRUE;
}

void CCaptionEditer::PostRefreshWhenChanged()
{
    if (Changed && m_pParentWnd && m_pParentWnd->m_hWnd)
        m_pParentWnd->PostMessage(WM_ECR_REFRESH_CAPTIONS, 0, 0);
}

void CCaptionEditer::OnOK()
{
    PostRefreshWhenChanged();
    EndDialog(IDOK);
}

void CCaptionEditer::OnCancel()
{
    // Esc after an Update still shows the stored caption.
    PostRefreshWhenChanged();
    EndDialog(IDCANCEL);
}
