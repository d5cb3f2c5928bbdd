#include "CommandLine.h"

#include <cwchar>
#include <vector>

namespace {

// Splits at single blanks; quoted tokens keep their blanks, lose their quotes.
bool Tokenize(const std::wstring& line, std::vector<std::wstring>& tokens)
{
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == L' ') {
            ++i;
            continue;
        }
        if (line[i] == L'"') {
            size_t close = line.find(L'"', i + 1);
            if (close == std::wstring::npos)
                return false;
            tokens.push_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            size_t end = line.find(L' ', i);
            if (end == std::wstring::npos)
                end = line.size();
            tokens.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return true;
}

bool ParseInt(const std::wstring& text, int& value)
{
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    long parsed = std::wcstol(text.c_str(), &end, 10);
    if (*end != L'\0')
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace

bool ParseCommandLine(const std::wstring& line, ConversionRequest& request)
{
    std::vector<std::wstring> tokens;
    // program, folder, input, at least one token of output, five numbers
    if (!Tokenize(line, tokens) || tokens.size() < 9)
        return false;
    size_t first = tokens.size() - 5;
    for (size_t i = 0; i < 5; ++i)
        if (!ParseInt(tokens[first + i], request.params[i]))
            return false;
    request.folder = tokens[1];
    while (!request.folder.empty() && (request.folder.back() == L'\\' || request.folder.back() == L'/'))
        request.folder.pop_back();
    request.input = tokens[2];
    request.output = tokens[3];
    for (size_t i = 4; i < first; ++i)
        request.output += L" " + tokens[i];
    return !request.folder.empty() && !request.input.empty();
}
