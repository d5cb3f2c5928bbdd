// Array, list and hash map with the framework's object layout.
//
// The layouts matter: lists and maps sit inside records shared with the model
// library (a report set's file list, the settings object's model map), which
// read the head pointer, the count and the nodes at fixed offsets.
#pragma once

#include <new>
#include <type_traits>
#include <utility>

#include "object.h"
#include "strings.h"

// An opaque iteration cursor: a pointer to a list node or map association.
struct __POSITION {};
using POSITION = __POSITION*;

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() = default;
    CArray(const CArray& other) { Copy(other); }
    CArray& operator=(const CArray& other) { if (this != &other) Copy(other); return *this; }
    ~CArray() override { SetSize(0); ::operator delete(m_pData); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    bool IsEmpty() const { return m_nSize == 0; }

    // Grows or shrinks; new elements are value-initialised.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        if (newSize < 0)
            AfxThrowInvalidArgException();
        if (growBy >= 0)
            m_nGrowBy = growBy;
        if (newSize > m_nMaxSize) {
            INT_PTR grow = m_nGrowBy > 0 ? m_nGrowBy : (m_nSize / 8 < 4 ? 4 : (m_nSize / 8 > 1024 ? 1024 : m_nSize / 8));
            Reallocate(newSize > m_nMaxSize + grow ? newSize : m_nMaxSize + grow);
        }
        for (INT_PTR i = m_nSize; i < newSize; ++i)
            new (&m_pData[i]) TYPE();
        for (INT_PTR i = newSize; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        m_nSize = newSize;
    }
    void RemoveAll() { SetSize(0); }
    void FreeExtra() { if (m_nSize < m_nMaxSize) Reallocate(m_nSize); }

    const TYPE& GetAt(INT_PTR i) const { Check(i); return m_pData[i]; }
    TYPE& GetAt(INT_PTR i) { Check(i); return m_pData[i]; }
    void SetAt(INT_PTR i, ARG_TYPE v) { Check(i); m_pData[i] = v; }
    TYPE& ElementAt(INT_PTR i) { Check(i); return m_pData[i]; }
    const TYPE& operator[](INT_PTR i) const { return GetAt(i); }
    TYPE& operator[](INT_PTR i) { return GetAt(i); }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR i, ARG_TYPE v)
    {
        if (i < 0)
            AfxThrowInvalidArgException();
        if (i >= m_nSize) {
            TYPE copy(v);  // v may refer into this array
            SetSize(i + 1);
            m_pData[i] = std::move(copy);
        } else {
            m_pData[i] = v;
        }
    }
    INT_PTR Add(ARG_TYPE v) { INT_PTR i = m_nSize; SetAtGrow(i, v); return i; }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR old = m_nSize;
        INT_PTR n = src.m_nSize;
        SetSize(old + n);
        for (INT_PTR i = 0; i < n; ++i)
            m_pData[old + i] = src.m_pData[i];
        return old;
    }
    void Copy(const CArray& src)
    {
        if (this == &src)
            return;
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i] = src.m_pData[i];
    }
    void InsertAt(INT_PTR index, ARG_TYPE v, INT_PTR count = 1)
    {
        if (index < 0 || count < 0)
            AfxThrowInvalidArgException();
        if (count == 0)
            return;
        TYPE copy(v);
        INT_PTR old = m_nSize;
        if (index >= old) {
            SetSize(index + count);
        } else {
            SetSize(old + count);
            for (INT_PTR i = old - 1; i >= index; --i)
                m_pData[i + count] = std::move(m_pData[i]);
        }
        for (INT_PTR i = 0; i < count; ++i)
            m_pData[index + i] = copy;
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || count < 0 || index + count > m_nSize)
            AfxThrowInvalidArgException();
        for (INT_PTR i = index; i + count < m_nSize; ++i)
            m_pData[i] = std::move(m_pData[i + count]);
        SetSize(m_nSize - count);
    }

private:
    void Check(INT_PTR i) const
    {
        if (i < 0 || i >= m_nSize)
            AfxThrowInvalidArgException();
    }
    void Reallocate(INT_PTR capacity)
    {
        TYPE* data = static_cast<TYPE*>(::operator new(sizeof(TYPE) * capacity, std::nothrow));
        if (!data && capacity)
            AfxThrowMemoryException();
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            new (&data[i]) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
        ::operator delete(m_pData);
        m_pData = data;
        m_nMaxSize = capacity;
    }

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = -1;
};

using CStringArray = CArray<CString, const CString&>;

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CList : public CObject
{
public:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

    explicit CList(INT_PTR blockSize = 10) : m_nBlockSize(blockSize) {}
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
    TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }
    POSITION GetHeadPosition() const { return Pos(m_pNodeHead); }
    POSITION GetTailPosition() const { return Pos(m_pNodeTail); }

    TYPE& GetNext(POSITION& pos) { CNode* n = Node(pos); pos = Pos(n->pNext); return n->data; }
    const TYPE& GetNext(POSITION& pos) const { CNode* n = Node(pos); pos = Pos(n->pNext); return n->data; }
    TYPE& GetPrev(POSITION& pos) { CNode* n = Node(pos); pos = Pos(n->pPrev); return n->data; }
    const TYPE& GetPrev(POSITION& pos) const { CNode* n = Node(pos); pos = Pos(n->pPrev); return n->data; }
    TYPE& GetAt(POSITION pos) { return Node(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return Node(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE v) { Node(pos)->data = v; }

    POSITION AddHead(ARG_TYPE v) { return Pos(Link(new CNode{m_pNodeHead, nullptr, v}, nullptr, m_pNodeHead)); }
    POSITION AddTail(ARG_TYPE v) { return Pos(Link(new CNode{nullptr, m_pNodeTail, v}, m_pNodeTail, nullptr)); }
    POSITION InsertBefore(POSITION pos, ARG_TYPE v)
    {
        if (!pos)
            return AddHead(v);
        CNode* at = Node(pos);
        return Pos(Link(new CNode{at, at->pPrev, v}, at->pPrev, at));
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE v)
    {
        if (!pos)
            return AddTail(v);
        CNode* at = Node(pos);
        return Pos(Link(new CNode{at->pNext, at, v}, at, at->pNext));
    }
    TYPE RemoveHead() { CNode* n = Checked(m_pNodeHead); TYPE v(std::move(n->data)); RemoveAt(Pos(n)); return v; }
    TYPE RemoveTail() { CNode* n = Checked(m_pNodeTail); TYPE v(std::move(n->data)); RemoveAt(Pos(n)); return v; }
    void RemoveAt(POSITION pos)
    {
        CNode* n = Node(pos);
        (n->pPrev ? n->pPrev->pNext : m_pNodeHead) = n->pNext;
        (n->pNext ? n->pNext->pPrev : m_pNodeTail) = n->pPrev;
        delete n;
        --m_nCount;
    }
    void RemoveAll()
    {
        for (CNode* n = m_pNodeHead; n;) {
            CNode* next = n->pNext;
            delete n;
            n = next;
        }
        m_pNodeHead = m_pNodeTail = nullptr;
        m_nCount = 0;
    }
    POSITION Find(ARG_TYPE v, POSITION after = nullptr) const
    {
        for (CNode* n = after ? Node(after)->pNext : m_pNodeHead; n; n = n->pNext)
            if (n->data == v)
                return Pos(n);
        return nullptr;
    }
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_nCount)
            return nullptr;
        CNode* n = m_pNodeHead;
        while (index--)
            n = n->pNext;
        return Pos(n);
    }

private:
    static POSITION Pos(CNode* n) { return reinterpret_cast<POSITION>(n); }
    static CNode* Node(POSITION p)
    {
        if (!p)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(p);
    }
    static CNode* Checked(CNode* n)
    {
        if (!n)
            AfxThrowInvalidArgException();
        return n;
    }
    CNode* Link(CNode* n, CNode* prev, CNode* next)
    {
        (prev ? prev->pNext : m_pNodeHead) = n;
        (next ? next->pPrev : m_pNodeTail) = n;
        ++m_nCount;
        return n;
    }

    // Field order and sizes are those the model library reads.
    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    CNode* m_pNodeFree = nullptr;  // kept for the layout; nodes are allocated singly
    void* m_pBlocks = nullptr;     // kept for the layout
    INT_PTR m_nBlockSize;
};

// Hash of a map key; strings hash by their characters.
template <typename KEY>
inline UINT HashKey(const KEY& key)
{
    if constexpr (std::is_pointer_v<KEY>) {
        // Every bit of the address counts, the upper half of a 64-bit one too.
        const unsigned long long bits = reinterpret_cast<UINT_PTR>(key) >> 4;
        return static_cast<UINT>(bits ^ (bits >> 32));
    } else
        return static_cast<UINT>(key);
}
inline UINT HashKey(const wchar_t* key)
{
    UINT h = 0;
    while (key && *key)
        h = (h << 5) + h + static_cast<UINT>(*key++);
    return h;
}
inline UINT HashKey(const CString& key) { return HashKey(key.GetString()); }

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
class CMap : public CObject
{
public:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

    explicit CMap(INT_PTR blockSize = 10) : m_nBlockSize(blockSize) {}
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        const CAssoc* a = Find(key);
        if (!a)
            return FALSE;
        value = a->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key)
    {
        if (CAssoc* a = Find(key))
            return a->value;
        if (!m_pHashTable)
            InitHashTable(m_nHashTableSize);
        UINT h = HashKey(key);
        CAssoc*& bucket = m_pHashTable[h % m_nHashTableSize];
        bucket = new CAssoc{bucket, h, KEY(key), VALUE()};
        ++m_nCount;
        return bucket->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key)
    {
        if (!m_pHashTable)
            return FALSE;
        UINT h = HashKey(key);
        for (CAssoc** link = &m_pHashTable[h % m_nHashTableSize]; *link; link = &(*link)->pNext) {
            if ((*link)->nHashValue == h && (*link)->key == key) {
                CAssoc* dead = *link;
                *link = dead->pNext;
                delete dead;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        if (m_pHashTable) {
            for (UINT b = 0; b < m_nHashTableSize; ++b)
                for (CAssoc* a = m_pHashTable[b]; a;) {
                    CAssoc* next = a->pNext;
                    delete a;
                    a = next;
                }
            delete[] m_pHashTable;
            m_pHashTable = nullptr;
        }
        m_nCount = 0;
    }
    // Only before the first insertion.
    void InitHashTable(UINT size)
    {
        if (m_nCount || size == 0)
            AfxThrowInvalidArgException();
        delete[] m_pHashTable;
        m_pHashTable = new CAssoc*[size]();
        m_nHashTableSize = size;
    }

    POSITION GetStartPosition() const { return m_nCount ? reinterpret_cast<POSITION>(FirstFrom(0)) : nullptr; }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        CAssoc* a = reinterpret_cast<CAssoc*>(pos);
        if (!a)
            AfxThrowInvalidArgException();
        key = a->key;
        value = a->value;
        CAssoc* next = a->pNext ? a->pNext : FirstFrom(a->nHashValue % m_nHashTableSize + 1);
        pos = reinterpret_cast<POSITION>(next);
    }

private:
    CAssoc* Find(ARG_KEY key) const
    {
        if (!m_pHashTable)
            return nullptr;
        UINT h = HashKey(key);
        for (CAssoc* a = m_pHashTable[h % m_nHashTableSize]; a; a = a->pNext)
            if (a->nHashValue == h && a->key == key)
                return a;
        return nullptr;
    }
    CAssoc* FirstFrom(UINT bucket) const
    {
        for (UINT b = bucket; b < m_nHashTableSize; ++b)
            if (m_pHashTable[b])
                return m_pHashTable[b];
        return nullptr;
    }

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CAssoc* m_pFreeList = nullptr;  // kept for the layout; associations are allocated singly
    void* m_pBlocks = nullptr;      // kept for the layout
    INT_PTR m_nBlockSize;
};

static_assert(sizeof(CList<int, int>) == 7 * sizeof(void*), "list layout shared with the model library");
static_assert(sizeof(CMap<CString, const CString&, CString, const CString&>) == 7 * sizeof(void*),
              "map layout shared with the model library");
