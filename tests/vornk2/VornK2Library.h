#pragma once

#include <string>
#include <vector>

#include "CEcrData.h"
#include "CEcrReportSet.h"
#include "EcrDllExports.h"
#include "FakeCaptionManager.h"
#include "S_ECR_SETTING.h"
#include "TempFolder.h"
#include "msgbox.h"

// The demo model library loaded fresh for one test, bound to test settings,
// a caption manager and an empty data folder of its own. The library's
// message boxes are recorded; messages are answered with OK, questions with
// Cancel unless the test says otherwise.
class VornK2Library
{
public:
    VornK2Library();
    ~VornK2Library();
    VornK2Library(const VornK2Library&) = delete;
    VornK2Library& operator=(const VornK2Library&) = delete;

    bool Loaded() const { return m_module != nullptr; }
    CEcrData* Group(int wndNo) const { return m_getFromWndNo(wndNo); }
    int Count() const { return m_getCount(); }
    CEcrData* At(int index) const { return m_getFromIndex(index); }
    int IndexOf(CEcrData* data) const { return m_getIndex(data); }

    S_ECR_SETTING& Settings() { return *reinterpret_cast<S_ECR_SETTING*>(m_settings); }
    const std::wstring& Folder() const { return m_folder.Path(); }
    // Hands the library another data folder.
    void UseFolder(const std::wstring& folder);
    std::wstring PathOf(const wchar_t* name) const { return m_folder.File(name); }
    // Texts of the library's message boxes since the last call.
    std::vector<std::wstring> TakeMessages();
    // The answer to the library's questions from now on.
    static void AnswerQuestions(int answer);
    // The caption manager, whose character table the library's text goes through.
    FakeCaptionManager& Captions() { return m_captions; }

    // Field c of record r through the codec, as the program shows it.
    static std::wstring Text(S_ECR_TABLE* table, int r, int c);

private:
    // Records the message; answers Yes to a question, else OK.
    static int RecordBox(HWND, LPCWSTR text, LPCWSTR, UINT type);

    HMODULE m_module = nullptr;
    PFN_SetEcrFolder m_setFolder = nullptr;
    PFN_GetEcrDataFromWndNo m_getFromWndNo = nullptr;
    PFN_GetEcrDataCount m_getCount = nullptr;
    PFN_GetEcrDataFromIndex m_getFromIndex = nullptr;
    PFN_GetEcrIndexFromData m_getIndex = nullptr;
    // The settings record is the program's; its constructor reads the
    // program's ini file, so the test lays out an empty one instead.
    alignas(S_ECR_SETTING) unsigned char m_settings[sizeof(S_ECR_SETTING)] = {};
    FakeCaptionManager m_captions;
    CCaptionManagerBase* m_captionPtr = &m_captions;
    TempFolder m_folder;  // the library's data folder for one test
};

// Whole-file helpers.
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
