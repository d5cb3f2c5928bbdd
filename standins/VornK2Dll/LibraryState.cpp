#include "LibraryState.h"

#include "AtomicFile.h"
#include "EcrGlobals.h"
#include "S_ECR_SETTING.h"

S_ECR_SETTING* g_pEcrSetting = nullptr;
CCaptionManagerBase** g_ppCaptionMgr = nullptr;

LibraryState& LibraryState::Instance()
{
    static LibraryState state;
    return state;
}

void LibraryState::Bind(S_ECR_SETTING* settings, CCaptionManagerBase** captionHolder)
{
    g_pEcrSetting = settings;
    g_ppCaptionMgr = captionHolder;
}

int LibraryState::Level() const
{
    return g_pEcrSetting ? g_pEcrSetting->Level : 0;
}

bool LibraryState::Japanese() const
{
    return g_pEcrSetting && g_pEcrSetting->Language.CompareNoCase(L"JPN") == 0;
}

CString LibraryState::WriteFailure(const CString& path, DWORD error) const
{
    // Null in English: the file writer's own English text.
    return AtomicFile::FailureMessage(path, error, Say(nullptr, L"%1 に書き込めませんでした（%2）。前のファイルはそのまま残っています。"),
                                      Say(nullptr, L"%1 に書き込めませんでした（%2）。"));
}

bool LibraryState::CreateFolderFor(const CString& path, const CString& folder) const
{
    if (AtomicFile::CreateFolder(folder))
        return true;
    Tell(AtomicFile::FolderFailureMessage(path, folder, ::GetLastError(),
                                          Say(nullptr, L"フォルダー %3 を作成できなかったため（%2）、%1 に書き込めませんでした。")),
         MB_ICONSTOP);
    return false;
}

void LibraryState::Tell(const CString& text, UINT icon)
{
    Ask(text, MB_OK | icon);
}

int LibraryState::Ask(const CString& text, UINT buttons)
{
    return AfxShowMessageBox(nullptr, text, L"02 VORN-K2", buttons);
}

bool LibraryState::Confirm(const CString& text)
{
    return Ask(text, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}
