#include "UnsavedEdits.h"

#include "CCaptionManagerBase.h"
#include "CEcrData.h"
#include "CEcrDll.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"

bool ConfirmDiscardUnsavedEdits()
{
    // The count is asked again each time: a library may change its list.
    for (int i = 0; i < GetEcrDataCount(); ++i) {
        CEcrData* group = GetEcrDataFromIndex(i);
        if (!group || group->UnsavedChanges <= 0)
            continue;
        CString question = L"The content under the correction is annulled\nIs it good?";
        if (CCaptionManagerBase* captions = g_ppCaptionMgr ? *g_ppCaptionMgr : nullptr)
            if (S_ECR_CAP* cap = captions->GetCaption(WNDNO_SELECT, 15))
                question = cap->Text;
        return AfxMessageBox(question, MB_OKCANCEL) == IDOK;
    }
    return true;
}
