#include "CsvExchange.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "AtomicFile.h"
#include "CEcrValidator.h"
#include "CsvParser.h"
#include "EcrTable.h"
#include "FieldCodec.h"
#include "LibraryState.h"
#include "RegisterText.h"
#include "TextDecoding.h"

namespace {

constexpr size_t kCsvLimit = 64u << 20;
constexpr int kErrorsShown = 20;

// Line breaks and TABs at the end of a text, which the field shows none of.
constexpr char kTrailingBreaks[] = "\t\v\f\r\n";

// The text of the caption language.
const wchar_t* Say(const wchar_t* english, const wchar_t* japanese)
{
    return LibraryState::Instance().Say(english, japanese);
}

const wchar_t* SayCount(int count, const wchar_t* englishOne, const wchar_t* english, const wchar_t* japanese)
{
    return LibraryState::Instance().SayCount(count, englishOne, english, japanese);
}

// Text fields travel as the register's own bytes, never through UTF-16: a
// code page may give one character several byte codes (NEC and IBM
// selections of code page 932), of which a round trip keeps only one.
std::string TextFieldBytes(const S_ECR_FIELD& field, const BYTE* bytes)
{
    const char* chars = reinterpret_cast<const char*>(bytes);
    std::string text(chars, strnlen(chars, FieldByteLength(field)));
    size_t end = text.find_last_not_of(std::string(" ") + kTrailingBreaks);
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

// Text a cell holds that the register's text field would not give back.
// Bytes that form no character are the register's own in a file the library
// wrote, and are kept.
const wchar_t* TextFault(const std::string& value, CsvExchange::Origin origin)
{
    if (!value.empty() && std::strchr(kTrailingBreaks, value.back()))
        return Say(L"ends in a TAB or a line break, which the field would drop",
                   L"の末尾がタブか改行です（フィールドでは失われます）");
    if (origin == CsvExchange::Origin::Outside && !IsRegisterText(value.data(), static_cast<int>(value.size())))
        return Say(L"holds bytes that are no characters of the code page or of the register",
                   L"にコードページの文字でもレジの文字でもないバイトがあります");
    return nullptr;
}

// Whether a number's text is what the field shows for the bytes it stores
// from that text: the register's own digits, even where they are no number
// of the field (BCD digits above 9, which the conversion writes as stored).
bool IsStoredNumberText(const S_ECR_FIELD& field, const CString& text)
{
    std::vector<BYTE> bytes(static_cast<size_t>(FieldByteLength(field)));
    CString shown;
    return ParseField(&field, text, bytes.data()) && FormatFieldExact(&field, bytes.data(), shown) && shown == text;
}

bool IsControlByte(BYTE b)
{
    return (b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F;
}

// 16-bit units in one byte order (`high`: the offset of the high byte in a
// unit) with no U+0000 among them and many ASCII characters, as the commas,
// digits and line ends of a CSV give. Bytes of other files hold U+0000 or
// few such units.
bool ReadsAsUtf16(const std::vector<BYTE>& bytes, size_t high)
{
    if (bytes.empty() || bytes.size() % 2)
        return false;
    size_t ascii = 0;
    for (size_t i = 0; i < bytes.size(); i += 2) {
        BYTE hi = bytes[i + high];
        BYTE lo = bytes[i + 1 - high];
        if (hi == 0 && lo == 0)
            return false;
        if (hi == 0 && lo < 0x80 && !IsControlByte(lo))
            ++ascii;
    }
    return ascii * 4 >= bytes.size() / 2;
}

// A byte-order mark, or the NUL bytes of UTF-16 text without one.
bool IsUtf16(const std::vector<BYTE>& bytes)
{
    if (bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
        return true;
    return std::memchr(bytes.data(), 0, bytes.size()) != nullptr && (ReadsAsUtf16(bytes, 1) || ReadsAsUtf16(bytes, 0));
}

// Bytes no text file holds: a NUL, or control bytes (TAB and line ends
// aside) above one byte in sixteen, which a stray one in a cell never
// reaches and random bytes (one in nine) do.
bool IsBinary(const std::vector<BYTE>& bytes)
{
    if (std::memchr(bytes.data(), 0, bytes.size()) != nullptr)
        return true;
    return static_cast<size_t>(std::count_if(bytes.begin(), bytes.end(), IsControlByte)) * 16 > bytes.size();
}

// A row whose every cell is empty: what spreadsheets write for a cleared row.
bool IsEmptyRow(const CsvParser::Record& record)
{
    return !*record.broken
           && std::all_of(record.fields.begin(), record.fields.end(), [](const std::string& f) { return f.empty(); });
}

bool HasUtf8Mark(const std::vector<BYTE>& bytes)
{
    return bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
}

CString Utf8Text(const std::string& cell)
{
    std::wstring text = DecodeCodePage(CP_UTF8, reinterpret_cast<const BYTE*>(cell.data()), cell.size());
    return CString(text.data(), static_cast<int>(text.size()));
}

enum class Reading { RegisterBytes, Utf8, Cancelled };

// Code page, line, column, the UTF-8 text, code page, its text, code page.
const wchar_t kReadingQuestion[] =
    L"The file reads both as UTF-8 and as code page %u, with different texts. "
    L"The first difference, line %d, column %d:\n\n"
    L"UTF-8:\t\t\"%s\"\nCode page %u:\t\"%s\"\n\n"
    L"Is the file UTF-8?\nYes: UTF-8.   No: code page %u.   Cancel: no import.";
const wchar_t kReadingQuestionJapanese[] =
    L"このファイルは UTF-8 としてもコードページ %u としても読めますが、内容が異なります。"
    L"最初の違い（%d 行目、%d 列目）:\n\n"
    L"UTF-8:\t\t\"%s\"\nコードページ %u:\t\"%s\"\n\n"
    L"UTF-8 のファイルですか？\nはい: UTF-8。  いいえ: コードページ %u。  キャンセル: 取り込みません。";

// The first cell beyond ASCII whose UTF-8 text is not its register text.
const CsvParser::Record* FirstDifference(const std::vector<CsvParser::Record>& records, size_t& column)
{
    for (const CsvParser::Record& record : records)
        for (column = 0; column < record.fields.size(); ++column) {
            const std::string& cell = record.fields[column];
            bool ascii = std::all_of(cell.begin(), cell.end(), [](char b) { return static_cast<BYTE>(b) < 0x80; });
            if (!ascii && Utf8Text(cell) != RegisterToText(cell.data(), static_cast<int>(cell.size()), false))
                return &record;
        }
    return nullptr;
}

// A text short enough for a question.
CString Shown(const CString& text)
{
    return text.GetLength() > 40 ? text.Left(40) + L"..." : text;
}

// A file from outside that is valid UTF-8 beyond ASCII. UTF-8 that is no
// register text is UTF-8. Bytes that read both ways with different texts are
// the user's to decide, since each reading has its look-alikes: UTF-8 letters
// are pairs of half-width katakana in code page 932, and such pairs form UTF-8.
Reading ChooseReading(const std::vector<BYTE>& bytes, const std::vector<CsvParser::Record>& records)
{
    if (!IsRegisterText(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())))
        return Reading::Utf8;
    size_t column = 0;
    const CsvParser::Record* record = FirstDifference(records, column);
    if (!record)
        return Reading::RegisterBytes;
    const std::string& cell = record->fields[column];
    CString utf8 = Shown(Utf8Text(cell));
    CString ansi = Shown(RegisterToText(cell.data(), static_cast<int>(cell.size()), false));
    CString question;
    question.Format(Say(kReadingQuestion, kReadingQuestionJapanese), ThreadCodePage(),
                    record->line, static_cast<int>(column + 1), utf8.GetString(), ThreadCodePage(), ansi.GetString(),
                    ThreadCodePage());
    switch (LibraryState::Ask(question, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3)) {
    case IDYES:
        return Reading::Utf8;
    case IDNO:
        return Reading::RegisterBytes;
    default:
        return Reading::Cancelled;
    }
}

// The cells of a UTF-8 file as register bytes, through the character table
// as typed text goes. Returns the cells (record, column) holding characters
// the register cannot store, which would come back as others.
std::set<std::pair<size_t, size_t>> ToRegisterBytes(std::vector<CsvParser::Record>& records)
{
    std::set<std::pair<size_t, size_t>> unstorable;
    for (size_t r = 0; r < records.size(); ++r)
        for (size_t c = 0; c < records[r].fields.size(); ++c) {
            std::string& cell = records[r].fields[c];
            CString text = Utf8Text(cell);
            CStringA stored = TextToRegister(text, false);
            if (RegisterToText(stored.GetString(), stored.GetLength(), false) != text)
                unstorable.emplace(r, c);
            cell.assign(stored.GetString(), static_cast<size_t>(stored.GetLength()));
        }
    return unstorable;
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
    RowChecker(EcrTable& table, CString& errors, CsvExchange::Origin origin)
        : m_table(table), m_errors(errors), m_origin(origin)
    {
    }

    void Refuse(int line, const CString& why)
    {
        if (m_count++ < kErrorsShown)
            m_errors.AppendFormat(Say(L"Line %d: %s\n", L"%d 行目: %s\n"), line, why.GetString());
    }
    void RefuseCell(int line, int column, const CString& why)
    {
        if (m_count++ < kErrorsShown)
            m_errors.AppendFormat(Say(L"Line %d, column %d: %s\n", L"%d 行目 %d 列目: %s\n"), line, column,
                                  why.GetString());
    }
    int Count() const { return m_count; }
    void Finish()
    {
        if (m_count > kErrorsShown)
            m_errors.AppendFormat(Say(L"... and %d more\n", L"... ほか %d 件\n"), m_count - kErrorsShown);
    }

    // Checks one cell as an edit would be checked; the reason in `why`.
    // `text` is the cell in UTF-16. `damaged` is set for a number of a file
    // the library wrote that the register stored with other digits than 0
    // to 9: it is kept as stored, with no range to check.
    bool CheckCell(int field, int record, const std::string& value, const CString& text, CString& why, bool& damaged)
    {
        damaged = false;
        const S_ECR_FIELD& f = m_table.Field(field);
        // A number is read as the field stores it, with every stored decimal.
        double number = 0;
        const bool exact = ReadFieldNumber(f, text, kExactDecimals, number) != FALSE;
        if (f.Type() == FIELD_TEXT) {
            if (static_cast<int>(value.size()) > FieldByteLength(f)) {
                why.Format(Say(L"%s is longer than %d bytes", L"%s が %d バイトを超えています"), f.Label.DefaultText,
                           FieldByteLength(f));
                return false;
            }
            if (const wchar_t* fault = TextFault(value, m_origin)) {
                why.Format(Say(L"%s %s", L"%s%s"), f.Label.DefaultText, fault);
                return false;
            }
        } else if (FieldByteLength(f) > 0 && !exact) {
            if (m_origin == CsvExchange::Origin::Library && IsStoredNumberText(f, text)) {
                damaged = true;
                return true;
            }
            why.Format(Say(L"%s is not a valid number: \"%s\"", L"%s が正しい数値ではありません: \"%s\""),
                       f.Label.DefaultText, text.GetString());
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
        if (ranged && (number < f.Minimum || number > f.Maximum)) {
            why.Format(Say(L"%s: Range is %.0f - %.0f", L"%s: 入力範囲は %.0f - %.0f"), f.Label.DefaultText,
                       f.Minimum, f.Maximum);
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
    CsvExchange::Origin m_origin;
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
    CString why = Say(L"the first row must name the table's columns, in any order: ",
                      L"1 行目には表の列名をすべて（順不同で）書いてください: ")
                  + List(all) + Say(L".", L"。");
    if (!unknown.empty())
        why += Say(L"\n  Unknown: ", L"\n  不明な列: ") + List(unknown);
    if (!repeated.empty())
        why += Say(L"\n  Repeated: ", L"\n  重複した列: ") + List(repeated);
    if (!missing.empty())
        why += Say(L"\n  Missing: ", L"\n  足りない列: ") + List(missing);
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
    CString text;
    for (int r = 0; r < table.Count(); ++r) {
        for (int c = 0; c < table.FieldCount(); ++c) {
            const S_ECR_FIELD& field = table.Field(c);
            const BYTE* value = FieldPtr(table.Table(), r, c);
            std::string cell;
            if (field.Type() == FIELD_TEXT) {
                cell = TextFieldBytes(field, value);
            } else {
                FormatFieldExact(&field, value, text);
                CStringA number = TextToAnsi(text);
                cell.assign(number.GetString(), static_cast<size_t>(number.GetLength()));
            }
            if (c)
                csv += ',';
            csv += CsvParser::Quote(cell, always);
        }
        csv += "\r\n";
    }
    if (AtomicFile::Write(path, csv.data(), csv.size()))
        return true;
    LibraryState::Tell(LibraryState::Instance().WriteFailure(path, ::GetLastError()), MB_ICONSTOP);
    return false;
}

bool CsvExchange::Read(EcrTable& table, const CString& path, std::vector<BYTE>& accepted, CString& errors,
                       Origin origin, std::vector<DamagedCell>* damaged)
{
    errors.Empty();
    accepted.clear();
    std::vector<DamagedCell> damagedCells;
    if (damaged)
        damaged->clear();
    std::vector<BYTE> bytes;
    if (AtomicFile::Read(path, bytes, kCsvLimit) != AtomicFile::ReadResult::Ok) {
        errors = Say(L"The file cannot be read.\n", L"ファイルを読み込めません。\n");
        return false;
    }
    if (IsUtf16(bytes)) {
        errors.Format(Say(L"The file is UTF-16 text; save it as UTF-8 or in the ANSI code page (%u).\n",
                          L"このファイルは UTF-16 のテキストです。UTF-8 か ANSI コードページ（%u）で保存してください。\n"),
                      ThreadCodePage());
        return false;
    }
    if (IsBinary(bytes)) {
        errors = Say(
            L"The file is not a CSV text file: it holds NUL or control bytes, as a program or a picture does.\n",
            L"このファイルは CSV のテキストファイルではありません。プログラムや画像のように、NUL や制御文字のバイトを含んでいます。\n");
        return false;
    }
    Reading reading = Reading::RegisterBytes;
    if (origin == Origin::Outside && HasUtf8Mark(bytes)) {
        bytes.erase(bytes.begin(), bytes.begin() + 3);
        reading = Reading::Utf8;
    }
    std::vector<CsvParser::Record> records = CsvParser::Records(bytes);
    // Rows of empty cells are skipped as blank lines are.
    if (!records.empty())
        records.erase(std::remove_if(records.begin() + 1, records.end(), IsEmptyRow), records.end());
    if (origin == Origin::Outside && reading != Reading::Utf8 && IsUtf8WithHighBytes(bytes.data(), bytes.size()))
        reading = ChooseReading(bytes, records);
    if (reading == Reading::Cancelled)
        return false;
    std::set<std::pair<size_t, size_t>> unstorable;
    if (reading == Reading::Utf8)
        unstorable = ToRegisterBytes(records);
    RowChecker checker(table, errors, origin);
    std::vector<int> fieldOfColumn;
    if (records.empty()) {
        errors = Say(L"The file is empty: its first row must name the table's columns.\n",
                     L"ファイルが空です。1 行目には表の列名を書いてください。\n");
        return false;
    }
    if (*records[0].broken) {
        checker.Refuse(records[0].line, CString(Say(L"broken quotes: ", L"引用符の誤り: ")) + records[0].broken);
        return false;
    }
    if (!MatchHeader(table, records[0], fieldOfColumn, checker))
        return false;
    // The library's own file of no records is an empty table (a report of a
    // quiet day); a user's would empty the table by accident.
    if (records.size() == 1 && origin == Origin::Outside) {
        errors = Say(L"The file holds no records after its first row; an import would empty the table.\n",
                     L"1 行目のあとにレコードがありません。取り込むとテーブルが空になります。\n");
        return false;
    }

    const int columns = static_cast<int>(fieldOfColumn.size());
    size_t size = static_cast<size_t>(table.RecordSize());
    std::map<std::string, int> keys;
    std::vector<BYTE> bytesOfRecord(size);
    for (size_t row = 1; row < records.size(); ++row) {
        const CsvParser::Record& line = records[row];
        int record = static_cast<int>(row - 1);
        CString why;
        if (*line.broken) {
            checker.Refuse(line.line, CString(Say(L"broken quotes: ", L"引用符の誤り: ")) + line.broken);
            continue;
        }
        if (static_cast<int>(line.fields.size()) != columns) {
            const int found = static_cast<int>(line.fields.size());
            why.Format(SayCount(found, L"%d column, %d expected", L"%d columns, %d expected",
                                L"列が %d 個あります（%d 個のはずです）"),
                       found, columns);
            checker.Refuse(line.line, why);
            continue;
        }
        if (record >= table.Capacity()) {
            why.Format(SayCount(table.Capacity(), L"the table holds at most %d record",
                                L"the table holds at most %d records", L"テーブルに入るのは %d 件までです"),
                       table.Capacity());
            checker.Refuse(line.line, why);
            continue;
        }
        if (record < table.Count())
            std::memcpy(bytesOfRecord.data(), table.Records().data() + static_cast<size_t>(record) * size, size);
        else
            std::fill(bytesOfRecord.begin(), bytesOfRecord.end(), BYTE(0));
        bool good = true;
        std::vector<CString> unfilled;  // number fields left empty, told once for the row
        for (int c = 0; c < columns; ++c) {
            const std::string& cell = line.fields[c];
            const S_ECR_FIELD& field = table.Field(fieldOfColumn[c]);
            CString text = AnsiToText(cell.data(), static_cast<int>(cell.size()));
            bool damagedNumber = false;
            if (unstorable.count({row, static_cast<size_t>(c)})) {
                why.Format(Say(L"%s holds characters the register cannot store", L"%s にレジが保存できない文字があります"),
                           field.Label.DefaultText);
                checker.RefuseCell(line.line, c + 1, why);
                good = false;
            } else if (!checker.CheckCell(fieldOfColumn[c], record, cell, text, why, damagedNumber)) {
                if (field.Type() != FIELD_TEXT && TrimBlanks(cell).empty())
                    unfilled.push_back(field.Label.DefaultText);
                else
                    checker.RefuseCell(line.line, c + 1, why);
                good = false;
            } else if (good && field.Type() == FIELD_TEXT) {
                StoreFieldTextBytes(field, CStringA(cell.data(), static_cast<int>(cell.size())), bytesOfRecord.data() + field.Offset);
                if (origin == Origin::Library && !IsRegisterText(cell.data(), static_cast<int>(cell.size())))
                    damagedCells.push_back({line.line, record, fieldOfColumn[c]});
            } else if (good && FieldByteLength(field) > 0) {
                ParseField(&field, text, bytesOfRecord.data() + field.Offset);
                if (damagedNumber)
                    damagedCells.push_back({line.line, record, fieldOfColumn[c]});
            }
        }
        if (!unfilled.empty())
            checker.Refuse(line.line, Say(L"a number is needed in ", L"数値の入力が必要です: ")
                                          + List(unfilled));
        if (!good)
            continue;
        if (table.UniqueField() >= 0) {
            const S_ECR_FIELD& key = table.Field(table.UniqueField());
            std::string keyBytes(reinterpret_cast<const char*>(bytesOfRecord.data() + key.Offset), FieldByteLength(key));
            auto [it, added] = keys.emplace(keyBytes, line.line);
            if (!added) {
                why.Format(Say(L"the unique key repeats line %d", L"キーが %d 行目と重複しています"), it->second);
                checker.Refuse(line.line, why);
                continue;
            }
        }
        accepted.insert(accepted.end(), bytesOfRecord.begin(), bytesOfRecord.end());
    }
    checker.Finish();
    if (checker.Count() == 0) {
        if (damaged)
            *damaged = std::move(damagedCells);
        return true;
    }
    accepted.clear();
    return false;
}

bool CsvExchange::Import(EcrTable& table, const CString& path, CString& errors, Origin origin,
                         std::vector<DamagedCell>* damaged)
{
    std::vector<BYTE> records;
    if (!Read(table, path, records, errors, origin, damaged))
        return false;
    table.Assign(std::move(records));
    return true;
}
