// Caption look-up for code that shows a caption's text (or also its font):
// the caption file's entry when there is one, else the program's own text.
#pragma once

#include "S_ECR_CAP.h"

// The caption (window, caption) of the current caption manager; null when
// there is no manager or its file lacks the caption. Valid until the next flush.
S_ECR_CAP* FindCaption(int wndNo, int captionNo);

// The text of caption (window, caption) when the caption file has it, else
// the given default (empty for null).
CString CaptionText(int wndNo, int captionNo, const wchar_t* defaultText);

// The text of a caption that counts something. English words one thing
// apart from several, so a count of one has a caption of its own
// (`singularNo`); a caption file that lacks it gives the counting caption,
// which keeps the file's language.
CString CountCaptionText(int wndNo, int count, int captionNo, const wchar_t* defaultText, int singularNo,
                         const wchar_t* singularDefault);

// What the user is told when a file could not be written (the file and the
// system's reason), in the caption language.
CString WriteFailureText(const CString& path, DWORD error);

// What the user is told when the folder a file goes into could not be
// created (the file, the folder and the system's reason), in the caption
// language.
CString FolderFailureText(const CString& path, const CString& folder, DWORD error);
