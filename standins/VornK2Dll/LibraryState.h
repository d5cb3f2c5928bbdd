#pragma once

#include "afx.h"

class CCaptionManagerBase;
struct S_ECR_SETTING;

// What the program handed the library: its settings, the caption-manager
// holder and the data folder. The settings and the holder are kept in the
// library's own g_pEcrSetting and g_ppCaptionMgr, where the field codec looks.
class LibraryState
{
public:
    static LibraryState& Instance();

    void Bind(S_ECR_SETTING* settings, CCaptionManagerBase** captionHolder);
    void SetFolder(const wchar_t* folder) { m_folder = folder; }

    const CString& Folder() const { return m_folder; }
    // The settings' user level and language, or their defaults without settings.
    int Level() const;
    CString Language() const;
    // A message of the library's own, titled with the model name.
    static void Tell(const CString& text, UINT icon);
    // A yes/no question of the library's own, No the default: true on Yes.
    static bool Confirm(const CString& text);

private:
    CString m_folder;
};
