#include "VornK2Library.h"

#include <fstream>
#include <iterator>

#include "FieldCodec.h"

namespace {

std::vector<std::wstring> g_messages;
int g_answer = IDCANCEL;

template <typename Fn>
Fn Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

} // namespace

VornK2Library::VornK2Library()
{
    m_module = ::LoadLibraryW(L"VornK2Dll.dll");
    if (!m_module)
        return;
    m_getFromWndNo = Export<PFN_GetEcrDataFromWndNo>(m_module, "GetEcrDataFromWndNo");
    m_getCount = Export<PFN_GetEcrDataCount>(m_module, "GetEcrDataCount");
    m_getFromIndex = Export<PFN_GetEcrDataFromIndex>(m_module, "GetEcrDataFromIndex");
    m_getIndex = Export<PFN_GetEcrIndexFromData>(m_module, "GetEcrIndexFromData");
    using SetBoxHandler = AfxMessageBoxHandler(WINAPI*)(AfxMessageBoxHandler);
    Export<SetBoxHandler>(m_module, "VornSetMessageBoxHandler")(RecordBox);
    Settings().Language = L"ENG";
    Settings().Level = 0;
    Export<PFN_SetGClassAddr>(m_module, "SetGClassAddr")(&Settings(), &m_captionPtr);
    m_setFolder = Export<PFN_SetEcrFolder>(m_module, "SetEcrFolder");
    m_setFolder(m_folder.Path().c_str());
    g_messages.clear();
    g_answer = IDCANCEL;
}

VornK2Library::~VornK2Library()
{
    if (m_module)
        ::FreeLibrary(m_module);
    Settings().Language.Empty();
}

void VornK2Library::UseFolder(const std::wstring& folder)
{
    m_setFolder(folder.c_str());
}

int VornK2Library::RecordBox(HWND, LPCWSTR text, LPCWSTR, UINT type)
{
    g_messages.push_back(text ? text : L"");
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:  // the library's yes/no questions are answered Yes
        return IDYES;
    default:
        return g_answer;
    }
}

void VornK2Library::AnswerQuestions(int answer)
{
    g_answer = answer;
}

std::vector<std::wstring> VornK2Library::TakeMessages()
{
    std::vector<std::wstring> messages;
    messages.swap(g_messages);
    return messages;
}

std::wstring VornK2Library::Text(S_ECR_TABLE* table, int r, int c)
{
    CString text;
    FormatField(&table->Fields()[c], FieldPtr(table, r, c), text);
    return text.GetString();
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
