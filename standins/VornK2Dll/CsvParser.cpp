#include "CsvParser.h"

#include "LibraryState.h"

namespace {

class Reader
{
public:
    explicit Reader(const std::vector<BYTE>& bytes)
        : m_p(reinterpret_cast<const char*>(bytes.data())), m_end(m_p + bytes.size())
    {
    }

    bool AtEnd() const { return m_p == m_end; }
    bool AtLineEnd() const { return m_p != m_end && (*m_p == '\r' || *m_p == '\n'); }
    int Line() const { return m_line; }

    // Steps over one CR LF, CR or LF.
    void SkipLineEnd()
    {
        if (*m_p == '\r' && m_p + 1 != m_end && m_p[1] == '\n')
            ++m_p;
        ++m_p;
        ++m_line;
    }

    void SkipRestOfLine()
    {
        while (m_p != m_end && !AtLineEnd())
            ++m_p;
    }

    // One record from the start of a line that is not empty.
    CsvParser::Record Next()
    {
        CsvParser::Record record{m_line, {}, L""};
        for (;;) {
            record.fields.emplace_back();
            std::string& field = record.fields.back();
            if (m_p != m_end && *m_p == '"') {
                record.broken = Quoted(field);
                if (*record.broken)
                    return record;
            } else {
                const char* start = m_p;
                while (m_p != m_end && *m_p != ',' && *m_p != '\r' && *m_p != '\n' && *m_p != '"')
                    ++m_p;
                field.assign(start, m_p);
                if (m_p != m_end && *m_p == '"') {
                    record.broken = LibraryState::Instance().Say(L"a quote inside a field that does not start with one", L"引用符で始まらないフィールドの中に引用符があります");
                    SkipRestOfLine();
                    return record;
                }
            }
            if (m_p == m_end || *m_p != ',')
                return record;
            ++m_p;
        }
    }

private:
    const wchar_t* Quoted(std::string& field)
    {
        ++m_p;
        for (;;) {
            if (m_p == m_end)
                return LibraryState::Instance().Say(L"a quote is not closed", L"引用符が閉じていません");
            char c = *m_p;
            if (c == '"') {
                if (m_p + 1 != m_end && m_p[1] == '"') {
                    field += '"';
                    m_p += 2;
                    continue;
                }
                ++m_p;
                break;
            }
            if (c == '\n' || (c == '\r' && (m_p + 1 == m_end || m_p[1] != '\n')))
                ++m_line;
            field += c;
            ++m_p;
        }
        if (m_p != m_end && *m_p != ',' && !AtLineEnd()) {
            SkipRestOfLine();
            return LibraryState::Instance().Say(L"text after a closing quote", L"閉じる引用符のあとに文字があります");
        }
        return L"";
    }

    const char* m_p;
    const char* m_end;
    int m_line = 1;
};

} // namespace

std::vector<CsvParser::Record> CsvParser::Records(const std::vector<BYTE>& bytes)
{
    std::vector<Record> records;
    Reader reader(bytes);
    while (!reader.AtEnd()) {
        if (!reader.AtLineEnd())
            records.push_back(reader.Next());
        if (reader.AtLineEnd())
            reader.SkipLineEnd();
    }
    return records;
}

std::string CsvParser::Quote(const std::string& field, bool always)
{
    if (!always && field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}
