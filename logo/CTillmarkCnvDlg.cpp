#include "CTillmarkCnvDlg.h"

#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "LogoNames.h"
#include "LogoResources.h"
#include "S_ECR_SETTING.h"
#include "TillmarkCodes.h"

namespace {

const wchar_t kCancelEventName[] = L"EV_TILLMARK_CANCEL";

} // namespace

BEGIN_MESSAGE_MAP(CTillmarkCnvDlg, CEcrDialog)
    ON_BN_CLICKED(IDC_CNV_CANCEL, &CTillmarkCnvDlg::OnCancelConvert)
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
    DDX_Control(dx, IDC_CNV_STATUS, m_status);
    DDX_Control(dx, IDC_CNV_CANCEL, m_cancel);
}

BOOL CTillmarkCnvDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    BindCaption(this, 1);
    BindCaption(&m_status, 2);
    BindCaption(&m_cancel, 3);

    m_cancelEvent = ::OpenEventW(EVENT_ALL_ACCESS, FALSE, kCancelEventName);
    if (m_cancelEvent) {
        PostMessage(WM_ECR_LOGO_CNV_DONE, TILLMARK_BUSY, 0);
        return TRUE;
    }
    m_cancelEvent = ::CreateEventW(nullptr, FALSE, FALSE, kCancelEventName);
    m_outputName = LogoOutputName(m_sourceName, m_logo->LogoName);
    PostMessage(WM_ECR_LOGO_CNV_DONE, TILLMARK_NO_THREAD, 0);
    return TRUE;
}

BOOL CTillmarkCnvDlg::MayCloseNow()
{
    OnCancelConvert();
    return FALSE;
}

void CTillmarkCnvDlg::OnCancelConvert()
{
    if (m_cancelEvent)
        ::SetEvent(m_cancelEvent);
}

LRESULT CTillmarkCnvDlg::OnConvertDone(WPARAM result, LPARAM)
{
    if (m_cancelEvent) {
        ::CloseHandle(m_cancelEvent);
        m_cancelEvent = nullptr;
    }
    m_resultCode = static_cast<DWORD>(result);
    CEcrDialog::OnOK();
    return 0;
}
