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

// What the user is told when a file could not be written (the file and the
// system's reason), in the caption language.
CString WriteFailureText(const CString& path, DWORD error);

// What the user is told when the folder a file goes into could not be
// created (the file, the folder and the system's reason), in the caption
// language.
CString FolderFailureText(const CString& path, const CString& folder, DWORD error);
