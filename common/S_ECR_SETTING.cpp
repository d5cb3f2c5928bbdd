#include "S_ECR_SETTING.h"

#include <cstdio>
#include <cwchar>

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

bool WriteString(const wchar_t* path, const wchar_t* section, const wchar_t* key, const CString& value)
{
    return ::WritePrivateProfileStringW(section, key, value, path) != FALSE;
}

bool WriteInt(const wchar_t* path, const wchar_t* section, const wchar_t* key, int value)
{
    CString text;
    text.Format(L"%d", value);
    return ::WritePrivateProfileStringW(section, key, text, path) != FALSE;
}

// A new settings file starts with a UTF-16 byte-order mark, so the profile
// functions keep it in UTF-16 and paths outside the ANSI code page survive.
void CreateUnicodeFile(const wchar_t* path)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;  // exists already, or cannot be made: the writes below decide
    const BYTE bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    ::WriteFile(file, bom, sizeof bom, &written, nullptr);
    ::CloseHandle(file);
}

CString Widen(const CStringA& bytes, UINT codePage)
{
    int n = ::MultiByteToWideChar(codePage, 0, bytes.GetString(), bytes.GetLength(), nullptr, 0);
    CString text;
    if (n > 0) {
        ::MultiByteToWideChar(codePage, 0, bytes.GetString(), bytes.GetLength(), text.GetBuffer(n), n);
        text.ReleaseBuffer(n);
    }
    return text;
}

// Model list: "name=path" per line, split at the last "=", "//" at the very
// start makes a comment. The file is single-byte text in the ANSI code page,
// or UTF-8 when it starts with the UTF-8 byte-order mark (which is no part of
// the first name).
void ReadModelList(const wchar_t* listPath, S_ECR_SETTING::ModelMapType& map)
{
    FILE* file = _wfopen(listPath, L"rt");
    if (!file)
        return;
    UINT codePage = CP_ACP;
    if (fgetc(file) == 0xEF && fgetc(file) == 0xBB && fgetc(file) == 0xBF)
        codePage = CP_UTF8;
    else
        rewind(file);
    CStringA line;
    for (int c;;) {
        c = fgetc(file);
        if (c != EOF && c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        CString text = Widen(line, codePage);
        line.Empty();
        int eq = text.ReverseFind(L'=');
        if (text.Left(2) != L"//" && eq >= 0) {
            CString name = text.Left(eq);
            CString path = text.Mid(eq + 1);
            map.SetAt(name.Trim(), path.Trim());
        }
        if (c == EOF)
            break;
    }
    fclose(file);
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

bool S_ECR_SETTING::SaveSettings()
{
    CString ini = FilePath();
    const wchar_t* p = ini;
    CreateUnicodeFile(p);
    bool ok = true;
    ok &= WriteString(p, L"DEFAULT", L"DataPath", DataPath);
    ok &= WriteString(p, L"DEFAULT", L"BmpPath", BmpPath);
    ok &= WriteString(p, L"DEFAULT", L"EcrName", EcrName);
    ok &= WriteString(p, L"DEFAULT", L"Language", Language);
    ok &= WriteString(p, L"DEFAULT", L"CapPath", CapPath);
    ok &= WriteInt(p, L"DEFAULT", L"IpREG", IpREG);
    ok &= WriteString(p, L"EXEC PATH", L"Tillwire", Tillwire);
    ok &= WriteString(p, L"EXEC PATH", L"Tillmark", Tillmark);
    ok &= WriteString(p, L"EXEC PATH", L"LogoAnim", LogoAnim);
    ok &= WriteInt(p, L"COM SETTING", L"PortNo", PortNo);
    ok &= WriteInt(p, L"COM SETTING", L"BaudRate", BaudRate);
    ok &= WriteInt(p, L"COM SETTING", L"ByteSize", ByteSize);
    ok &= WriteInt(p, L"COM SETTING", L"Parity", Parity);
    ok &= WriteString(p, L"COM SETTING", L"SAnime", SAnime);
    ok &= WriteString(p, L"COM SETTING", L"RAnime", RAnime);
    ok &= WriteString(p, L"OPENING", L"EcrBmp", EcrBmp);
    ok &= WriteString(p, L"OPENING", L"LogoBmp", LogoBmp);
    ok &= WriteString(p, L"ECR LIST", L"ListPath", ListPath);
    // Flushes the profile cache; it answers FALSE whatever happened.
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, p);
    ModelMap.RemoveAll();
    return ok;
}
