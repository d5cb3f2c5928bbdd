#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "collections.h"
#include "layout.h"

TEST(CArray, InsertRemoveAndGrow)
{
    CArray<int, int> a;
    for (int i = 0; i < 100; ++i)
        a.Add(i);
    EXPECT_EQ(100, a.GetSize());
    a.InsertAt(0, -1, 2);
    EXPECT_EQ(-1, a[0]);
    EXPECT_EQ(-1, a[1]);
    EXPECT_EQ(0, a[2]);
    a.RemoveAt(0, 3);
    EXPECT_EQ(1, a[0]);
    EXPECT_EQ(98, a.GetUpperBound());
    a.SetAtGrow(200, 7);
    EXPECT_EQ(201, a.GetSize());
    EXPECT_EQ(0, a[150]);  // the gap is value-initialised
    EXPECT_THROW(a.GetAt(201), CException*);
    EXPECT_THROW(a.RemoveAt(200, 2), CException*);
    a.SetSize(0);
    EXPECT_TRUE(a.IsEmpty());
}

TEST(CArray, StringElementsSurviveReallocationAndSelfReference)
{
    CStringArray names;
    names.Add(L"DEPT");
    for (int i = 0; i < 50; ++i)
        names.Add(names[0]);  // the argument lives in the array being grown
    EXPECT_EQ(51, names.GetCount());
    EXPECT_STREQ(L"DEPT", names[50]);
    names.InsertAt(1, names[0]);
    EXPECT_STREQ(L"DEPT", names[1]);

    CStringArray copy;
    copy.Copy(names);
    names.RemoveAll();
    EXPECT_EQ(52, copy.GetSize());
    EXPECT_STREQ(L"DEPT", copy[51]);
}

TEST(CList, KeepsTheLayoutTheModelLibraryReads)
{
    struct Report
    {
        int key;
        const wchar_t* name;
    };
    CList<Report, const Report&> list;
    list.AddTail(Report{7, L"a.csv"});
    list.AddTail(Report{9, L"b.csv"});
    list.AddHead(Report{5, L"z.csv"});

    // Head pointer after the table pointer, count after head and tail (+4
    // and +12 in the 32-bit build); a node is next, prev, data. Read as raw
    // bytes, the way another module sees them.
    auto* raw = reinterpret_cast<const unsigned char*>(&list);
    struct Node
    {
        Node* next;
        Node* prev;
        int key;
        const wchar_t* name;
    };
    Node* head = nullptr;
    int count = 0;
    memcpy(&head, raw + ByBuild(4, 8), sizeof head);
    memcpy(&count, raw + ByBuild(12, 24), sizeof count);
    EXPECT_EQ(3, count);
    ASSERT_NE(nullptr, head);
    EXPECT_EQ(5, head->key);
    EXPECT_EQ(nullptr, head->prev);
    EXPECT_EQ(7, head->next->key);
    EXPECT_EQ(9, head->next->next->key);
    EXPECT_EQ(nullptr, head->next->next->next);
}

TEST(CList, IterationInsertionAndRemoval)
{
    CList<int, int> list;
    for (int i = 1; i <= 5; ++i)
        list.AddTail(i);
    POSITION three = list.Find(3);
    ASSERT_NE(nullptr, three);
    list.InsertBefore(three, 30);
    list.InsertAfter(three, 31);
    list.RemoveAt(list.FindIndex(0));
    int expected[] = {2, 30, 3, 31, 4, 5};
    int i = 0;
    for (POSITION p = list.GetHeadPosition(); p;)
        EXPECT_EQ(expected[i++], list.GetNext(p));
    EXPECT_EQ(6, i);
    EXPECT_EQ(5, list.RemoveTail());
    EXPECT_EQ(2, list.RemoveHead());
    EXPECT_EQ(4, list.GetTail());
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_THROW(list.GetHead(), CException*);
}

TEST(CMap, StringMapLooksUpReplacesAndIterates)
{
    CMap<CString, const CString&, CString, const CString&> map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    CString value;
    EXPECT_FALSE(map.Lookup(L"02 VORN-K2", value));

    for (int i = 0; i < 100; ++i) {
        CString key;
        key.Format(L"model %d", i);
        map.SetAt(key, key + L".dll");
    }
    map.SetAt(L"model 5", L"replaced.dll");
    map[L""] = L"empty key";
    EXPECT_EQ(101, map.GetCount());
    ASSERT_TRUE(map.Lookup(L"model 5", value));
    EXPECT_STREQ(L"replaced.dll", value);
    ASSERT_TRUE(map.Lookup(L"", value));
    EXPECT_STREQ(L"empty key", value);

    int seen = 0;
    CString key;
    for (POSITION p = map.GetStartPosition(); p;) {
        map.GetNextAssoc(p, key, value);
        ++seen;
    }
    EXPECT_EQ(101, seen);

    EXPECT_TRUE(map.RemoveKey(L"model 5"));
    EXPECT_FALSE(map.RemoveKey(L"model 5"));
    EXPECT_EQ(100, map.GetCount());
    map.RemoveAll();
    EXPECT_EQ(nullptr, map.GetStartPosition());
}

TEST(CMap, IntegerAndPointerKeys)
{
    CMap<int, int, CString, const CString&> byNumber;
    byNumber[17] = L"DEPT";
    byNumber[0x10016] = L"logo viewer";
    CString s;
    EXPECT_TRUE(byNumber.Lookup(0x10016, s));
    EXPECT_STREQ(L"logo viewer", s);
    EXPECT_FALSE(byNumber.Lookup(18, s));

    int a = 0, b = 0;
    CMap<int*, int*, int, int> byPointer;
    byPointer[&a] = 1;
    byPointer[&b] = 2;
    int v = 0;
    EXPECT_TRUE(byPointer.Lookup(&b, v));
    EXPECT_EQ(2, v);
}
