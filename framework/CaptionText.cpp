#include "CaptionText.h"

#include "CCaptionManagerBase.h"
#include "EcrGlobals.h"

S_ECR_CAP* FindCaption(int wndNo, int captionNo)
{
    CCaptionManagerBase* captions = g_ppCaptionMgr ? *g_ppCaptionMgr : nullptr;
    return captions ? captions->GetCaption(wndNo, captionNo) : nullptr;
}

CString CaptionText(int wndNo, int captionNo, const wchar_t* defaultText)
{
    if (S_ECR_CAP* cap = FindCaption(wndNo, captionNo))
        return cap->Text;
    return CString(defaultText);
}
