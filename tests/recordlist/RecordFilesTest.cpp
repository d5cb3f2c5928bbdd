// Update, CSV export and import: what reaches the data folder and what never does.
#include "RecordListFixture.h"

#include "EcrGlobals.h"
#include "FieldCodec.h"
#include "FieldRules.h"
#include "FolderLock.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "TestFiles.h"

namespace {

bool Contains(const std::vector<std::wstring>& boxes, const std::wstring& part)
{
    for (const auto& box : boxes)
        if (box.find(part) != std::wstring::npos)
            return true;
    return false;
}

// The sample data holds discounts outside their range on purpose, which an
// import refuses: brings them into range.
void BringDiscountsIntoRange(S_ECR_TABLE* plu)
{
    const S_ECR_FIELD& discount = plu->Fields()[7];
    for (int r = 0; r < plu->RecordCount; ++r) {
        CString shown;
        FormatField(&discount, FieldPtr(plu, r, 7), shown);
        if (IsShadedOutOfRange(discount, shown))
            ParseField(&discount, L"0", FieldPtr(plu, r, 7));
    }
}

std::string RecordBytes(const S_ECR_TABLE* table)
{
    return std::string(reinterpret_cast<const char*>(table->RecordData),
                       static_cast<size_t>(table->RecordCount) * table->RecordSize);
}

} // namespace

TEST_F(RecordList, UpdateWritesTheEditAndARestartReadsItBack)
{
    struct Edit
    {
        int wndNo;
        const wchar_t* file;
        int column;
        const wchar_t* text;
    };
    const Edit edits[] = {{WNDNO_DEPT, L"DEPT.VK2", 2, L"Edited"},   {WNDNO_PLU, L"PLU.VK2", 2, L"Edited"},
                          {WNDNO_CLERK, L"CLERK.VK2", 2, L"Edited"}, {WNDNO_S_MODE, L"SMODE.VK2", 1, L"Edited"},
                          {WNDNO_PROG_MODE, L"PMODE.VK2", 2, nullptr}};
    for (const Edit& edit : edits) {
        CFlexListDlg* screen = Open(edit.wndNo);
        ASSERT_NE(nullptr, screen) << edit.wndNo;
        CEcrGrid& grid = screen->Grid();
        // A yes/no setting flips; text fields take a new name.
        CString text = edit.text ? CString(edit.text) : CString(grid.GetItemText(1, edit.column).Trim() == L"0" ? L"1" : L"0");
        std::string before = DataFile(edit.file);
        grid.SetItemTextByUser(1, edit.column, text);
        Click(IDC_FLEX_UPDATE);
        ASSERT_EQ(1u, m_boxes.Boxes().size()) << edit.wndNo;
        EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), m_boxes.Boxes()[0].type & MB_ICONMASK);
        EXPECT_EQ(L"Update Success", TakeBoxes()[0]);
        EXPECT_TRUE(before != DataFile(edit.file)) << edit.wndNo;

        Restart();
        screen = Open(edit.wndNo);
        EXPECT_EQ(text, screen->Grid().GetItemText(1, edit.column).Trim()) << edit.wndNo;
    }
}

TEST_F(RecordList, RefusedUpdateLeavesTheFileAsItWas)
{
    CFlexListDlg* screen = Open(WNDNO_PLU);
    CEcrGrid& grid = screen->Grid();
    std::string before = DataFile(L"PLU.VK2");
    grid.SetItemTextByUser(2, 1, grid.GetItemText(1, 1));  // two PLUs with one code
    Click(IDC_FLEX_UPDATE);
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Update Fail\r\nThe unique key (PLU code etc.) overlaps", boxes[0]);
    EXPECT_TRUE(before == DataFile(L"PLU.VK2"));
    // The records stay as edited, and the grid shows them.
    EXPECT_EQ(grid.GetItemText(1, 1), grid.GetItemText(2, 1));
}

// A data folder that is not there yet, nor the folder above it: the table
// opens empty and says Update creates the file, and Update does, folders and
// all, under the mark of this copy, which a second copy then meets.
TEST_F(RecordList, UpdateCreatesAMissingDataFolderAndTheOneAboveIt)
{
    // Three records to import, from the sample data.
    BringDiscountsIntoRange(Group(WNDNO_PLU)->GetTable(0));
    CString name = Open(WNDNO_PLU)->Grid().GetItemText(3, 2);
    ExportFirstRecords(3, L"part.csv");

    const std::wstring folder = m_scratch / L"New\\Data";
    g_pEcrSetting->DataPath = folder.c_str();
    Restart();
    ASSERT_TRUE(theApp.OpenDataFolder());
    CFlexListDlg* screen = Open(WNDNO_PLU);
    EXPECT_EQ(0, screen->Grid().GetBoundTable()->RecordCount);
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_TRUE(Contains(boxes, L"Update creates the file") && Contains(boxes, folder + L"\\PLU.VK2")) << boxes[0];
    g_fileDialog.answer = m_scratch.File(L"part.csv");
    Click(IDC_FLEX_IMPORT);
    EXPECT_EQ(std::vector<std::wstring>{L"Success"}, TakeBoxes());
    Click(IDC_FLEX_UPDATE);
    EXPECT_EQ(std::vector<std::wstring>{L"Update Success"}, TakeBoxes());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((folder + L"\\PLU.VK2").c_str()));
    EXPECT_FALSE(FolderLock(folder.c_str()).Held());

    Restart();
    screen = Open(WNDNO_PLU);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(3, screen->Grid().GetBoundTable()->RecordCount);
    EXPECT_EQ(name, screen->Grid().GetItemText(3, 2));
    theApp.DataFolderLock = FolderLock();
}

// A data folder that cannot be created, below a file: Update says so in the
// caption language, naming the folder and the file, and claims no success.
TEST_F(RecordList, UpdateIntoAFolderThatCannotBeCreatedNamesIt)
{
    m_data.Write(L"file", "not a folder");
    const std::wstring folder = m_data / L"file\\Data";
    g_pEcrSetting->DataPath = folder.c_str();
    SetEcrFolder(g_pEcrSetting->DataPath);
    CFlexListDlg* screen = Open(WNDNO_CLERK);
    EXPECT_EQ(0, screen->Grid().GetBoundTable()->RecordCount);
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_TRUE(Contains(boxes, L"was not found") && Contains(boxes, L"\\CLERK.VK2"));
    for (const auto& [language, said] : {std::pair{L"ENG", L"could not be created"}, std::pair{L"JPN", L"作成できなかった"}}) {
        UseLanguage(language);
        Click(IDC_FLEX_UPDATE);
        boxes = TakeBoxes();
        ASSERT_EQ(1u, boxes.size()) << language;
        EXPECT_TRUE(Contains(boxes, said)) << boxes[0];
        EXPECT_TRUE(Contains(boxes, L" " + folder + L" ")) << boxes[0];
        EXPECT_TRUE(Contains(boxes, folder + L"\\CLERK.VK2")) << boxes[0];
    }
    EXPECT_EQ("not a folder", DataFile(L"file"));
}

// A missing file is told once, when the group loads, in the screen's language.
TEST_F(RecordList, AMissingDataFileIsToldOnceNamingIt)
{
    ASSERT_TRUE(::DeleteFileW(DataPath(L"PLU.VK2").c_str()));
    UseLanguage(L"JPN");
    Open(WNDNO_PLU);
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(CaptionText(WNDNO_PLU, 14, nullptr).GetString() + (L"\n" + DataPath(L"PLU.VK2")), boxes[0]);
    EXPECT_NE(std::wstring::npos, boxes[0].find(L"見つからない"));
    EXPECT_TRUE(Enabled(IDC_FLEX_UPDATE));
    Open(WNDNO_SELECT);
    Open(WNDNO_PLU);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(RecordList, DamagedFileSaysSoAndIsNeverWrittenOver)
{
    std::string damaged = DataFile(L"DEPT.VK2");
    damaged.resize(damaged.size() - 7);
    m_data.Write(L"DEPT.VK2", damaged);
    Open(WNDNO_DEPT);
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::wstring::npos, boxes[0].find(L"could not be read completely"));
    EXPECT_FALSE(Enabled(IDC_FLEX_UPDATE));
    Click(IDC_FLEX_UPDATE);
    EXPECT_TRUE(damaged == DataFile(L"DEPT.VK2"));
}

TEST_F(RecordList, DumpThenImportBringsTheRecordsBack)
{
    BringDiscountsIntoRange(Group(WNDNO_PLU)->GetTable(0));
    CFlexListDlg* screen = Open(WNDNO_PLU);
    CEcrGrid& grid = screen->Grid();
    CString name = grid.GetItemText(3, 2);
    g_fileDialog.answer = m_scratch.File(L"plu.csv");
    Click(IDC_FLEX_EXPORT);
    EXPECT_FALSE(g_fileDialog.open);
    EXPECT_EQ(L"csv", g_fileDialog.defExt);
    EXPECT_TRUE(g_fileDialog.flags & OFN_NOCHANGEDIR);
    EXPECT_TRUE(g_fileDialog.hasFilter);
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Success", boxes[0]);
    ASSERT_TRUE(FileExists(m_scratch.File(L"plu.csv")));

    grid.SetItemTextByUser(3, 2, L"Changed");
    Click(IDC_FLEX_IMPORT);
    EXPECT_TRUE(g_fileDialog.open);
    EXPECT_EQ(L"csv", g_fileDialog.defExt);
    boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Success", boxes[0]);
    EXPECT_EQ(name, grid.GetItemText(3, 2));
    EXPECT_TRUE(grid.IsWindowVisible());
}

TEST_F(RecordList, ImportOfFewerRecordsAsksFirstAndNoKeepsTheTable)
{
    BringDiscountsIntoRange(Group(WNDNO_PLU)->GetTable(0));
    ASSERT_EQ(TRUE, Group(WNDNO_PLU)->CommitData(0));
    CFlexListDlg* screen = Open(WNDNO_PLU);
    const S_ECR_TABLE* table = screen->Grid().GetBoundTable();
    const int held = table->RecordCount;
    const std::string records = RecordBytes(table);
    const std::string file = DataFile(L"PLU.VK2");
    ExportFirstRecords(3, L"part.csv");
    g_fileDialog.answer = m_scratch.File(L"part.csv");

    m_boxes.Answer(IDNO);
    Click(IDC_FLEX_IMPORT);
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2), m_boxes.Boxes()[0].type & (MB_TYPEMASK | MB_DEFMASK));
    EXPECT_EQ(0u, TakeBoxes()[0].find(L"The file holds 3 records, the table " + std::to_wstring(held) + L"."));
    table = screen->Grid().GetBoundTable();
    EXPECT_TRUE(records == RecordBytes(table));
    EXPECT_EQ(0, Group(WNDNO_PLU)->UnsavedChanges);
    Click(IDC_FLEX_UPDATE);
    TakeBoxes();
    EXPECT_TRUE(file == DataFile(L"PLU.VK2"));

    m_boxes.Answer(IDYES);
    Click(IDC_FLEX_IMPORT);
    auto boxes = TakeBoxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(L"Success", boxes[1]);
    EXPECT_EQ(3, screen->Grid().GetBoundTable()->RecordCount);
}

TEST_F(RecordList, MalformedImportChangesNothingAndSaysWhy)
{
    CFlexListDlg* screen = Open(WNDNO_PLU);
    const S_ECR_TABLE* table = screen->Grid().GetBoundTable();
    std::string records(reinterpret_cast<const char*>(table->RecordData),
                        static_cast<size_t>(table->RecordCount) * table->RecordSize);
    // The library's own header row, then one bad row each.
    g_fileDialog.answer = m_scratch.File(L"plu.csv");
    Click(IDC_FLEX_EXPORT);
    TakeBoxes();
    std::string exported = m_scratch.Read(L"plu.csv");
    std::string header = exported.substr(0, exported.find("\r\n") + 2);
    const char* rows[] = {
        "1,Tea\r\n",                                                              // too few columns
        "1,Tea,abc,1,0,,0,0,0,0,0\r\n",                                           // a bad number
        "1,\"Tea,1.00,1,0,,0,0,0,0,0\r\n",                                        // broken quotes
        "1,Tea with a name far longer than the field holds,1,1,0,,0,0,0,0,0\r\n", // too long for the field
    };
    std::vector<std::string> files;
    for (const char* row : rows)
        files.push_back(header + row);
    files.push_back("\xEF\xBB\xBF" + header + "1,Caf\xC3\xA9,1.00,1,0,,0,0,0,0,0\r\n");  // UTF-8 the register cannot store
    for (const std::string& content : files) {
        m_scratch.Write(L"bad.csv", content);
        g_fileDialog.answer = m_scratch.File(L"bad.csv");
        Click(IDC_FLEX_IMPORT);
        auto boxes = TakeBoxes();
        ASSERT_EQ(1u, boxes.size()) << content;
        EXPECT_NE(std::wstring::npos, boxes[0].find(L"not imported")) << content;
        table = screen->Grid().GetBoundTable();
        EXPECT_TRUE(records == std::string(reinterpret_cast<const char*>(table->RecordData),
                                           static_cast<size_t>(table->RecordCount) * table->RecordSize)) << content;
    }
}

TEST_F(RecordList, CancelledFileDialogsDoNothing)
{
    CFlexListDlg* screen = Open(WNDNO_PLU);
    const S_ECR_TABLE* table = screen->Grid().GetBoundTable();
    int count = table->RecordCount;
    Click(IDC_FLEX_EXPORT);
    Click(IDC_FLEX_IMPORT);
    EXPECT_EQ(2, g_fileDialog.runs);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(count, screen->Grid().GetBoundTable()->RecordCount);
}

TEST_F(RecordList, ExportIntoAFolderThatCannotBeWrittenSaysSo)
{
    Open(WNDNO_DEPT);
    g_fileDialog.answer = m_scratch.File(L"missing\\dept.csv");
    Click(IDC_FLEX_EXPORT);
    // Said once, by the library, naming the file; never "Success".
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::wstring::npos, boxes[0].find(L"could not be written"));
    EXPECT_NE(std::wstring::npos, boxes[0].find(L"dept.csv"));
}
