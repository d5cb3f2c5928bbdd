#include "Request.h"

#include <climits>
#include <cwchar>

#include "RegisterFolder.h"

namespace {

// A whole decimal number, optionally signed, and nothing else.
bool ReadNumber(const CString& token, long long& value)
{
    int first = token.GetLength() > 0 && token[0] == L'-' ? 1 : 0;
    if (token.GetLength() == first || token.GetLength() - first > 10)
        return false;
    for (int i = first; i < token.GetLength(); ++i)
        if (token[i] < L'0' || token[i] > L'9')
            return false;
    value = std::wcstoll(token.GetString(), nullptr, 10);
    return true;
}

bool ReadInt(const CString& token, int& value)
{
    long long v = 0;
    if (!ReadNumber(token, v) || v < INT_MIN || v > INT_MAX)
        return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

CString Request::AddressText() const
{
    CString text;
    text.Format(L"%u.%u.%u.%u", address & 0xFF, (address >> 8) & 0xFF, (address >> 16) & 0xFF, address >> 24);
    return text;
}

CString Request::Describe() const
{
    CString link;
    if (lan)
        link = L"LAN " + AddressText();
    else
        link.Format(L"port %d at %d baud", portIndex, baudRate);
    CString text;
    if (kind == Kind::Report) {
        text.Format(L"Receiving report %d (%d - %d) over %s", id, param, to, link.GetString());
    } else {
        CString name = RegisterFolder::GroupFileName(id);
        if (name.IsEmpty())
            name.Format(L"group %d", id);
        text.Format(L"%s %s over %s", direction ? L"Sending" : L"Receiving", name.GetString(), link.GetString());
    }
    return text;
}

bool ParseRequest(const std::vector<CString>& args, Request& request, CString& error)
{
    if (args.size() != 10) {
        error.Format(L"Expected 10 arguments, got %u.", static_cast<unsigned>(args.size()));
        return false;
    }
    Request r;
    r.lan = args[0] == L"LAN";
    long long address = 0;
    if (r.lan) {
        if (!ReadNumber(args[1], address) || address < 0 || address > 0xFFFFFFFFLL) {
            error = L"Bad LAN address: " + args[1];
            return false;
        }
        r.address = static_cast<unsigned>(address);
    } else if (!ReadInt(args[0], r.portIndex) || r.portIndex < 0 || !ReadInt(args[1], r.baudRate)) {
        error = L"Bad port or baud rate: " + args[0] + L" " + args[1];
        return false;
    }
    if (!ReadInt(args[2], r.direction) || (r.direction != 0 && r.direction != 1)) {
        error = L"Bad direction: " + args[2];
        return false;
    }
    r.dataFolder = args[3];
    if (r.dataFolder.IsEmpty() || r.dataFolder[r.dataFolder.GetLength() - 1] != L'\\') {
        error = L"The data folder must end in a backslash: " + r.dataFolder;
        return false;
    }
    if (!ReadInt(args[4], r.id)) {
        error = L"Bad group or report id: " + args[4];
        return false;
    }
    if (args[5] == L"ECR") {
        r.kind = Request::Kind::Group;
    } else if (args[5] == L"CSV") {
        r.kind = Request::Kind::Report;
    } else {
        error = L"Unknown kind: " + args[5];
        return false;
    }
    if (!ReadInt(args[6], r.count) || !ReadInt(args[7], r.param) || !ReadInt(args[8], r.to) || args[9] != L"1") {
        error = L"Bad count, range or end mark.";
        return false;
    }
    if (r.kind == Request::Kind::Group && (r.count != 1 || r.to != 0)) {
        error = L"A data group takes the count 1 and 0.";
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
