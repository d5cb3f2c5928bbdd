#pragma once

#include "CCancelEvent.h"
#include "CEcrDialog.h"
#include "CEcrGraphic.h"

// The logo conversion dialog (window 0x20016): runs the logo conversion
// program on the rendered picture in a worker thread, with an animation
// and a Cancel button, and ends with the program's result code.
class CTillmarkCnvDlg : public CEcrDialog
{
public:
    // sourceName: the BMP the picture came from; inputName: the file to
    // convert, both in the BMP folder.
    CTillmarkCnvDlg(CEcrGraphic* logo, const CString& sourceName, const CString& inputName, CWnd* parent = nullptr);

    const CString& OutputName() const { return m_outputName; }
    DWORD ResultCode() const { return m_resultCode; }
    // With TILLMARK_NOT_STARTED: the system's error code of the failed start.
    DWORD StartError() const { return m_startError; }

    // Esc and the close request cancel the conversion; the dialog ends only
    // with the result.
    BOOL MayCloseNow() override;
    // Enter (IDOK) is ignored: the dialog ends only with the result.
    void OnOK() override {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnCancelConvert();
    LRESULT OnConvertDone(WPARAM result, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // The worker: runs the conversion program and posts its result.
    static UINT LogoConvertThread(LPVOID dialog);
    CString BuildCommandLine() const;

    CAnimateCtrl m_animation;
    CEcrGraphic* m_logo;
    CString m_sourceName;
    CString m_inputName;
    CString m_outputName;
    DWORD m_resultCode;
    DWORD m_startError = ERROR_SUCCESS;
    CStatic m_status;
    CButton m_cancel;
    CCancelEvent m_cancelEvent;
    CWorkerThread m_worker;
    CString m_commandLine;  // made before the worker starts; it reads a copy
};
