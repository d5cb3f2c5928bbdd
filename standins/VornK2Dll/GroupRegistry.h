#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "CEcrData.h"

class TableGroup;

// Every data group of the register in the library's order, with the window
// number that fetches it (-1 for groups reached only by position).
class GroupRegistry
{
public:
    // The model's groups, built on first use.
    static GroupRegistry& Instance();

    // `japaneseName`: the group's name in Japanese captions, for groups the
    // program shows by name; the group's own name is the English one.
    template <typename Group>
    Group& Add(std::unique_ptr<Group> group, int wndNo, const wchar_t* japaneseName = nullptr)
    {
        Group& ref = *group;
        Entry entry = {group.get(), wndNo, nullptr, Deleter<Group>, group->Name, japaneseName};
        if constexpr (std::is_same_v<Group, TableGroup>)
            entry.tables = group.get();
        group.release();
        m_entries.push_back(entry);
        return ref;
    }

    // Fetching a table group recounts its unsaved edits; fetching any group
    // names it in the caption language of the moment.
    CEcrData* FromWndNo(int wndNo);
    CEcrData* FromIndex(int index);
    int Count() const { return static_cast<int>(m_entries.size()); }
    int IndexOf(const CEcrData* data) const;

    // Runs the model's builder, which adds the groups.
    explicit GroupRegistry(void (*build)(GroupRegistry&)) { build(*this); }
    ~GroupRegistry();
    GroupRegistry(const GroupRegistry&) = delete;
    GroupRegistry& operator=(const GroupRegistry&) = delete;

private:
    struct Entry
    {
        CEcrData* data;
        int wndNo;
        TableGroup* tables;
        void (*destroy)(CEcrData*);
        const wchar_t* englishName;
        const wchar_t* japaneseName;
    };
    template <typename Group>
    static void Deleter(CEcrData* data) { delete static_cast<Group*>(data); }

    CEcrData* Fetch(Entry& entry);

    std::vector<Entry> m_entries;
};
