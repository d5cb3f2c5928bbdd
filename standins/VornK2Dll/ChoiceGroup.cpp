#include "ChoiceGroup.h"

#include "FieldCodec.h"
#include "LibraryState.h"

namespace {

constexpr int kChoiceWidth = 16;

} // namespace

ChoiceGroup::ChoiceGroup(const wchar_t* name, int groupId, bool enabled, std::vector<Choices> lists)
    : m_name(name), m_lists(std::move(lists))
{
    Name = m_name;
    GroupType = GROUP_NOT_SENT;
    GroupId = groupId;
    Enabled = enabled ? 1 : 0;
    for (const Choices& list : m_lists) {
        EcrTable::Layout layout = {list.name, list.captionNo, -1, -1, static_cast<int>(list.english.size())};
        m_tables.push_back(std::make_unique<EcrTable>(
            layout, std::vector<FieldSpec>{{L"Choice", list.captionNo, FIELD_TEXT | FIELD_ALIGN_LEFT, kChoiceWidth}}));
    }
}

void ChoiceGroup::ReloadFromFolder(const wchar_t*)
{
    bool japanese = LibraryState::Instance().Japanese();
    for (size_t t = 0; t < m_tables.size(); ++t) {
        const std::vector<const wchar_t*>& texts = japanese ? m_lists[t].japanese : m_lists[t].english;
        EcrTable& table = *m_tables[t];
        table.Assign(std::vector<BYTE>(texts.size() * table.RecordSize()));
        for (size_t r = 0; r < texts.size(); ++r)
            ParseField(&table.Field(0), CString(texts[r]), FieldPtr(table.Table(), static_cast<int>(r), 0));
        table.MarkSaved();
    }
    Loaded = 1;
}

void ChoiceGroup::Reset()
{
    for (auto& t : m_tables)
        t->Clear();
    Loaded = 0;
}

BOOL ChoiceGroup::LoadData(const wchar_t* folder)
{
    if (!Loaded)
        ReloadFromFolder(folder);
    return TRUE;
}

S_ECR_TABLE* ChoiceGroup::GetTable(int key)
{
    return key >= 0 && key < GetTableCount() ? m_tables[key]->Table() : nullptr;
}
