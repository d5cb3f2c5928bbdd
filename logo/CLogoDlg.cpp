#include "CLogoDlg.h"

#include <algorithm>

#include "CChildProgram.h"
#include "CTillmarkCnvDlg.h"
#include "CTillmarkViewDlg.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FileListBox.h"
#include "FullPathName.h"
#include "CaptionText.h"
#include "FieldRules.h"
#include "FillPlaceholders.h"
#include "LogoNames.h"
#include "LogoRenderer.h"
#include "LogoResources.h"
#include "S_ECR_SETTING.h"
#include "TillmarkCodes.h"

static_assert(CLogoDlg::IDD == IDD_LOGO_DIALOG);

namespace {

const wchar_t* const kSizes[] = {L"8", L"9", L"10", L"11", L"12", L"13", L"14", L"16",
                                 L"18", L"20", L"22", L"24", L"26", L"28", L"36", L"48"};
const wchar_t kPreferredFace[] = L"MS UI Gothic";
const wchar_t kTempName[] = L"temp.bmp";
const wchar_t kDefaultSource[] = L"Blunk.bmp";

// Where the labels start, from the preview's top-left corner.
const POINT kLabelOffsets[3] = {{5, 5}, {5, 25}, {5, 45}};

// What a failed conversion's code means, for the user beside the code;
// startError is the system's reason when the program did not start.
CString FailureMeaning(DWORD code, DWORD startError)
{
    switch (code) {
    case TILLMARK_BUSY:
        return CaptionText(WNDNO_LOGO, 10, L"A logo conversion is running already.");
    case TILLMARK_NO_THREAD:
        return CaptionText(WNDNO_LOGO, 11, L"The conversion could not be started.");
    case TILLMARK_NOT_STARTED: {
        const CChildProgram::StartFailure why(g_pEcrSetting->Tillmark, startError);
        return FillPlaceholders(
            CaptionText(WNDNO_LOGO, 12, L"The logo conversion program %1 could not be started (%2)."),
            {why.Program, why.Reason});
    }
    case TILLMARK_NO_BITMAP:
        return CaptionText(WNDNO_LOGO, 13, L"The picture could not be prepared for the conversion; no conversion ran.");
    case TILLMARK_WAIT_FAILED:
        return CaptionText(WNDNO_LOGO, 14, L"Waiting for the logo conversion program failed.");
    default:
        return CaptionText(WNDNO_LOGO, 15, L"The logo conversion program reported a failure.");
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CLogoDlg, CEcrDialog)
    ON_CBN_SELCHANGE(IDC_LOGO_TARGET, &CLogoDlg::OnLogoChange)
    ON_LBN_SELCHANGE(IDC_LOGO_BMP_LIST, &CLogoDlg::OnSelectBitmap)
    ON_BN_CLICKED(IDC_LOGO_FOLDER_BUTTON, &CLogoDlg::OnSelectBitmapFolder)
    ON_EN_CHANGE(IDC_LOGO_TEXT1, &CLogoDlg::OnTextLine1)
    ON_EN_SETFOCUS(IDC_LOGO_TEXT1, &CLogoDlg::OnTextLine1)
    ON_EN_CHANGE(IDC_LOGO_TEXT2, &CLogoDlg::OnTextLine2)
    ON_EN_SETFOCUS(IDC_LOGO_TEXT2, &CLogoDlg::OnTextLine2)
    ON_EN_CHANGE(IDC_LOGO_TEXT3, &CLogoDlg::OnTextLine3)
    ON_EN_SETFOCUS(IDC_LOGO_TEXT3, &CLogoDlg::OnTextLine3)
    ON_WM_DRAWITEM()
    ON_BN_CLICKED(IDC_LOGO_CONVERT, &CLogoDlg::ConvertLogo)
    ON_BN_CLICKED(IDC_LOGO_PREVIEW_BUTTON, &CLogoDlg::OnPreviewLogo)
    ON_BN_CLICKED(IDC_LOGO_BACK, &CLogoDlg::OnBack)
END_MESSAGE_MAP()

CLogoDlg::CLogoDlg() : CEcrDialog(IDD_LOGO_DIALOG, WNDNO_LOGO)
{
}

void CLogoDlg::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LOGO_BMP_LIST, m_bmpList);
    DDX_Control(dx, IDC_LOGO_FACE, m_face);
    DDX_Control(dx, IDC_LOGO_SIZE, m_size);
    DDX_Control(dx, IDC_LOGO_TARGET, m_logoCombo);
    DDX_Control(dx, IDC_LOGO_TEXT1, m_text[0]);
    DDX_Control(dx, IDC_LOGO_TEXT2, m_text[1]);
    DDX_Control(dx, IDC_LOGO_TEXT3, m_text[2]);
    DDX_Control(dx, IDC_LOGO_FOLDER_BUTTON, m_folderButton);
    DDX_Control(dx, IDC_LOGO_CONVERT, m_convert);
    DDX_Control(dx, IDC_LOGO_PREVIEW_BUTTON, m_preview);
    DDX_Control(dx, IDC_LOGO_BACK, m_back);
    DDX_Control(dx, IDC_LOGO_BOLD, m_bold);
    DDX_Control(dx, IDC_LOGO_ITALIC, m_italic);
    DDX_Control(dx, IDC_LOGO_UNDERLINE, m_underline);
    DDX_Control(dx, IDC_LOGO_FOLDER_LABEL, m_folderLabel);
    DDX_Control(dx, IDC_LOGO_FOLDER_PATH, m_folderPath);
    DDX_Control(dx, IDC_LOGO_PREVIEW, m_previewArea);
    DDX_Control(dx, IDC_LOGO_EDIT_GROUP, m_editGroup);
    DDX_Control(dx, IDC_LOGO_FONT_GROUP, m_fontGroup);
    DDX_Control(dx, IDC_LOGO_FRAME, m_frame);
    DDX_Control(dx, IDC_LOGO_LABEL1, m_labels[0]);
    DDX_Control(dx, IDC_LOGO_LABEL2, m_labels[1]);
    DDX_Control(dx, IDC_LOGO_LABEL3, m_labels[2]);
}

BOOL CLogoDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    const S_ECR_SETTING& settings = *g_pEcrSetting;
    CString title;
    title.Format(L"%s - %s", settings.EcrName.GetString(), settings.DataPath.GetString());
    SetWindowText(title);

    BindCaption(&m_folderButton, 1);
    BindCaption(&m_convert, 2);
    BindCaption(&m_preview, 3);
    BindCaption(&m_back, 4);
    BindCaption(&m_folderLabel, 5);
    BindCaption(&m_editGroup, 6);

    CRect group = RectInClient(m_editGroup);
    m_previewArea.SetWindowPos(nullptr, group.left + 10, group.top + 20, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);

    FillFaceList();
    for (const wchar_t* size : kSizes)
        m_size.AddString(size);
    m_size.SetCurSel(2);

    // The images' grey background takes the button face colour.
    CButton* boxes[3] = {&m_bold, &m_italic, &m_underline};
    const int images[3] = {IDB_LOGO_BOLD, IDB_LOGO_ITALIC, IDB_LOGO_UNDERLINE};
    for (int i = 0; i < 3; ++i)
        if (m_styleImages[i].Attach(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(images[i]), IMAGE_BITMAP,
                                                 0, 0, LR_LOADMAP3DCOLORS)))
            boxes[i]->SetBitmap(m_styleImages[i]);

    m_folderPath.SetWindowText(settings.BmpPath);
    CollectLogoTargets();
    // The labels start empty, whether or not there is anything to compose.
    for (CStaticEx& label : m_labels)
        label.SetLabelText(L"");
    if (m_logoCombo.GetCount() > 0) {
        ListBitmapFiles(settings.BmpPath);
        m_logoCombo.SetCurSel(0);
        OnLogoChange();
        for (int k = 0; k < 3; ++k)
            m_labels[k].SetMoveArea(&m_previewArea, &kLabelOffsets[k]);
    } else {
        CWnd* const composing[] = {&m_logoCombo, &m_convert,  &m_preview, &m_face,
                                   &m_text[0],   &m_text[1], &m_text[2], &m_folderButton};
        for (CWnd* control : composing)
            control->EnableWindow(FALSE);
    }
    return TRUE;
}

CRect CLogoDlg::RectInClient(const CWnd& wnd) const
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
}

// ---- lists --------------------------------------------------------------------------

void CLogoDlg::FillFaceList()
{
    EnumerateFaces(&CLogoDlg::AddFontFace, reinterpret_cast<LPARAM>(this));
    int preferred = m_face.FindString(-1, kPreferredFace);
    m_face.SetCurSel(preferred >= 0 ? preferred : 0);
}

void CLogoDlg::EnumerateFaces(FONTENUMPROCW add, LPARAM param)
{
    CClientDC dc(this);
    LOGFONTW filter = {};
    filter.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(dc, &filter, add, param, 0);
}

int CALLBACK CLogoDlg::AddFontFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param)
{
    // An "@" face lays CJK glyphs on their side for text written top to
    // bottom; the logo's lines run across. Each other face once: families
    // come once per character set.
    auto* self = reinterpret_cast<CLogoDlg*>(param);
    if (lf->lfFaceName[0] != L'@' && lf->lfCharSet == ANSI_CHARSET &&
        self->m_face.FindStringExact(-1, lf->lfFaceName) < 0)
        self->m_face.AddString(lf->lfFaceName);
    return 1;
}

void CLogoDlg::CollectLogoTargets()
{
    // The logo groups are the model library's; they live while it is loaded.
    int count = GetEcrDataCount();
    for (int i = 0; i < count; ++i) {
        CEcrGraphic* logo = AsGraphic(GetEcrDataFromIndex(i));
        S_ECR_TABLE* table = logo ? logo->GetTable(0) : nullptr;
        if (!table)
            continue;
        m_logos.AddTail(logo);
        m_logoCombo.AddString(LabelText(table->Label));
    }
}

void CLogoDlg::ListBitmapFiles(const CString& folder)
{
    m_bmpList.ResetContent();
    // temp.bmp is the intermediate file of a conversion, never a picture.
    AddFolderFiles(m_bmpList, JoinFolder(folder, L"*.bmp"),
                   [](const wchar_t* name) { return ::lstrcmpiW(name, kTempName) != 0; });
}

CEcrGraphic* CLogoDlg::SelectedLogo()
{
    int index = m_logoCombo.GetCurSel();
    POSITION pos = index >= 0 && index < m_logos.GetCount() ? m_logos.GetHeadPosition() : nullptr;
    for (int i = 0; pos && i < index; ++i)
        m_logos.GetNext(pos);
    return pos ? m_logos.GetAt(pos) : nullptr;
}

// ---- preview ------------------------------------------------------------------------

void CLogoDlg::OnLogoChange()
{
    CEcrGraphic* logo = SelectedLogo();
    S_ECR_TABLE* table = logo ? logo->GetTable(0) : nullptr;
    if (!table)
        return;
    CRect preview = RectInClient(m_previewArea);
    m_previewArea.SetWindowPos(nullptr, 0, 0, table->FieldCount, table->RecordCount,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect frame(preview.left - 5, preview.top - 10, preview.left + table->FieldCount + 5,
                preview.top + table->RecordCount + 5);
    m_frame.MoveWindow(&frame);
    Invalidate(TRUE);
}

void CLogoDlg::OnSelectBitmap()
{
    int index = m_bmpList.GetCurSel();
    if (index < 0)
        return;
    CString name;
    m_bmpList.GetText(index, name);
    m_picture.Destroy();
    // A file that does not load leaves the preview white.
    m_picture.Load(JoinFolder(g_pEcrSetting->BmpPath, name));
    m_rcPicture.SetRect(0, 0, m_picture.IsNull() ? 0 : m_picture.GetWidth(),
                        m_picture.IsNull() ? 0 : m_picture.GetHeight());
    m_previewArea.Invalidate(TRUE);
}

void CLogoDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item)
{
    if (id != IDC_LOGO_PREVIEW) {
        CEcrDialog::OnDrawItem(id, item);
        return;
    }
    CDC dc;
    dc.Attach(item->hDC);
    CRect client;
    m_previewArea.GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    if (!m_picture.IsNull()) {
        int saved = dc.SaveDC();
        dc.IntersectClipRect(&client);
        m_picture.Draw(dc, m_rcPicture.left, m_rcPicture.top);
        dc.RestoreDC(saved);
    }
    dc.Detach();
    // The labels lie over the preview: they paint again on top of it.
    for (CStaticEx& label : m_labels)
        label.Invalidate(TRUE);
    // The frame's band above its line covers the edit group's title, and a
    // group box paints its parent's background there: the title paints again.
    // Never down into the preview, which would not paint again over it.
    CRect group = RectInClient(m_editGroup);
    CRect frame = RectInClient(m_frame);
    CRect preview = RectInClient(m_previewArea);
    CRect title(0, 0, group.Width(), std::min(frame.top + FrameLineOffset(), preview.top) - group.top);
    m_editGroup.InvalidateRect(&title, TRUE);
}

int CLogoDlg::FrameLineOffset()
{
    // A group box draws its line half a text line below its top.
    CClientDC dc(&m_frame);
    HGDIOBJ old = dc.SelectObject(m_frame.GetFontHandle());
    TEXTMETRICW tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    return tm.tmHeight / 2 - 1;
}

void CLogoDlg::OnSelectBitmapFolder()
{
    m_folderButton.EnableWindow(FALSE);
    CString chosen;
    const CString prompt = CaptionText(WNDNO_LOGO, 16, L"Select Bitmap Folder");
    if (AfxBrowseForFolder(m_hWnd, prompt, FullPathName(g_pEcrSetting->BmpPath), chosen) &&
        !chosen.IsEmpty()) {
        g_pEcrSetting->BmpPath = chosen;
        ListBitmapFiles(chosen);
        m_folderPath.SetWindowText(chosen);
    }
    m_folderButton.EnableWindow(TRUE);
}

// ---- text lines -----------------------------------------------------------------------

void CLogoDlg::RenderLine(int line)
{
    RenderTextLine(m_text[line].GetWindowText(), m_labels[line]);
}

void CLogoDlg::RenderTextLine(const CString& text, CStaticEx& label)
{
    LOGFONTW lf = {};
    CString size;
    if (m_size.GetCurSel() >= 0)
        m_size.GetLBText(m_size.GetCurSel(), size);
    lf.lfHeight = _wtoi(size);
    lf.lfWeight = m_bold.GetCheck() == BST_CHECKED ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = m_italic.GetCheck() == BST_CHECKED ? 1 : 0;
    lf.lfUnderline = m_underline.GetCheck() == BST_CHECKED ? 1 : 0;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfOutPrecision = OUT_OUTLINE_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = FF_ROMAN | DEFAULT_PITCH;
    CString face;
    if (m_face.GetCurSel() >= 0)
        m_face.GetLBText(m_face.GetCurSel(), face);
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    // The label may shrink with its new font: what it covered paints again.
    InvalidateRect(RectInClient(label), TRUE);
    CFont font;
    if (font.CreateFontIndirect(&lf))
        label.SetLabelFont(&font);
    label.SetLabelText(text);
}

// ---- layout -----------------------------------------------------------------------

BOOL CLogoDlg::LayoutChild(CWnd* child, const int delta[2])
{
    const int dx = delta[0];
    const int dy = delta[1];
    CRect rect = RectInClient(*child);
    switch (child->GetDlgCtrlID()) {
    case IDC_LOGO_FOLDER_LABEL:
    case IDC_LOGO_TARGET:
    case IDC_LOGO_FOLDER_PATH:
    case IDC_LOGO_PREVIEW:
    case IDC_LOGO_FRAME:
    case IDC_LOGO_LABEL1:
    case IDC_LOGO_LABEL2:
    case IDC_LOGO_LABEL3:
        return TRUE;
    case IDC_LOGO_TEXT1:
    case IDC_LOGO_TEXT2:
    case IDC_LOGO_TEXT3:
    case IDC_LOGO_FONT_GROUP:
        rect.OffsetRect(0, dy);
        rect.right += dx;
        break;
    case IDC_LOGO_EDIT_GROUP:
        rect.right += dx;
        rect.bottom += dy;
        break;
    case IDC_LOGO_FOLDER_BUTTON:
    case IDC_LOGO_FACE:
    case IDC_LOGO_SIZE:
    case IDC_LOGO_BOLD:
    case IDC_LOGO_ITALIC:
    case IDC_LOGO_UNDERLINE:
        rect.OffsetRect(0, dy);
        break;
    default:
        return FALSE;
    }
    child->MoveWindow(&rect, FALSE);
    Invalidate(TRUE);
    return TRUE;
}

// ---- convert and preview ------------------------------------------------------------

HBITMAP CLogoDlg::RenderLogo(CEcrGraphic* logo)
{
    S_ECR_TABLE* table = logo->GetTable(0);
    if (!table)
        return nullptr;
    LogoRenderer renderer(table->FieldCount, table->RecordCount);
    if (!renderer.IsValid())
        return nullptr;
    renderer.DrawPicture(m_picture);
    CRect preview = RectInClient(m_previewArea);
    for (CStaticEx& label : m_labels) {
        CRect rect;
        label.GetClientRect(&rect);
        ::MapWindowPoints(label.m_hWnd, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        rect.OffsetRect(-preview.left, -preview.top);
        renderer.DrawLabel(label.GetWindowText(), label.GetFontHandle(), label.TextColor(), rect);
    }
    return renderer.CreateLogoBitmap(logo->BitsPerPixel);
}

bool CLogoDlg::MayWriteTemp(const CString& path)
{
    // A temp.bmp of the user's own is replaced only when the user agrees.
    return ::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES ||
           AfxMessageBox(CaptionText(WNDNO_LOGO, 9, L"The BMP folder already holds a temp.bmp.\nReplace it?"),
                         MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CLogoDlg::SaveTempBitmap(HBITMAP logo, const CString& path)
{
    CImage image;
    image.Attach(logo);
    bool saved = SUCCEEDED(image.Save(path));
    image.Detach();  // the caller keeps the bitmap
    return saved;
}

void CLogoDlg::ConvertLogo()
{
    CEcrGraphic* logo = SelectedLogo();
    if (!logo)
        return;
    CBitmap rendered;
    if (!rendered.Attach(RenderLogo(logo))) {
        ReportResult(logo, TILLMARK_NO_BITMAP, CString());
        return;
    }
    const CString tempPath = JoinFolder(g_pEcrSetting->BmpPath, kTempName);
    if (!MayWriteTemp(tempPath))
        return;
    // A stale temp.bmp must never be converted in place of this one.
    if (!SaveTempBitmap(rendered, tempPath)) {
        ::DeleteFileW(tempPath);
        ReportResult(logo, TILLMARK_NO_BITMAP, CString());
        return;
    }
    CString source = kDefaultSource;
    if (m_bmpList.GetCurSel() >= 0)
        m_bmpList.GetText(m_bmpList.GetCurSel(), source);
    DWORD code = TILLMARK_NO_BITMAP;
    DWORD startError = ERROR_SUCCESS;
    CString outputName;
    {
        CTillmarkCnvDlg dialog(logo, source, kTempName, this);
        dialog.DoModal();
        code = dialog.ResultCode();
        startError = dialog.StartError();
        outputName = dialog.OutputName();
    }
    // The result counts even when the intermediate file cannot be removed.
    ::DeleteFileW(tempPath);
    ReportResult(logo, code, outputName, startError);
}

void CLogoDlg::ReportResult(CEcrGraphic* logo, DWORD code, const CString& outputName, DWORD startError)
{
    if (IsTillmarkSuccess(code)) {
        CTillmarkViewDlg viewer(logo, code, outputName, this);
        viewer.DoModal();
    } else if (code == TILLMARK_CANCELLED) {
        AfxMessageBox(CaptionText(WNDNO_LOGO, 7, L"It canceled"), MB_OK);
    } else {
        CString message;
        message.Format(L"%s\n CODE:%08lx H\n%s", CaptionText(WNDNO_LOGO, 8, L"Convert Fail").GetString(), code,
                       FailureMeaning(code, startError).GetString());
        AfxMessageBox(message, MB_OK);
    }
}

void CLogoDlg::OnPreviewLogo()
{
    CEcrGraphic* logo = SelectedLogo();
    if (!logo)
        return;
    CTillmarkViewDlg viewer(logo, 0, nullptr, this);
    viewer.DoModal();
}

void CLogoDlg::OnBack()
{
    PostEcrMessage(WM_ECR_SHOW_WINDOW, WNDNO_SELECT, 0);
}
