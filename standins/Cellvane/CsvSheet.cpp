#include "CsvSheet.h"

#include <string>

#include "AtomicFile.h"
#include "TextDecoding.h"

namespace {

constexpr size_t kMaxSheetFile = 64u * 1024 * 1024;

// Splits units of text into the sheet's rows and cells; decode turns one
// cell's units into its text.
template <typename Unit, typename Decode>
void Split(CsvSheet& sheet, const Unit* text, size_t n, Decode decode)
{
    sheet.Rows.clear();
    sheet.Columns = 0;
    std::vector<CString> row;
    std::basic_string<Unit> cell;
    bool quoted = false;
    bool rowHasContent = false;
    auto endCell = [&] {
        row.push_back(decode(cell));
        cell.clear();
    };
    auto endRow = [&] {
        endCell();
        if (rowHasContent || row.size() > 1) {
            sheet.Columns = row.size() > sheet.Columns ? row.size() : sheet.Columns;
            sheet.Rows.push_back(std::move(row));
        }
        row.clear();
        rowHasContent = false;
    };
    for (size_t i = 0; i < n; ++i) {
        const Unit c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < n && text[i + 1] == '"') {
                cell += c;
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            rowHasContent = true;
        } else if (c == ',') {
            endCell();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
                ++i;
            endRow();
        } else {
            cell += c;
            rowHasContent = true;
        }
    }
    if (rowHasContent || !row.empty() || !cell.empty())
        endRow();
}

CString Unchanged(const std::wstring& cell)
{
    return CString(cell.data(), static_cast<int>(cell.size()));
}

void SplitBytes(CsvSheet& sheet, const std::vector<BYTE>& bytes)
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
        Split(sheet, text.data(), text.size(), Unchanged);
        return;
    }
    // Quotes, commas and line ends are never part of a double-byte
    // character, of UTF-8 or of the ANSI code page, so the bytes split safely.
    const char* data = reinterpret_cast<const char*>(bytes.data());
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        Split(sheet, data + 3, size - 3, [](const std::string& cell) {
            return Unchanged(DecodeCodePage(CP_UTF8, reinterpret_cast<const BYTE*>(cell.data()), cell.size()));
        });
        return;
    }
    Split(sheet, data, size, [](const std::string& cell) { return Unchanged(DecodeAnsi(CP_ACP, cell.data(), cell.size())); });
}

} // namespace

bool CsvSheet::Load(const CString& path, CString& error)
{
    std::vector<BYTE> bytes;
    switch (AtomicFile::Read(path, bytes, kMaxSheetFile)) {
    case AtomicFile::ReadResult::Ok:
        SplitBytes(*this, bytes);
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
    Split(*this, text.GetString(), static_cast<size_t>(text.GetLength()), Unchanged);
}
