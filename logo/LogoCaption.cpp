#include "LogoCaption.h"

#include "CCaptionManagerBase.h"
#include "EcrGlobals.h"

CString LogoCaption(int wndNo, int captionNo, const wchar_t* fallback)
{
    CCaptionManagerBase* captions = g_ppCaptionMgr ? *g_ppCaptionMgr : nullptr;
    S_ECR_CAP* cap = captions ? captions->GetCaption(wndNo, captionNo) : nullptr;
    return cap ? cap->Text : CString(fallback);
}
