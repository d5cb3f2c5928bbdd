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
    // The settings' user level, or 0 without settings.
    int Level() const;
    // Whether the settings' caption language is Japanese.
    bool Japanese() const;
    // The text of the caption language.
    const wchar_t* Say(const wchar_t* english, const wchar_t* japanese) const { return Japanese() ? japanese : english; }
    // The text of the caption language for a count: English words one
    // thing apart from several, Japanese does not.
    const wchar_t* SayCount(int count, const wchar_t* englishOne, const wchar_t* english, const wchar_t* japanese) const
    {
        return Say(count == 1 ? englishOne : english, japanese);
    }
    // What the user is told when a file could not be written, in the
    // caption language.
    CString WriteFailure(const CString& path, DWORD error) const;
    // Creates the folder a file goes into, with the folders above it, when
    // it is missing; when it cannot, tells the user so, naming the file and
    // the folder, in the caption language.
    bool CreateFolderFor(const CString& path, const CString& folder) const;
    // A message of the library's own, titled with the model name.
    static void Tell(const CString& text, UINT icon);
    // A question of the library's own (`buttons` and icon); the answer.
    static int Ask(const CString& text, UINT buttons);
    // A yes/no question of the library's own, No the default: true on Yes.
    static bool Confirm(const CString& text);

private:
    CString m_folder;
};
