#include "strings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "object.h"

namespace {

// Width-specific runtime calls, so the template body reads the same for both.
int CharCompare(const wchar_t* a, const wchar_t* b) { return wcscmp(a, b); }
int CharCompare(const char* a, const char* b) { return strcmp(a, b); }
int CharCompareNoCase(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
int CharCompareNoCase(const char* a, const char* b) { return _stricmp(a, b); }
int CountFormat(const wchar_t* f, va_list a) { return _vscwprintf(f, a); }
int CountFormat(const char* f, va_list a) { return _vscprintf(f, a); }
int PrintFormat(wchar_t* b, size_t n, const wchar_t* f, va_list a) { return _vsnwprintf(b, n, f, a); }
int PrintFormat(char* b, size_t n, const char* f, va_list a) { return _vsnprintf(b, n, f, a); }
bool IsSpace(wchar_t c) { return iswspace(c) != 0; }
bool IsSpace(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }

// Case mapping through the system, which knows the full Unicode tables and
// leaves double-byte characters of the ANSI code page intact.
void UpperInPlace(wchar_t* p, int n) { if (n > 0) CharUpperBuffW(p, n); }
void UpperInPlace(char* p, int n) { if (n > 0) CharUpperBuffA(p, n); }
void LowerInPlace(wchar_t* p, int n) { if (n > 0) CharLowerBuffW(p, n); }
void LowerInPlace(char* p, int n) { if (n > 0) CharLowerBuffA(p, n); }

template <typename T>
const T* FindChar(const T* set, T ch)
{
    for (; *set; ++set)
        if (*set == ch)
            return set;
    return nullptr;
}

} // namespace

template <typename T>
int CStringT<T>::StrLen(PCXSTR psz) noexcept
{
    if (!psz)
        return 0;
    const T* p = psz;
    while (*p)
        ++p;
    return static_cast<int>(p - psz);
}

template <typename T>
CStringT<T>::CStringT(T ch, int repeat)
{
    if (repeat <= 0)
        return;
    Reserve(repeat, false);
    for (int i = 0; i < repeat; ++i)
        m_pszData[i] = ch;
    SetLength(repeat);
}

template <typename T>
CStringT<T>::CStringT(const YCHAR* psz)
{
    if (!psz)
        return;
    if constexpr (sizeof(T) == sizeof(wchar_t)) {
        int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
        if (n <= 1)
            return;
        Reserve(n - 1, false);
        MultiByteToWideChar(CP_ACP, 0, psz, -1, m_pszData, n);
        SetLength(n - 1);
    } else {
        int n = WideCharToMultiByte(CP_ACP, 0, psz, -1, nullptr, 0, nullptr, nullptr);
        if (n <= 1)
            return;
        Reserve(n - 1, false);
        WideCharToMultiByte(CP_ACP, 0, psz, -1, m_pszData, n, nullptr, nullptr);
        SetLength(n - 1);
    }
}

template <typename T>
CStringT<T>& CStringT<T>::operator=(const CStringT& other)
{
    if (this != &other)
        Assign(other.GetString(), other.GetLength());
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::operator=(CStringT&& other) noexcept
{
    if (this != &other) {
        Free();
        m_pszData = other.m_pszData;
        other.m_pszData = nullptr;
    }
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::operator=(PCXSTR psz)
{
    Assign(psz, StrLen(psz));
    return *this;
}

template <typename T>
T CStringT<T>::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        AfxThrowInvalidArgException();
    return m_pszData[index];
}

template <typename T>
void CStringT<T>::SetAt(int index, T ch)
{
    if (index < 0 || index >= GetLength())
        AfxThrowInvalidArgException();
    m_pszData[index] = ch;
}

template <typename T>
int CStringT<T>::Compare(PCXSTR psz) const
{
    return CharCompare(GetString(), psz ? psz : EmptyText());
}

template <typename T>
int CStringT<T>::CompareNoCase(PCXSTR psz) const
{
    return CharCompareNoCase(GetString(), psz ? psz : EmptyText());
}

template <typename T>
int CStringT<T>::Find(T ch, int start) const
{
    int n = GetLength();
    for (int i = start < 0 ? 0 : start; i < n; ++i)
        if (m_pszData[i] == ch)
            return i;
    return -1;
}

template <typename T>
int CStringT<T>::Find(PCXSTR sub, int start) const
{
    int n = GetLength();
    int m = StrLen(sub);
    if (start < 0 || start > n)
        return -1;
    for (int i = start; i + m <= n; ++i) {
        int k = 0;
        while (k < m && m_pszData[i + k] == sub[k])
            ++k;
        if (k == m)
            return i;
    }
    return -1;
}

template <typename T>
int CStringT<T>::ReverseFind(T ch) const
{
    for (int i = GetLength() - 1; i >= 0; --i)
        if (m_pszData[i] == ch)
            return i;
    return -1;
}

template <typename T>
int CStringT<T>::FindOneOf(PCXSTR charSet) const
{
    for (int i = 0; i < GetLength(); ++i)
        if (FindChar(charSet, m_pszData[i]))
            return i;
    return -1;
}

template <typename T>
CStringT<T> CStringT<T>::Mid(int first, int count) const
{
    int n = GetLength();
    if (first < 0)
        first = 0;
    if (first > n)
        first = n;
    if (count < 0)
        count = 0;
    if (count > n - first)
        count = n - first;
    return CStringT(GetString() + first, count);
}

template <typename T>
CStringT<T> CStringT<T>::Right(int count) const
{
    int n = GetLength();
    if (count < 0)
        count = 0;
    if (count > n)
        count = n;
    return CStringT(GetString() + n - count, count);
}

template <typename T>
CStringT<T> CStringT<T>::SpanIncluding(PCXSTR charSet) const
{
    int i = 0;
    while (i < GetLength() && FindChar(charSet, m_pszData[i]))
        ++i;
    return Left(i);
}

template <typename T>
CStringT<T> CStringT<T>::SpanExcluding(PCXSTR charSet) const
{
    int i = 0;
    while (i < GetLength() && !FindChar(charSet, m_pszData[i]))
        ++i;
    return Left(i);
}

template <typename T>
CStringT<T> CStringT<T>::Tokenize(PCXSTR tokens, int& start) const
{
    int n = GetLength();
    if (start < 0 || start >= n) {
        start = -1;
        return CStringT();
    }
    int i = start;
    while (i < n && FindChar(tokens, m_pszData[i]))
        ++i;
    if (i >= n) {
        start = -1;
        return CStringT();
    }
    int j = i;
    while (j < n && !FindChar(tokens, m_pszData[j]))
        ++j;
    start = j + 1;
    return Mid(i, j - i);
}

template <typename T>
int CStringT<T>::Replace(T oldCh, T newCh)
{
    int count = 0;
    for (int i = 0; i < GetLength(); ++i)
        if (m_pszData[i] == oldCh) {
            m_pszData[i] = newCh;
            ++count;
        }
    return count;
}

template <typename T>
int CStringT<T>::Replace(PCXSTR oldText, PCXSTR newText)
{
    int oldLen = StrLen(oldText);
    if (oldLen == 0)
        return 0;
    int newLen = StrLen(newText);
    CStringT result;
    int count = 0;
    int pos = 0;
    for (int hit; (hit = Find(oldText, pos)) >= 0; pos = hit + oldLen) {
        result.Append(GetString() + pos, hit - pos);
        result.Append(newText, newLen);
        ++count;
    }
    if (count) {
        result.Append(GetString() + pos, GetLength() - pos);
        *this = static_cast<CStringT&&>(result);
    }
    return count;
}

template <typename T>
int CStringT<T>::Remove(T ch)
{
    int n = GetLength();
    int w = 0;
    for (int r = 0; r < n; ++r)
        if (m_pszData[r] != ch)
            m_pszData[w++] = m_pszData[r];
    if (w != n)
        SetLength(w);
    return n - w;
}

template <typename T>
int CStringT<T>::Insert(int index, PCXSTR psz)
{
    int n = GetLength();
    if (index < 0)
        index = 0;
    if (index > n)
        index = n;
    int add = StrLen(psz);
    if (add == 0)
        return n;
    CStringT result(GetString(), index);
    result.Append(psz, add);
    result.Append(GetString() + index, n - index);
    *this = static_cast<CStringT&&>(result);
    return GetLength();
}

template <typename T>
int CStringT<T>::Delete(int index, int count)
{
    int n = GetLength();
    if (index < 0)
        index = 0;
    if (count <= 0 || index >= n)
        return n;
    if (count > n - index)
        count = n - index;
    for (int i = index; i + count <= n; ++i)
        m_pszData[i] = m_pszData[i + count];
    SetLength(n - count);
    return n - count;
}

template <typename T>
CStringT<T>& CStringT<T>::MakeUpper()
{
    UpperInPlace(m_pszData, GetLength());
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::MakeLower()
{
    LowerInPlace(m_pszData, GetLength());
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::MakeReverse()
{
    for (int i = 0, j = GetLength() - 1; i < j; ++i, --j) {
        T c = m_pszData[i];
        m_pszData[i] = m_pszData[j];
        m_pszData[j] = c;
    }
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::TrimLeft(PCXSTR targets)
{
    int n = GetLength();
    int i = 0;
    while (i < n && (targets ? FindChar(targets, m_pszData[i]) != nullptr : IsSpace(m_pszData[i])))
        ++i;
    if (i > 0)
        Delete(0, i);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::TrimRight(PCXSTR targets)
{
    int n = GetLength();
    while (n > 0 && (targets ? FindChar(targets, m_pszData[n - 1]) != nullptr : IsSpace(m_pszData[n - 1])))
        --n;
    if (n != GetLength())
        SetLength(n);
    return *this;
}

template <typename T>
void CStringT<T>::Format(PCXSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

template <typename T>
void CStringT<T>::AppendFormat(PCXSTR format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

template <typename T>
void CStringT<T>::FormatV(PCXSTR format, va_list args)
{
    CStringT result;
    result.AppendFormatV(format, args);
    *this = static_cast<CStringT&&>(result);
}

template <typename T>
void CStringT<T>::AppendFormatV(PCXSTR format, va_list args)
{
    if (!format)
        AfxThrowInvalidArgException();
    va_list count;
    va_copy(count, args);
    int add = CountFormat(format, count);
    va_end(count);
    if (add < 0)
        AfxThrowInvalidArgException();
    if (add == 0)
        return;
    int n = GetLength();
    Reserve(n + add, true);
    PrintFormat(m_pszData + n, static_cast<size_t>(add) + 1, format, args);
    SetLength(n + add);
}

template <typename T>
T* CStringT<T>::GetBuffer(int minLength)
{
    int n = GetLength();
    Reserve(minLength > n ? minLength : n, true);
    return m_pszData;
}

template <typename T>
T* CStringT<T>::GetBufferSetLength(int length)
{
    if (length < 0)
        AfxThrowInvalidArgException();
    GetBuffer(length);
    SetLength(length);
    return m_pszData;
}

template <typename T>
void CStringT<T>::ReleaseBuffer(int newLength)
{
    if (!m_pszData)
        return;
    if (newLength < 0) {
        newLength = 0;
        while (newLength < Header()->capacity && m_pszData[newLength])
            ++newLength;
    }
    if (newLength > Header()->capacity)
        AfxThrowInvalidArgException();
    SetLength(newLength);
}

template <typename T>
void CStringT<T>::Reserve(int capacity, bool keep)
{
    if (capacity < 0)
        AfxThrowInvalidArgException();
    if (m_pszData && Header()->capacity >= capacity)
        return;
    if (capacity == 0)
        capacity = 1;  // a buffer is wanted even for no characters
    int oldLength = GetLength();
    int grow = m_pszData ? Header()->capacity + Header()->capacity / 2 : 0;
    int want = capacity > grow ? capacity : grow;
    void* block = malloc(sizeof(Data) + (static_cast<size_t>(want) + 1) * sizeof(T));
    if (!block)
        AfxThrowMemoryException();
    Data* header = static_cast<Data*>(block);
    header->capacity = want;
    header->length = keep ? oldLength : 0;
    T* text = reinterpret_cast<T*>(header + 1);
    if (keep && m_pszData)
        memcpy(text, m_pszData, (static_cast<size_t>(oldLength) + 1) * sizeof(T));
    else
        text[0] = 0;
    Free();
    m_pszData = text;
}

template <typename T>
void CStringT<T>::SetLength(int length)
{
    Header()->length = length;
    m_pszData[length] = 0;
}

template <typename T>
void CStringT<T>::Assign(PCXSTR pch, int length)
{
    if (length <= 0 || !pch) {
        Free();
        return;
    }
    // The source may lie inside this string's own buffer.
    if (m_pszData && pch >= m_pszData && pch <= m_pszData + GetLength()) {
        CStringT copy(pch, length);
        *this = static_cast<CStringT&&>(copy);
        return;
    }
    Reserve(length, false);
    memcpy(m_pszData, pch, static_cast<size_t>(length) * sizeof(T));
    SetLength(length);
}

template <typename T>
void CStringT<T>::Append(PCXSTR pch, int length)
{
    if (length <= 0 || !pch)
        return;
    if (m_pszData && pch >= m_pszData && pch <= m_pszData + GetLength()) {
        CStringT copy(pch, length);
        Append(copy.GetString(), length);
        return;
    }
    int n = GetLength();
    Reserve(n + length, true);
    memcpy(m_pszData + n, pch, static_cast<size_t>(length) * sizeof(T));
    SetLength(n + length);
}

template <typename T>
void CStringT<T>::Free() noexcept
{
    if (m_pszData) {
        free(Header());
        m_pszData = nullptr;
    }
}

template class CStringT<wchar_t>;
template class CStringT<char>;
