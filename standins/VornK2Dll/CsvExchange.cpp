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

bool IsHex(const std::string& s, size_t maxDigits, bool signAllowed)
{
    size_t sign = s.size() && s[0] == '-' && signAllowed ? 1 : 0;
    return AllOf(s, sign, "0123456789ABCDEFabcdef") && s.size() - sign <= maxDigits;
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
        return bcd ? IsHex(s, 2, false) : IsDecimalInteger(s, 0, 255);
    case FIELD_S8:
        return bcd ? IsHex(s, 8, false) : IsDecimalInteger(s, -128, 127);
    case FIELD_U16:
        return bcd ? IsHex(s, 4, false) : IsDecimalInteger(s, 0, 65535);
    case FIELD_S16:
        return bcd ? IsHex(s, 8, false) : IsDecimalInteger(s, -32768, 32767);
    case FIELD_U32:
        return bcd ? IsHex(s, 8, false) : IsDecimalInteger(s, -2147483648LL, 4294967295LL);
    case FIELD_S32:
        return bcd ? IsHex(s, 8, false) : IsDecimalInteger(s, -2147483648LL, 2147483647LL);
    case FIELD_AMOUNT:
        return IsAmount(s);
    case FIELD_S64:
        return bcd ? IsHex(s, 16, true) : IsDecimalInteger(s, -9223372036854775807LL, 9223372036854775807LL);
    default:
        return false;
    }
}

class RowChecker
{
public:
    RowChecker(EcrTable& table, CString& errors) : m_table(table), m_errors(errors) {}

    void Refuse(int line, const CString& why)
    {
        if (m_count++ < kErrorsShown)
            m_errors.AppendFormat(L"Line %d: %s\n", line, why.GetString());
    }
    int Count() const { return m_count; }
    void Finish()
    {
        if (m_count > kErrorsShown)
            m_errors.AppendFormat(L"... and %d more\n", m_count - kErrorsShown);
    }

    // Checks one cell as an edit would be checked; the reason in `why`.
    bool CheckCell(int field, int record, const std::string& value, CString& why)
    {
        const S_ECR_FIELD& f = m_table.Field(field);
        CString text = AnsiToText(value.data(), static_cast<int>(value.size()));
        if (f.Type() == FIELD_TEXT) {
            if (static_cast<int>(value.size()) > FieldByteLength(f)) {
                why.Format(L"%s is longer than %d bytes", f.Label.DefaultText, FieldByteLength(f));
                return false;
            }
        } else if (FieldByteLength(f) > 0 && !FitsType(f, value)) {
            why.Format(L"%s is not a valid number: \"%s\"", f.Label.DefaultText, text.GetString());
            return false;
        }
        double number = wcstod(text, nullptr);
        if (f.CheckMode == CHECK_RANGE && f.Minimum != f.Maximum && f.Type() != FIELD_TEXT
            && (number < f.Minimum || number > f.Maximum)) {
            why.Format(L"%s: Range is %.0f - %.0f", f.Label.DefaultText, f.Minimum, f.Maximum);
            return false;
        }
        CEcrValidator* validator = m_table.Table()->Validator;
        if (f.CheckMode == CHECK_VALIDATOR && validator) {
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
    int m_count = 0;
};

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
    for (int r = 0; r < table.Count(); ++r) {
        for (int c = 0; c < table.FieldCount(); ++c) {
            S_ECR_FIELD view = CsvView(table.Field(c));
            CString text;
            FormatFieldExact(&view, FieldPtr(table.Table(), r, c), text);
            CStringA bytes = TextToAnsi(text);
            if (c)
                csv += ',';
            csv += CsvParser::Quote(std::string(bytes.GetString(), bytes.GetLength()), always);
        }
        csv += "\r\n";
    }
    return AtomicFile::Write(path, csv.data(), csv.size());
}

bool CsvExchange::Import(EcrTable& table, const CString& path, CString& errors)
{
    errors.Empty();
    std::vector<BYTE> bytes;
    if (AtomicFile::Read(path, bytes, kCsvLimit) != AtomicFile::ReadResult::Ok) {
        errors = L"The file cannot be read.\n";
        return false;
    }
    bool utf16 = (bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
                 || std::memchr(bytes.data(), 0, bytes.size()) != nullptr;
    bool utf8Mark = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
    bool utf8 = utf8Mark
                || (std::find_if(bytes.begin(), bytes.end(), [](BYTE b) { return b >= 0x80; }) != bytes.end()
                    && ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<int>(bytes.size()), nullptr, 0) > 0);
    if (utf16 || utf8) {
        errors = utf16 ? L"The file is UTF-16 text; save it in the ANSI code page.\n"
                       : L"The file is UTF-8 text; save it in the ANSI code page.\n";
        return false;
    }

    std::vector<CsvParser::Line> lines = CsvParser::Lines(bytes);
    RowChecker checker(table, errors);
    std::vector<std::string> cells;
    if (lines.empty() || !CsvParser::Split(lines[0].text, cells) || static_cast<int>(cells.size()) != table.FieldCount()) {
        CString why;
        why.Format(L"the header row must name %d columns", table.FieldCount());
        checker.Refuse(lines.empty() ? 1 : lines[0].number, why);
        return false;
    }

    size_t size = static_cast<size_t>(table.RecordSize());
    std::vector<BYTE> records;
    std::map<std::string, int> keys;
    for (size_t row = 1; row < lines.size(); ++row) {
        const CsvParser::Line& line = lines[row];
        int record = static_cast<int>(row - 1);
        CString why;
        if (!CsvParser::Split(line.text, cells)) {
            checker.Refuse(line.number, L"broken quotes");
            continue;
        }
        if (static_cast<int>(cells.size()) != table.FieldCount()) {
            why.Format(L"%d columns, %d expected", static_cast<int>(cells.size()), table.FieldCount());
            checker.Refuse(line.number, why);
            continue;
        }
        if (record >= table.Capacity()) {
            why.Format(L"the table holds at most %d records", table.Capacity());
            checker.Refuse(line.number, why);
            continue;
        }
        std::vector<BYTE> bytesOfRecord(size, 0);
        if (record < table.Count())
            std::memcpy(bytesOfRecord.data(), table.Record(record), size);
        bool good = true;
        for (int c = 0; c < table.FieldCount() && good; ++c) {
            good = checker.CheckCell(c, record, cells[c], why);
            if (good) {
                S_ECR_FIELD view = CsvView(table.Field(c));
                if (FieldByteLength(view) > 0)
                    ParseField(&view, AnsiToText(cells[c].data(), static_cast<int>(cells[c].size())), bytesOfRecord.data() + view.Offset);
            }
        }
        if (!good) {
            checker.Refuse(line.number, why);
            continue;
        }
        if (table.UniqueField() >= 0) {
            const S_ECR_FIELD& key = table.Field(table.UniqueField());
            std::string keyBytes(reinterpret_cast<const char*>(bytesOfRecord.data() + key.Offset), FieldByteLength(key));
            auto [it, added] = keys.emplace(keyBytes, line.number);
            if (!added) {
                why.Format(L"the unique key repeats line %d", it->second);
                checker.Refuse(line.number, why);
                continue;
            }
        }
        records.insert(records.end(), bytesOfRecord.begin(), bytesOfRecord.end());
    }
    checker.Finish();
    if (checker.Count() > 0)
        return false;
    table.Assign(std::move(records));
    return true;
}
