#include "S_ECR_SETTING.h"

#include <cwctype>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "ProfileText.h"
#include "TextDecoding.h"

namespace {

const wchar_t kDefaultModel[] = L"VORN-K5/K6 Ver1.00";
const wchar_t kDefaultModelDll[] = L".\\VornK5Dll.dll";

} // namespace

// "<current directory>\Tilldesk.ini", built afresh for every read and write.
CString S_ECR_SETTING::FilePath()
{
    CString dir;
    DWORD n = ::GetCurrentDirectoryW(0, nullptr);
    if (n > 0) {
        DWORD got = ::GetCurrentDirectoryW(n, dir.GetBuffer(static_cast<int>(n)));
        dir.ReleaseBuffer(got < n ? static_cast<int>(got) : 0);
    }
    CString path;
    path.Format(L"%s\\%s", dir.GetString(), L"Tilldesk.ini");
    return path;
}

namespace {

// A string value of any length: the buffer grows until the value fits.
CString ReadString(const wchar_t* path, const wchar_t* section, const wchar_t* key, const wchar_t* def)
{
    CString value;
    for (DWORD size = 256;; size *= 2) {
        DWORD got = ::GetPrivateProfileStringW(section, key, def, value.GetBuffer(static_cast<int>(size)), size, path);
        if (got < size - 1 || size >= (1u << 20)) {
            value.ReleaseBuffer(static_cast<int>(got));
            return value;
        }
    }
}

// Addresses from 128.x.x.x up are stored as negative numbers; accept them
// written either way.
int ReadInt(const wchar_t* path, const wchar_t* section, const wchar_t* key, int def)
{
    CString text = ReadString(path, section, key, L"");
    text.Trim();
    if (text.IsEmpty())
        return def;
    wchar_t* end = nullptr;
    long long v = _wcstoi64(text, &end, 10);
    if (end == text.GetString())
        return def;
    return static_cast<int>(static_cast<unsigned long long>(v) & 0xFFFFFFFFu);
}

// Model list: "name=path" per line, split at the last "=", "//" at the very
// start makes a comment. The file is text in the ANSI code page, or UTF-8 or
// UTF-16 with a byte-order mark; lines end in CR LF, LF or CR alone, and no
// byte ends the file early. Lines are split before they are decoded, so a
// line ending in half a double-byte character cannot swallow the next model.
void ReadModelList(const wchar_t* listPath, S_ECR_SETTING::ModelMapType& map)
{
    std::vector<BYTE> bytes;
    if (AtomicFile::Read(listPath, bytes, 1u << 20) != AtomicFile::ReadResult::Ok)
        return;
    for (const std::wstring& text : DecodeLines(bytes.data(), bytes.size(), false)) {
        CString line(text.c_str(), static_cast<int>(text.size()));
        int eq = line.ReverseFind(L'=');
        if (line.Left(2) != L"//" && eq >= 0) {
            CString name = line.Left(eq);
            CString path = line.Mid(eq + 1);
            map.SetAt(name.Trim(), path.Trim());
        }
    }
}

// The profile functions drop blanks around a value and one pair of quotes
// around it: such a value is written in quotes, so that it reads back whole.
CString ProfileValue(const CString& value)
{
    const int n = value.GetLength();
    auto blank = [](wchar_t c) { return std::iswspace(c) || c == 0x1A; };
    bool edges = n > 0 && (blank(value[0]) || blank(value[n - 1]));
    bool quoted = n >= 2 && (value[0] == L'"' || value[0] == L'\'') && value[n - 1] == value[0];
    return edges || quoted ? L"\"" + value + L"\"" : value;
}

} // namespace

S_ECR_SETTING::S_ECR_SETTING()
{
    LoadSettings();
}

S_ECR_SETTING::~S_ECR_SETTING()
{
    // SaveSettings empties the model map; an empty map means the file has
    // been written already (LoadSettings never leaves it empty).
    if (!ModelMap.IsEmpty())
        SaveSettings();
}

void S_ECR_SETTING::LoadSettings()
{
    CString ini = FilePath();
    const wchar_t* p = ini;
    DataPath = ReadString(p, L"DEFAULT", L"DataPath", L".\\Data");
    EcrName = ReadString(p, L"DEFAULT", L"EcrName", kDefaultModel);
    Language = ReadString(p, L"DEFAULT", L"Language", L"JPN");
    CapPath = ReadString(p, L"DEFAULT", L"CapPath", L".\\Cap");
    BmpPath = ReadString(p, L"DEFAULT", L"BmpPath", L".\\Bmp");
    Level = ReadInt(p, L"DEFAULT", L"Level", 0);
    IpREG = ReadInt(p, L"DEFAULT", L"IpREG", 0);
    Tillwire = ReadString(p, L"EXEC PATH", L"Tillwire", L".\\Tillwire.exe");
    Tillmark = ReadString(p, L"EXEC PATH", L"Tillmark", L".\\Tillmark.exe");
    LogoAnim = ReadString(p, L"EXEC PATH", L"LogoAnim", L".\\findds.avi");
    PortNo = ReadInt(p, L"COM SETTING", L"PortNo", 0);
    BaudRate = ReadInt(p, L"COM SETTING", L"BaudRate", 19200);
    ByteSize = ReadInt(p, L"COM SETTING", L"ByteSize", 8);
    Parity = ReadInt(p, L"COM SETTING", L"Parity", 1);
    SAnime = ReadString(p, L"COM SETTING", L"SAnime", L".\\toCOMP.avi");
    RAnime = ReadString(p, L"COM SETTING", L"RAnime", L".\\toECR.avi");
    ListPath = ReadString(p, L"ECR LIST", L"ListPath", L".\\Ecr.lst");
    ToolName = ReadString(p, L"OPENING", L"ToolName", L"VORN TOOL  Ver1.00");
    EcrBmp = ReadString(p, L"OPENING", L"EcrBmp", L".\\Ecr.bmp");
    LogoBmp = ReadString(p, L"OPENING", L"LogoBmp", L".\\Vorn.bmp");
    CapEdit = ReadInt(p, L"OPTION", L"CapEdit", 0);
    AutoPopup = ReadInt(p, L"OPTION", L"AutoPopup", 1);

    ModelMap.RemoveAll();
    ReadModelList(ListPath, ModelMap);
    if (ModelMap.IsEmpty())
        ModelMap.SetAt(kDefaultModel, kDefaultModelDll);
}

bool S_ECR_SETTING::WriteSettings() const
{
    // The whole file is rewritten through a temporary file, so a full disk
    // or a kill mid-write leaves the previous settings whole; keys of others
    // and comments are kept. A file that exists but cannot be read is left.
    CString ini = FilePath();
    ProfileText file;
    bool ok = file.Load(ini);
    if (ok) {
        CString ip;
        ip.Format(L"%d", IpREG);
        CString port, baud, byteSize, parity;
        port.Format(L"%d", PortNo);
        baud.Format(L"%d", BaudRate);
        byteSize.Format(L"%d", ByteSize);
        parity.Format(L"%d", Parity);
        file.Set(L"DEFAULT", L"DataPath", ProfileValue(DataPath));
        file.Set(L"DEFAULT", L"BmpPath", ProfileValue(BmpPath));
        file.Set(L"DEFAULT", L"EcrName", ProfileValue(EcrName));
        file.Set(L"DEFAULT", L"Language", ProfileValue(Language));
        file.Set(L"DEFAULT", L"CapPath", ProfileValue(CapPath));
        file.Set(L"DEFAULT", L"IpREG", ip);
        file.Set(L"EXEC PATH", L"Tillwire", ProfileValue(Tillwire));
        file.Set(L"EXEC PATH", L"Tillmark", ProfileValue(Tillmark));
        file.Set(L"EXEC PATH", L"LogoAnim", ProfileValue(LogoAnim));
        file.Set(L"COM SETTING", L"PortNo", port);
        file.Set(L"COM SETTING", L"BaudRate", baud);
        file.Set(L"COM SETTING", L"ByteSize", byteSize);
        file.Set(L"COM SETTING", L"Parity", parity);
        file.Set(L"COM SETTING", L"SAnime", ProfileValue(SAnime));
        file.Set(L"COM SETTING", L"RAnime", ProfileValue(RAnime));
        file.Set(L"OPENING", L"EcrBmp", ProfileValue(EcrBmp));
        file.Set(L"OPENING", L"LogoBmp", ProfileValue(LogoBmp));
        file.Set(L"ECR LIST", L"ListPath", ProfileValue(ListPath));
        ok = file.Save(ini);
    }
    return ok;
}

bool S_ECR_SETTING::SaveSettings()
{
    const bool ok = WriteSettings();
    const DWORD error = ::GetLastError();
    ModelMap.RemoveAll();
    ::SetLastError(ok ? ERROR_SUCCESS : error);
    return ok;
}
