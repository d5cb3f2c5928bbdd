#include "ChartParamLine.h"

#include <cstdlib>
#include <cstring>

#include "UpperAscii.h"

namespace {

CString FromAnsi(const char* bytes, int length, UINT codePage)
{
    if (length <= 0)
        return CString();
    int units = ::MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
    CString text;
    if (units > 0) {
        ::MultiByteToWideChar(codePage, 0, bytes, length, text.GetBuffer(units), units);
        text.ReleaseBuffer(units);
    }
    return text;
}

} // namespace

ChartParamLine::ChartParamLine(const std::string& line)
{
    std::memset(m_columns, ' ', kColumns);
    m_columns[kColumns] = '\0';
    std::memcpy(m_columns, line.data(), line.size() < kColumns ? line.size() : kColumns);
    if (m_columns[58] == '1')
        m_columns[56] = '0';
}

CString ChartParamLine::Key() const
{
    int end = 8;
    while (end > 0 && m_columns[end - 1] == ' ')
        --end;
    return UpperAscii(FromAnsi(m_columns, end, CP_THREAD_ACP));
}

int ChartParamLine::Number(int first) const
{
    char digits[4] = {m_columns[first], m_columns[first + 1], m_columns[first + 2], '\0'};
    return std::atoi(digits);
}

CString ChartParamLine::Label(int first) const
{
    int length = 0;
    while (length < 16 && m_columns[first + length] != '\0')
        ++length;
    return FromAnsi(m_columns + first, length, CP_ACP);
}
