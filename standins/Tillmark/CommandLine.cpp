#include "CommandLine.h"

#include <cwchar>

namespace {

bool ParseInt(const CString& text, int& value)
{
    if (text.IsEmpty())
        return false;
    wchar_t* end = nullptr;
    long parsed = std::wcstol(text, &end, 10);
    if (*end != L'\0')
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace

bool ParseArguments(const std::vector<CString>& args, ConversionRequest& request)
{
    // folder, input, at least one token of output, five numbers
    if (args.size() < 8)
        return false;
    size_t first = args.size() - 5;
    for (size_t i = 0; i < 5; ++i)
        if (!ParseInt(args[first + i], request.params[i]))
            return false;
    request.folder = args[0].GetString();
    while (!request.folder.empty() && (request.folder.back() == L'\\' || request.folder.back() == L'/'))
        request.folder.pop_back();
    request.input = args[1].GetString();
    request.output = args[2].GetString();
    for (size_t i = 3; i < first; ++i)
        request.output += L" " + std::wstring(args[i].GetString());
    return !request.folder.empty() && !request.input.empty();
}
