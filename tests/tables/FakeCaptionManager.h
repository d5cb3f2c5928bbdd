#pragma once

#include <map>
#include <memory>
#include <utility>

#include "CCaptionManagerBase.h"

// A caption manager with a small character table: mapped bytes convert
// through it, all others one by one through the ANSI code page, the way the
// program's manager does with a table loaded. It installs itself in
// g_ppCaptionMgr while it lives.
class FakeCaptionManager final : public CCaptionManagerBase
{
public:
    FakeCaptionManager();
    ~FakeCaptionManager();

    void Map(unsigned char byte, wchar_t ch);
    // A caption with this text only (no font, no tooltip).
    void AddCaption(int wndNo, int captionNo, const wchar_t* text);

    BOOL SetCaptionFile(const wchar_t*, const wchar_t*, const wchar_t*) override { return FALSE; }
    void FlushCaptions() override {}
    S_ECR_CAP* GetCaption(int wndNo, int captionNo) override;
    BOOL SetCaption(int, int, const S_ECR_CAP*) override { return FALSE; }
    BOOL LoadCharConv(const wchar_t*, const wchar_t*) override { return FALSE; }
    void ClearCharConv() override { m_toChar.clear(); m_toByte.clear(); }
    void EcrToUnicode(const CStringA& bytes, CStringW& text) override;
    void UnicodeToEcr(const CStringW& text, CStringA& bytes) override;

private:
    std::map<unsigned char, wchar_t> m_toChar;
    std::map<wchar_t, unsigned char> m_toByte;
    std::map<std::pair<int, int>, std::unique_ptr<S_ECR_CAP>> m_captions;
    CCaptionManagerBase* m_self = this;
};
