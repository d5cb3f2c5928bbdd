#include "CEcrDll.h"

#include "UpperAscii.h"

namespace {

void WINAPI StubSetGClassAddr(S_ECR_SETTING*, CCaptionManagerBase**) {}
CWnd* WINAPI StubCreateExDialog(int) { return nullptr; }
void WINAPI StubDeleteExDialog(CWnd*) {}
int WINAPI StubSetEcrFolder(const wchar_t*) { return 0; }
CEcrData* WINAPI StubGetEcrDataFromWndNo(int) { return nullptr; }
int WINAPI StubGetEcrDataCount() { return 0; }
CEcrData* WINAPI StubGetEcrDataFromIndex(int) { return nullptr; }
int WINAPI StubGetEcrIndexFromData(CEcrData*) { return -1; }

// The library's export of that name, or the stub.
template <typename Fn>
void Bind(HMODULE module, const char* name, Fn& entry, Fn stub)
{
    FARPROC found = module ? ::GetProcAddress(module, name) : nullptr;
    entry = found ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(found)) : stub;
}

} // namespace

PFN_SetGClassAddr SetGClassAddr = StubSetGClassAddr;
PFN_CreateExDialog CreateExDialog = StubCreateExDialog;
PFN_DeleteExDialog DeleteExDialog = StubDeleteExDialog;
PFN_SetEcrFolder SetEcrFolder = StubSetEcrFolder;
PFN_GetEcrDataFromWndNo GetEcrDataFromWndNo = StubGetEcrDataFromWndNo;
PFN_GetEcrDataCount GetEcrDataCount = StubGetEcrDataCount;
PFN_GetEcrDataFromIndex GetEcrDataFromIndex = StubGetEcrDataFromIndex;
PFN_GetEcrIndexFromData GetEcrIndexFromData = StubGetEcrIndexFromData;

namespace {

// Every entry: the library's export, or the stub without a library.
void BindAll(HMODULE module)
{
    Bind(module, "SetGClassAddr", SetGClassAddr, StubSetGClassAddr);
    Bind(module, "CreateExDialog", CreateExDialog, StubCreateExDialog);
    Bind(module, "DeleteExDialog", DeleteExDialog, StubDeleteExDialog);
    Bind(module, "SetEcrFolder", SetEcrFolder, StubSetEcrFolder);
    Bind(module, "GetEcrDataFromWndNo", GetEcrDataFromWndNo, StubGetEcrDataFromWndNo);
    Bind(module, "GetEcrDataCount", GetEcrDataCount, StubGetEcrDataCount);
    Bind(module, "GetEcrDataFromIndex", GetEcrDataFromIndex, StubGetEcrDataFromIndex);
    Bind(module, "GetEcrIndexFromData", GetEcrIndexFromData, StubGetEcrIndexFromData);
}

} // namespace

CString DLLBASE(const wchar_t* path)
{
    CString base(path ? path : L"");
    int slash = base.ReverseFind(L'\\');
    if (slash >= 0)
        base = base.Mid(slash + 1);
    base = UpperAscii(base);
    base.Replace(L".DLL", L"");
    return base;
}

CEcrDll::CEcrDll()
{
    UnloadModelDll();
}

CEcrDll::~CEcrDll()
{
    if (Module)
        ::FreeLibrary(Module);
}

BOOL CEcrDll::UnloadModelDll()
{
    if (Module) {
        ::FreeLibrary(Module);
        Module = nullptr;
    }
    Path.Empty();
    BindAll(nullptr);
    return TRUE;
}

bool CEcrDll::Load(const wchar_t* path)
{
    UnloadModelDll();
    Module = ::LoadLibraryW(path);
    if (!Module)
        return false;
    BindAll(Module);
    Path = path;
    return true;
}
