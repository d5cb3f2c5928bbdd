// The record card on the demo library's own tables and caption files.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "CCardDlg.h"
#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldCodec.h"
#include "MessageBoxRecorder.h"
#include "ModalScript.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "ScreenCheck.h"
#include "TablesResources.h"
#include "TempFolder.h"
#include "WindowPicture.h"

namespace {

// Demo fields of DEPT and PLU, by index.
enum DeptField { D_NO, D_NAME, D_PRICE, D_TAX, D_TYPE, D_HALO, D_GROUP, D_STATUS };
enum PluField { P_CODE, P_NAME, P_PRICE, P_DEPT, P_TAX, P_LABEL, P_STOCK, P_DISCOUNT, P_AGE, P_SOLD, P_LINK };

class CardTest : public ::testing::Test
{
protected:
    void SetUp() override { Load(L"ENG", 0); }
    void TearDown() override
    {
        if (card && card->m_hWnd)
            card->DestroyWindow();
        PumpPending();
        // Changed captions go to this test's copies while they still exist.
        (*g_ppCaptionMgr)->FlushCaptions();
        theApp.EcrDll.UnloadModelDll();
        g_pEcrSetting->Level = 0;
    }

    // The demo library fresh from the shipped sample data, with the shipped
    // caption files of a language, at a user level.
    void Load(const wchar_t* language, int level)
    {
        theApp.EcrDll.UnloadModelDll();
        wchar_t data[MAX_PATH];
        ASSERT_NE(::GetFullPathNameW(L"Data", MAX_PATH, data, nullptr), 0u);
        g_pEcrSetting->DataPath = data;
        // Copies, so that a caption changed here never reaches the shipped files.
        for (const wchar_t* name : {L"VORNK2DLL_ENG.CAP", L"VORNK2DLL_JPN.CAP", L"VORNK2DLL_ECR.CNV"})
            ASSERT_TRUE(::CopyFileW((std::wstring(L"Cap\\") + name).c_str(), capDir.File(name).c_str(), FALSE));
        g_pEcrSetting->CapPath = capDir.Path().c_str();
        g_pEcrSetting->Language = language;
        g_pEcrSetting->Level = level;
        theApp.LoadModelDll(L"VornK2Dll.dll");
        ASSERT_NE(nullptr, GetEcrDataFromWndNo(WNDNO_DEPT));
    }

    static S_ECR_TABLE* Table(int wndNo)
    {
        CEcrData* group = GetEcrDataFromWndNo(wndNo);
        if (!group || (!group->Loaded && !group->LoadData(nullptr)))
            return nullptr;
        return group->GetTable(0);
    }
    static std::wstring Stored(S_ECR_TABLE* table, int record, int field)
    {
        CString text;
        FormatField(&table->Fields()[field], FieldPtr(table, record - 1, field), text);
        return text.GetString();
    }

    // Opens the card modeless, as a modal run would show it.
    void Open(S_ECR_TABLE* table, int record)
    {
        if (card && card->m_hWnd)
            card->DestroyWindow();
        card = std::make_unique<CCardDlg>(table, record);
        card->IsModal = TRUE;
        ASSERT_TRUE(card->Create(IDD_CARD));
        card->ShowWindow(SW_SHOW);
        PumpPending();
    }
    HWND Item(int id) { return ::GetDlgItem(card->m_hWnd, id); }
    std::wstring Text(int id)
    {
        wchar_t text[256] = {};
        ::GetWindowTextW(Item(id), text, 256);
        return text;
    }
    bool Visible(int id) { return ::IsWindowVisible(Item(id)) != FALSE; }
    void DropDown(int id)
    {
        ::SendMessageW(Item(id), CB_SHOWDROPDOWN, TRUE, 0);
        ::SendMessageW(Item(id), CB_SHOWDROPDOWN, FALSE, 0);
    }
    bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool ReadOnly(int id) { return (::GetWindowLongW(Item(id), GWL_STYLE) & ES_READONLY) != 0; }
    CRect Rect(int id)
    {
        CRect rect;
        ::GetWindowRect(Item(id), &rect);
        card->ScreenToClient(&rect);
        return rect;
    }
    // Types into a row's edit box as a user would, then leaves it.
    void TypeInto(int id, const wchar_t* text, int leaveTo = IDC_CARD_RECORD)
    {
        ::SetFocus(Item(id));
        ::SendMessageW(Item(id), EM_SETSEL, 0, -1);
        ::SendMessageW(Item(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        if (leaveTo)
            ::SetFocus(Item(leaveTo));
        PumpPending();
    }
    void Key(HWND target, UINT key)
    {
        ::PostMessageW(target, WM_KEYDOWN, key, 0);
        PumpPending();
    }
    void Click(int id)
    {
        ::SendMessageW(card->m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
        PumpPending();
    }
    void SelectPage(int page)
    {
        NMHDR header = {Item(IDC_CARD_TAB), IDC_CARD_TAB, static_cast<UINT>(TCN_SELCHANGING)};
        if (::SendMessageW(card->m_hWnd, WM_NOTIFY, IDC_CARD_TAB, reinterpret_cast<LPARAM>(&header)))
            return;  // refused
        TabCtrl_SetCurSel(Item(IDC_CARD_TAB), page);
        header.code = static_cast<UINT>(TCN_SELCHANGE);
        ::SendMessageW(card->m_hWnd, WM_NOTIFY, IDC_CARD_TAB, reinterpret_cast<LPARAM>(&header));
        PumpPending();
    }
    std::wstring TabText(int index)
    {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        TabCtrl_GetItem(Item(IDC_CARD_TAB), index, &item);
        return text;
    }
    int Count(int id) { return static_cast<int>(::SendMessageW(Item(id), CB_GETCOUNT, 0, 0)); }
    std::wstring Entry(int id, int index)
    {
        wchar_t text[128] = {};
        ::SendMessageW(Item(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
    int Selected(int id) { return static_cast<int>(::SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }

    TempFolder capDir;
    std::unique_ptr<CCardDlg> card;
    MessageBoxRecorder boxes;
};

} // namespace

TEST_F(CardTest, DeptRowsShowEveryKind)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    ASSERT_NE(nullptr, dept);
    Open(dept, 1);

    EXPECT_EQ(1, TabCtrl_GetItemCount(Item(IDC_CARD_TAB)));
    EXPECT_EQ(L"Page 1", TabText(0));
    // The record box lists every record once it drops down.
    EXPECT_EQ(L"1", Text(IDC_CARD_RECORD));
    DropDown(IDC_CARD_RECORD);
    EXPECT_EQ(dept->RecordCount, Count(IDC_CARD_RECORD));
    EXPECT_EQ(0, Selected(IDC_CARD_RECORD));
    EXPECT_STREQ(L"Record Edit", card->GetWindowText());
    EXPECT_EQ(L"DataNo.", Text(IDC_CARD_DATANO));

    // Kind 0: an edit box as wide as the field, at the value column.
    EXPECT_EQ(L"Dept No.", Text(IDC_CARD_CAPTION + D_NO));
    EXPECT_EQ(Stored(dept, 1, D_NO), Text(IDC_CARD_EDIT + D_NO));
    EXPECT_EQ(L"Name", Text(IDC_CARD_CAPTION + D_NAME));
    EXPECT_EQ(4u, ::SendMessageW(Item(IDC_CARD_EDIT + D_NO), EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(16 * 8 + 17, Rect(IDC_CARD_EDIT + D_NAME).Width());
    EXPECT_EQ(card->ValueColumn, Rect(IDC_CARD_EDIT + D_NAME).left);
    EXPECT_FALSE(ReadOnly(IDC_CARD_EDIT + D_NAME));
    EXPECT_FALSE(Visible(IDC_CARD_LIST + D_NAME));

    // Kind 1: the choices of another group, the read-only value beside them.
    ASSERT_TRUE(Visible(IDC_CARD_LIST + D_TAX));
    EXPECT_EQ(4, Count(IDC_CARD_LIST + D_TAX));
    EXPECT_EQ(L"Non-taxable", Entry(IDC_CARD_LIST + D_TAX, 0));
    const int tax = std::stoi(Stored(dept, 1, D_TAX));
    EXPECT_EQ(tax, Selected(IDC_CARD_LIST + D_TAX));
    EXPECT_TRUE(ReadOnly(IDC_CARD_EDIT + D_TAX));
    EXPECT_EQ(Rect(IDC_CARD_LIST + D_TAX).right + 10, Rect(IDC_CARD_EDIT + D_TAX).left);
    EXPECT_EQ(0, ::GetWindowLongW(Item(IDC_CARD_EDIT + D_TAX), GWL_STYLE) & WS_TABSTOP);

    // Kind 2: one option per choice, side by side, the stored one checked.
    const int type = std::stoi(Stored(dept, 1, D_TYPE));
    for (int k = 0; k < 3; ++k) {
        const int id = IDC_CARD_OPTION1 + 10 * k + D_TYPE;
        EXPECT_TRUE(Visible(id)) << k;
        EXPECT_EQ(k == type ? BST_CHECKED : BST_UNCHECKED, ::SendMessageW(Item(id), BM_GETCHECK, 0, 0)) << k;
    }
    EXPECT_EQ(L"Normal", Text(IDC_CARD_OPTION1 + D_TYPE));
    EXPECT_EQ(L"Hash", Text(IDC_CARD_OPTION3 + D_TYPE));
    EXPECT_EQ(Rect(IDC_CARD_OPTION1 + D_TYPE).right + 5, Rect(IDC_CARD_OPTION2 + D_TYPE).left);
    EXPECT_EQ(Rect(IDC_CARD_OPTION3 + D_TYPE).right + 10, Rect(IDC_CARD_EDIT + D_TYPE).left);
    EXPECT_TRUE(ReadOnly(IDC_CARD_EDIT + D_TYPE));

    // A field of a kind the card does not edit shows its value, read-only.
    EXPECT_TRUE(Visible(IDC_CARD_CAPTION + D_STATUS));
    ASSERT_TRUE(Visible(IDC_CARD_EDIT + D_STATUS));
    EXPECT_EQ(Stored(dept, 1, D_STATUS), Text(IDC_CARD_EDIT + D_STATUS));
    EXPECT_TRUE(ReadOnly(IDC_CARD_EDIT + D_STATUS));
    // Rows beyond the fields are gone.
    EXPECT_FALSE(Visible(IDC_CARD_CAPTION + 8));
    EXPECT_FALSE(Visible(IDC_CARD_GROUP + 9));

    EXPECT_FALSE(Enabled(IDC_CARD_PREVIOUS));
    EXPECT_TRUE(Enabled(IDC_CARD_NEXT));
}

TEST_F(CardTest, UserLevelDecidesTheRows)
{
    Load(L"ENG", 2);
    Open(Table(WNDNO_DEPT), 1);
    EXPECT_EQ(7, card->FieldMap.GetSize());  // the service-level status is gone
    EXPECT_EQ(L"Group", Text(IDC_CARD_CAPTION + 6));
    EXPECT_FALSE(Visible(IDC_CARD_CAPTION + 7));
    card->DestroyWindow();

    Load(L"ENG", 4);
    Open(Table(WNDNO_DEPT), 1);
    EXPECT_EQ(5, card->FieldMap.GetSize());
}

TEST_F(CardTest, PluPagesLookupsAndTheCodeCombo)
{
    S_ECR_TABLE* plu = Table(WNDNO_PLU);
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    ASSERT_NE(nullptr, plu);
    Open(plu, 1);
    ASSERT_EQ(2, TabCtrl_GetItemCount(Item(IDC_CARD_TAB)));
    EXPECT_EQ(L"Page 2", TabText(1));

    // The department list comes from the DEPT table's names.
    EXPECT_EQ(dept->RecordCount, Count(IDC_CARD_LIST + P_DEPT));
    EXPECT_EQ(Stored(dept, 1, D_NAME), Entry(IDC_CARD_LIST + P_DEPT, 0));
    EXPECT_EQ(std::stoi(Stored(plu, 1, P_DEPT)) - 1, Selected(IDC_CARD_LIST + P_DEPT));

    SelectPage(1);
    EXPECT_EQ(1, card->Page);
    EXPECT_EQ(L"Link PLU", Text(IDC_CARD_CAPTION));
    ASSERT_TRUE(Visible(IDC_CARD_COMBO));
    EXPECT_FALSE(Visible(IDC_CARD_EDIT));
    EXPECT_FALSE(Visible(IDC_CARD_CAPTION + 1));
    EXPECT_EQ(plu->RecordCount, Count(IDC_CARD_COMBO));
    EXPECT_EQ(Stored(plu, 1, P_CODE), Entry(IDC_CARD_COMBO, 0));
    EXPECT_EQ(Stored(plu, 1, P_LINK), Text(IDC_CARD_COMBO));

    // The long list is filled once: another record keeps it as it is.
    ::SendMessageW(Item(IDC_CARD_COMBO), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"marker"));
    Click(IDC_CARD_NEXT);
    EXPECT_EQ(2, card->Record);
    EXPECT_EQ(plu->RecordCount + 1, Count(IDC_CARD_COMBO));
    EXPECT_EQ(Stored(plu, 2, P_LINK), Text(IDC_CARD_COMBO));

    // Back to page 1 and on: the same rows show the second record.
    SelectPage(0);
    EXPECT_EQ(Stored(plu, 2, P_NAME), Text(IDC_CARD_EDIT + P_NAME));
}

TEST_F(CardTest, NextPreviousAndTheRecordBoxStayWithinTheTable)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    const int last = dept->RecordCount;
    Open(dept, last - 1);
    EXPECT_TRUE(Enabled(IDC_CARD_NEXT));
    Click(IDC_CARD_NEXT);
    EXPECT_EQ(last, card->Record);
    EXPECT_FALSE(Enabled(IDC_CARD_NEXT));
    Click(IDC_CARD_NEXT);
    EXPECT_EQ(last, card->Record);
    EXPECT_EQ(Stored(dept, last, D_NAME), Text(IDC_CARD_EDIT + D_NAME));

    HWND recordEdit = ::GetWindow(Item(IDC_CARD_RECORD), GW_CHILD);
    ASSERT_NE(nullptr, recordEdit);
    ::SetFocus(recordEdit);
    ::SetWindowTextW(recordEdit, L"3");
    Key(recordEdit, VK_RETURN);
    EXPECT_EQ(3, card->Record);
    EXPECT_EQ(L"3", Text(IDC_CARD_RECORD));
    EXPECT_EQ(Stored(dept, 3, D_NAME), Text(IDC_CARD_EDIT + D_NAME));
    for (const wchar_t* refused : {L"0", L"999", L"2x", L""}) {
        ::SetWindowTextW(recordEdit, refused);
        Key(recordEdit, VK_RETURN);
        EXPECT_EQ(3, card->Record) << refused;
    }
    EXPECT_TRUE(card->IsWindowVisible());  // Enter never closes the card
    // Down in the record box moves on through its list, filled on the way.
    Key(recordEdit, VK_DOWN);
    EXPECT_EQ(4, card->Record);
    EXPECT_EQ(dept->RecordCount, Count(IDC_CARD_RECORD));
    ::SetWindowTextW(recordEdit, L"3");
    Key(recordEdit, VK_RETURN);

    Click(IDC_CARD_PREVIOUS);
    Click(IDC_CARD_PREVIOUS);
    EXPECT_EQ(1, card->Record);
    EXPECT_FALSE(Enabled(IDC_CARD_PREVIOUS));
    Click(IDC_CARD_PREVIOUS);
    EXPECT_EQ(1, card->Record);
    EXPECT_FALSE(card->Changed);
}

TEST_F(CardTest, AcceptedValuesGoIntoTheRecordRefusedOnesDoNot)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    Open(dept, 2);

    // Leaving an untouched box writes nothing.
    ::SetFocus(Item(IDC_CARD_EDIT + D_NAME));
    ::SetFocus(Item(IDC_CARD_RECORD));
    PumpPending();
    EXPECT_FALSE(card->Changed);

    TypeInto(IDC_CARD_EDIT + D_NAME, L"Bakery");
    EXPECT_EQ(L"Bakery", Stored(dept, 2, D_NAME));
    EXPECT_TRUE(card->Changed);

    const std::wstring price = Stored(dept, 2, D_PRICE);
    TypeInto(IDC_CARD_EDIT + D_PRICE, L"1000000");
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Range is 0 - 999999", boxes.Boxes()[0].text);
    EXPECT_EQ(price, Stored(dept, 2, D_PRICE));
    EXPECT_EQ(price, Text(IDC_CARD_EDIT + D_PRICE));
    EXPECT_EQ(Item(IDC_CARD_EDIT + D_PRICE), ::GetFocus());

    TypeInto(IDC_CARD_EDIT + D_PRICE, L"12a");
    EXPECT_EQ(2u, boxes.Boxes().size());
    TypeInto(IDC_CARD_EDIT + D_PRICE, L"2.5");
    EXPECT_EQ(L"2.500", Stored(dept, 2, D_PRICE));
    EXPECT_EQ(L"2.500", Text(IDC_CARD_EDIT + D_PRICE));

    // The table's validator speaks for check mode 2.
    boxes.Clear();
    const std::wstring halo = Stored(dept, 2, D_HALO);
    TypeInto(IDC_CARD_EDIT + D_HALO, L"-5");
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_FALSE(boxes.Boxes()[0].text.empty());
    EXPECT_EQ(halo, Stored(dept, 2, D_HALO));
}

// A number is stored as typed or refused: whole-number fields take no
// decimals or exponents, amounts no more decimals than they show.
TEST_F(CardTest, NumbersStoredOtherThanTypedAreRefused)
{
    S_ECR_TABLE* plu = Table(WNDNO_PLU);
    Open(plu, 1);
    const std::string before(reinterpret_cast<const char*>(FieldPtr(plu, 0, 0)), plu->RecordSize);
    struct Case
    {
        int field;
        const wchar_t* typed;
        const wchar_t* says;
    } cases[] = {
        {P_STOCK, L"12.7", L"Whole numbers only"},
        {P_STOCK, L"1e3", L"Range is -999999 - 999999"},
        {P_AGE, L"9.9", L"Whole numbers only"},
        {P_PRICE, L"1.23456", L"At most 3 decimals"},
        {P_PRICE, L"1000000.5", L"Range is 0 - 999999"},
    };
    for (const Case& c : cases) {
        boxes.Clear();
        TypeInto(IDC_CARD_EDIT + c.field, c.typed);
        ASSERT_EQ(1u, boxes.Boxes().size()) << c.typed;
        EXPECT_EQ(c.says, boxes.Boxes()[0].text);
    }
    EXPECT_EQ(before, std::string(reinterpret_cast<const char*>(FieldPtr(plu, 0, 0)), plu->RecordSize));
    EXPECT_FALSE(card->Changed);

    // The same reasons in the other caption language.
    card->DestroyWindow();
    Load(L"JPN", 0);
    plu = Table(WNDNO_PLU);
    Open(plu, 1);
    boxes.Clear();
    TypeInto(IDC_CARD_EDIT + P_PRICE, L"1.23456");
    TypeInto(IDC_CARD_EDIT + P_STOCK, L"12.7");
    ASSERT_EQ(2u, boxes.Boxes().size());
    EXPECT_EQ(L"小数は 3 桁までです", boxes.Boxes()[0].text);
    EXPECT_EQ(L"整数で入力してください", boxes.Boxes()[1].text);
}

// An amount keeps four decimals but shows three, and code page 932 holds
// some kanji twice: a row left with its shown text, retyped, writes nothing.
TEST_F(CardTest, UnchangedTextIsNotStoredAgain)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    ASSERT_TRUE(ParseField(&dept->Fields()[D_PRICE], L"0.0429", FieldPtr(dept, 0, D_PRICE)));
    BYTE* name = FieldPtr(dept, 0, D_NAME);
    std::memset(name, ' ', 16);
    std::memcpy(name, "\xED\x40", 2);  // the NEC-selected row; a stored text gets FA 5C
    const std::string before(reinterpret_cast<const char*>(FieldPtr(dept, 0, 0)), dept->RecordSize);
    Open(dept, 1);
    TypeInto(IDC_CARD_EDIT + D_PRICE, L"0.043");
    TypeInto(IDC_CARD_EDIT + D_NAME, Text(IDC_CARD_EDIT + D_NAME).c_str());
    EXPECT_EQ(before, std::string(reinterpret_cast<const char*>(FieldPtr(dept, 0, 0)), dept->RecordSize));
    EXPECT_FALSE(card->Changed);
}

TEST_F(CardTest, ListsAndOptionsStoreTheirIndexAboveTheMinimum)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    Open(dept, 1);
    ::SendMessageW(Item(IDC_CARD_LIST + D_TAX), CB_SETCURSEL, 2, 0);
    ::SendMessageW(card->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_CARD_LIST + D_TAX, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Item(IDC_CARD_LIST + D_TAX)));
    EXPECT_EQ(L"2", Stored(dept, 1, D_TAX));
    EXPECT_EQ(L"2", Text(IDC_CARD_EDIT + D_TAX));

    Click(IDC_CARD_OPTION2 + D_TYPE);
    EXPECT_EQ(L"1", Stored(dept, 1, D_TYPE));
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(Item(IDC_CARD_OPTION2 + D_TYPE), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageW(Item(IDC_CARD_OPTION1 + D_TYPE), BM_GETCHECK, 0, 0));
    EXPECT_TRUE(card->Changed);
}

TEST_F(CardTest, EscapeKeepsWhatWasTyped)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    Open(dept, 1);
    TypeInto(IDC_CARD_EDIT + D_PRICE, L"5000000", 0);
    card->SendMessage(WM_COMMAND, IDCANCEL, 0);
    PumpPending();
    ASSERT_EQ(1u, boxes.Boxes().size());  // refused: the card stays
    EXPECT_TRUE(card->IsWindowVisible());
    EXPECT_EQ(Item(IDC_CARD_EDIT + D_PRICE), ::GetFocus());

    TypeInto(IDC_CARD_EDIT + D_NAME, L"Kept", 0);
    card->SendMessage(WM_COMMAND, IDCANCEL, 0);
    PumpPending();
    EXPECT_EQ(L"Kept", Stored(dept, 1, D_NAME));
    EXPECT_TRUE(card->Changed);
    EXPECT_FALSE(card->IsWindowVisible());
}

// A field that may not be changed reads plainly: read-only, not greyed out.
TEST_F(CardTest, ReadOnlyFieldsShowTheirValueReadOnly)
{
    S_ECR_TABLE* options = Table(WNDNO_PROG_MODE);
    ASSERT_NE(nullptr, options);
    Open(options, 1);
    EXPECT_EQ(Stored(options, 1, 0), Text(IDC_CARD_EDIT));
    EXPECT_TRUE(Enabled(IDC_CARD_EDIT));
    EXPECT_TRUE(ReadOnly(IDC_CARD_EDIT));
    EXPECT_EQ(0, ::GetWindowLongW(Item(IDC_CARD_EDIT), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(CardTest, F5TypesTheRegisterCharacterInTextFieldsOnly)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    Open(dept, 1);
    HWND name = Item(IDC_CARD_EDIT + D_NAME);
    ::SetFocus(name);
    ::SetWindowTextW(name, L"AB");
    ::SendMessageW(name, EM_SETSEL, 2, 2);
    Key(name, VK_F5);
    wchar_t text[32] = {};
    ::GetWindowTextW(name, text, 32);
    EXPECT_STREQ(L"AB\xF8F3", text);

    HWND price = Item(IDC_CARD_EDIT + D_PRICE);
    ::SetFocus(price);
    const std::wstring before = Text(IDC_CARD_EDIT + D_PRICE);
    Key(price, VK_F5);
    EXPECT_EQ(before, Text(IDC_CARD_EDIT + D_PRICE));
}

TEST_F(CardTest, TextRowsHoldWholeCharactersWithinTheFieldsBytes)
{
    if (::GetACP() != 932)
        GTEST_SKIP() << "needs code page 932";
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    Open(dept, 1);
    // Typed: sixteen bytes hold eight kana, and the ninth is refused.
    HWND name = Item(IDC_CARD_EDIT + D_NAME);
    ::SetFocus(name);
    ::SendMessageW(name, EM_SETSEL, 0, -1);
    for (int i = 0; i < 9; ++i)
        ::SendMessageW(name, WM_CHAR, 0x3042, 1);
    EXPECT_EQ(std::wstring(8, L'\x3042'), Text(IDC_CARD_EDIT + D_NAME));
    EXPECT_EQ(0u, boxes.Count());
    // Put in at once: fifteen bytes, then a double-byte character that would
    // end at byte 17. What was kept is told.
    TypeInto(IDC_CARD_EDIT + D_NAME, L"ABCDEFGHIJKLMNO\x3042");
    EXPECT_EQ(L"ABCDEFGHIJKLMNO", Stored(dept, 1, D_NAME));
    EXPECT_EQ(L"ABCDEFGHIJKLMNO", Text(IDC_CARD_EDIT + D_NAME));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Name: at most 16 bytes fit (a double-byte character takes two). Kept:\n\"ABCDEFGHIJKLMNO\"",
              boxes.Boxes()[0].text);
    TypeInto(IDC_CARD_EDIT + D_NAME, L"ABCDEFGHIJKLMN\x3042");
    EXPECT_EQ(L"ABCDEFGHIJKLMN\x3042", Stored(dept, 1, D_NAME));
}

TEST_F(CardTest, StatusLineShowsTheRange)
{
    Open(Table(WNDNO_DEPT), 1);
    ::SetFocus(Item(IDC_CARD_EDIT + D_PRICE));
    PumpPending();
    // The field's tip from the caption file, then its range.
    EXPECT_EQ(L"Preset unit price   (Range is 0 - 999999)", Text(IDC_CARD_STATUS));
    ::SetFocus(Item(IDC_CARD_RECORD));
    PumpPending();
    EXPECT_EQ(L"", Text(IDC_CARD_STATUS));
}

TEST_F(CardTest, ShadedFieldFollowsEachRecord)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    int outside = -1, inside = -1;
    for (int r = 1; r <= dept->RecordCount; ++r) {
        const int group = std::stoi(Stored(dept, r, D_GROUP));
        (group < -1 || group > 9 ? outside : inside) = r;
    }
    ASSERT_GT(outside, 0) << "the sample data holds an out-of-range group";
    ASSERT_GT(inside, 0);
    Open(dept, inside);
    EXPECT_TRUE(Enabled(IDC_CARD_EDIT + D_GROUP));
    DropDown(IDC_CARD_RECORD);
    ::SendMessageW(Item(IDC_CARD_RECORD), CB_SETCURSEL, outside - 1, 0);
    card->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CARD_RECORD, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(IDC_CARD_RECORD)));
    EXPECT_EQ(outside, card->Record);
    EXPECT_FALSE(Enabled(IDC_CARD_EDIT + D_GROUP));
}

TEST_F(CardTest, TabMovesOnAfterTheCommit)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    Open(dept, 1);
    TypeInto(IDC_CARD_EDIT + D_NAME, L"Flowers", 0);
    Key(Item(IDC_CARD_EDIT + D_NAME), VK_TAB);
    EXPECT_EQ(L"Flowers", Stored(dept, 1, D_NAME));
    EXPECT_EQ(Item(IDC_CARD_EDIT + D_PRICE), ::GetFocus());
    EXPECT_FALSE(card->TabPending);
}

TEST_F(CardTest, StatusLineShowsTheFieldTipOnOneLine)
{
    S_ECR_CAP tip;
    tip.Text = L"Price";
    tip.TipOn = 1;
    tip.TipText = L"Unit price\r\nwithout tax";
    (*g_ppCaptionMgr)->SetCaption(WNDNO_DATA_ITEMS, 1103, &tip);
    Open(Table(WNDNO_DEPT), 1);
    ::SetFocus(Item(IDC_CARD_EDIT + D_PRICE));
    PumpPending();
    EXPECT_EQ(L"Unit price / without tax   (Range is 0 - 999999)", Text(IDC_CARD_STATUS));
    // List and option rows show no hint.
    ::SetFocus(Item(IDC_CARD_EDIT + D_TAX));
    PumpPending();
    EXPECT_EQ(L"", Text(IDC_CARD_STATUS));
}

TEST_F(CardTest, ComboRowsCommitWhatWasTypedOrPicked)
{
    S_ECR_TABLE* clerk = Table(WNDNO_CLERK);
    ASSERT_NE(nullptr, clerk);
    constexpr int kDrawer = 4;
    Open(clerk, 1);
    HWND combo = Item(IDC_CARD_COMBO + kDrawer);
    ASSERT_TRUE(Visible(IDC_CARD_COMBO + kDrawer));
    EXPECT_EQ(2, Count(IDC_CARD_COMBO + kDrawer));

    // A one-character field's combo still shows its value beside the drop button.
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
    EXPECT_GE(info.rcItem.right - info.rcItem.left, 12);

    // Leaving an untouched combo writes nothing.
    ::SetFocus(combo);
    ::SetFocus(Item(IDC_CARD_RECORD));
    PumpPending();
    EXPECT_FALSE(card->Changed);

    // Typed in its edit part.
    HWND edit = ::GetWindow(combo, GW_CHILD);
    ASSERT_NE(nullptr, edit);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"3"));
    ::SetFocus(Item(IDC_CARD_RECORD));
    PumpPending();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Range is 1 - 2", boxes.Boxes()[0].text);
    EXPECT_EQ(combo, ::GetParent(::GetFocus()));
    EXPECT_FALSE(card->Changed);

    // Picked from its list, then Esc: the card commits before it closes.
    ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
    card->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CARD_COMBO + kDrawer, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    card->SendMessage(WM_COMMAND, IDCANCEL, 0);
    PumpPending();
    EXPECT_EQ(L"2", Stored(clerk, 1, kDrawer));
    EXPECT_TRUE(card->Changed);
    EXPECT_FALSE(card->IsWindowVisible());
}

TEST_F(CardTest, ComboTextKeepsWholeCharactersWithinTheField)
{
    if (::GetACP() != 932)
        GTEST_SKIP() << "needs code page 932";
    // A text combo without choices: three bytes wide, then one byte wide.
    struct OneField
    {
        S_ECR_TABLE table = {};
        S_ECR_FIELD field = {};
    } t;
    BYTE record[3] = {'x', 'y', 'z'};
    t.table.FieldCount = 1;
    t.table.RecordCount = 1;
    t.table.RecordSize = 3;
    t.table.RecordData = record;
    t.field.Flags = FIELD_TEXT | FIELD_EDITABLE;
    t.field.CardKind = CARD_COMBO;
    t.field.Width = 3;
    t.field.Level = 4;
    t.field.LookupWndNo = 9999;  // no such group: an empty list
    Open(&t.table, 1);
    HWND edit = ::GetWindow(Item(IDC_CARD_COMBO), GW_CHILD);
    ::SetFocus(edit);
    ::SetWindowTextW(edit, L"A\x3042");
    card->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CARD_COMBO, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(Item(IDC_CARD_COMBO)));
    ::SetFocus(Item(IDC_CARD_RECORD));
    PumpPending();
    EXPECT_EQ(0, memcmp(record, "A\x82\xA0", 3));

    ::SetWindowTextW(edit, L"AB\x3042");
    card->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CARD_COMBO, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(Item(IDC_CARD_COMBO)));
    ::SetFocus(edit);
    ::SetFocus(Item(IDC_CARD_RECORD));
    PumpPending();
    EXPECT_EQ(0, memcmp(record, "AB ", 3));
    EXPECT_EQ(L"AB", Text(IDC_CARD_COMBO));
    card->DestroyWindow();

    t.field.Width = 1;
    t.table.RecordSize = 1;
    Open(&t.table, 1);
    edit = ::GetWindow(Item(IDC_CARD_COMBO), GW_CHILD);
    ::SetFocus(edit);
    ::SetWindowTextW(edit, L"\x3042");
    card->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CARD_COMBO, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(Item(IDC_CARD_COMBO)));
    ::SetFocus(Item(IDC_CARD_RECORD));
    PumpPending();
    EXPECT_EQ(' ', record[0]);  // no half character
    EXPECT_EQ('B', record[1]);  // nothing beyond the field
}

TEST_F(CardTest, RowsWithoutRecordBytesTakeNoInput)
{
    struct OneField
    {
        S_ECR_TABLE table = {};
        S_ECR_FIELD field = {};
    } t;
    t.table.FieldCount = 1;
    t.table.RecordCount = 1;
    t.table.RecordSize = 4;  // but no record data
    t.field.Flags = FIELD_S32 | FIELD_EDITABLE;
    t.field.Width = 8;
    t.field.Level = 4;
    Open(&t.table, 1);
    EXPECT_TRUE(Visible(IDC_CARD_EDIT));
    EXPECT_FALSE(Enabled(IDC_CARD_EDIT));
    EXPECT_EQ(L"", Text(IDC_CARD_EDIT));
}

TEST(CardWithoutRecords, ClosesAtOnceAndWritesNothing)
{
    struct Empty
    {
        S_ECR_TABLE table = {};
        S_ECR_FIELD field = {};
    } empty;
    empty.table.FieldCount = 1;
    empty.table.RecordCount = 0;
    CCardDlg none(&empty.table, 1);
    EXPECT_EQ(IDCANCEL, none.DoModal());
    EXPECT_FALSE(none.Changed);

    BYTE record[4] = {};
    empty.table.RecordCount = 1;
    empty.table.RecordSize = 4;
    empty.table.RecordData = record;
    CCardDlg beyond(&empty.table, 2);
    EXPECT_EQ(IDCANCEL, beyond.DoModal());
    CCardDlg noTable(nullptr, 1);
    EXPECT_EQ(IDCANCEL, noTable.DoModal());
}

TEST_F(CardTest, ModalRunEndsWithClose)
{
    S_ECR_TABLE* dept = Table(WNDNO_DEPT);
    WhenDialogShows(IDC_CARD_TAB, [](HWND dialog) {
        HWND name = ::GetDlgItem(dialog, IDC_CARD_EDIT + D_NAME);
        ::SetFocus(name);
        ::SetWindowTextW(name, L"Deli");
        ::SendMessageW(name, EM_SETMODIFY, TRUE, 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
    });
    CCardDlg modal(dept, 4);
    EXPECT_EQ(IDCANCEL, modal.DoModal());
    EXPECT_TRUE(modal.Changed);
    EXPECT_EQ(L"Deli", Stored(dept, 4, D_NAME));
}

TEST_F(CardTest, Pictures)
{
    struct Shot
    {
        const wchar_t* language;
        const wchar_t* dataNo;
    };
    const CaptionLanguages captions(L"Cap");
    // Texts in the card's language, nothing clipped, no control over another;
    // the title names the table and the record.
    auto check = [&](const Shot& shot, const wchar_t* page) {
        const bool japanese = std::wstring(shot.language) == L"JPN";
        std::vector<std::wstring> findings = ScreenFindings(card->m_hWnd, captions, japanese, {0});
        EXPECT_TRUE(findings.empty()) << page << " " << shot.language << ":\n" << JoinFindings(findings);
    };
    for (const Shot& shot : {Shot{L"ENG", L"DataNo."}, Shot{L"JPN", L"\x30c7\x30fc\x30bfNo."}}) {
        Load(shot.language, 0);
        Open(Table(WNDNO_DEPT), 2);
        EXPECT_EQ(shot.dataNo, Text(IDC_CARD_DATANO));
        EXPECT_FALSE(SaveWindowPicture(card->m_hWnd, (std::wstring(L"card-dept-") + shot.language).c_str()).empty());
        check(shot, L"dept");
        card->DestroyWindow();

        Open(Table(WNDNO_PLU), 3);
        EXPECT_FALSE(SaveWindowPicture(card->m_hWnd, (std::wstring(L"card-plu-page1-") + shot.language).c_str()).empty());
        check(shot, L"plu page 1");
        SelectPage(1);
        EXPECT_TRUE(Visible(IDC_CARD_COMBO));
        EXPECT_FALSE(SaveWindowPicture(card->m_hWnd, (std::wstring(L"card-plu-page2-") + shot.language).c_str()).empty());
        check(shot, L"plu page 2");
        card->DestroyWindow();
    }
}
