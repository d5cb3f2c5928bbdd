#include "CsvExchange.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "CEcrValidator.h"
#include "CsvParser.h"
#include "EcrTable.h"
#include "FieldCodec.h"
#include "LibraryState.h"
#include "RegisterText.h"

namespace {

constexpr size_t kCsvLimit = 64u << 20;
constexpr int kErrorsShown = 20;
constexpr double kAmountLimit = 14073748835.5327;

// Text fields travel as the register's own bytes.
S_ECR_FIELD CsvView(const S_ECR_FIELD& field)
{
    S_ECR_FIELD view = field;
    if (view.Type() == FIELD_TEXT)
        view.Flags |= FIELD_PLAIN_TEXT;
    return view;
}

bool AllOf(const std::string& s, size_t from, const char* set)
{
    return from < s.size() && s.find_first_not_of(set, from) == std::string::npos;
}

size_t SignLength(const std::string& s)
{
    return !s.empty() && (s[0] == '-' || s[0] == '+') ? 1 : 0;
}

bool IsDecimalInteger(const std::string& s, long long low, long long high)
{
    if (!AllOf(s, SignLength(s), "0123456789"))
        return false;
    errno = 0;
    long long v = _strtoi64(s.c_str(), nullptr, 10);
    return errno != ERANGE && v >= low && v <= high;
}

// Packed decimal digits: hexadecimal letters are no digits of such a field.
bool IsPackedDigits(const std::string& s, size_t maxDigits, bool signAllowed)
{
    size_t sign = s.size() && s[0] == '-' && signAllowed ? 1 : 0;
    return AllOf(s, sign, "0123456789") && s.size() - sign <= maxDigits;
}

bool IsAmount(const std::string& s)
{
    size_t sign = SignLength(s);
    size_t dot = s.find('.');
    std::string whole = s.substr(sign, dot == std::string::npos ? std::string::npos : dot - sign);
    if (!AllOf(whole, 0, "0123456789"))
        return false;
    if (dot != std::string::npos) {
        std::string fraction = s.substr(dot + 1);
        if (fraction.size() > 4 || !AllOf(fraction, 0, "0123456789"))
            return false;
    }
    return std::fabs(strtod(s.c_str(), nullptr)) <= kAmountLimit;
}

// Is the text a value the field's type can hold, written the way the codec shows it?
bool FitsType(const S_ECR_FIELD& f, const std::string& s)
{
    bool bcd = (f.Flags & FIELD_BCD) != 0;
    switch (f.Type()) {
    case FIELD_U8:
        return bcd ? IsPackedDigits(s, 2, false) : IsDecimalInteger(s, 0, 255);
    case FIELD_S8:
        return bcd ? IsPackedDigits(s, 2, false) : IsDecimalInteger(s, -128, 127);
    case FIELD_U16:
        return bcd ? IsPackedDigits(s, 4, false) : IsDecimalInteger(s, 0, 65535);
    case FIELD_S16:
        return bcd ? IsPackedDigits(s, 4, false) : IsDecimalInteger(s, -32768, 32767);
    case FIELD_U32:
        return bcd ? IsPackedDigits(s, 8, false) : IsDecimalInteger(s, -2147483648LL, 4294967295LL);
    case FIELD_S32:
        return bcd ? IsPackedDigits(s, 8, false) : IsDecimalInteger(s, -2147483648LL, 2147483647LL);
    case FIELD_AMOUNT:
        return IsAmount(s);
    case FIELD_S64:
        return bcd ? IsPackedDigits(s, 16, true) : IsDecimalInteger(s, -9223372036854775807LL, 9223372036854775807LL);
    default:
        return false;
    }
}

// Text a cell holds that the register's text field would not give back.
const wchar_t* TextFault(const std::string& value, UINT codePage)
{
    if (!value.empty() && std::strchr("\t\v\f\r\n", value.back()))
        return L"ends in a TAB or a line break, which the field would drop";
    bool high = false;
    for (char c : value)
        high = high || static_cast<BYTE>(c) >= 0x80;
    if (high && ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, value.data(), static_cast<int>(value.size()), nullptr, 0) <= 0)
        return L"holds bytes that are no characters of the code page";
    return nullptr;
}

bool HasHighBytes(const std::vector<BYTE>& bytes)
{
    return std::find_if(bytes.begin(), bytes.end(), [](BYTE b) { return b >= 0x80; }) != bytes.end();
}

bool Decodes(const std::vector<BYTE>& bytes, UINT codePage)
{
    return ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes.data()),
                                 static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

// Every character beyond ASCII is Japanese: kana, kanji or full-width forms.
bool Utf8IsJapanese(const std::vector<BYTE>& bytes)
{
    int n = ::MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), text.data(), n);
    return std::all_of(text.begin(), text.end(), [](wchar_t c) {
        return c < 0x80 || (c >= 0x3000 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF);
    });
}

// The encoding decided from the whole file: "" for the ANSI code page the
// table is exchanged in, else what was found. A file that reads both ways is
// taken as UTF-8 only where the code page is double-byte and every character
// UTF-8 gives is Japanese, since half-width katakana pairs (C5 BD) also form
// UTF-8.
const wchar_t* ForeignEncoding(const std::vector<BYTE>& bytes, UINT codePage)
{
    if ((bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
        || std::memchr(bytes.data(), 0, bytes.size()) != nullptr)
        return L"UTF-16";
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return L"UTF-8 (with a byte-order mark)";
    if (!HasHighBytes(bytes) || bytes.size() > 0x7FFFFFFF || !Decodes(bytes, CP_UTF8))
        return L"";
    CPINFO info = {};
    bool doubleByte = ::GetCPInfo(codePage, &info) && info.MaxCharSize > 1;
    if (!Decodes(bytes, codePage) || !doubleByte || Utf8IsJapanese(bytes))
        return L"UTF-8";
    return L"";
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'a' && x <= 'z' ? x - 32 : x) == (y >= 'a' && y <= 'z' ? y - 32 : y);
           });
}

std::string TrimBlanks(const std::string& s)
{
    size_t from = s.find_first_not_of(' ');
    return from == std::string::npos ? std::string() : s.substr(from, s.find_last_not_of(' ') - from + 1);
}

CString List(const std::vector<CString>& names)
{
    CString list;
    for (const CString& name : names)
        list += (list.IsEmpty() ? L"\"" : L", \"") + name + L"\"";
    return list;
}

class RowChecker
{
public:
    RowChecker(EcrTable& table, CString& errors) : m_table(table), m_errors(errors), m_codePage(ThreadCodePage()) {}

    void Refuse(int line, const CString& why)
    {
        if (m_count++ < kErrorsShown)
            m_errors.AppendFormat(L"Line %d: %s\n", line, why.GetString());
    }
    void RefuseCell(int line, int column, const CString& why)
    {
        if (m_count++ < kErrorsShown)
            m_errors.AppendFormat(L"Line %d, column %d: %s\n", line, column, why.GetString());
    }
    int Count() const { return m_count; }
    void Finish()
    {
        if (m_count > kErrorsShown)
            m_errors.AppendFormat(L"... and %d more\n", m_count - kErrorsShown);
    }

    // Checks one cell as an edit would be checked; the reason in `why`.
    // `text` is the cell in UTF-16.
    bool CheckCell(int field, int record, const std::string& value, const CString& text, CString& why)
    {
        const S_ECR_FIELD& f = m_table.Field(field);
        if (f.Type() == FIELD_TEXT) {
            if (static_cast<int>(value.size()) > FieldByteLength(f)) {
                why.Format(L"%s is longer than %d bytes", f.Label.DefaultText, FieldByteLength(f));
                return false;
            }
            if (const wchar_t* fault = TextFault(value, m_codePage)) {
                why.Format(L"%s %s", f.Label.DefaultText, fault);
                return false;
            }
        } else if (FieldByteLength(f) > 0 && !FitsType(f, value)) {
            why.Format(L"%s is not a valid number: \"%s\"", f.Label.DefaultText, text.GetString());
            return false;
        }
        // A range-shaded field may hold a value outside its range (the grid
        // shows it grey and read-only): such a value is the register's and
        // comes back as exported.
        bool ranged = f.CheckMode == CHECK_RANGE && f.Minimum != f.Maximum && f.Type() != FIELD_TEXT
                      && !(f.Flags & FIELD_RANGE_SHADE);
        CEcrValidator* validator = f.CheckMode == CHECK_VALIDATOR ? m_table.Table()->Validator : nullptr;
        if (!ranged && !validator)
            return true;
        double number = strtod(value.c_str(), nullptr);
        if (ranged && (number < f.Minimum || number > f.Maximum)) {
            why.Format(L"%s: Range is %.0f - %.0f", f.Label.DefaultText, f.Minimum, f.Maximum);
            return false;
        }
        if (validator) {
            CString message;
            S_ECR_CHECK check = {m_table.Table(), field, record, text.GetString(), number, &message};
            if (!validator->Validate(&check)) {
                why.Format(L"%s: %s", f.Label.DefaultText, message.GetString());
                return false;
            }
        }
        return true;
    }

private:
    EcrTable& m_table;
    CString& m_errors;
    UINT m_codePage;
    int m_count = 0;
};

// The field of each column, matched by the header's names. False with the
// refusal in `errors` when a name is unknown, missing or repeated.
bool MatchHeader(const EcrTable& table, const CsvParser::Record& header, std::vector<int>& fieldOfColumn, RowChecker& checker)
{
    std::vector<std::string> names;
    for (int c = 0; c < table.FieldCount(); ++c) {
        CStringA name = TextToAnsi(CString(table.Field(c).Label.DefaultText));
        names.emplace_back(name.GetString(), name.GetLength());
    }
    std::vector<CString> unknown, repeated, missing, all;
    std::vector<bool> seen(names.size(), false);
    fieldOfColumn.clear();
    for (const std::string& cell : header.fields) {
        std::string name = TrimBlanks(cell);
        auto it = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, name); });
        int field = it == names.end() ? -1 : static_cast<int>(it - names.begin());
        if (field < 0)
            unknown.push_back(AnsiToText(name.data(), static_cast<int>(name.size())));
        else if (seen[field])
            repeated.push_back(AnsiToText(name.data(), static_cast<int>(name.size())));
        else
            seen[field] = true;
        fieldOfColumn.push_back(field);
    }
    for (size_t c = 0; c < names.size(); ++c) {
        all.push_back(table.Field(static_cast<int>(c)).Label.DefaultText);
        if (!seen[c])
            missing.push_back(all.back());
    }
    if (unknown.empty() && repeated.empty() && missing.empty())
        return true;
    CString why = L"the first row must name the table's columns, in any order: " + List(all) + L".";
    if (!unknown.empty())
        why += L"\n  Unknown: " + List(unknown);
    if (!repeated.empty())
        why += L"\n  Repeated: " + List(repeated);
    if (!missing.empty())
        why += L"\n  Missing: " + List(missing);
    checker.Refuse(header.line, why);
    return false;
}

} // namespace

bool CsvExchange::Export(const EcrTable& table, const CString& path, Quoting quoting)
{
    const bool always = quoting == Quoting::EveryField;
    std::string csv;
    for (int c = 0; c < table.FieldCount(); ++c) {
        CStringA name = TextToAnsi(CString(table.Field(c).Label.DefaultText));
        if (c)
            csv += ',';
        csv += CsvParser::Quote(name.GetString(), always);
    }
    csv += "\r\n";
    std::vector<S_ECR_FIELD> views;
    for (int c = 0; c < table.FieldCount(); ++c)
        views.push_back(CsvView(table.Field(c)));
    CString text;
    for (int r = 0; r < table.Count(); ++r) {
        for (int c = 0; c < table.FieldCount(); ++c) {
            FormatFieldExact(&views[c], FieldPtr(table.Table(), r, c), text);
            CStringA bytes = TextToAnsi(text);
            if (c)
                csv += ',';
            csv += CsvParser::Quote(std::string(bytes.GetString(), bytes.GetLength()), always);
        }
        csv += "\r\n";
    }
    if (AtomicFile::Write(path, csv.data(), csv.size()))
        return true;
    LibraryState::Tell(AtomicFile::FailureMessage(path, ::GetLastError()), MB_ICONSTOP);
    return false;
}

bool CsvExchange::Read(EcrTable& table, const CString& path, std::vector<BYTE>& accepted, CString& errors)
{
    errors.Empty();
    accepted.clear();
    std::vector<BYTE> bytes;
    if (AtomicFile::Read(path, bytes, kCsvLimit) != AtomicFile::ReadResult::Ok) {
        errors = L"The file cannot be read.\n";
        return false;
    }
    const wchar_t* foreign = ForeignEncoding(bytes, ThreadCodePage());
    if (*foreign) {
        errors.Format(L"The file is %s text; save it in the ANSI code page (%u).\n", foreign, ThreadCodePage());
        return false;
    }

    std::vector<CsvParser::Record> records = CsvParser::Records(bytes);
    RowChecker checker(table, errors);
    std::vector<int> fieldOfColumn;
    if (records.empty()) {
        errors = L"The file is empty: its first row must name the table's columns.\n";
        return false;
    }
    if (*records[0].broken) {
        checker.Refuse(records[0].line, CString(L"broken quotes: ") + records[0].broken);
        return false;
    }
    if (!MatchHeader(table, records[0], fieldOfColumn, checker))
        return false;
    if (records.size() == 1) {
        errors = L"The file holds no records after its first row; an import would empty the table.\n";
        return false;
    }

    const int columns = static_cast<int>(fieldOfColumn.size());
    std::vector<S_ECR_FIELD> views;
    for (int c = 0; c < table.FieldCount(); ++c)
        views.push_back(CsvView(table.Field(c)));
    size_t size = static_cast<size_t>(table.RecordSize());
    std::map<std::string, int> keys;
    std::vector<BYTE> bytesOfRecord(size);
    for (size_t row = 1; row < records.size(); ++row) {
        const CsvParser::Record& line = records[row];
        int record = static_cast<int>(row - 1);
        CString why;
        if (*line.broken) {
            checker.Refuse(line.line, CString(L"broken quotes: ") + line.broken);
            continue;
        }
        if (static_cast<int>(line.fields.size()) != columns) {
            why.Format(L"%d columns, %d expected", static_cast<int>(line.fields.size()), columns);
            checker.Refuse(line.line, why);
            continue;
        }
        if (record >= table.Capacity()) {
            why.Format(L"the table holds at most %d records", table.Capacity());
            checker.Refuse(line.line, why);
            continue;
        }
        if (record < table.Count())
            std::memcpy(bytesOfRecord.data(), table.Records().data() + static_cast<size_t>(record) * size, size);
        else
            std::fill(bytesOfRecord.begin(), bytesOfRecord.end(), BYTE(0));
        bool good = true;
        for (int c = 0; c < columns; ++c) {
            const std::string& cell = line.fields[c];
            int field = fieldOfColumn[c];
            CString text = AnsiToText(cell.data(), static_cast<int>(cell.size()));
            if (!checker.CheckCell(field, record, cell, text, why)) {
                checker.RefuseCell(line.line, c + 1, why);
                good = false;
            } else if (good && FieldByteLength(views[field]) > 0) {
                ParseField(&views[field], text, bytesOfRecord.data() + views[field].Offset);
            }
        }
        if (!good)
            continue;
        if (table.UniqueField() >= 0) {
            const S_ECR_FIELD& key = table.Field(table.UniqueField());
            std::string keyBytes(reinterpret_cast<const char*>(bytesOfRecord.data() + key.Offset), FieldByteLength(key));
            auto [it, added] = keys.emplace(keyBytes, line.line);
            if (!added) {
                why.Format(L"the unique key repeats line %d", it->second);
                checker.Refuse(line.line, why);
                continue;
            }
        }
        accepted.insert(accepted.end(), bytesOfRecord.begin(), bytesOfRecord.end());
    }
    checker.Finish();
    if (checker.Count() == 0)
        return true;
    accepted.clear();
    return false;
}

bool CsvExchange::Import(EcrTable& table, const CString& path, CString& errors)
{
    std::vector<BYTE> records;
    if (!Read(table, path, records, errors))
        return false;
    table.Assign(std::move(records));
    return true;
}
