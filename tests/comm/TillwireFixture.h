// The send/receive dialog against the real communication program: a copy of
// Tillwire.exe in a fresh folder with its own register and data folder, the
// demo model library loaded on that data folder.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "CTillwireDlg.h"
#include "TempFolder.h"

// The dialog run modally; the script runs once the dialog is up, inside its
// modal loop, and the dialog is closed after it.
class ScriptedTillwireDlg : public CTillwireDlg
{
public:
    ScriptedTillwireDlg(int direction, std::function<void(ScriptedTillwireDlg&)> script);

    // Clicks a button as the user would (the tick changes first).
    void Click(int id);
    // Sets a tick without the click's questions, as a program would.
    void Tick(int id, bool on);
    bool Ticked(int id) const;
    CString Text(int id) const;
    void SetText(int id, const wchar_t* text);
    bool Visible(int id) const { return ::IsWindowVisible(::GetDlgItem(m_hWnd, id)) != FALSE; }
    bool Enabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(m_hWnd, id)) != FALSE; }
    // Pumps until the run has ended.
    bool WaitIdle(DWORD timeoutMs = 30000);
    // The setting row of a group name, or -1.
    int SettingRowOf(const wchar_t* name) const;
    int ReportRowOf(const wchar_t* name) const;

protected:
    BOOL OnInitDialog() override;
    LRESULT OnRunScript(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    std::function<void(ScriptedTillwireDlg&)> m_script;
};

class CEcrData;

struct TillwireTest : ::testing::Test
{
    TempFolder folder;
    std::wstring program;   // the copy of Tillwire.exe
    std::wstring registerFolder;
    std::wstring dataFolder;

    void SetUp() override;
    void TearDown() override;

    // Tillwire.ini beside the copy.
    void WriteIni(const std::string& text) const;
    // The lines of Tillwire.log (UTF-8), one per run.
    std::vector<std::string> LogLines() const;
    // Loads DEPT and changes its first byte in memory only: an edit not yet saved.
    static void EditDeptWithoutSaving();
    // DEPT as the data folder's file holds it now, or null without DEPT.
    static CEcrData* ReloadDeptFromFolder();
    // Sends DEPT and PLU and waits for the run to end: the dialog's log.
    static CString SendDeptAndPlu();
    // The command line as the dialog must pass it for a group.
    std::wstring DataFolderArgument() const { return L"\"" + dataFolder + L"\\\""; }

private:
    CString m_saved[5];
    int m_savedInts[3] = {};
};

std::string Narrow(const std::wstring& text);
