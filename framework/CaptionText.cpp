#include "CaptionText.h"

#include "AtomicFile.h"
#include "CCaptionManagerBase.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"

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

CString CountCaptionText(int wndNo, int count, int captionNo, const wchar_t* defaultText, int singularNo,
                         const wchar_t* singularDefault)
{
    if (count == 1)
        if (S_ECR_CAP* cap = FindCaption(wndNo, singularNo))
            return cap->Text;
    if (S_ECR_CAP* cap = FindCaption(wndNo, captionNo))
        return cap->Text;
    return CString(count == 1 ? singularDefault : defaultText);
}

CString WriteFailureText(const CString& path, DWORD error)
{
    return AtomicFile::FailureMessage(path, error, CaptionText(WNDNO_COMMON, 3, nullptr),
                                      CaptionText(WNDNO_COMMON, 4, nullptr));
}

CString FolderFailureText(const CString& path, const CString& folder, DWORD error)
{
    return AtomicFile::FolderFailureMessage(path, folder, error, CaptionText(WNDNO_COMMON, 5, nullptr));
}
