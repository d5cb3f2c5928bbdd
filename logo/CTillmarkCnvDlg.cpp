#include "CTillmarkCnvDlg.h"

#include "CChildProgram.h"
#include "CaptionText.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FullPathName.h"
#include "LogoNames.h"
#include "LogoResources.h"
#include "S_ECR_SETTING.h"
#include "TillmarkCodes.h"

namespace {

const wchar_t kCancelEventName[] = L"EV_TILLMARK_CANCEL";

// What the worker needs, copied before it starts: after it posts the result
// the dialog may be gone, so it never reads the dialog again.
struct ConversionJob
{
    HWND dialog;
    CString commandLine;
    HANDLE cancelEvent;
};

} // namespace

BEGIN_MESSAGE_MAP(CTillmarkCnvDlg, CEcrDialog)
    ON_BN_CLICKED(IDC_MARK_CANCEL, &CTillmarkCnvDlg::OnCancelConvert)
    ON_MESSAGE(WM_ECR_LOGO_CNV_DONE, &CTillmarkCnvDlg::OnConvertDone)
END_MESSAGE_MAP()

CTillmarkCnvDlg::CTillmarkCnvDlg(CEcrGraphic* logo, const CString& sourceName, const CString& inputName, CWnd* parent)
    : CEcrDialog(IDD_TILLMARK_CNV_DIALOG, WNDNO_LOGO_CNV, parent), m_logo(logo), m_sourceName(sourceName),
      m_inputName(inputName), m_resultCode(TILLMARK_NO_BITMAP)
{
    IsModal = TRUE;
}

void CTillmarkCnvDlg::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MARK_ANIMATION, m_animation);
    DDX_Control(dx, IDC_MARK_STATUS, m_status);
    DDX_Control(dx, IDC_MARK_CANCEL, m_cancel);
}

CString CTillmarkCnvDlg::BuildCommandLine() const
{
    const S_ECR_SETTING& settings = *g_pEcrSetting;
    CString line;
    // By its full path: a relative one would be looked for along the search path too.
    line.Format(L"\"%s\" \"%s\\\" %s %s", FullPathName(settings.Tillmark).GetString(), settings.BmpPath.GetString(),
                m_inputName.GetString(), m_outputName.GetString());
    for (int param : m_logo->Params)
        line.AppendFormat(L" %d", param);
    return line;
}

BOOL CTillmarkCnvDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    BindCaption(this, 1);
    BindCaption(&m_status, 2);
    BindCaption(&m_cancel, 3);

    switch (m_cancelEvent.Create(kCancelEventName)) {
    case CCancelEvent::CreateResult::InUse:
        PostMessage(WM_ECR_LOGO_CNV_DONE, TILLMARK_BUSY, 0);
        return TRUE;
    case CCancelEvent::CreateResult::Failed:
        PostMessage(WM_ECR_LOGO_CNV_DONE, TILLMARK_NO_THREAD, 0);
        return TRUE;
    case CCancelEvent::CreateResult::Created:
        break;
    }
    // A clip that cannot be read leaves the control blank; the text says enough.
    if (m_animation.Open(g_pEcrSetting->LogoAnim)) {
        m_animation.Play(0, 0xFFFF, static_cast<UINT>(-1));
        m_animation.ShowWindow(SW_SHOW);
    }
    m_outputName = LogoOutputName(m_sourceName, m_logo->LogoName);
    m_commandLine = BuildCommandLine();
    if (!m_worker.Create(&CTillmarkCnvDlg::LogoConvertThread, this) || !m_worker.Resume())
        PostMessage(WM_ECR_LOGO_CNV_DONE, TILLMARK_NO_THREAD, 0);
    return TRUE;
}

UINT CTillmarkCnvDlg::LogoConvertThread(LPVOID dialog)
{
    auto* self = static_cast<CTillmarkCnvDlg*>(dialog);
    const ConversionJob job = {self->m_hWnd, self->m_commandLine, self->m_cancelEvent.Handle()};
    DWORD result = TILLMARK_NOT_STARTED;
    DWORD startError = ERROR_SUCCESS;
    CChildProgram program;
    if (program.Start(job.commandLine))
        result = program.Wait(job.cancelEvent) == CChildProgram::WaitResult::Ended ? program.ExitCode()
                                                                                  : TILLMARK_WAIT_FAILED;
    else
        startError = ::GetLastError();
    // A program that did not start sends the system's reason along.
    ::PostMessageW(job.dialog, WM_ECR_LOGO_CNV_DONE, result, static_cast<LPARAM>(startError));
    return 0;
}

BOOL CTillmarkCnvDlg::MayCloseNow()
{
    // Esc or a close request while the program runs: cancel it and wait
    // for its result, so the event is closed and the next run can start.
    OnCancelConvert();
    return FALSE;
}

void CTillmarkCnvDlg::OnCancelConvert()
{
    m_cancelEvent.Signal();
    // The program ends in its own time (it may be writing its output).
    m_status.SetWindowText(CaptionText(WNDNO_LOGO_CNV, 4, L"Waiting for the converter to end"));
}

LRESULT CTillmarkCnvDlg::OnConvertDone(WPARAM result, LPARAM startError)
{
    m_worker.WaitPumping();
    m_animation.Stop();
    m_animation.Close();
    m_cancelEvent.Close();
    m_resultCode = static_cast<DWORD>(result);
    m_startError = static_cast<DWORD>(startError);
    CEcrDialog::OnOK();
    return 0;
}
