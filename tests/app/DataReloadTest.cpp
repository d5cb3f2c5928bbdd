#include <gtest/gtest.h>

#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "EcrGlobals.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "resource.h"

namespace {

// The demo library on the demo register's data, copied into bin/Data by the build.
struct DataReload : ::testing::Test
{
    CString savedPath;
    void SetUp() override
    {
        savedPath = g_pEcrSetting->DataPath;
        g_pEcrSetting->DataPath = L".\\Data";
        theApp.LoadModelDll(L"VornK2Dll.dll");
        ASSERT_FALSE(theApp.EcrDll.Path.IsEmpty());
    }
    void TearDown() override
    {
        theApp.EcrDll.UnloadModelDll();
        g_pEcrSetting->DataPath = savedPath;
    }
    // A loaded DEPT table with its first record byte scribbled over in memory.
    S_ECR_TABLE* ScribbledDept(BYTE& original)
    {
        CEcrData* dept = GetEcrDataFromWndNo(WNDNO_DEPT);
        EXPECT_NE(nullptr, dept);
        if (!dept)
            return nullptr;
        dept->LoadData(nullptr);
        S_ECR_TABLE* table = dept->GetTable(0);
        EXPECT_TRUE(table && table->RecordData && table->RecordCount > 0);
        original = table->RecordData[0];
        table->RecordData[0] = static_cast<BYTE>(original ^ 0xFF);
        return table;
    }
};

class CReloadDuringModal : public CDialog
{
public:
    CReloadDuringModal() : CDialog(IDD_SELECT_DIALOG) {}
    S_ECR_TABLE* table = nullptr;
    BYTE seenWhileOpen = 0;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        // As the transfer worker does after a group was received.
        PostThreadMessageW(theApp.m_nThreadID, WM_ECR_DATA_RELOAD, 0, WNDNO_DEPT);
        ::PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    void OnCancel() override
    {
        seenWhileOpen = theApp.EcrDll.Module ? GetEcrDataFromWndNo(WNDNO_DEPT)->GetTable(0)->RecordData[0] : 0;
        CDialog::OnCancel();
    }
};

} // namespace

TEST_F(DataReload, ReceivedGroupIsReadAgainWhileAModalDialogRuns)
{
    BYTE original = 0;
    ASSERT_NE(nullptr, ScribbledDept(original));
    CReloadDuringModal modal;
    modal.DoModal();
    EXPECT_EQ(original, modal.seenWhileOpen);
}

TEST_F(DataReload, UnknownKindsAndIndexesChangeNothing)
{
    BYTE original = 0;
    S_ECR_TABLE* table = ScribbledDept(original);
    ASSERT_NE(nullptr, table);
    BYTE scribbled = table->RecordData[0];
    PostEcrMessage(WM_ECR_DATA_RELOAD, 2, WNDNO_DEPT);
    PostEcrMessage(WM_ECR_DATA_RELOAD, 1, -1);
    PostEcrMessage(WM_ECR_DATA_RELOAD, 1, GetEcrDataCount());
    PumpPending();
    EXPECT_EQ(scribbled, GetEcrDataFromWndNo(WNDNO_DEPT)->GetTable(0)->RecordData[0]);
}

TEST_F(DataReload, FolderChangeReadsLoadedGroupsFromTheNewFolder)
{
    BYTE original = 0;
    ASSERT_NE(nullptr, ScribbledDept(original));
    PostEcrMessage(WM_ECR_FOLDER_CHANGED, reinterpret_cast<WPARAM>(g_pEcrSetting->DataPath.GetString()));
    PumpPending();
    EXPECT_EQ(original, GetEcrDataFromWndNo(WNDNO_DEPT)->GetTable(0)->RecordData[0]);
}
