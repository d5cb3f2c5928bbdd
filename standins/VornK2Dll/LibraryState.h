#pragma once

#include "afx.h"

class CCaptionManagerBase;
struct S_ECR_SETTING;

// What the program handed the library: its settings, the caption-manager
// holder and the data folder.
class LibraryState
{
public:
    static LibraryState& Instance();

    void Bind(S_ECR_SETTING* settings, CCaptionManagerBase** captionHolder);
    void SetFolder(const wchar_t* folder) { m_folder = folder; }

    S_ECR_SETTING* Settings() const { return m_settings; }
    // The caption manager, or null while the program has none.
    CCaptionManagerBase* Captions() const { return m_captionHolder ? *m_captionHolder : nullptr; }
    const CString& Folder() const { return m_folder; }

private:
    S_ECR_SETTING* m_settings = nullptr;
    CCaptionManagerBase** m_captionHolder = nullptr;
    CString m_folder;
};
