#include "VornK2Model.h"

#include "ChoiceGroup.h"
#include "EcrKeyboard.h"
#include "GroupRegistry.h"
#include "LogoGroup.h"
#include "ReportGroup.h"
#include "ReportSet.h"
#include "TableGroup.h"

namespace VornK2Model {

namespace {

// Flags used over and over.
constexpr DWORD ED = FIELD_EDITABLE;
constexpr DWORD LEFT = FIELD_ALIGN_LEFT;
constexpr DWORD CENTER = FIELD_ALIGN_CENTER;
constexpr DWORD BCD = FIELD_BCD;
constexpr DWORD ZP = FIELD_ZERO_PAD;

// User levels: 4 is seen by everyone, lower levels only by more trusted users.
constexpr int ALL = 4;
constexpr int SUPERVISOR = 2;
constexpr int SERVICE = 1;

FieldSpec Range(FieldSpec f, double minimum, double maximum)
{
    f.checkMode = CHECK_RANGE;
    f.minimum = minimum;
    f.maximum = maximum;
    return f;
}

FieldSpec Lookup(FieldSpec f, int kind, int wndNo, int table, int field)
{
    f.cardKind = kind;
    f.lookupWndNo = wndNo;
    f.lookupTable = table;
    f.lookupField = field;
    return f;
}

FieldSpec Level(FieldSpec f, int level)
{
    f.level = level;
    return f;
}

FieldSpec Checked(FieldSpec f)
{
    f.checkMode = CHECK_VALIDATOR;
    return f;
}

FieldSpec Hidden(FieldSpec f)
{
    f.cardKind = CARD_HIDDEN;
    return f;
}

enum ChoiceTable { CHOICE_TAX, CHOICE_DEPT_TYPE, CHOICE_NO_YES, CHOICE_DRAWER, CHOICE_TAX_TYPE };

void AddDept(GroupRegistry& registry)
{
    auto group = std::make_unique<TableGroup>(TableGroup::Identity{L"DEPT", L"DEPT.VK2", GROUP_RECORDS, 1, 1});
    EcrTable& t = group->AddTable({L"Department", 1001, ALL, 0, 99, 0}, {
        Range({L"Dept No.", 1101, FIELD_U16 | BCD | ZP | CENTER | ED, 4}, 1, 99),
        {L"Name", 1102, FIELD_TEXT | LEFT | ED, 16},
        Range({L"Price", 1103, FIELD_AMOUNT | ED, 10}, 0, 999999),
        Range(Lookup({L"Tax", 1104, FIELD_U8 | CENTER | ED, 1}, CARD_LIST, WND_CHOICES, CHOICE_TAX, 0), 0, 3),
        Range(Lookup({L"Type", 1105, FIELD_U8 | CENTER | ED, 1}, CARD_OPTIONS, WND_CHOICES, CHOICE_DEPT_TYPE, 0), 0, 2),
        Checked(Level({L"HALO", 1106, FIELD_S32 | ED, 8}, SUPERVISOR)),
        Range(Level({L"Group", 1107, FIELD_S8 | FIELD_RANGE_SHADE | ED, 3}, SUPERVISOR), -1, 9),
        Hidden(Level({L"Status", 1108, FIELD_U16 | BCD | ZP, 4}, SERVICE)),
    });
    t.SetRule(5, FieldRuleValidator::HaloRule);
    registry.Add(std::move(group), WND_DEPT, L"部門");
}

void AddPlu(GroupRegistry& registry)
{
    auto group = std::make_unique<TableGroup>(TableGroup::Identity{L"PLU", L"PLU.VK2", GROUP_RECORDS, 2, 2});
    group->AddTable({L"PLU", 1002, 98, 0, 20000, 0}, {
        Range({L"PLU Code", 1201, FIELD_S64 | LEFT | ED, 14}, 1, ECR_SEARCHABLE_CODE_MAX),
        {L"Name", 1202, FIELD_TEXT | LEFT | ED, 24},
        Range({L"Price", 1203, FIELD_AMOUNT | ED, 10}, 0, 999999),
        Range(Lookup({L"Dept", 1204, FIELD_U16 | ED, 2}, CARD_LIST, WND_DEPT, 0, 1), 1, 99),
        Range(Lookup({L"Tax", 1205, FIELD_U8 | CENTER | ED, 1}, CARD_LIST, WND_CHOICES, CHOICE_TAX, 0), 0, 3),
        Level({L"Label", 1206, FIELD_TEXT | FIELD_PLAIN_TEXT | LEFT | ED, 12}, SUPERVISOR),
        Range(Level({L"Stock", 1207, FIELD_S32 | ED, 7}, SUPERVISOR), -999999, 999999),
        Range(Level({L"Discount %", 1208, FIELD_S16 | FIELD_RANGE_SHADE | CENTER | ED, 3}, SUPERVISOR), -50, 50),
        Range(Level({L"Age limit", 1209, FIELD_U8 | BCD | ED, 2}, SUPERVISOR), 0, 99),
        Hidden(Level({L"Sold", 1210, FIELD_U32, 10}, SERVICE)),
        Lookup(Level({L"Link PLU", 1211, FIELD_S64 | BCD | ZP | ED, 14}, SERVICE), CARD_COMBO, WND_PLU, 0, 0),
    });
    registry.Add(std::move(group), WND_PLU, L"PLU");
}

void AddClerk(GroupRegistry& registry)
{
    auto group = std::make_unique<TableGroup>(TableGroup::Identity{L"CLERK", L"CLERK.VK2", GROUP_RECORDS_ALT, 3, 3});
    EcrTable& t = group->AddTable({L"Clerk", 1003, ALL, -1, 50, 0}, {
        Range({L"Clerk No.", 1301, FIELD_U8 | ZP | CENTER | ED, 2}, 1, 50),
        {L"Name", 1302, FIELD_TEXT | LEFT | ED, 12},
        Checked(Level({L"Secret code", 1303, FIELD_U16 | BCD | ZP | ED, 4}, SERVICE)),
        Range(Lookup({L"Training", 1304, FIELD_U8 | CENTER | ED, 1}, CARD_OPTIONS, WND_CHOICES, CHOICE_NO_YES, 0), 0, 1),
        Range(Lookup({L"Drawer", 1305, FIELD_U8 | CENTER | ED, 1}, CARD_COMBO, WND_CHOICES, CHOICE_DRAWER, 0), 1, 2),
    });
    t.SetRule(2, FieldRuleValidator::SecretCodeRule);
    registry.Add(std::move(group), WND_CLERK, L"担当者");
}

void AddProgMode(GroupRegistry& registry)
{
    auto group = std::make_unique<TableGroup>(TableGroup::Identity{L"PROG_MODE", L"PMODE.VK2", GROUP_RECORDS_ALT, 5, 5});
    group->AddTable({L"System options", 1006, ALL, -1, 30}, {
        {L"Option", 1501, FIELD_TEXT | LEFT, 24},
        Range(Lookup({L"Setting", 1502, FIELD_U8 | CENTER | ED, 1}, CARD_OPTIONS, WND_CHOICES, CHOICE_NO_YES, 0), 0, 1),
    });
    group->AddTable({L"Tax rates", 1007, ALL, -1, 4}, {
        {L"Tax", 1503, FIELD_TEXT | LEFT | ED, 12},
        Range({L"Rate %", 1504, FIELD_AMOUNT | BCD | ED, 8}, 0, 100),
        Range(Lookup({L"Kind", 1505, FIELD_U8 | ED, 1}, CARD_LIST, WND_CHOICES, CHOICE_TAX_TYPE, 0), 0, 1),
    });
    group->AddTable({L"Machine", 1008, SUPERVISOR, -1, 1}, {
        Range(Level({L"Machine No.", 1506, FIELD_U16 | BCD | ZP | ED, 4}, SUPERVISOR), 1, 9999),
        Level({L"Shop code", 1507, FIELD_S64 | BCD | ZP | ED, 12}, SUPERVISOR),
        Level({L"Receipt No.", 1508, FIELD_U32 | BCD | ZP | ED, 8}, SUPERVISOR),
    });
    registry.Add(std::move(group), WND_PROG_MODE, L"Pモード");
}

void AddSMode(GroupRegistry& registry)
{
    auto group = std::make_unique<TableGroup>(TableGroup::Identity{L"S_MODE", L"SMODE.VK2", GROUP_RECORDS_ALT, 4, 4});
    EcrTable& keys = group->AddTable({L"Function keys", 1004, ALL, -1, 40}, {
        {L"Key", 1401, FIELD_TEXT | LEFT | ED, 12},
        Checked({L"HALO", 1402, FIELD_S32 | ED, 8}),
        Level({L"Status", 1403, FIELD_U16 | BCD | ZP | ED, 4}, SERVICE),
    });
    keys.SetRule(1, FieldRuleValidator::HaloRule);
    group->AddTable({L"Receipt style", 1005, 99, -1, 1}, {
        Range({L"Style", 1404, FIELD_U8 | CENTER | ED, 1}, 0, 5),
    });
    registry.Add(std::move(group), WND_S_MODE, L"Sモード");
}

void AddMessage(GroupRegistry& registry)
{
    auto group = std::make_unique<TableGroup>(TableGroup::Identity{L"MESSAGE", L"MESSAGE.VK2", GROUP_SETTING, 6, 6});
    group->AddTable({L"Receipt message", 1009, ALL, -1, 6}, {
        {L"Line", 1601, FIELD_TEXT | LEFT | ED, 32},
        Range({L"Double width", 1602, FIELD_U8 | CENTER | ED, 1}, 0, 1),
    });
    registry.Add(std::move(group), WND_NONE, L"メッセージ");
}

void AddKeyboard(GroupRegistry& registry)
{
    auto group = std::make_unique<TableGroup>(TableGroup::Identity{L"KEYBOARD", L"KEYBOARD.VK2", GROUP_SETTING, 7, 7});
    static const wchar_t* const columns[] = {L"Column 1", L"Column 2", L"Column 3", L"Column 4", L"Column 5",
                                             L"Column 6", L"Column 7", L"Column 8", L"Column 9", L"Column 10"};
    std::vector<FieldSpec> map;
    for (int c = 0; c < 10; ++c)
        map.push_back({columns[c], 1701 + c, FIELD_U16 | ED, 3});
    // Tables in the order EcrKeyboardTable gives.
    group->AddTable({L"Key map", 1010, ALL, -1, 8}, map);
    group->AddTable({L"Key list", 1011, ALL, -1, 200}, {
        {L"Assignable", 1711, FIELD_U8, 1},
        {L"Key code", 1712, FIELD_U16 | BCD | ZP, 4},
        {L"Key name", 1713, FIELD_TEXT | LEFT, 12},
    });
    group->AddTable({L"Merged keys", 1012, ALL, -1, 40}, {
        {L"First column", 1714, FIELD_U8, 2},
        {L"First row", 1715, FIELD_U8, 2},
        {L"Last column", 1716, FIELD_U8, 2},
        {L"Last row", 1717, FIELD_U8, 2},
    });
    registry.Add(std::move(group), WND_KEYBOARD, L"キーボード");
}

void AddChoices(GroupRegistry& registry)
{
    std::vector<ChoiceGroup::Choices> lists = {
        {L"Tax", 1801, {L"Non-taxable", L"Tax 1", L"Tax 2", L"Tax 1+2"}, {L"非課税", L"課税1", L"課税2", L"課税1+2"}},
        {L"Dept type", 1802, {L"Normal", L"Negative", L"Hash"}, {L"通常", L"マイナス", L"ハッシュ"}},
        {L"No/Yes", 1803, {L"No", L"Yes"}, {L"しない", L"する"}},
        {L"Drawer", 1804, {L"1", L"2"}, {L"1", L"2"}},
        {L"Tax kind", 1805, {L"Add-on", L"Included"}, {L"外税", L"内税"}},
    };
    registry.Add(std::make_unique<ChoiceGroup>(L"CHOICES", 0, true, std::move(lists)), WND_CHOICES);
}

} // namespace

std::vector<ReportKind> ReportKinds()
{
    FieldSpec count = {L"Count", 1911, FIELD_S32, 8};
    FieldSpec amount = {L"Amount", 1912, FIELD_AMOUNT, 12};
    return {
        {1, L"FIN", {L"Financial", 1021, ALL, -1, 50},
         {{L"Item", 1901, FIELD_TEXT | LEFT, 16}, count, amount}, 0, 0, 0},
        {2, L"DEPT", {L"Dept sales", 1022, ALL, -1, 99},
         {{L"Dept No.", 1902, FIELD_U16 | BCD | ZP | CENTER, 4}, {L"Name", 1903, FIELD_TEXT | LEFT, 16}, count, amount}, 2, 1, 99},
        {3, L"PLU", {L"PLU sales", 1023, SUPERVISOR, -1, 20000},
         {{L"PLU Code", 1904, FIELD_S64 | LEFT, 14}, {L"Name", 1905, FIELD_TEXT | LEFT, 24}, count, amount}, 2, 1, 20000},
        {4, L"CLERK", {L"Clerk sales", 1024, ALL, -1, 50},
         {{L"Clerk No.", 1906, FIELD_U8 | ZP | CENTER, 2}, {L"Name", 1907, FIELD_TEXT | LEFT, 12}, count, amount}, 1, 1, 50},
    };
}

namespace {

void AddLogos(GroupRegistry& registry)
{
    registry.Add(std::make_unique<LogoGroup>(LogoGroup::Identity{L"LOGO1", L"LOGO1.ECR", L"Receipt top logo", 1031, 8, 384, 96}),
                 WND_NONE, L"ロゴ1");
    registry.Add(std::make_unique<LogoGroup>(LogoGroup::Identity{L"LOGO2", L"LOGO2.ECR", L"Receipt bottom logo", 1032, 9, 384, 48}),
                 WND_NONE, L"ロゴ2");
}

} // namespace

void Build(GroupRegistry& registry)
{
    AddDept(registry);
    AddPlu(registry);
    AddClerk(registry);
    AddProgMode(registry);
    AddSMode(registry);
    AddMessage(registry);
    AddKeyboard(registry);
    AddLogos(registry);
    AddChoices(registry);
    registry.Add(std::make_unique<ReportSet>(10, ReportKinds()), WND_REPORT_SET);
    registry.Add(std::make_unique<ReportGroup>(11, ReportKinds()), WND_REPORTS);
    registry.Add(std::make_unique<ChoiceGroup>(L"RESERVED", 0, false, std::vector<ChoiceGroup::Choices>{}), WND_RESERVED);
}

} // namespace VornK2Model
