#pragma once

#include "CEcrDialog.h"
#include "CEcrGraphic.h"
#include "CStaticEx.h"

// The logo screen (window 22): the operator picks a logo target and a
// picture of the BMP folder, types up to three text lines in a face, size
// and style, drags them over the preview, and converts the result into a
// logo file or previews the logo files.
class CLogoDlg : public CEcrDialog
{
public:
    enum { IDD = 107 };

    CLogoDlg();

    BOOL LayoutChild(CWnd* child, const int delta[2]) override;

    // The chosen logo target, or null.
    CEcrGraphic* SelectedLogo();
    const CRect& PicturePlacement() const { return m_rcPicture; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnLogoChange();
    void OnSelectBitmap();
    void OnSelectBitmapFolder();
    void OnTextLine1() { RenderLine(0); }
    void OnTextLine2() { RenderLine(1); }
    void OnTextLine3() { RenderLine(2); }
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    void ConvertLogo();
    void OnPreviewLogo();
    void OnBack();
    DECLARE_MESSAGE_MAP()

    // Hands each font family of the screen to add, for the face list.
    virtual void EnumerateFaces(FONTENUMPROCW add, LPARAM param);

private:
    void FillFaceList();
    static int CALLBACK AddFontFace(const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD type, LPARAM param);
    void CollectLogoTargets();
    void ListBitmapFiles(const CString& folder);
    void RenderLine(int line);
    // Gives one text label the font of the face, size and style boxes and the text.
    void RenderTextLine(const CString& text, CStaticEx& label);
    // The logo as the preview shows it, at the logo's size and depth; null on failure.
    HBITMAP RenderLogo(CEcrGraphic* logo);
    // Asks before an existing temp.bmp is replaced.
    bool MayWriteTemp(const CString& path);
    // Saves the rendered logo as temp.bmp; false when it was not written.
    bool SaveTempBitmap(HBITMAP logo, const CString& path);
    // Tells the result of a conversion; startError is the system's reason
    // when the conversion program did not start.
    void ReportResult(CEcrGraphic* logo, DWORD code, const CString& outputName, DWORD startError = ERROR_SUCCESS);
    CRect RectInClient(const CWnd& wnd) const;
    // How far below its top the frame draws its line.
    int FrameLineOffset();

    CList<CEcrGraphic*, CEcrGraphic* const&> m_logos{10};
    CListBox m_bmpList;
    CComboBox m_face;
    CComboBox m_size;
    CComboBox m_logoCombo;
    CEdit m_text[3];
    CButton m_folderButton;
    CButton m_convert;
    CButton m_preview;
    CButton m_back;
    CButton m_bold;
    CButton m_italic;
    CButton m_underline;
    CBitmap m_styleImages[3];  // on the bold, italic and underline boxes
    CStatic m_folderLabel;
    CStatic m_folderPath;
    CStatic m_previewArea;
    CImage m_picture;
    CRect m_rcPicture;
    CStatic m_editGroup;
    CStatic m_fontGroup;
    CStatic m_frame;
    CStaticEx m_labels[3];
};
