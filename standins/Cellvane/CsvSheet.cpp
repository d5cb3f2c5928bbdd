#include "CsvSheet.h"

#include <string>

#include "AtomicFile.h"

namespace {

constexpr size_t kMaxSheetFile = 64u * 1024 * 1024;

CString Decode(const std::vector<BYTE>& bytes)
{
    const size_t size = bytes.size();
    // UTF-16LE: a byte-order mark, or a report file's leading quote unit.
    if (size >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0x22 && bytes[1] == 0x00))) {
        // Units are read from the first byte; the line end the library
        // writes, a CR byte before a line feed unit (0D 0A 00), counts as
        // one line end and shifts the units after it by one byte.
        std::wstring text;
        for (size_t pos = bytes[0] == 0xFF ? 2 : 0; pos + 1 < size;) {
            if (pos + 2 < size && bytes[pos] == 0x0D && bytes[pos + 1] == 0x0A && bytes[pos + 2] == 0x00) {
                text += L"\r\n";
                pos += 3;
                continue;
            }
            text += static_cast<wchar_t>(bytes[pos] | (bytes[pos + 1] << 8));
            pos += 2;
        }
        return CString(text.c_str(), static_cast<int>(text.size()));
    }
    UINT codePage = CP_ACP;
    size_t skip = 0;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        codePage = CP_UTF8;
        skip = 3;
    }
    const char* data = reinterpret_cast<const char*>(bytes.data()) + skip;
    const int length = static_cast<int>(size - skip);
    CString text;
    const int units = length ? ::MultiByteToWideChar(codePage, 0, data, length, nullptr, 0) : 0;
    if (units > 0) {
        ::MultiByteToWideChar(codePage, 0, data, length, text.GetBuffer(units), units);
        text.ReleaseBuffer(units);
    }
    return text;
}

} // namespace

bool CsvSheet::Load(const CString& path, CString& error)
{
    std::vector<BYTE> bytes;
    switch (AtomicFile::Read(path, bytes, kMaxSheetFile)) {
    case AtomicFile::ReadResult::Ok:
        Parse(Decode(bytes));
        return true;
    case AtomicFile::ReadResult::Missing:
        error = L"The file does not exist:\n" + path;
        return false;
    default:
        error = L"The file cannot be read:\n" + path;
        return false;
    }
}

void CsvSheet::Parse(const CString& text)
{
    Rows.clear();
    Columns = 0;
    std::vector<CString> row;
    CString cell;
    bool quoted = false;
    bool rowHasContent = false;
    auto endCell = [&] {
        row.push_back(cell);
        cell.Empty();
    };
    auto endRow = [&] {
        endCell();
        if (rowHasContent || row.size() > 1) {
            Columns = row.size() > Columns ? row.size() : Columns;
            Rows.push_back(std::move(row));
        }
        row.clear();
        rowHasContent = false;
    };
    const int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        const wchar_t c = text[i];
        if (quoted) {
            if (c == L'"' && i + 1 < n && text[i + 1] == L'"') {
                cell += L'"';
                ++i;
            } else if (c == L'"') {
                quoted = false;
            } else {
                cell += c;
            }
            continue;
        }
        if (c == L'"') {
            quoted = true;
            rowHasContent = true;
        } else if (c == L',') {
            endCell();
        } else if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < n && text[i + 1] == L'\n')
                ++i;
            endRow();
        } else {
            cell += c;
            rowHasContent = true;
        }
    }
    if (rowHasContent || !row.empty() || !cell.IsEmpty())
        endRow();
}
