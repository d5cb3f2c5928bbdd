#include "Request.h"

#include <climits>
#include <cwchar>
#include <cwctype>

namespace {

// A whole decimal number (optionally signed), nothing else.
bool ReadNumber(const std::wstring& token, long long& value)
{
    if (token.empty())
        return false;
    size_t i = token[0] == L'-' ? 1 : 0;
    if (i == token.size())
        return false;
    for (size_t k = i; k < token.size(); ++k)
        if (!std::iswdigit(token[k]))
            return false;
    if (token.size() - i > 10)
        return false;
    value = std::wcstoll(token.c_str(), nullptr, 10);
    return true;
}

bool ReadInt(const std::wstring& token, int& value)
{
    long long v = 0;
    if (!ReadNumber(token, v) || v < INT_MIN || v > INT_MAX)
        return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

std::wstring Request::AddressText() const
{
    wchar_t text[32];
    std::swprintf(text, 32, L"%u.%u.%u.%u", address & 0xFF, (address >> 8) & 0xFF, (address >> 16) & 0xFF, address >> 24);
    return text;
}

std::vector<std::wstring> SplitCommandLine(const wchar_t* raw)
{
    std::vector<std::wstring> tokens;
    const wchar_t* p = raw ? raw : L"";
    while (*p) {
        if (*p == L' ') {
            ++p;
            continue;
        }
        std::wstring token;
        if (*p == L'"') {
            ++p;
            while (*p && *p != L'"')
                token += *p++;
            if (*p == L'"')
                ++p;
        } else {
            while (*p && *p != L' ')
                token += *p++;
        }
        tokens.push_back(token);
    }
    return tokens;
}

bool ParseRequest(const std::vector<std::wstring>& tokens, Request& request, std::wstring& error)
{
    if (tokens.size() != 11) {
        error = L"Expected 10 arguments, got " + std::to_wstring(tokens.size() > 0 ? tokens.size() - 1 : 0) + L".";
        return false;
    }
    Request r;
    r.lan = tokens[1] == L"LAN";
    long long address = 0;
    if (r.lan) {
        if (!ReadNumber(tokens[2], address) || address < 0 || address > 0xFFFFFFFFLL) {
            error = L"Bad LAN address: " + tokens[2];
            return false;
        }
        r.address = static_cast<unsigned>(address);
    } else if (!ReadInt(tokens[1], r.portIndex) || r.portIndex < 0 || !ReadInt(tokens[2], r.baudRate)) {
        error = L"Bad port or baud rate: " + tokens[1] + L" " + tokens[2];
        return false;
    }
    if (!ReadInt(tokens[3], r.direction) || (r.direction != 0 && r.direction != 1)) {
        error = L"Bad direction: " + tokens[3];
        return false;
    }
    r.dataFolder = tokens[4];
    if (r.dataFolder.empty() || r.dataFolder.back() != L'\\') {
        error = L"The data folder must end in a backslash: " + r.dataFolder;
        return false;
    }
    if (!ReadInt(tokens[5], r.id)) {
        error = L"Bad group or report id: " + tokens[5];
        return false;
    }
    if (tokens[6] == L"ECR")
        r.kind = Request::Kind::Group;
    else if (tokens[6] == L"CSV")
        r.kind = Request::Kind::Report;
    else {
        error = L"Unknown kind: " + tokens[6];
        return false;
    }
    if (!ReadInt(tokens[7], r.count) || !ReadInt(tokens[8], r.param) || !ReadInt(tokens[9], r.to) || tokens[10] != L"1") {
        error = L"Bad count, range or end mark.";
        return false;
    }
    if (r.kind == Request::Kind::Group && (r.count != 1 || r.to != 0)) {
        error = L"A data group takes count 1 and 0.";
        return false;
    }
    if (r.kind == Request::Kind::Report) {
        if (r.direction != 0) {
            error = L"Reports can only be received.";
            return false;
        }
        if ((r.count != 1 && r.count != 2) || r.param < 0 || r.to < r.param) {
            error = L"Bad report range.";
            return false;
        }
    }
    request = r;
    return true;
}
