#include <gtest/gtest.h>

#include "S_ECR_SETTING.h"
#include "TempFolder.h"

namespace {

// Model and folder changes write the settings file of the working folder at
// once; the test programs share that folder and read it at start-up, so a
// file these tests leave there is removed.
class NoSettingsFileLeftBehind : public ::testing::Environment
{
public:
    void SetUp() override { m_existed = GetFileAttributesW(L"Tilldesk.ini") != INVALID_FILE_ATTRIBUTES; }
    void TearDown() override
    {
        if (!m_existed)
            DeleteFileW(L"Tilldesk.ini");
    }

private:
    bool m_existed = false;
};
const auto* const g_noSettingsFileLeftBehind = ::testing::AddGlobalTestEnvironment(new NoSettingsFileLeftBehind);

struct Settings : ::testing::Test
{
    TempFolder folder;
    CurrentDirectoryScope cwd{folder.Path()};

    CString Key(const wchar_t* section, const wchar_t* key)
    {
        wchar_t value[1024];
        GetPrivateProfileStringW(section, key, L"<missing>", value, 1024, folder.File(L"Tilldesk.ini").c_str());
        return value;
    }
    CString Model(S_ECR_SETTING& s, const wchar_t* name)
    {
        CString path = L"<missing>";
        s.ModelMap.Lookup(name, path);
        return path;
    }
};

} // namespace

TEST_F(Settings, NoFilesGiveTheDefaults)
{
    S_ECR_SETTING s;
    EXPECT_STREQ(L".\\Data", s.DataPath);
    EXPECT_STREQ(L"VORN-K5/K6 Ver1.00", s.EcrName);
    EXPECT_STREQ(L"JPN", s.Language);
    EXPECT_STREQ(L"VORN TOOL  Ver1.00", s.ToolName);
    EXPECT_EQ(19200, s.BaudRate);
    EXPECT_EQ(1, s.AutoPopup);
    EXPECT_EQ(1, s.ModelMap.GetCount());
    EXPECT_STREQ(L".\\VornK5Dll.dll", Model(s, L"VORN-K5/K6 Ver1.00"));
    EXPECT_TRUE(s.ModelDllPath.IsEmpty());
}

TEST_F(Settings, WrittenBackWithoutTheFourHandKeptKeys)
{
    folder.Write(L"Tilldesk.ini", "[DEFAULT]\r\nLevel=3\r\n[OPENING]\r\nToolName=Mine\r\n[OPTION]\r\nCapEdit=1\r\n");
    {
        S_ECR_SETTING s;
        EXPECT_EQ(3, s.Level);
        EXPECT_EQ(1, s.CapEdit);
        s.Level = 7;
        s.ToolName = L"changed";
        s.CapEdit = 0;
        s.AutoPopup = 0;
        s.EcrName = L"02 VORN-K2";
    }
    EXPECT_STREQ(L"02 VORN-K2", Key(L"DEFAULT", L"EcrName"));
    EXPECT_STREQ(L"3", Key(L"DEFAULT", L"Level"));
    EXPECT_STREQ(L"Mine", Key(L"OPENING", L"ToolName"));
    EXPECT_STREQ(L"1", Key(L"OPTION", L"CapEdit"));
    EXPECT_STREQ(L"<missing>", Key(L"OPTION", L"AutoPopup"));
    EXPECT_STREQ(L"19200", Key(L"COM SETTING", L"BaudRate"));
    EXPECT_STREQ(L".\\Ecr.lst", Key(L"ECR LIST", L"ListPath"));
}

TEST_F(Settings, NewFileIsUnicodeAndKeepsLongPathsAndHighAddresses)
{
    CString longPath = L"C:\\";
    for (int i = 0; i < 30; ++i)
        longPath += L"folder\x65e5\\";  // 240+ characters, some outside the ANSI code page
    {
        S_ECR_SETTING s;
        s.DataPath = longPath;
        s.IpREG = static_cast<int>(0xC0A8010Au);  // 192.168.1.10, negative as an int
    }
    std::string bytes = folder.Read(L"Tilldesk.ini");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2));
    EXPECT_STREQ(L"-1062731510", Key(L"DEFAULT", L"IpREG"));

    S_ECR_SETTING again;
    EXPECT_STREQ(longPath, again.DataPath);
    EXPECT_EQ(static_cast<int>(0xC0A8010Au), again.IpREG);
}

TEST_F(Settings, AddressWrittenUnsignedIsReadToo)
{
    folder.Write(L"Tilldesk.ini", "[DEFAULT]\r\nIpREG=3232235786\r\n");
    S_ECR_SETTING s;
    EXPECT_EQ(static_cast<int>(0xC0A8010Au), s.IpREG);
}

TEST_F(Settings, ModelListRules)
{
    folder.Write(L"Ecr.lst",
                 "// a comment=with an equals sign\n"
                 "02 VORN-K2 = .\\VornK2Dll.dll \n"
                 "A=B=C\n"
                 "  //x=y.dll\n"
                 "no equals sign here\n"
                 "=empty.dll\n"
                 "02 VORN-K2=.\\Later.dll\n");
    S_ECR_SETTING s;
    EXPECT_EQ(4, s.ModelMap.GetCount());
    EXPECT_STREQ(L".\\Later.dll", Model(s, L"02 VORN-K2"));
    EXPECT_STREQ(L"C", Model(s, L"A=B"));
    EXPECT_STREQ(L"y.dll", Model(s, L"//x"));
    EXPECT_STREQ(L"empty.dll", Model(s, L""));
    EXPECT_STREQ(L"<missing>", Model(s, L"// a comment"));
}

TEST_F(Settings, ModelListOfCommentsOnlyGivesTheDefaultModel)
{
    folder.Write(L"Ecr.lst", "// nothing=here\r\n//=\r\n");
    S_ECR_SETTING s;
    EXPECT_EQ(1, s.ModelMap.GetCount());
    EXPECT_STREQ(L".\\VornK5Dll.dll", Model(s, L"VORN-K5/K6 Ver1.00"));
}

// The file is replaced whole: other keys, comments and the order stay; a
// read-only file is not written over and the save says so.
TEST_F(Settings, SavingReplacesTheWholeFileAndKeepsAReadOnlyOne)
{
    folder.Write(L"Tilldesk.ini", "; kept comment\r\n[MINE]\r\nColour=blue\r\n[DEFAULT]\r\nLevel=3\r\nEcrName=old\r\n");
    {
        S_ECR_SETTING s;
        s.EcrName = L"02 VORN-K2";
        EXPECT_TRUE(s.SaveSettings());
    }
    std::string bytes = folder.Read(L"Tilldesk.ini");
    EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2)) << "rewritten as UTF-16";
    EXPECT_STREQ(L"blue", Key(L"MINE", L"Colour"));
    EXPECT_STREQ(L"3", Key(L"DEFAULT", L"Level"));
    EXPECT_STREQ(L"02 VORN-K2", Key(L"DEFAULT", L"EcrName"));
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_EQ(0u, text.find(L"; kept comment\r\n[MINE]\r\nColour=blue\r\n[DEFAULT]\r\nLevel=3\r\nEcrName=02 VORN-K2\r\n"));

    const std::wstring ini = folder.File(L"Tilldesk.ini");
    ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        S_ECR_SETTING s;
        s.EcrName = L"lost";
        EXPECT_FALSE(s.SaveSettings());
        EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError()) << "the reason the user is told";
    }
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(bytes, folder.Read(L"Tilldesk.ini"));
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(folder.File(L"*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, find) << "no temporary file is left";
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
}

// Line ends of any kind, bytes that text mode would stop at, lines ending in
// a lone Shift-JIS lead byte, and UTF-16.
TEST_F(Settings, ModelListIsReadWholeInAnyLineEndAndUnicode)
{
    folder.Write(L"Ecr.lst", "A=a.dll\rB=b.dll\x1A\rC=c.dll\r\nD=d.dll\x82\nE=e.dll\x82\r//F=f.dll\nG=g.dll\n");
    {
        S_ECR_SETTING s;
        EXPECT_EQ(6, s.ModelMap.GetCount());
        EXPECT_STREQ(L"a.dll", Model(s, L"A"));
        EXPECT_STREQ(L"b.dll\x1A", Model(s, L"B"));
        EXPECT_STREQ(L"c.dll", Model(s, L"C"));
        EXPECT_EQ(6, Model(s, L"D").GetLength()) << "d.dll and what the lone byte reads as";
        EXPECT_EQ(6, Model(s, L"E").GetLength());
        EXPECT_STREQ(L"g.dll", Model(s, L"G"));
    }
    std::wstring list = L"\xFEFF" L"02 VORN-K2=.\\VornK2Dll.dll\r\n\x30e2\x30c7\x30eb=.\\Model.dll\r\n";
    folder.Write(L"Ecr.lst", std::string(reinterpret_cast<const char*>(list.data()), list.size() * 2));
    S_ECR_SETTING s;
    EXPECT_EQ(2, s.ModelMap.GetCount());
    EXPECT_STREQ(L".\\VornK2Dll.dll", Model(s, L"02 VORN-K2"));
    EXPECT_STREQ(L".\\Model.dll", Model(s, L"\x30e2\x30c7\x30eb"));
}

TEST_F(Settings, ModelListWithAUtf8MarkKeepsItsFirstModel)
{
    folder.Write(L"Ecr.lst", "\xEF\xBB\xBF"
                             "02 VORN-K2=.\\VornK2Dll.dll\r\n"
                             "\xE3\x83\xA2\xE3\x83\x87\xE3\x83\xAB=.\\Model.dll\r\n");
    S_ECR_SETTING s;
    EXPECT_EQ(2, s.ModelMap.GetCount());
    EXPECT_STREQ(L".\\VornK2Dll.dll", Model(s, L"02 VORN-K2"));
    EXPECT_STREQ(L".\\Model.dll", Model(s, L"\x30e2\x30c7\x30eb"));
}

TEST_F(Settings, AFileThatCannotBeWrittenIsReported)
{
    S_ECR_SETTING s;
    EXPECT_TRUE(s.SaveSettings());
    // A folder in the file's place cannot be written, whoever runs the test.
    std::wstring ini = folder.File(L"Tilldesk.ini");
    ASSERT_TRUE(DeleteFileW(ini.c_str()));
    ASSERT_TRUE(CreateDirectoryW(ini.c_str(), nullptr));
    s.LoadSettings();
    EXPECT_FALSE(s.SaveSettings());
    RemoveDirectoryW(ini.c_str());
    EXPECT_STREQ(ini.c_str(), S_ECR_SETTING::FilePath());
}

// The profile functions drop blanks around a value and a pair of quotes
// around it: such values are written so that they read back whole.
TEST_F(Settings, BlanksAndQuotesAroundAValueSurvive)
{
    {
        S_ECR_SETTING s;
        s.DataPath = L"C:\\Data ";
        s.BmpPath = L" D:\\Bmp";
        s.EcrName = L"\"quoted\"";
        s.CapPath = L"'x'";
    }
    S_ECR_SETTING again;
    EXPECT_STREQ(L"C:\\Data ", again.DataPath);
    EXPECT_STREQ(L" D:\\Bmp", again.BmpPath);
    EXPECT_STREQ(L"\"quoted\"", again.EcrName);
    EXPECT_STREQ(L"'x'", again.CapPath);
    EXPECT_STREQ(L".\\Tillwire.exe", again.Tillwire) << "plain values stay unquoted";
    std::string bytes = folder.Read(L"Tilldesk.ini");
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_NE(std::wstring::npos, text.find(L"\r\nTillwire=.\\Tillwire.exe\r\n"));
}
