#include "SampleData.h"

#include <vector>

#include "AtomicFile.h"
#include "EcrKeyboard.h"
#include "GroupRegistry.h"
#include "LibraryState.h"
#include "LogoGroup.h"
#include "ReportKind.h"
#include "ReportSet.h"
#include "TableFiller.h"
#include "TableGroup.h"
#include "VornK2Model.h"

namespace SampleData {

namespace {

CString Num(long long value)
{
    CString text;
    text.Format(L"%I64d", value);
    return text;
}

CString Money(long long cents)
{
    CString text;
    text.Format(L"%I64d.%02d", cents / 100, static_cast<int>(cents % 100));
    return text;
}

struct Pair
{
    const wchar_t* english;
    const wchar_t* japanese;
};

const Pair kDepts[] = {
    {L"Vegetables", L"野菜"}, {L"Fruit", L"果物"}, {L"Meat", L"精肉"}, {L"Fish", L"鮮魚"}, {L"Dairy", L"乳製品"},
    {L"Bakery", L"パン"}, {L"Deli", L"惣菜"}, {L"Frozen", L"冷凍食品"}, {L"Drinks", L"飲料"}, {L"Alcohol", L"酒類"},
    {L"Snacks", L"菓子"}, {L"Rice", L"米穀"}, {L"Seasoning", L"調味料"}, {L"Noodles", L"麺類"}, {L"Tea", L"お茶"},
    {L"Household", L"日用品"}, {L"Health", L"医薬品"}, {L"Tobacco", L"たばこ"}, {L"Magazines", L"雑誌"}, {L"Other", L"その他"},
};

// Product, its department (from 1) and whether an age check applies.
struct Product
{
    const wchar_t* english;
    const wchar_t* japanese;
    int dept;
    bool adult;
};

const Product kProducts[] = {
    {L"Cabbage", L"キャベツ", 1, false}, {L"Tomato", L"トマト", 1, false}, {L"Onion", L"玉ねぎ", 1, false},
    {L"Apple", L"りんご", 2, false}, {L"Banana", L"バナナ", 2, false}, {L"Mandarin", L"みかん", 2, false},
    {L"Pork loin", L"豚ロース", 3, false}, {L"Chicken", L"鶏もも肉", 3, false}, {L"Salmon", L"鮭切身", 4, false},
    {L"Tuna", L"まぐろ", 4, false}, {L"Milk", L"牛乳", 5, false}, {L"Yogurt", L"ヨーグルト", 5, false},
    {L"Bread", L"食パン", 6, false}, {L"Croissant", L"クロワッサン", 6, false}, {L"Croquette", L"コロッケ", 7, false},
    {L"Bento", L"幕の内弁当", 7, false}, {L"Gyoza", L"冷凍餃子", 8, false}, {L"Ice cream", L"アイス", 8, false},
    {L"Cola", L"コーラ", 9, false}, {L"Water", L"天然水", 9, false}, {L"Beer", L"ビール", 10, true},
    {L"Sake", L"日本酒", 10, true}, {L"Chips", L"ポテトチップ", 11, false}, {L"Chocolate", L"チョコレート", 11, false},
    {L"Rice", L"コシヒカリ", 12, false}, {L"Soy sauce", L"醤油", 13, false}, {L"Miso", L"味噌", 13, false},
    {L"Udon", L"うどん", 14, false}, {L"Soba", L"そば", 14, false}, {L"Green tea", L"緑茶", 15, false},
    {L"Barley tea", L"麦茶", 15, false}, {L"Tissue", L"ティッシュ", 16, false}, {L"Detergent", L"洗剤", 16, false},
    {L"Cold medicine", L"かぜ薬", 17, false}, {L"Bandage", L"ばんそうこう", 17, false}, {L"Cigarettes", L"たばこ", 18, true},
    {L"Weekly news", L"週刊誌", 19, false}, {L"Comic", L"コミック", 19, false}, {L"Battery", L"乾電池", 20, false},
    {L"Umbrella", L"ビニール傘", 20, false},
};
constexpr int kProductCount = sizeof kProducts / sizeof kProducts[0];

const wchar_t* const kVariants[] = {L"S", L"M", L"L", L"500g", L"1kg", L"x3", L"x6", L"Big"};
constexpr int kVariantCount = sizeof kVariants / sizeof kVariants[0];

const Pair kClerks[] = {
    {L"Sato", L"佐藤"}, {L"Suzuki", L"鈴木"}, {L"Takahashi", L"高橋"}, {L"Tanaka", L"田中"}, {L"Ito", L"伊藤"},
    {L"Emma", L"渡辺"}, {L"Noah", L"山本"}, {L"Olivia", L"中村"}, {L"Liam", L"小林"}, {L"Mia", L"加藤"},
};

// EAN-13 with the Japanese prefix 49 and a check digit.
long long PluCode(int i)
{
    long long base = 490000000000LL + 1000 + i * 7LL;
    int sum = 0;
    long long digits = base;
    for (int pos = 0; pos < 12; ++pos, digits /= 10)
        sum += static_cast<int>(digits % 10) * (pos % 2 == 0 ? 3 : 1);
    return base * 10 + (10 - sum % 10) % 10;
}

long long PluPrice(int i)
{
    return (80 + (i * 37) % 920) * 100;
}

TableGroup* Tables(GroupRegistry& registry, const wchar_t* name)
{
    for (int i = 0; i < registry.Count(); ++i) {
        auto* group = dynamic_cast<TableGroup*>(registry.FromIndex(i));
        if (group && CString(group->Name) == name)
            return group;
    }
    return nullptr;
}

void FillDept(EcrTable& t)
{
    TableFiller f(t);
    for (int i = 0; i < 20; ++i)
        f.Add({Num(i + 1), i % 2 ? kDepts[i].english : kDepts[i].japanese, L"0", i == 17 ? L"0" : L"1", L"0", L"50000",
               Num(i == 19 ? 12 : i / 4 + 1), L"0"});  // "Other" keeps a group the register no longer allows
}

void FillPlu(EcrTable& t, int count)
{
    TableFiller f(t);
    for (int i = 0; i < count; ++i) {
        const Product& p = kProducts[i % kProductCount];
        CString label;
        label.Format(L"P%05d", i + 1);
        f.Add({Num(PluCode(i)), PluName(i), Money(PluPrice(i)), Num(p.dept), p.dept == 18 ? L"0" : L"2", label,
               Num((i * 13) % 500), i == 2 ? L"75" : L"0", p.adult ? L"20" : L"0", Num((i * 31) % 1000), L"0"});
    }
}

void FillClerk(EcrTable& t)
{
    TableFiller f(t);
    for (int i = 0; i < 10; ++i)
        f.Add({Num(i + 1), i < 5 ? kClerks[i].japanese : kClerks[i].english, Num(1001 + i * 111), i == 9 ? L"1" : L"0",
               Num(i % 2 + 1)});
}

void FillProgMode(TableGroup& g)
{
    {
        TableFiller f(g.Table(0));
        for (const wchar_t* option : {L"Print receipt", L"Print journal", L"Clerk sign-on", L"Round half up",
                                      L"Show tax on receipt", L"Allow negative stock", L"Open drawer on total",
                                      L"Beep on error", L"24-hour clock", L"Print logo"})
            f.Add({option, CString(option) == L"Allow negative stock" ? L"0" : L"1"});
    }
    {
        TableFiller f(g.Table(1));
        f.Add({L"Tax 1", L"10", L"1"});
        f.Add({L"Tax 2", L"8", L"1"});
    }
    TableFiller f(g.Table(2));
    f.Add({L"0001", L"000012345678", L"00000001"});
}

void FillSMode(TableGroup& g)
{
    {
        TableFiller f(g.Table(0));
        for (const wchar_t* key : {L"CASH", L"CHECK", L"CREDIT", L"QR PAY", L"GIFT CARD", L"CHARGE", L"RA", L"PO",
                                   L"VOID", L"RETURN", L"DISCOUNT", L"NO SALE"})
            f.Add({key, L"0", L"0000"});
    }
    TableFiller f(g.Table(1));
    f.Add({L"0"});
}

void FillMessage(EcrTable& t)
{
    TableFiller f(t);
    f.Add({L"いらっしゃいませ", L"1"});
    f.Add({L"VORN MARKET Ekimae", L"0"});
    f.Add({L"TEL 03-0000-0000", L"0"});
    f.Add({L"Thank you for shopping", L"0"});
    f.Add({L"またお越しくださいませ", L"0"});
    f.Add({L"", L"0"});
}

void FillKeyboard(TableGroup& g)
{
    // Key list: 0 is a blank assignable key, 1-36 PLU keys, then fixed keys.
    const wchar_t* const fixedKeys[] = {L"7", L"8", L"9", L"4", L"5", L"6", L"1", L"2", L"3", L"0", L"00", L".",
                                        L"CLEAR", L"VOID", L"X/TIME", L"CLK#", L"ST", L"CREDIT", L"CASH",
                                        L"RECEIPT", L"RA", L"PO", L"RETURN", L"QTY"};
    {
        TableFiller f(g.Table(KEYBOARD_LIST));
        f.Add({L"1", L"0000", L""});
        for (int i = 1; i <= 36; ++i) {
            CString name;
            name.Format(L"PLU %d", i);
            f.Add({L"1", Num(1000 + i), name});
        }
        int code = 9001;
        for (const wchar_t* key : fixedKeys)
            f.Add({L"0", Num(code++), key});
    }
    auto fixed = [](int k) { return 37 + k; };
    std::vector<std::vector<int>> map(8, std::vector<int>(10, 0));
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            map[r][c] = 1 + r * 6 + c;
    for (int k = 0; k < 12; ++k)
        map[k / 3][6 + k % 3] = fixed(k);
    for (int k = 0; k < 4; ++k)
        map[4 + k][6] = fixed(19 + k);
    map[4][7] = fixed(23);
    for (int r = 0; r < 7; ++r)
        map[r][9] = fixed(12 + r);
    map[7][9] = fixed(18);
    {
        TableFiller f(g.Table(KEYBOARD_MAP));
        for (const auto& row : map) {
            std::vector<CString> texts;
            for (int k : row)
                texts.push_back(Num(k));
            f.Add({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6], texts[7], texts[8], texts[9]});
        }
    }
    TableFiller f(g.Table(KEYBOARD_MERGE));
    f.Add({L"9", L"6", L"9", L"7"});  // CASH spans two rows
}

// The logo as the register stores it, drawn with a font of the system.
std::vector<BYTE> RenderLogo(int width, int height, const wchar_t* text, int fontHeight)
{
    std::vector<BYTE> bits;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateBitmap(width, height, 1, 1, nullptr);
    HFONT font = ::CreateFontW(fontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    if (dc && bitmap && font) {
        HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
        HGDIOBJ oldFont = ::SelectObject(dc, font);
        ::PatBlt(dc, 0, 0, width, height, WHITENESS);
        RECT frame = {0, 0, width, height};
        ::FrameRect(dc, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::DrawTextW(dc, text, -1, &frame, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(dc, oldFont);
        ::SelectObject(dc, oldBitmap);
        bits.resize(static_cast<size_t>(width) * height / 8);
        if (::GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data()) != static_cast<LONG>(bits.size()))
            bits.clear();
        for (BYTE& b : bits)
            b = static_cast<BYTE>(~b);  // the register's 1 is black
    }
    if (font)
        ::DeleteObject(font);
    if (bitmap)
        ::DeleteObject(bitmap);
    if (dc)
        ::DeleteDC(dc);
    return bits;
}

bool WriteLogos(GroupRegistry& registry, const CString& folder)
{
    const wchar_t* const texts[] = {L"VORN MARKET", L"Thank you!"};
    int n = 0;
    for (int i = 0; i < registry.Count(); ++i) {
        auto* logo = dynamic_cast<LogoGroup*>(registry.FromIndex(i));
        if (!logo)
            continue;
        S_ECR_TABLE* size = logo->GetTable(0);
        std::vector<BYTE> bits = RenderLogo(size->FieldCount, size->RecordCount, texts[n++ % 2], size->RecordCount * 2 / 3);
        if (bits.empty() || !AtomicFile::Write(JoinPath(folder, logo->FileName), bits.data(), bits.size()))
            return false;
    }
    return true;
}

// One report's rows; `percent` scales the day's business (100 = the raw reports).
void FillReport(const ReportKind& kind, EcrTable& rows, int pluCount, int percent)
{
    auto n = [percent](long long value) { return Num(value * percent / 100); };
    auto money = [percent](long long cents) { return Money(cents * percent / 100); };
    TableFiller f(rows);
    switch (kind.key) {
    case 1:
        f.Add({L"Gross sales", n(412), money(18734500)});
        f.Add({L"Returns", n(3), money(-98000)});
        f.Add({L"Net sales", n(409), money(18636500)});
        f.Add({L"Cash", n(301), money(12031500)});
        f.Add({L"Credit", n(108), money(6605000)});
        f.Add({L"Tax 1", n(120), money(534500)});
        f.Add({L"Tax 2", n(289), money(876300)});
        break;
    case 2:
        for (int i = 0; i < 20; ++i)
            f.Add({Num(i + 1), i % 2 ? kDepts[i].english : kDepts[i].japanese, n(5 + i * 3), money((5 + i * 3) * 31800LL)});
        break;
    case 3:
        for (int i = 0; i < pluCount && i < 60; ++i)
            f.Add({Num(PluCode(i)), PluName(i), n(1 + i % 9), money(PluPrice(i) * (1 + i % 9))});
        break;
    default:
        for (int i = 0; i < 10; ++i)
            f.Add({Num(i + 1), i < 5 ? kClerks[i].japanese : kClerks[i].english, n(30 + i * 4), money((30 + i * 4) * 45600LL)});
        break;
    }
}

// The raw reports of the day, and a week of converted reports before it, so
// that charts of one point per day have a history.
bool WriteReports(const CString& folder, int pluCount)
{
    for (const ReportKind& kind : VornK2Model::ReportKinds()) {
        EcrTable rows(kind.layout, kind.fields);
        FillReport(kind, rows, pluCount, 100);
        std::vector<BYTE> raw = ReportSet::EncodeRaw(kind.key, rows);
        if (!AtomicFile::Write(JoinPath(folder, CString(kind.prefix) + L"1230.VKR"), raw.data(), raw.size()))
            return false;
        for (WORD day = 1; day <= 7; ++day) {
            EcrTable history(kind.layout, kind.fields);
            FillReport(kind, history, pluCount, 60 + (day * 37) % 55);
            SYSTEMTIME closing = {2026, 12, 0, day, 22, 0, 0, 0};
            FILETIME local, utc;
            if (!::SystemTimeToFileTime(&closing, &local) || !::LocalFileTimeToFileTime(&local, &utc)
                || !ReportSet::WriteConverted(history, folder, kind.prefix, utc))
                return false;
        }
    }
    return true;
}

} // namespace

CString PluName(int i)
{
    const Product& p = kProducts[i % kProductCount];
    int round = i / kProductCount;
    CString name = (i / 2) % 2 ? p.english : p.japanese;
    if (round > 0)
        name.AppendFormat(L" %s", kVariants[(round - 1) % kVariantCount]);
    if (round > kVariantCount)
        name.AppendFormat(L"%d", round / kVariantCount);
    return name;
}

bool Write(const CString& folder, int pluCount)
{
    LibraryState::Instance().SetFolder(folder);
    GroupRegistry& registry = GroupRegistry::Instance();
    struct Step
    {
        const wchar_t* group;
        void (*fill)(TableGroup&, int);
    } steps[] = {
        {L"DEPT", [](TableGroup& g, int) { FillDept(g.Table(0)); }},
        {L"PLU", [](TableGroup& g, int n) { FillPlu(g.Table(0), n); }},
        {L"CLERK", [](TableGroup& g, int) { FillClerk(g.Table(0)); }},
        {L"PROG_MODE", [](TableGroup& g, int) { FillProgMode(g); }},
        {L"S_MODE", [](TableGroup& g, int) { FillSMode(g); }},
        {L"MESSAGE", [](TableGroup& g, int) { FillMessage(g.Table(0)); }},
        {L"KEYBOARD", [](TableGroup& g, int) { FillKeyboard(g); }},
    };
    for (const Step& step : steps) {
        TableGroup* group = Tables(registry, step.group);
        if (!group)
            return false;
        group->Reset();
        group->LoadData(folder);
        step.fill(*group, pluCount);
        if (group->CommitData(0) != TRUE)
            return false;
    }
    return WriteLogos(registry, folder) && WriteReports(folder, pluCount);
}

} // namespace SampleData
