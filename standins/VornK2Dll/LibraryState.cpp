#include "LibraryState.h"

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

CString LibraryState::Language() const
{
    return g_pEcrSetting ? g_pEcrSetting->Language : CString();
}

void LibraryState::Tell(const CString& text, UINT icon)
{
    AfxShowMessageBox(nullptr, text, L"02 VORN-K2", MB_OK | icon);
}

bool LibraryState::Confirm(const CString& text)
{
    return AfxShowMessageBox(nullptr, text, L"02 VORN-K2", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}
