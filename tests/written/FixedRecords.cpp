#include "FixedRecords.h"

#include <gtest/gtest.h>

#include "EcrKeyboard.h"
#include "GroupRegistry.h"
#include "KeyboardGroup.h"
#include "TableFiller.h"
#include "VornK2Model.h"

namespace FixedRecords {

namespace {

void FillDept(TableGroup& g)
{
    // No., name, price, tax, type, HALO, group, status
    TableFiller f(g.Table(0));
    f.Add({L"1", L"Vegetables", L"120.5", L"1", L"0", L"0", L"-1", L"0100"});
    f.Add({L"2", L"果物", L"-0.0125", L"3", L"2", L"99999", L"9", L"9999"});
}

void FillPlu(TableGroup& g)
{
    // Code, name, price, dept, tax, label, stock, discount, age, sold, link
    TableFiller f(g.Table(0));
    f.Add({L"4901234567894", L"りんご \"ふじ\", 2個", L"298", L"2", L"1", L"APPLE", L"-12", L"-50", L"20",
           L"4294967295", L"12345678901234"});
    f.Add({L"20", L"Cake, \"big\"", L"1234.5678", L"1", L"0", L"CAKE", L"999999", L"50", L"0", L"0", L"0"});
}

void FillClerk(TableGroup& g)
{
    // No., name, secret code, training, drawer
    TableFiller f(g.Table(0));
    f.Add({L"1", L"山田", L"1234", L"0", L"1"});
    f.Add({L"50", L"O'Neil", L"0000", L"1", L"2"});
}

void FillProgMode(TableGroup& g)
{
    {
        TableFiller options(g.Table(0));
        options.Add({L"Print logo", L"1"});
        options.Add({L"Round totals", L"0"});
    }
    {
        TableFiller taxes(g.Table(1));
        taxes.Add({L"Tax 1", L"8", L"0"});
        taxes.Add({L"Tax 2", L"10.25", L"1"});
    }
    TableFiller machine(g.Table(2));
    machine.Add({L"0001", L"123456789012", L"00004321"});
}

void FillSMode(TableGroup& g)
{
    {
        TableFiller keys(g.Table(0));
        keys.Add({L"CASH", L"0", L"0001"});
        keys.Add({L"CREDIT", L"500000", L"0002"});
    }
    TableFiller style(g.Table(1));
    style.Add({L"3"});
}

void FillMessage(TableGroup& g)
{
    TableFiller f(g.Table(0));
    f.Add({L"Thank you!", L"1"});
    f.Add({L"またお越しください", L"0"});
}

void FillKeyboard(TableGroup& g)
{
    {
        TableFiller list(g.Table(KEYBOARD_LIST));
        list.Add({L"1", L"0000", L""});
        list.Add({L"1", L"1001", L"PLU 1"});
        list.Add({L"0", L"9001", L"現金"});
        list.Add({L"1", L"1002", L"PLU 2"});
    }
    {
        TableFiller map(g.Table(KEYBOARD_MAP));
        map.Add({L"1", L"2", L"2", L"0", L"0", L"0", L"0", L"0", L"0", L"0"});
        map.Add({L"0", L"2", L"2", L"0", L"0", L"0", L"0", L"0", L"0", L"1"});
    }
    {
        TableFiller merges(g.Table(KEYBOARD_MERGE));
        merges.Add({L"1", L"0", L"2", L"1"});  // the cash key spans two rows and columns
    }
    KeyboardGroup keys(g.GetTable(KEYBOARD_MAP), g.GetTable(KEYBOARD_LIST), g.GetTable(KEYBOARD_MERGE));
    EXPECT_TRUE(keys.SetKeyAt(0, 3, 3)) << "PLU 2 assigned on the map";
}

struct Filler
{
    const wchar_t* name;
    void (*fill)(TableGroup&);
};

const Filler kFillers[] = {
    {L"DEPT", FillDept},           {L"PLU", FillPlu},         {L"CLERK", FillClerk},
    {L"PROG_MODE", FillProgMode},  {L"S_MODE", FillSMode},    {L"MESSAGE", FillMessage},
    {L"KEYBOARD", FillKeyboard},
};

} // namespace

const std::vector<const wchar_t*>& TableGroupNames()
{
    static const std::vector<const wchar_t*> names = [] {
        std::vector<const wchar_t*> all;
        for (const Filler& filler : kFillers)
            all.push_back(filler.name);
        return all;
    }();
    return names;
}

TableGroup* TableGroupNamed(const wchar_t* name)
{
    GroupRegistry& registry = GroupRegistry::Instance();
    for (int i = 0; i < registry.Count(); ++i) {
        auto* group = dynamic_cast<TableGroup*>(registry.FromIndex(i));
        if (group && wcscmp(group->Name, name) == 0)
            return group;
    }
    return nullptr;
}

CEcrGraphic* LogoNamed(const wchar_t* name)
{
    GroupRegistry& registry = GroupRegistry::Instance();
    for (int i = 0; i < registry.Count(); ++i) {
        CEcrGraphic* logo = AsGraphic(registry.FromIndex(i));
        if (logo && wcscmp(logo->LogoName, name) == 0)
            return logo;
    }
    return nullptr;
}

void Fill(TableGroup& group)
{
    for (const Filler& filler : kFillers)
        if (wcscmp(group.Name, filler.name) == 0)
            return filler.fill(group);
    ADD_FAILURE() << "no fixed records for a group";
}

std::vector<ReportKind> DeliveredReports()
{
    std::vector<ReportKind> delivered;
    for (const ReportKind& kind : VornK2Model::ReportKinds())
        if (kind.key == 1 || kind.key == 2)
            delivered.push_back(kind);
    return delivered;
}

void FillReport(const ReportKind& kind, EcrTable& rows)
{
    TableFiller f(rows);
    if (kind.key == 1) {
        // Item, count, amount
        f.Add({L"Net sales", L"409", L"186365"});
        f.Add({L"Returns", L"3", L"-980.5"});
    } else {
        // No., name, count, amount
        f.Add({L"1", L"野菜", L"17", L"5406"});
        f.Add({L"2", L"Fruit, \"fresh\"", L"8", L"2544.25"});
    }
}

} // namespace FixedRecords
