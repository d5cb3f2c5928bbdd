#include "GroupRegistry.h"

#include "LibraryState.h"
#include "TableGroup.h"
#include "VornK2Model.h"

GroupRegistry& GroupRegistry::Instance()
{
    static GroupRegistry registry(VornK2Model::Build);
    return registry;
}

GroupRegistry::~GroupRegistry()
{
    for (Entry& e : m_entries)
        e.destroy(e.data);
}

CEcrData* GroupRegistry::Fetch(Entry& entry)
{
    if (entry.tables)
        entry.tables->RefreshUnsaved();
    if (entry.japaneseName)
        entry.data->Name = LibraryState::Instance().Say(entry.englishName, entry.japaneseName);
    return entry.data;
}

CEcrData* GroupRegistry::FromWndNo(int wndNo)
{
    for (Entry& e : m_entries)
        if (e.wndNo == wndNo && wndNo >= 0)
            return Fetch(e);
    return nullptr;
}

CEcrData* GroupRegistry::FromIndex(int index)
{
    return index >= 0 && index < Count() ? Fetch(m_entries[index]) : nullptr;
}

int GroupRegistry::IndexOf(const CEcrData* data) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (data && m_entries[i].data == data)
            return static_cast<int>(i);
    return -1;
}
