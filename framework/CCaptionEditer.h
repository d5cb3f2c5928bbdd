#pragma once

#include "afx.h"

// Edits one caption in place: text, font and tooltip of the caption
// (window number, caption number). Update stores it in the caption manager;
// closing after an Update asks the parent to apply its captions again.
//
// A caption without a font stays without one (the control keeps its
// dialog's font) unless a font is chosen here. Line breaks of the text show
// as backslash-"n" in the one-line text box, as the caption file writes them.
class CCaptionEditer : public CDialog
{
public:
    CCaptionEditer(int wndNo, int captionNo, CWnd* parent);

    int WndNo;
    int CaptionNo;
    BOOL Changed = FALSE;  // set by every Update

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnCaptionUpdate();
    void OnCaptionFont();
    void OnTipSwitch();
    void OnTextChange();
    DECLARE_MESSAGE_MAP()

private:
    void ApplyOwnCaptions();
    void SetPreviewFont();
    void PostRefreshWhenChanged();

    LOGFONTW m_logFont;      // the caption's font description
    bool m_hasFont = false;  // the caption has a font, or one was chosen
    CFont m_previewFont;

    CEdit m_wndNo;
    CEdit m_captionNo;
    CEdit m_text;
    CButton m_tipOn;
    CEdit m_tipText;
    CStatic m_preview;
    CStatic m_comment;
};
