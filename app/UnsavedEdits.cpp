#include "UnsavedEdits.h"

#include "CEcrData.h"
#include "CEcrDll.h"
#include "CaptionText.h"
#include "EcrWndNo.h"

bool ConfirmDiscardUnsavedEdits()
{
    // The count is asked again each time: a library may change its list.
    for (int i = 0; i < GetEcrDataCount(); ++i) {
        CEcrData* group = GetEcrDataFromIndex(i);
        if (!group || group->UnsavedChanges <= 0)
            continue;
        CString question = CaptionText(WNDNO_SELECT, 15, L"The content under the correction is annulled\nIs it good?");
        return AfxMessageBox(question, MB_OKCANCEL) == IDOK;
    }
    return true;
}

CString UnsavedGroupNames()
{
    CString names;
    for (int i = 0; i < GetEcrDataCount(); ++i) {
        CEcrData* group = GetEcrDataFromIndex(i);
        if (!group || group->UnsavedChanges <= 0)
            continue;
        CString name = group->Name ? group->Name : L"";
        // A group without a name is still counted, by its place in the list.
        if (name.IsEmpty())
            name.Format(L"#%d", i + 1);
        if (!names.IsEmpty())
            names += L", ";
        names += name;
    }
    return names;
}
