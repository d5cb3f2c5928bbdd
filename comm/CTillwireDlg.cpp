#include "CTillwireDlg.h"

#include "AppendLogLine.h"
#include "CChildProgram.h"
#include "CEcrReportGroup.h"
#include "CaptionText.h"
#include "CommResources.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldRules.h"
#include "FillPlaceholders.h"
#include "FullPathName.h"
#include "PortProbe.h"
#include "S_ECR_SETTING.h"
#include "TillwireCodeMeaning.h"

namespace {

// Posted by the worker as its last act; the UI thread ends the run.
constexpr UINT WM_TRANSFER_ENDED = WM_APP + 20;
constexpr int NoRowLeft = 0xFFFF;
constexpr int NeverReceivedRow = 3;  // the fourth setting row is send-only

// The value of the leading digits of a text; 0 when there are none.
int LeadingNumber(const CString& text)
{
    long long value = 0;
    for (int i = 0; i < text.GetLength() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(value);
}

CString WindowText(HWND wnd)
{
    CString text;
    int length = ::GetWindowTextLengthW(wnd);
    if (length > 0) {
        int got = ::GetWindowTextW(wnd, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer(got);
    }
    return text;
}

// Whether the dialog shows the control: its own style, since IsWindowVisible
// is false for every control while the dialog is hidden, as it is while the
// program is minimised.
bool Shown(HWND control)
{
    return (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The function menu's buttons (captions of window 16) that open a group's
// screen: a row names its group as the button does, in the caption language.
struct MenuButton
{
    int wndNo;
    int caption;
};
constexpr MenuButton kMenuButtons[] = {{WNDNO_DEPT, 1},     {WNDNO_PLU, 2},    {WNDNO_CLERK, 3},
                                       {WNDNO_KEYBOARD, 5}, {WNDNO_S_MODE, 6}, {WNDNO_PROG_MODE, 7}};

// Groups no button opens keep the library's name, which follows the
// caption language too.
CString RowName(CEcrData* group)
{
    for (const MenuButton& button : kMenuButtons)
        if (GetEcrDataFromWndNo(button.wndNo) == group)
            return CaptionText(WNDNO_SELECT, button.caption, group->Name);
    return group->Name ? group->Name : L"";
}

// The address control keeps the first octet in the high byte; the
// communication program takes it in the low byte.
unsigned AddressNumber(int ipReg)
{
    auto ip = static_cast<unsigned>(ipReg);
    return (ip >> 24) | ((ip >> 8) & 0xFF00u) | ((ip << 8) & 0xFF0000u) | (ip << 24);
}

} // namespace

BEGIN_MESSAGE_MAP(CTillwireDlg, CEcrDialog)
    ON_BN_CLICKED(IDC_START_TRANSFER, &CTillwireDlg::OnStartTransfer)
    ON_CBN_SELCHANGE(IDC_PORT_LIST, &CTillwireDlg::StorePortIndex)
    ON_BN_CLICKED(IDC_CHECK_ALL, &CTillwireDlg::CheckAllRows)
    ON_BN_CLICKED(IDC_UNCHECK_ALL, &CTillwireDlg::UncheckAllRows)
    ON_BN_CLICKED(IDC_TRANSFER_DETAIL, &CTillwireDlg::ToggleTransferDetail)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SETTING_ROW_FIRST, IDC_SETTING_ROW_LAST, &CTillwireDlg::OnGroupCheck)
    ON_MESSAGE(WM_TRANSFER_ENDED, &CTillwireDlg::OnTransferEnded)
END_MESSAGE_MAP()

CTillwireDlg::CTillwireDlg(int direction, CWnd* parent)
    : CEcrDialog(IDD_TILLWIRE_DIALOG, WNDNO_COM, parent), TransferDirection(direction)
{
}

CTillwireDlg::~CTillwireDlg()
{
    if (m_worker.Handle()) {
        m_cancel.Signal();
        m_worker.WaitPumping();
    }
}

void CTillwireDlg::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_START_TRANSFER, m_startButton);
    DDX_Control(dx, IDC_PORT_LIST, m_portList);
    DDX_Control(dx, IDC_TRANSFER_LOG, m_log);
    DDX_Control(dx, IDC_TRANSFER_DETAIL, m_detailButton);
    DDX_Control(dx, IDC_SETTING_GROUP, m_settingBox);
    DDX_Control(dx, IDC_REPORT_GROUP, m_reportBox);
    DDX_Control(dx, IDCANCEL, m_closeButton);
    DDX_Control(dx, IDC_CHECK_ALL, m_checkAll);
    DDX_Control(dx, IDC_UNCHECK_ALL, m_uncheckAll);
    DDX_Control(dx, IDC_TRANSFER_COUNT, m_counter);
    DDX_Control(dx, IDC_TRANSFER_ANIMATION, m_animation);
}

// ---- set-up -------------------------------------------------------------------

BOOL CTillwireDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    BindCaption(&m_checkAll, 3);
    BindCaption(&m_uncheckAll, 4);
    BindCaption(&m_detailButton, 8);
    BindCaption(&m_closeButton, 10);
    BindCaption(&m_settingBox, 11);
    BindCaption(&m_reportBox, 12);

    m_log.ShowWindow(SW_HIDE);
    m_log.SetWindowText(L"");
    FillRows();
    m_counter.SetWindowText(L"");

    if (TransferDirection == 1) {
        for (int r = 0; r < ReportRows; ++r) {
            ::SendMessageW(Item(IDC_REPORT_ROW_FIRST + r), BM_SETCHECK, BST_UNCHECKED, 0);
            ::EnableWindow(Item(IDC_REPORT_ROW_FIRST + r), FALSE);
            ::EnableWindow(Item(IDC_REPORT_FROM_FIRST + r), FALSE);
            ::EnableWindow(Item(IDC_REPORT_TO_FIRST + r), FALSE);
        }
        BindCaption(&m_startButton, 6);
        BindCaption(this, 2);
    } else {
        BindCaption(&m_startButton, 5);
        BindCaption(this, 1);
        ::SendMessageW(Item(IDC_SETTING_ROW_FIRST + NeverReceivedRow), BM_SETCHECK, BST_UNCHECKED, 0);
        ::EnableWindow(Item(IDC_SETTING_ROW_FIRST + NeverReceivedRow), FALSE);
    }
    FillPortList();
    if (g_pEcrSetting->IpREG != 0)
        m_portList.ShowWindow(SW_HIDE);
    return TRUE;
}

void CTillwireDlg::FillRows()
{
    for (int i = 0; i < SettingRows; ++i) {
        HWND box = Item(IDC_SETTING_ROW_FIRST + i);
        ::ShowWindow(box, SW_HIDE);
        ::SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
        m_settingGroups[i] = nullptr;
    }
    for (int r = 0; r < ReportRows; ++r) {
        for (int first : {IDC_REPORT_ROW_FIRST, IDC_REPORT_FROM_FIRST, IDC_REPORT_TO_FIRST})
            ::ShowWindow(Item(first + r), SW_HIDE);
        ::SendMessageW(Item(IDC_REPORT_ROW_FIRST + r), BM_SETCHECK, BST_UNCHECKED, 0);
        m_reportRows[r] = ReportRow{};
    }

    int settingRow = 0;
    int reportRow = 0;
    int count = GetEcrDataCount();
    for (int i = 0; i < count; ++i) {
        CEcrData* group = GetEcrDataFromIndex(i);
        if (!group || group->GroupType == GROUP_NOT_SENT || group->GroupType == GROUP_REPORT_SET)
            continue;
        if (CEcrReportGroup* reports = AsReportGroup(group)) {
            // Rows beyond the dialog's 24 are left out.
            for (int j = 0; j < reports->GetReportCount() && reportRow < ReportRows; ++j, ++reportRow) {
                ReportRow& row = m_reportRows[reportRow];
                row.group = reports;
                row.report = j;
                row.minimum = reports->GetRangeMin(j);
                row.maximum = reports->GetRangeMax(j);
                S_ECR_LABEL* label = reports->GetReportLabel(j);
                CString text = label ? LabelText(*label) : CString();
                HWND box = Item(IDC_REPORT_ROW_FIRST + reportRow);
                ::SetWindowTextW(box, text);
                ::ShowWindow(box, SW_SHOW);
                int ranges = reports->GetRangeFieldCount(j);
                if (ranges > 1)
                    ::ShowWindow(Item(IDC_REPORT_TO_FIRST + reportRow), SW_SHOW);
                if (ranges > 0)
                    ::ShowWindow(Item(IDC_REPORT_FROM_FIRST + reportRow), SW_SHOW);
            }
            continue;
        }
        if (settingRow >= SettingRows)
            continue;  // the dialog has room for 12
        m_settingGroups[settingRow] = group;
        HWND box = Item(IDC_SETTING_ROW_FIRST + settingRow);
        ::SetWindowTextW(box, RowName(group));
        ::ShowWindow(box, SW_SHOW);
        if (TransferDirection == 1 && group->Enabled == 0)
            ::EnableWindow(box, FALSE);
        ++settingRow;
    }
}

void CTillwireDlg::FillPortList()
{
    m_portList.ResetContent();
    m_portList.AddString(L"USB");
    for (int n = 1; n <= 64; ++n) {
        if (ProbeComPort(n)) {
            CString name;
            name.Format(L"COM%ld", static_cast<long>(n));
            m_portList.AddString(name);
        }
    }
    if (m_portList.SetCurSel(g_pEcrSetting->PortNo) == CB_ERR)
        m_portList.SetCurSel(0);
}

// ---- rows -----------------------------------------------------------------------

bool CTillwireDlg::SettingRowMayChange(int row) const
{
    if (!Shown(Item(IDC_SETTING_ROW_FIRST + row)))
        return false;
    if (TransferDirection == 1)
        return m_settingGroups[row] && m_settingGroups[row]->Enabled != 0;
    return row != NeverReceivedRow;
}

void CTillwireDlg::EnableTransferControls(BOOL enable)
{
    m_portList.EnableWindow(enable);
    m_closeButton.EnableWindow(enable);
    m_checkAll.EnableWindow(enable);
    m_uncheckAll.EnableWindow(enable);
    for (int i = 0; i < SettingRows; ++i)
        if (Shown(Item(IDC_SETTING_ROW_FIRST + i)) && (TransferDirection == 0 || SettingRowMayChange(i)))
            ::EnableWindow(Item(IDC_SETTING_ROW_FIRST + i), enable);
    if (TransferDirection == 1)
        return;
    ::SendMessageW(Item(IDC_SETTING_ROW_FIRST + NeverReceivedRow), BM_SETCHECK, BST_UNCHECKED, 0);
    ::EnableWindow(Item(IDC_SETTING_ROW_FIRST + NeverReceivedRow), FALSE);
    for (int r = 0; r < ReportRows; ++r)
        for (int first : {IDC_REPORT_ROW_FIRST, IDC_REPORT_FROM_FIRST, IDC_REPORT_TO_FIRST})
            if (Shown(Item(first + r)))
                ::EnableWindow(Item(first + r), enable);
}

void CTillwireDlg::SetAllRowChecks(int state)
{
    for (int i = 0; i < SettingRows; ++i) {
        m_confirmed[i] = false;
        if (SettingRowMayChange(i))
            ::SendMessageW(Item(IDC_SETTING_ROW_FIRST + i), BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (TransferDirection == 1)
        return;
    ::SendMessageW(Item(IDC_SETTING_ROW_FIRST + NeverReceivedRow), BM_SETCHECK, BST_UNCHECKED, 0);
    for (int r = 0; r < ReportRows; ++r)
        if (Shown(Item(IDC_REPORT_ROW_FIRST + r)))
            ::SendMessageW(Item(IDC_REPORT_ROW_FIRST + r), BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

namespace {

// The group with its unsaved-changes count brought up to date (the library
// counts them whenever a group is fetched).
int UnsavedChangesOf(CEcrData* group)
{
    if (!group)
        return 0;
    CEcrData* fresh = GetEcrDataFromIndex(GetEcrIndexFromData(group));
    return fresh ? fresh->UnsavedChanges : group->UnsavedChanges;
}

// Asked in receive mode, where the received file replaces the edits.
CString UnsavedQuestion()
{
    return CaptionText(WNDNO_COM, 40, L"The data has been modified.\nDo you want to tick it anyway?");
}

} // namespace

void CTillwireDlg::OnGroupCheck(UINT id)
{
    int row = static_cast<int>(id) - IDC_SETTING_ROW_FIRST;
    if (TransferDirection != 0 || row < 0 || row >= SettingRows)
        return;
    HWND box = Item(static_cast<int>(id));
    m_confirmed[row] = false;
    if (::SendMessageW(box, BM_GETCHECK, 0, 0) != BST_CHECKED || UnsavedChangesOf(m_settingGroups[row]) <= 0)
        return;
    if (AfxMessageBox(UnsavedQuestion(), MB_OKCANCEL) == IDOK)
        m_confirmed[row] = true;
    else
        ::SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
}

CTillwireDlg::UnsavedRows CTillwireDlg::TickedRowsWithUnsavedEdits() const
{
    UnsavedRows unsaved;
    for (int i = 0; i < SettingRows; ++i) {
        HWND box = Item(IDC_SETTING_ROW_FIRST + i);
        if (m_confirmed[i] || ::SendMessageW(box, BM_GETCHECK, 0, 0) != BST_CHECKED ||
            UnsavedChangesOf(m_settingGroups[i]) <= 0)
            continue;
        unsaved.rows.push_back(i);
        if (!unsaved.names.IsEmpty())
            unsaved.names += L", ";
        unsaved.names += WindowText(box);
    }
    return unsaved;
}

void CTillwireDlg::ConfirmUnsavedGroups()
{
    // Ticks set by Check All (or by a program) were never asked about one by one.
    const UnsavedRows unsaved = TickedRowsWithUnsavedEdits();
    if (unsaved.rows.empty())
        return;
    CString question = FillPlaceholders(CaptionText(WNDNO_COM, 41,
                                                    L"These tables hold edits that were not saved with Update: %1\n"
                                                    L"The received data replaces these edits.\n"
                                                    L"OK receives them all the same; Cancel leaves these tables out."),
                                        {unsaved.names});
    const bool keep = AfxMessageBox(question, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDOK;
    for (int row : unsaved.rows) {
        if (keep)
            m_confirmed[row] = true;
        else
            ::SendMessageW(Item(IDC_SETTING_ROW_FIRST + row), BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

bool CTillwireDlg::ConfirmSendOfSavedData()
{
    // The communication program sends the group's file, so edits not saved
    // with Update would not reach the register, though the run ends well.
    const UnsavedRows unsaved = TickedRowsWithUnsavedEdits();
    if (unsaved.rows.empty())
        return true;
    CString question = FillPlaceholders(CaptionText(WNDNO_COM, 22,
                                                    L"These tables hold edits that were not saved with Update: %1\n"
                                                    L"The register gets the saved data, without these edits.\n"
                                                    L"Send anyway?"),
                                        {unsaved.names});
    return AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

void CTillwireDlg::ClampRangeEdits()
{
    for (int r = 0; r < ReportRows; ++r) {
        const ReportRow& row = m_reportRows[r];
        if (!row.group || ::SendMessageW(Item(IDC_REPORT_ROW_FIRST + r), BM_GETCHECK, 0, 0) != BST_CHECKED)
            continue;
        for (int first : {IDC_REPORT_FROM_FIRST, IDC_REPORT_TO_FIRST}) {
            HWND edit = Item(first + r);
            if (!Shown(edit))
                continue;
            int value = LeadingNumber(WindowText(edit));
            // An empty to edit means "to = from"; it is not a value to clamp.
            if (first == IDC_REPORT_TO_FIRST && value == 0)
                continue;
            int clamped = value < row.minimum ? row.minimum : value > row.maximum ? row.maximum : value;
            if (clamped != value) {
                CString text;
                text.Format(L"%d", clamped);
                ::SetWindowTextW(edit, text);
            }
        }
    }
}

void CTillwireDlg::StorePortIndex()
{
    g_pEcrSetting->PortNo = m_portList.GetCurSel();
}

void CTillwireDlg::ToggleTransferDetail()
{
    if (!m_detail) {
        m_animation.ShowWindow(SW_HIDE);
        m_log.ShowWindow(SW_SHOW);
        BindCaption(&m_detailButton, 9);
        m_detail = TRUE;
    } else {
        m_animation.ShowWindow(SW_SHOW);
        m_log.ShowWindow(SW_HIDE);
        BindCaption(&m_detailButton, 8);
        m_detail = FALSE;
    }
}

// ---- start, cancel and the end of a run ------------------------------------------------

void CTillwireDlg::OnStartTransfer()
{
    if (!m_idle) {
        m_cancel.Signal();
        return;
    }
    if (!AnyRowTicked()) {
        AfxMessageBox(CaptionText(WNDNO_COM, 32, L"No item is ticked. Please tick the items to send or receive."),
                      MB_OK | MB_ICONINFORMATION);
        return;
    }
    ClampRangeEdits();
    if (TransferDirection == 0)
        ConfirmUnsavedGroups();
    else if (!ConfirmSendOfSavedData())
        return;
    if (!AnyRowTicked())
        return;  // the operator unticked them at the unsaved-edits question

    switch (m_cancel.Create(CancelEventName)) {
    case CCancelEvent::CreateResult::InUse:
        AfxMessageBox(CaptionText(WNDNO_COM, 13, L"Tilldesk communicated with ECR exists"), MB_OK);
        return;
    case CCancelEvent::CreateResult::Failed:
        AfxMessageBox(CaptionText(WNDNO_COM, 16, L"It failed in the start of Thread"), MB_OK);
        return;
    case CCancelEvent::CreateResult::Created:
        break;
    }
    // Suspended until the dialog shows the run, so the worker never races
    // the controls it is about to disable.
    if (!m_worker.Create(&CTillwireDlg::TransferThread, this)) {
        m_cancel.Close();
        AfxMessageBox(CaptionText(WNDNO_COM, 16, L"It failed in the start of Thread"), MB_OK);
        return;
    }
    m_idle = FALSE;
    if (S_ECR_CAP* cap = FindCaption(WNDNO_COM, 7)) {
        HGDIOBJ font = cap->Font.m_hObject ? cap->Font.m_hObject : GetFontHandle();
        m_startButton.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        m_startButton.SetWindowText(cap->Text);
    }
    EnableTransferControls(FALSE);
    const CString& clip = TransferDirection == 1 ? g_pEcrSetting->RAnime : g_pEcrSetting->SAnime;
    m_animation.Open(clip);  // a clip that cannot be read leaves the control blank
    if (!m_detail)
        m_animation.ShowWindow(SW_SHOW);
    m_animation.Play(0, 0xFFFF, static_cast<UINT>(-1));
    m_log.SetWindowText(L"");
    m_detailButton.ShowWindow(SW_SHOW);
    if (!m_worker.Resume()) {
        // A worker that never ran leaves nothing to wait for: the run ends here.
        OnTransferEnded(0, 0);
        AfxMessageBox(CaptionText(WNDNO_COM, 16, L"It failed in the start of Thread"), MB_OK);
    }
}

BOOL CTillwireDlg::MayCloseNow()
{
    if (m_idle)
        return TRUE;
    m_closeWhenEnded = true;
    m_cancel.Signal();
    return FALSE;
}

LRESULT CTillwireDlg::OnTransferEnded(WPARAM, LPARAM)
{
    m_worker.WaitPumping();
    m_cancel.Close();
    EnableTransferControls(TRUE);
    m_idle = TRUE;
    StopProgressAnimation();
    m_counter.SetWindowText(L"");
    ApplyCaption(&m_startButton);
    if (m_closeWhenEnded)
        EndDialog(IDCANCEL);
    return 0;
}

void CTillwireDlg::StopProgressAnimation()
{
    m_animation.Stop();
    m_animation.Close();
    m_animation.ShowWindow(SW_HIDE);
}

// ---- the worker -------------------------------------------------------------------

UINT CTillwireDlg::TransferThread(LPVOID param)
{
    static_cast<CTillwireDlg*>(param)->RunTransfers();
    return 0;
}

void CTillwireDlg::Log(const wchar_t* text) const
{
    AppendLogLine(Item(IDC_TRANSFER_LOG), text);
}

int CTillwireDlg::RowBox(int row)
{
    return row < SettingRows ? IDC_SETTING_ROW_FIRST + row : IDC_REPORT_ROW_FIRST + row - SettingRows;
}

bool CTillwireDlg::RowTicked(int row) const
{
    return RowGroup(row) && ::SendMessageW(Item(RowBox(row)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool CTillwireDlg::AnyRowTicked() const
{
    for (int row = 0; row < SettingRows + ReportRows; ++row)
        if (RowTicked(row))
            return true;
    return false;
}

CEcrData* CTillwireDlg::RowGroup(int row) const
{
    if (row < SettingRows)
        return m_settingGroups[row];
    return m_reportRows[row - SettingRows].group;
}

CString CTillwireDlg::CommandLineFor(int row) const
{
    const S_ECR_SETTING& s = *g_pEcrSetting;
    CString link;
    if (s.IpREG != 0)
        link.Format(L"LAN %u", AddressNumber(s.IpREG));
    else
        link.Format(L"%d %d", static_cast<int>(::SendMessageW(Item(IDC_PORT_LIST), CB_GETCURSEL, 0, 0)), s.BaudRate);

    // By its full path: a relative one would be looked for along the search path too.
    const CString program = FullPathName(s.Tillwire);
    CString line;
    if (row < SettingRows) {
        CEcrData* group = m_settingGroups[row];
        line.Format(L"\"%s\" %s %d \"%s\\\" %d ECR 1 %d 0 1", program.GetString(), link.GetString(), TransferDirection,
                    s.DataPath.GetString(), group->GroupId, group->GetRegisterParam());
        return line;
    }
    int r = row - SettingRows;
    const ReportRow& report = m_reportRows[r];
    HWND fromEdit = Item(IDC_REPORT_FROM_FIRST + r);
    HWND toEdit = Item(IDC_REPORT_TO_FIRST + r);
    int from = Shown(fromEdit) ? LeadingNumber(WindowText(fromEdit)) : 0;
    int to = from;
    int count = 1;
    if (Shown(toEdit)) {
        int value = LeadingNumber(WindowText(toEdit));
        if (value >= 1) {
            to = value;
            count = 2;
        }
    }
    line.Format(L"\"%s\" %s %d \"%s\\\" %d CSV %d %d %d 1", program.GetString(), link.GetString(), TransferDirection,
                s.DataPath.GetString(), report.group->GetReportId(report.report), count, from, to);
    return line;
}

BOOL CTillwireDlg::StartNextTransfer(int* row, CChildProgram& program, CString& line)
{
    int next = *row + 1;
    while (next < SettingRows + ReportRows && !RowTicked(next))
        ++next;
    if (next >= SettingRows + ReportRows) {
        *row = NoRowLeft;
        return FALSE;
    }
    *row = next;
    line = CommandLineFor(next);
    bool started = program.Start(line);
    DWORD error = ::GetLastError();
    CString logLine = L"[Start]:" + line;
    Log(logLine);
    ::SetLastError(error);
    return started;
}

void CTillwireDlg::RunTransfers()
{
    int row = -1;
    int started = 0;
    // A failed row asks whether to go on, after a line that names the item
    // and why it failed; a cancel pressed meanwhile is a No.
    auto goOn = [this](const CString& failure, DWORD code) {
        // The caption replaces the whole question, the code included.
        CString question = CaptionText(WNDNO_COM, 20, nullptr);
        if (question.IsEmpty())
            question.Format(L"Communication Fail.. Code=%08xH\n Do you keep processing it?", code);
        bool yes = AfxMessageBox(failure + L"\r\n" + question, MB_YESNO) == IDYES;
        if (m_cancel.TakePending()) {
            Log(L"[Stop ]: Cancel by User");
            return false;
        }
        return yes;
    };
    for (;;) {
        if (m_cancel.TakePending()) {
            Log(L"[Stop ]: Cancel by User");
            break;
        }
        CChildProgram program;
        CString line;
        if (!StartNextTransfer(&row, program, line)) {
            if (row == NoRowLeft)
                break;
            // The program did not start (missing, or the line too long):
            // the row fails with the system's reason.
            DWORD error = ::GetLastError();
            DWORD code = HRESULT_FROM_WIN32(error);
            CString end;
            end.Format(L"[End  ]: Code=%08xH", code);
            Log(end);
            const CChildProgram::StartFailure why(g_pEcrSetting->Tillwire, error);
            CString failure = FillPlaceholders(
                CaptionText(WNDNO_COM, 30, L"%1: the communication program %2 could not be started (%3)."),
                {WindowText(Item(RowBox(row))), why.Program, why.Reason});
            if (!goOn(failure, code))
                break;
            continue;
        }
        CString counter;
        counter.Format(L"%d", ++started);
        ::SetWindowTextW(Item(IDC_TRANSFER_COUNT), counter);

        bool cancelled = false;
        CChildProgram::WaitResult waited = program.Wait(m_cancel.Handle(), [&] {
            Log(L"[Stop ]: Cancel by User");
            // The program ends in its own time (it may be writing); say so once.
            if (!cancelled)
                Log(L"[Wait ]: " + CaptionText(WNDNO_COM, 21, L"Waiting for the communication program to end"));
            cancelled = true;
        });
        if (waited == CChildProgram::WaitResult::Failed)
            break;
        DWORD code = program.ExitCode();
        CString end;
        end.Format(L"[End  ]: Code=%08xH", code);
        Log(end);
        // A failed or cut-short transfer may have left anything behind.
        if (TransferDirection == 0 && code == 0)
            PostEcrMessage(WM_ECR_DATA_RELOAD, 1, GetEcrIndexFromData(RowGroup(row)));
        if (cancelled)
            break;
        if (code != 0) {
            CString hex;
            hex.Format(L"%08xH", code);
            const CString item = WindowText(Item(RowBox(row)));
            // The code stays in the message: the log and the program's own log name it so.
            const CString meaning = TillwireCodeMeaning(code);
            CString failure =
                meaning.IsEmpty()
                    ? FillPlaceholders(CaptionText(WNDNO_COM, 31, L"%1: the communication program ended with code %2."),
                                       {item, hex})
                    : FillPlaceholders(CaptionText(WNDNO_COM, 33,
                                                   L"%1: the communication program ended with code %2: %3."),
                                       {item, hex, meaning});
            if (!goOn(failure, code))
                break;
        }
    }
    // The last act: the UI thread ends the run and may then end the dialog.
    ::PostMessageW(m_hWnd, WM_TRANSFER_ENDED, 0, 0);
}
