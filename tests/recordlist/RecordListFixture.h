// The record list on the demo library, over a copy of the sample data.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "CFlexListDlg.h"
#include "MessageBoxRecorder.h"
#include "TempFolder.h"
#include "TablesResources.h"

// What the file dialogs were asked and what they answer.
struct FileDialogScript
{
    std::wstring answer;  // empty: cancelled
    int runs = 0;
    BOOL open = FALSE;
    std::wstring defExt;
    DWORD flags = 0;
    bool hasFilter = false;
};
extern FileDialogScript g_fileDialog;

class RecordList : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes wndNo the current screen, as the application does.
    CFlexListDlg* Open(int wndNo, int listPos = 0);
    CFlexListDlg* Screen() const;
    int CurrentNumber() const;
    // Sends a click of a button of the current screen.
    void Click(int id);
    // Exports the current screen's table and keeps the header row and its
    // first `records` records in `name` in the scratch folder, as a
    // spreadsheet would save a part of it.
    void ExportFirstRecords(int records, const wchar_t* name);
    bool Visible(int id) const;
    bool Enabled(int id) const;
    // Texts of the message boxes shown since the last call (program and library).
    std::vector<std::wstring> TakeBoxes();
    // The data group of the screen, loaded.
    CEcrData* Group(int wndNo) const;
    std::string DataFile(const wchar_t* name) const { return m_data.Read(name); }
    std::wstring DataPath(const wchar_t* name) const { return m_data.File(name); }
    // Unloads and loads the library again, as a restart of the program does.
    void Restart();
    void UseLanguage(const wchar_t* language);

    TempFolder m_data;
    TempFolder m_scratch;
    MessageBoxRecorder m_boxes;

private:
    void LoadLibrary();

    CString m_savedName, m_savedPath, m_savedLanguage;
    int m_savedLevel = 0, m_savedAutoPopup = 0, m_savedCapEdit = 0;
    AfxFileDialogHandler m_savedFileDialog = nullptr;
};
