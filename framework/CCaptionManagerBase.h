#pragma once

#include "S_ECR_CAP.h"

// The caption manager as the program and the model library see it. The slot
// order of the eight operations is shared with the model library; nobody
// deletes the manager through this interface, so it has no virtual destructor.
class CCaptionManagerBase
{
public:
    // Selects "<capPath>\<dllBase>_<language>.CAP"; TRUE when it was current or exists.
    virtual BOOL SetCaptionFile(const wchar_t* capPath, const wchar_t* dllBase, const wchar_t* language) = 0;
    // Writes the cache back when a caption changed, then empties it.
    virtual void FlushCaptions() = 0;
    // The cached or freshly read caption, or null; valid until the next flush.
    virtual S_ECR_CAP* GetCaption(int wndNo, int captionNo) = 0;
    // Stores a copy and marks the cache changed.
    virtual BOOL SetCaption(int wndNo, int captionNo, const S_ECR_CAP* cap) = 0;
    // Loads "<capPath>\<dllBase>_ECR.CNV", the register's character table.
    virtual BOOL LoadCharConv(const wchar_t* capPath, const wchar_t* dllBase) = 0;
    virtual void ClearCharConv() = 0;
    // Register bytes to text and back, through the character table.
    virtual void EcrToUnicode(const CStringA& bytes, CStringW& text) = 0;
    virtual void UnicodeToEcr(const CStringW& text, CStringA& bytes) = 0;

protected:
    CCaptionManagerBase() = default;
    CCaptionManagerBase(const CCaptionManagerBase&) = default;
    CCaptionManagerBase& operator=(const CCaptionManagerBase&) = default;
    ~CCaptionManagerBase() = default;
};
