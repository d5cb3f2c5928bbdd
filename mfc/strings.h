// CString (UTF-16) and CStringA (ANSI code page).
//
// A string is a single pointer to its characters; a small header with the
// length and capacity sits in front of them. The memory comes from the C
// runtime's heap (malloc/free of the shared msvcrt), so a model library built
// against this header may fill or free a string the program owns and the
// other way round. An empty string holds no memory at all.
//
// Format follows the runtime's wide printf: in CString::Format "%s" takes a
// wide string.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <type_traits>
#include <windows.h>

template <typename T>
class CStringT
{
public:
    using XCHAR = T;
    using PCXSTR = const T*;
    using YCHAR = std::conditional_t<sizeof(T) == 1, wchar_t, char>;

    CStringT() noexcept = default;
    CStringT(const CStringT& other) { Assign(other.GetString(), other.GetLength()); }
    CStringT(CStringT&& other) noexcept : m_pszData(other.m_pszData) { other.m_pszData = nullptr; }
    CStringT(PCXSTR psz) { Assign(psz, StrLen(psz)); }
    CStringT(PCXSTR pch, int length) { Assign(pch, length); }
    CStringT(T ch, int repeat = 1);
    // Conversion from the other character width through the ANSI code page.
    explicit CStringT(const YCHAR* psz);
    template <typename U, typename = std::enable_if_t<!std::is_same_v<U, T>>>
    explicit CStringT(const CStringT<U>& other) : CStringT(other.GetString()) {}
    ~CStringT() { Free(); }

    CStringT& operator=(const CStringT& other);
    CStringT& operator=(CStringT&& other) noexcept;
    CStringT& operator=(PCXSTR psz);
    CStringT& operator=(T ch) { Assign(&ch, 1); return *this; }

    CStringT& operator+=(const CStringT& s) { Append(s.GetString(), s.GetLength()); return *this; }
    CStringT& operator+=(PCXSTR psz) { Append(psz, StrLen(psz)); return *this; }
    CStringT& operator+=(T ch) { Append(&ch, 1); return *this; }

    int GetLength() const noexcept { return m_pszData ? Header()->length : 0; }
    bool IsEmpty() const noexcept { return GetLength() == 0; }
    void Empty() noexcept { Free(); }
    PCXSTR GetString() const noexcept { return m_pszData ? m_pszData : EmptyText(); }
    operator PCXSTR() const noexcept { return GetString(); }
    T GetAt(int index) const;
    void SetAt(int index, T ch);
    T operator[](int index) const { return GetAt(index); }

    int Compare(PCXSTR psz) const;
    int CompareNoCase(PCXSTR psz) const;
    int Find(T ch, int start = 0) const;
    int Find(PCXSTR sub, int start = 0) const;
    int ReverseFind(T ch) const;
    int FindOneOf(PCXSTR charSet) const;

    CStringT Mid(int first) const { return Mid(first, GetLength() - first); }
    CStringT Mid(int first, int count) const;
    CStringT Left(int count) const { return Mid(0, count); }
    CStringT Right(int count) const;
    CStringT SpanIncluding(PCXSTR charSet) const;
    CStringT SpanExcluding(PCXSTR charSet) const;
    CStringT Tokenize(PCXSTR tokens, int& start) const;

    int Replace(T oldCh, T newCh);
    int Replace(PCXSTR oldText, PCXSTR newText);
    int Remove(T ch);
    int Insert(int index, PCXSTR psz);
    int Insert(int index, T ch) { T s[2] = {ch, 0}; return Insert(index, s); }
    int Delete(int index, int count = 1);
    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& MakeReverse();
    CStringT& Trim() { return TrimRight().TrimLeft(); }
    CStringT& Trim(PCXSTR targets) { return TrimRight(targets).TrimLeft(targets); }
    CStringT& TrimLeft(PCXSTR targets = nullptr);
    CStringT& TrimRight(PCXSTR targets = nullptr);

    void Format(PCXSTR format, ...);
    void AppendFormat(PCXSTR format, ...);
    void FormatV(PCXSTR format, va_list args);
    void AppendFormatV(PCXSTR format, va_list args);

    // Raw access: the buffer holds at least minLength characters plus the
    // terminator; ReleaseBuffer(-1) takes the length up to the first zero.
    T* GetBuffer(int minLength = 0);
    T* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // The character count of a zero-terminated text (0 for null).
    static int StrLen(PCXSTR psz) noexcept;

private:
    struct Data
    {
        int length;
        int capacity;
    };
    Data* Header() const noexcept { return reinterpret_cast<Data*>(m_pszData) - 1; }
    static PCXSTR EmptyText() noexcept
    {
        static const T empty = 0;
        return &empty;
    }
    void Reserve(int capacity, bool keep);
    void SetLength(int length);
    void Assign(PCXSTR pch, int length);
    void Append(PCXSTR pch, int length);
    void Free() noexcept;

    T* m_pszData = nullptr;
};

using CStringW = CStringT<wchar_t>;
using CStringA = CStringT<char>;
using CString = CStringW;

static_assert(sizeof(CString) == sizeof(void*), "a string is one pointer");

template <typename T>
CStringT<T> operator+(const CStringT<T>& a, const CStringT<T>& b) { CStringT<T> r(a); r += b; return r; }
template <typename T>
CStringT<T> operator+(const CStringT<T>& a, const T* b) { CStringT<T> r(a); r += b; return r; }
template <typename T>
CStringT<T> operator+(const T* a, const CStringT<T>& b) { CStringT<T> r(a); r += b; return r; }
template <typename T>
CStringT<T> operator+(const CStringT<T>& a, T b) { CStringT<T> r(a); r += b; return r; }
template <typename T>
CStringT<T> operator+(T a, const CStringT<T>& b) { CStringT<T> r(a); r += b; return r; }

template <typename T>
bool operator==(const CStringT<T>& a, const CStringT<T>& b) { return a.Compare(b) == 0; }
template <typename T>
bool operator==(const CStringT<T>& a, const T* b) { return a.Compare(b) == 0; }
template <typename T>
bool operator==(const T* a, const CStringT<T>& b) { return b.Compare(a) == 0; }
template <typename T>
bool operator!=(const CStringT<T>& a, const CStringT<T>& b) { return a.Compare(b) != 0; }
template <typename T>
bool operator!=(const CStringT<T>& a, const T* b) { return a.Compare(b) != 0; }
template <typename T>
bool operator!=(const T* a, const CStringT<T>& b) { return b.Compare(a) != 0; }
template <typename T>
bool operator<(const CStringT<T>& a, const CStringT<T>& b) { return a.Compare(b) < 0; }

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;
